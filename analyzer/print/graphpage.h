#pragma once

#include "graph/graphscale.h"
#include "graph/graphstate.h"
#include "records/appsettings.h"
#include "records/channels.h"

namespace zt {

class PrintEngine;

// What the graph page draws: the window's series with copies of its state.
struct GraphPageInput
{
    const LogSet *set = nullptr;
    const DisplayChannels *channels = nullptr;
    GraphSeries series;
    GraphState state;
    AppSettings settings;
    GraphScale scale;
    QString fontFamily;
};

// Line width of the table under the plot in "M" cells.
constexpr int GraphTableCells = 13 + 8 * 10;

// The plot as the graph window draws it, on the printable area above a table of the
// series with their counts and statistics over the rows in view.
bool printGraphPage(PrintEngine &engine, GraphPageInput in);

} // namespace zt
