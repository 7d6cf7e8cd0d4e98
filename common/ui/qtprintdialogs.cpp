#include "ui/qtdialogservice.h"

#include <QAction>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace zt {

// Services that never show printer dialogs behave as if the user cancelled.
bool DialogService::printerSetup(QWidget *, QPrinter &)
{
    return false;
}

bool DialogService::pageSetup(QWidget *, QPrinter &)
{
    return false;
}

void DialogService::printPreview(QWidget *, QPrinter &, const PreviewRequest &) {}

bool QtDialogService::printerSetup(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("プリンタ設定"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogService::pageSetup(QWidget *parent, QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("ページ設定"));
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogService::printPreview(QWidget *parent, QPrinter &printer,
                                   const PreviewRequest &request)
{
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(request.title);
    dialog.resize(900, 1000);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&request](QPrinter *target) { request.paint(*target); });
    if (QToolBar *bar = dialog.findChild<QToolBar *>(); bar && request.savePdf) {
        bar->addSeparator();
        QAction *pdf = bar->addAction(QStringLiteral("PDF保存"));
        pdf->setObjectName(QStringLiteral("previewSavePdf"));
        pdf->setToolTip(QStringLiteral("PDFファイルに保存します"));
        QObject::connect(pdf, &QAction::triggered, &dialog, [&request] { request.savePdf(); });
    }
    dialog.exec();
}

} // namespace zt
