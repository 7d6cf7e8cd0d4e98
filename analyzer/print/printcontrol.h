#pragma once

#include <QPageLayout>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace zt {

class DialogService;
class PrintEngine;

// A printout drawn on an engine; false when the engine failed.
using Printout = std::function<bool(PrintEngine &)>;

// The print control of a window (`vsDPrint`, `vsGprint`): printer and page set-up, and the
// preview every printout opens in, from where it goes to the printer or a PDF file. All
// windows share one printer, so a set-up holds for the next printout anywhere.
class PrintControl
{
public:
    PrintControl(DialogService &dialogs, QWidget *owner);

    static QPrinter &printer();

    void printerSetup();
    void pageSetup();
    // Opens the preview of `printout`; returns when the preview closes.
    void preview(const QString &title, const Printout &printout);
    // A4 with 15 mm margins, what every printout starts with.
    static QPageLayout defaultLayout();
    // Writes the printout to `path` through a save file: 0, the file error number, or -1
    // with the engine's description. A failure leaves an existing file as it was.
    static int writePdf(const QString &path, const Printout &printout, const QPageLayout &layout,
                        QString *engineError);

private:
    void paintOn(QPagedPaintDevice &device, const Printout &printout);
    void savePdf(const Printout &printout);
    void reportEngineError(const QString &description);

    DialogService &dialogs;
    QWidget *owner;
};

// Caption of every print message.
constexpr int PrintCaption = 10;

} // namespace zt
