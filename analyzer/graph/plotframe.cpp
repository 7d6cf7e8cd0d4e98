#include "graph/plotframe.h"

namespace zt {

PlotFrame preparePlot(GraphState &state, AppSettings &settings, GraphScale &scale,
                      const LogSet &set, const DisplayChannels &channels, const GraphSeries &series,
                      const PlotLayout &layout)
{
    state.view = viewRowsFor(state.TimeZoomed, state.view, rowTotal(set));
    PlotFrame frame;
    frame.timeLabelStep = timeLabelStep(state.view.span());
    state.view = widenSingleRow(state.view);
    updateScale(scale, settings, findExtremes(series, channels));

    frame.layout = layout;
    frame.view = state.view;
    frame.scale = scale;
    frame.settings = settings;
    frame.start = set.startTime();
    frame.intervalMinutes = set.intervalInMinutes();
    frame.series = plotSeriesFor(set, channels, series);
    return frame;
}

} // namespace zt
