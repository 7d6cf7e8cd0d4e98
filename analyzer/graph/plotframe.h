#pragma once

#include "graph/graphscale.h"
#include "graph/graphstate.h"
#include "graph/plotlayout.h"
#include "graph/plotseries.h"
#include "graph/viewrows.h"

#include <QDateTime>

namespace zt {

// Everything one drawing of the plot needs besides the graph state.
struct PlotFrame
{
    PlotLayout layout;
    ViewRows view;
    int timeLabelStep = 1;
    GraphScale scale;
    AppSettings settings;
    QDateTime start;
    int intervalMinutes = 60;
    std::vector<PlotSeries> series;
};

// Decides the rows in view, the time-label step, the automatic value ranges and grid
// steps for the chosen series. Updates the view rows in `state`, the scale fields in
// `settings` (unless fixed) and the automatic bounds in `scale`.
PlotFrame preparePlot(GraphState &state, AppSettings &settings, GraphScale &scale,
                      const LogSet &set, const DisplayChannels &channels, const GraphSeries &series,
                      const PlotLayout &layout);

} // namespace zt
