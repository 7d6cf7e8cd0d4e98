#pragma once

#include "ui/dialogservice.h"

#include <QList>
#include <QVariant>

namespace zt {

// Answers dialogs from a queue and records every request, so no test ever blocks.
// An empty queue answers OK / cancels file and colour dialogs.
class ScriptedDialogService : public DialogService
{
public:
    struct Asked
    {
        enum Kind { Message, OpenFile, SaveFile, Color, PrinterSetup, PageSetup, Preview } kind;
        MessageRequest message;
        FileRequest file;
    };

    void answerMessage(int answer) { answers.append(answer); }
    void answerFile(const QString &path) { answers.append(path); } // empty = cancel
    void answerColor(const QColor &c) { answers.append(c); }       // invalid = cancel
    // Printer or page set-up: true = OK, false (or nothing queued) = cancelled.
    void answerSetup(bool ok) { answers.append(ok); }
    // What a preview does: paint into the printer as it stands, then save a PDF when asked.
    void answerPreviewSavesPdf(bool save) { previewSaves = save; }
    int previewPaints() const { return paints; }
    // Runs while a preview is open, after its document was painted.
    void duringPreview(std::function<void()> look) { previewLook = std::move(look); }

    const QList<Asked> &asked() const { return log; }
    QList<MessageRequest> messages() const;
    int pendingAnswers() const { return int(answers.size()); }
    void clear()
    {
        answers.clear();
        log.clear();
    }

    int message(QWidget *parent, const MessageRequest &request) override;
    QString openFile(QWidget *parent, const FileRequest &request) override;
    QString saveFile(QWidget *parent, const FileRequest &request) override;
    std::optional<QColor> color(QWidget *parent, const QColor &initial) override;
    bool printerSetup(QWidget *parent, QPrinter &printer) override;
    bool pageSetup(QWidget *parent, QPrinter &printer) override;
    void printPreview(QWidget *parent, QPrinter &printer, const PreviewRequest &request) override;

private:
    bool previewSaves = false;
    std::function<void()> previewLook;
    int paints = 0;
    QVariant next();
    QList<QVariant> answers;
    QList<Asked> log;
};

} // namespace zt
