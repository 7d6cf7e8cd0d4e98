#include "graph/seriestrace.h"

#include <algorithm>
#include <cmath>

namespace zt {

PointState pointState(int sample, int factor, TenthsRange range)
{
    if (sample >= ValidSampleBelow)
        return PointState::Invalid;
    const int v = sample * factor;
    if (v > range.hi)
        return PointState::Above;
    if (v < range.lo)
        return PointState::Below;
    return PointState::Inside;
}

bool joins(PointState previous, PointState current)
{
    if (previous == PointState::Invalid || current == PointState::Invalid)
        return false;
    if (current == PointState::Inside || previous == PointState::Inside)
        return true;
    return previous != current; // from one edge to the other
}

bool seriesInView(const PlotSeries &series, ViewRows view)
{
    return series.offset + series.count >= view.first && series.offset < view.last;
}

SeriesTrace traceSeries(const PlotSeries &series, ViewRows view, const PlotArea &plot,
                        TenthsRange range)
{
    SeriesTrace trace;
    if (!series.samples || view.span() <= 0 || range.hi <= range.lo)
        return trace;
    const int factor = tenthsFactor(series.kind);
    const double pxPerRow = plot.width / view.span();
    const double pxPerTenth = plot.height / (range.hi - range.lo);
    const int first = std::max(1, view.first - series.offset);
    const int last = std::min(series.count, view.last - series.offset);

    std::vector<QPointF> run;
    if (last >= first) {
        run.reserve(std::size_t(last - first + 1));
        trace.points.reserve(std::size_t(last - first + 1));
    }
    auto endRun = [&] {
        if (run.size() > 1)
            trace.runs.push_back(std::move(run));
        run.clear();
    };
    PointState previous = PointState::Invalid;
    QPointF previousPos;
    int previousPoint = -1; // index in points when the previous sample was inside
    for (int n = first; n <= last; ++n) {
        const int sample = series.sample(n);
        const PointState state = pointState(sample, factor, range);
        const double x = plot.left + (series.offset + n - view.first) * pxPerRow;
        double y = plot.bottom();
        if (state == PointState::Inside)
            y = plot.top + (range.hi - sample * factor) * pxPerTenth;
        else if (state == PointState::Above)
            y = plot.top;
        const QPointF pos(x, y);
        if (state == PointState::Inside)
            trace.points.push_back({pos, sample * factor, false});
        if (n > first && joins(previous, state)) {
            if (run.empty())
                run.push_back(previousPos);
            run.push_back(pos);
            if (previousPoint >= 0)
                trace.points[std::size_t(previousPoint)].joined = true;
            if (state == PointState::Inside)
                trace.points.back().joined = true;
        } else {
            endRun();
        }
        previous = state;
        previousPos = pos;
        previousPoint = state == PointState::Inside ? int(trace.points.size()) - 1 : -1;
    }
    endRun();
    return trace;
}

std::vector<QPointF> decimateByColumn(const std::vector<QPointF> &run)
{
    std::vector<QPointF> out;
    out.reserve(run.size());
    std::size_t i = 0;
    while (i < run.size()) {
        const double columnEnd = std::floor(run[i].x()) + 1;
        std::size_t end = i + 1;
        std::size_t lowest = i, highest = i;
        for (; end < run.size() && run[end].x() < columnEnd; ++end) {
            if (run[end].y() < run[lowest].y())
                lowest = end;
            if (run[end].y() > run[highest].y())
                highest = end;
        }
        // Keep the extremes in the order the curve visits them.
        std::size_t picks[4] = {i, std::min(lowest, highest), std::max(lowest, highest), end - 1};
        for (std::size_t k : picks)
            if (out.empty() || out.back() != run[k])
                out.push_back(run[k]);
        i = end;
    }
    return out;
}

} // namespace zt
