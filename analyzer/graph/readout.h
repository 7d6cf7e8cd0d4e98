#pragma once

#include "graph/plotarea.h"
#include "graph/plotseries.h"
#include "graph/viewrows.h"

#include <QDateTime>
#include <array>
#include <optional>

namespace zt {

// The curve point nearest to the pointer.
struct PickedValue
{
    int slot = 0;   // SeriesSlot 1..8
    int row = 0;    // row of the time axis
    int tenths = 0; // value in tenths of the unit
};

// Finds the visible curve whose value at the pointer's row is nearest to the pointer,
// within `tolerancePx` of the row's x and of the point's y.
std::optional<PickedValue> pickNearestCurve(QPointF pointer, const PlotArea &plot, ViewRows view,
                                            const std::vector<PlotSeries> &series,
                                            const std::array<bool, 8> &hidden,
                                            const AppSettings &settings, double tolerancePx);

// The read-out text: name, row time and value with its unit.
QString readoutText(const PlotSeries &series, const PickedValue &picked, const QDateTime &start,
                    int intervalMinutes);

} // namespace zt
