#pragma once

#include "graph/plotcanvas.h"
#include "graph/plotframe.h"

namespace zt {

// Draws the plot in this order: frame, value axes and grid, time axis and grid, reference
// lines, series. Unset reference lines in `state` take the middle of their axis.
void renderPlot(PlotCanvas &canvas, const PlotFrame &frame, GraphState &state);

// The parts, for callers that repaint only some of them.
void drawPlotFrame(PlotCanvas &canvas, const PlotArea &plot, double px = 1);
void drawValueAxes(PlotCanvas &canvas, const PlotFrame &frame);
void drawTimeAxis(PlotCanvas &canvas, const PlotFrame &frame);
void drawReferenceLines(PlotCanvas &canvas, const PlotFrame &frame, GraphState &state);
void drawSeries(PlotCanvas &canvas, const PlotFrame &frame, const GraphState &state);

} // namespace zt
