#include "ui/scripteddialogservice.h"

#include "records/messages.h"

#include <QPrinter>

namespace zt {

QVariant ScriptedDialogService::next()
{
    return answers.isEmpty() ? QVariant() : answers.takeFirst();
}

QList<MessageRequest> ScriptedDialogService::messages() const
{
    QList<MessageRequest> out;
    for (const Asked &a : log)
        if (a.kind == Asked::Message)
            out.append(a.message);
    return out;
}

int ScriptedDialogService::message(QWidget *, const MessageRequest &request)
{
    log.append({Asked::Message, request, {}});
    const QVariant a = next();
    return a.isValid() ? a.toInt() : AnswerOk;
}

QString ScriptedDialogService::openFile(QWidget *, const FileRequest &request)
{
    log.append({Asked::OpenFile, {}, request});
    return next().toString();
}

QString ScriptedDialogService::saveFile(QWidget *, const FileRequest &request)
{
    log.append({Asked::SaveFile, {}, request});
    return next().toString();
}

std::optional<QColor> ScriptedDialogService::color(QWidget *, const QColor &)
{
    log.append({Asked::Color, {}, {}});
    const QColor c = next().value<QColor>();
    if (!c.isValid())
        return std::nullopt;
    return c;
}

bool ScriptedDialogService::printerSetup(QWidget *, QPrinter &)
{
    log.append({Asked::PrinterSetup, {}, {}});
    return next().toBool();
}

bool ScriptedDialogService::pageSetup(QWidget *, QPrinter &)
{
    log.append({Asked::PageSetup, {}, {}});
    return next().toBool();
}

void ScriptedDialogService::printPreview(QWidget *, QPrinter &printer,
                                         const PreviewRequest &request)
{
    Asked a{Asked::Preview, {}, {}};
    a.message.caption = request.title;
    log.append(a);
    ++paints;
    request.paint(printer);
    if (previewLook)
        previewLook();
    if (previewSaves && request.savePdf)
        request.savePdf();
}

} // namespace zt
