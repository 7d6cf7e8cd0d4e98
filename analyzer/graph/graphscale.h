#pragma once

#include "records/appsettings.h"
#include "records/channels.h"

namespace zt {

// Whole-record extremes of the series on the graph, in tenths of a degree / of a %rh.
struct ValueExtremes
{
    int tMax = -1000;
    int tMin = 2000;
    int hMax = 0;
    int hMin = 1000;
    bool tempShown = false; // kind-1 axis shown
    bool humShown = false;  // kind-2 axis shown
    bool tempValid = false; // some kind-1 channel had a valid maximum and minimum
    bool humValid = false;
};

ValueExtremes findExtremes(const GraphSeries &series, const DisplayChannels &channels);

// Automatic bounds (whole units) and grid steps (tenths) of both value axes.
struct GraphScale
{
    int AutoMin1 = 0;
    int AutoMax1 = 100;
    int AutoMin2 = 0;
    int AutoMax2 = 100;
    int GridStep1 = 200;
    int GridStep2 = 200;
    bool tempShown = false;
    bool humShown = false;

    bool operator==(const GraphScale &) const = default;
};

struct AxisBounds
{
    int lower = 0;
    int upper = 100;
    bool operator==(const AxisBounds &) const = default;
};

AxisBounds autoTemperatureBounds(int tMax, int tMin);
AxisBounds autoHumidityBounds(int hMax, int hMin);

// Value difference between neighbouring horizontal grid lines, tenths (five bands).
int gridStep(int scaleMin, int scaleMax);

// Recomputes the automatic bounds and grid steps of the shown axes and, where an axis is
// not fixed, copies its automatic bounds into the scale fields. An axis not shown keeps
// its previous values in `scale` and `settings`.
void updateScale(GraphScale &scale, AppSettings &settings, const ValueExtremes &extremes);

} // namespace zt
