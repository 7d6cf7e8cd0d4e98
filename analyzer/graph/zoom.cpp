#include "graph/zoom.h"

#include <algorithm>
#include <cmath>

namespace zt {

namespace {

// [floor(lo), ceil(hi)] with at least one unit between them.
std::pair<int, int> widenedRange(double lo, double hi)
{
    const int first = int(std::floor(lo));
    int last = int(std::ceil(hi));
    if (last == first)
        ++last;
    return {first, last};
}

void zoomAxis(qint16 &scaleMin, qint16 &scaleMax, qint16 &fixed, double yLow, double yHigh,
              const PlotArea &plot)
{
    const int span = scaleMax - scaleMin;
    if (span >= 2) {
        const auto [lo, hi] = widenedRange(scaleMin + span * (plot.bottom() - yLow) / plot.height,
                                           scaleMin + span * (plot.bottom() - yHigh) / plot.height);
        scaleMin = qint16(lo);
        scaleMax = qint16(hi);
    }
    fixed = 1;
}

} // namespace

ClampedPoint clampToPlot(QPointF p, const PlotArea &plot)
{
    const QPointF c(std::clamp(p.x(), plot.left, plot.right()),
                    std::clamp(p.y(), plot.top, plot.bottom()));
    return {c, c != p};
}

bool dragZooms(const ClampedPoint &anchor, const ClampedPoint &release)
{
    if (anchor.point == release.point)
        return false;
    return !(anchor.clamped && release.clamped);
}

ZoomState zoomToRectangle(QPointF a, QPointF b, const PlotArea &plot, const ZoomState &current,
                          bool tempShown, bool humShown)
{
    ZoomState next = current;
    const double x1 = std::min(a.x(), b.x());
    const double x2 = std::max(a.x(), b.x());
    const double yLow = std::max(a.y(), b.y()); // lower on screen = smaller value
    const double yHigh = std::min(a.y(), b.y());

    const int span = current.view.span();
    if (span >= 2) {
        const double first = current.view.first;
        const auto [f, l] = widenedRange(first + span * (x1 - plot.left) / plot.width,
                                         first + span * (x2 - plot.left) / plot.width);
        next.view = {f, l};
        // Keep the new rows on the next redraw even when no value axis is zoomed.
        next.timeZoomed = true;
    }
    AppSettings &s = next.settings;
    if (tempShown) {
        zoomAxis(s.ScaleMin1, s.ScaleMax1, s.ScaleFixed1, yLow, yHigh, plot);
        next.timeZoomed = true;
    }
    if (humShown) {
        zoomAxis(s.ScaleMin2, s.ScaleMax2, s.ScaleFixed2, yLow, yHigh, plot);
        next.timeZoomed = true;
    }
    return next;
}

} // namespace zt
