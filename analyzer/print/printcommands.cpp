#include "print/printcommands.h"

#include "graph/graphwindow.h"
#include "graph/seriesselection.h"
#include "print/graphpage.h"
#include "print/parametersheet.h"
#include "print/partprintdialog.h"
#include "print/printfont.h"

#include <QPointer>

namespace zt {

QString printTitle(PrintKind kind)
{
    switch (kind) {
    case PrintKind::WholeList:
        return QStringLiteral("全体印刷");
    case PrintKind::PartialList:
        return QStringLiteral("部分印刷");
    case PrintKind::Parameters:
        return QStringLiteral("パラメータ印刷");
    case PrintKind::Graph:
        return QStringLiteral("グラフ印刷");
    }
    return {};
}

PrintCommands::PrintCommands(DialogService &dialogs, QWidget *owner, Source source)
    : dialogs(dialogs), owner(owner), source(std::move(source)), control(dialogs, owner)
{
}

void PrintCommands::start(PrintKind printKind)
{
    const auto purpose = SelectionPurpose(int(printKind) + 1);
    startSelection(owner, dialogs, source.set(), purpose,
                   [this](const GraphSeries &series, SelectionPurpose chosen) {
                       dispatch(PrintKind(int(chosen) - 1), series);
                   });
}

void PrintCommands::dispatch(PrintKind printKind, const GraphSeries &series)
{
    kind = printKind;
    ListPrintInput in{&source.set(), &source.channels(), series, printFontFamily()};
    if (kind == PrintKind::Parameters) {
        control.preview(printTitle(kind),
                        [in](PrintEngine &e) { return printParameterSheet(e, in); });
        return;
    }
    RowSpan rows{1, rowTotal(*in.set)};
    if (kind == PrintKind::PartialList) {
        const PartAxis axis{in.set->startTime(), in.set->intervalInMinutes(), rows.last};
        PartPrintDialog dialog(dialogs, axis, owner);
        if (dialog.exec() != QDialog::Accepted)
            return;
        rows = partial = dialog.rows();
    }
    control.preview(printTitle(kind),
                    [in, rows](PrintEngine &e) { return printDataList(e, in, rows); });
}

void printGraphWindow(GraphWindow &window, DialogService &dialogs)
{
    GraphPageInput in;
    in.set = window.source().set;
    in.channels = window.source().channels;
    in.series = window.source().series;
    in.state = GraphWindow::state();
    in.settings = *window.source().settings;
    in.scale = window.scale();
    in.fontFamily = printFontFamily();
    QPointer<GraphWindow> guard(&window);
    window.setEnabled(false);
    struct Enable
    {
        QPointer<GraphWindow> &w;
        ~Enable()
        {
            if (w)
                w->setEnabled(true);
        }
    } enableAgain{guard};
    // The preview is not the disabled window's child, which would disable it as well.
    PrintControl(dialogs, nullptr).preview(printTitle(PrintKind::Graph), [in](PrintEngine &e) {
        return printGraphPage(e, in);
    });
}

void pageSetupOfGraph(GraphWindow &window, DialogService &dialogs)
{
    PrintControl(dialogs, &window).pageSetup();
}

} // namespace zt
