#pragma once

#include "graph/plotarea.h"
#include "graph/viewrows.h"
#include "records/appsettings.h"

namespace zt {

// A pointer position moved into the plot, and whether it had to be moved.
struct ClampedPoint
{
    QPointF point;
    bool clamped = false;
};

ClampedPoint clampToPlot(QPointF p, const PlotArea &plot);

// A drag zooms unless it ends where it began or both of its ends lay outside the plot.
bool dragZooms(const ClampedPoint &anchor, const ClampedPoint &release);

// What a zoom rectangle changes.
struct ZoomState
{
    ViewRows view;
    AppSettings settings;
    bool timeZoomed = false;
};

// Turns the rectangle between two (clamped) points into new view rows and value ranges.
// A view narrower than two rows keeps its rows; the value axes of the kinds on the graph
// are fixed even when their span is too small to zoom.
ZoomState zoomToRectangle(QPointF a, QPointF b, const PlotArea &plot, const ZoomState &current,
                          bool tempShown, bool humShown);

} // namespace zt
