#include "print/printcontrol.h"

#include "print/painterprintengine.h"
#include <QFileInfo>
#include "records/fileerrors.h"
#include "records/messages.h"
#include "records/settingsio.h"
#include "ui/dialogservice.h"
#include "ui/messageroutine.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QBuffer>

namespace zt {

namespace {
constexpr int styleOkWarning = 48;
constexpr int PdfResolution = 1200;
} // namespace

PrintControl::PrintControl(DialogService &dialogs, QWidget *owner) : dialogs(dialogs), owner(owner)
{
}

QPrinter &PrintControl::printer()
{
    static QPrinter shared(QPrinter::HighResolution);
    static const bool ready = [] {
        shared.setPageLayout(defaultLayout());
        shared.setDocName(QStringLiteral("ZT5"));
        return true;
    }();
    Q_UNUSED(ready);
    return shared;
}

void PrintControl::printerSetup()
{
    dialogs.printerSetup(owner, printer()); // a cancelled dialog changes nothing
}

void PrintControl::pageSetup()
{
    dialogs.pageSetup(owner, printer());
}

void PrintControl::reportEngineError(const QString &description)
{
    showMessageText(dialogs, owner, PrintCaption, description, styleOkWarning);
}

void PrintControl::paintOn(QPagedPaintDevice &device, const Printout &printout)
{
    PainterPrintEngine engine(device);
    if (!printout(engine) && engine.hasError())
        reportEngineError(engine.errorDescription());
}

void PrintControl::preview(const QString &title, const Printout &printout)
{
    DialogService::PreviewRequest request;
    request.title = title;
    request.paint = [this, printout](QPagedPaintDevice &device) { paintOn(device, printout); };
    request.savePdf = [this, printout] { savePdf(printout); };
    dialogs.printPreview(owner, printer(), request);
}

QPageLayout PrintControl::defaultLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

int PrintControl::writePdf(const QString &path, const Printout &printout, const QPageLayout &layout,
                           QString *engineError)
{
    // The document is made in memory and written whole with checked writes: the PDF
    // writer does not notice a short write, which would put a cut-off file in place.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(layout);
        writer.setCreator(QStringLiteral("ZT5"));
        writer.setTitle(QFileInfo(path).completeBaseName());
        PainterPrintEngine engine(writer);
        if (!printout(engine)) {
            if (engineError)
                *engineError = engine.errorDescription();
            return -1;
        }
    }
    return saveSettingsBytes(path, buffer.data());
}

void PrintControl::savePdf(const Printout &printout)
{
    FileRequest request;
    request.title = QStringLiteral("PDF保存");
    request.fileName = QStringLiteral("印刷.pdf");
    request.filter = QStringLiteral("PDFファイル(*.pdf)|*.pdf");
    request.defaultSuffix = QStringLiteral("pdf");
    request.overwritePrompt = true;
    const QString path = dialogs.saveFile(owner, request);
    if (path.isEmpty())
        return;
    QString engineError;
    const int error = writePdf(path, printout, printer().pageLayout(), &engineError);
    if (error == -1)
        reportEngineError(engineError);
    else if (error != 0)
        showError(dialogs, owner, error, captionText(PrintCaption));
}

} // namespace zt
