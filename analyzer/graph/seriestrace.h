#pragma once

#include "graph/plotarea.h"
#include "graph/plotseries.h"
#include "graph/viewrows.h"

#include <QPointF>
#include <vector>

namespace zt {

// Where a sample sits relative to its axis.
enum class PointState { Inside = 0, Above = 1, Below = 2, Invalid = 3 };

PointState pointState(int sample, int factor, TenthsRange range);

// Whether the curve joins a sample in state `previous` to the next one in state `current`.
bool joins(PointState previous, PointState current);

struct TracedPoint
{
    QPointF pos;
    int tenths = 0;
    bool joined = false; // part of a drawn line
};

// One series in view: connected runs of positions and the samples inside the range.
struct SeriesTrace
{
    std::vector<std::vector<QPointF>> runs;
    std::vector<TracedPoint> points;
};

SeriesTrace traceSeries(const PlotSeries &series, ViewRows view, const PlotArea &plot,
                        TenthsRange range);

// Whether any row of the series lies in view.
bool seriesInView(const PlotSeries &series, ViewRows view);

// Keeps, per pixel column, the first, lowest, highest and last position of a run: the same
// strokes at a fraction of the points when samples outnumber pixels.
std::vector<QPointF> decimateByColumn(const std::vector<QPointF> &run);

} // namespace zt
