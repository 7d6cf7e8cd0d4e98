#pragma once

#include "print/datalist.h"
#include "print/printcontrol.h"
#include "records/channels.h"

#include <functional>

class QWidget;

namespace zt {

class DialogService;
class GraphWindow;

// What a printout is.
enum class PrintKind { WholeList = 0, PartialList = 1, Parameters = 2, Graph = 3 };

// Window titles of the preview per kind.
QString printTitle(PrintKind kind);

// The main window's print commands (`vsDPrint`): the transmitter choice, the partial print
// dialog, and every list printout through the preview.
class PrintCommands
{
public:
    struct Source
    {
        std::function<const LogSet &()> set;
        std::function<const DisplayChannels &()> channels;
    };
    PrintCommands(DialogService &dialogs, QWidget *owner, Source source);

    // Menu `mFPRINTSEL` (index 0..2): choose transmitters, then print after `OkureTimer`.
    void start(PrintKind kind);
    // The print dispatcher.
    void dispatch(PrintKind kind, const GraphSeries &series);
    void printerSetup() { control.printerSetup(); }

    PrintKind lastKind() const { return kind; }
    RowSpan lastRows() const { return partial; }

private:
    DialogService &dialogs;
    QWidget *owner;
    Source source;
    PrintControl control;
    PrintKind kind = PrintKind::WholeList;
    RowSpan partial;
};

// The graph window's print command (`vsGprint`): the window is disabled while its page is
// previewed and printed, and enabled again however that ends.
void printGraphWindow(GraphWindow &window, DialogService &dialogs);
void pageSetupOfGraph(GraphWindow &window, DialogService &dialogs);

} // namespace zt
