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
        enum Kind { Message, OpenFile, SaveFile, Color } kind;
        MessageRequest message;
        FileRequest file;
    };

    void answerMessage(int answer) { answers.append(answer); }
    void answerFile(const QString &path) { answers.append(path); } // empty = cancel
    void answerColor(const QColor &c) { answers.append(c); }       // invalid = cancel

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

private:
    QVariant next();
    QList<QVariant> answers;
    QList<Asked> log;
};

} // namespace zt
