#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

// Every modal question goes through this service: the real one shows Qt dialogs,
// the scripted one answers tests from a script and records what was asked.
namespace zt {

// A message box: style is the classic number, buttons in bits 0-2 (0 OK, 1 OK/Cancel,
// 3 Yes/No/Cancel, 4 Yes/No) and icon in bits 4-6 (16 stop, 32 question, 48 exclamation,
// 64 information). The answer is 1 OK, 2 Cancel, 6 Yes, 7 No.
struct MessageRequest
{
    QString caption;
    QString text;
    int style = 0;
    // Captions of the buttons in order, when they must read as given (e.g. "Yes", "No"
    // that the text refers to) rather than as the translated standard buttons.
    QStringList buttonTexts = {};
};

struct FileRequest
{
    QString title;
    QString fileName; // preset path or name; its folder is where the dialog starts
    QString filter;   // Qt filter text, e.g. "ファイル(*.zt2)"
    QString defaultSuffix;
    bool overwritePrompt = false;
};

class DialogService
{
public:
    virtual ~DialogService() = default;
    virtual int message(QWidget *parent, const MessageRequest &request) = 0;
    // Empty when cancelled.
    virtual QString openFile(QWidget *parent, const FileRequest &request) = 0;
    virtual QString saveFile(QWidget *parent, const FileRequest &request) = 0;
    virtual std::optional<QColor> color(QWidget *parent, const QColor &initial) = 0;

    // Printer and page set-up on `printer`; false when cancelled (nothing changed).
    virtual bool printerSetup(QWidget *parent, QPrinter &printer);
    virtual bool pageSetup(QWidget *parent, QPrinter &printer);
    // The print preview: `paint` draws the document on the device it is given (the
    // preview, the printer chosen there); `savePdf` writes it to a PDF file.
    struct PreviewRequest
    {
        QString title;
        std::function<void(QPagedPaintDevice &)> paint;
        std::function<void()> savePdf;
    };
    virtual void printPreview(QWidget *parent, QPrinter &printer, const PreviewRequest &request);
};

// Classic "Name|*.ext" filter to Qt's "Name (*.ext)" form.
QString qtFilter(const QString &classicFilter);

} // namespace zt
