#include "graph/graphscale.h"

#include "records/datetime.h"

#include <algorithm>
#include <cmath>

namespace zt {

namespace {

// Statistics at or above this are "no value" markers, not measurements.
constexpr int ValidBelow = 3276;

// Without a single valid extreme the rules would put the upper bound below the lower
// one; the axis then keeps the settings' default range instead.
constexpr AxisBounds NoDataBounds{0, 100};

int fix(double x)
{
    return int(std::trunc(x));
}

} // namespace

ValueExtremes findExtremes(const GraphSeries &series, const DisplayChannels &channels)
{
    ValueExtremes e;
    bool tMaxSeen = false, tMinSeen = false, hMaxSeen = false, hMinSeen = false;
    for (int channelNo : series) {
        if (channelNo < 1 || channelNo > MaxDisplayChannels)
            continue;
        const DisplayChannel &c = channels[std::size_t(channelNo - 1)];
        if (c.present != 1 || c.count <= 0)
            continue;
        if (c.kind == ChannelKind::Temperature) {
            e.tempShown = true;
            if (c.maximum < ValidBelow) {
                e.tMax = std::max(e.tMax, int(c.maximum));
                tMaxSeen = true;
            }
            if (c.minimum < ValidBelow) {
                e.tMin = std::min(e.tMin, int(c.minimum));
                tMinSeen = true;
            }
        } else if (c.kind == ChannelKind::Humidity) {
            e.humShown = true;
            if (c.maximum < ValidBelow) {
                e.hMax = std::max(e.hMax, 10 * c.maximum);
                hMaxSeen = true;
            }
            if (c.minimum < ValidBelow) {
                e.hMin = std::min(e.hMin, 10 * c.minimum);
                hMinSeen = true;
            }
        }
    }
    e.tempValid = tMaxSeen && tMinSeen;
    e.humValid = hMaxSeen && hMinSeen;
    return e;
}

AxisBounds autoTemperatureBounds(int tMax, int tMin)
{
    const int d = std::abs(tMax) - std::abs(tMin);
    const int K = d < 50 ? 10 : 100;
    const int b = d < 50 ? 1 : 10;
    const int m = d < 50 ? 1 : 5;
    int upper = 0;
    if (tMax > 0)
        upper = b * fix(double(tMax) / K + 0.5) + m;
    else if (tMax < 0)
        upper = b * ((tMax - 1) / K) + m;
    int lower = b * fix(double(tMin) / K + 0.5) - m;
    // Truncation toward zero can lift the bound of a negative minimum above the data;
    // one more step down keeps the lowest value on the graph.
    if (lower * 10 > tMin)
        lower -= b;
    return {std::max(lower, -100), std::min(upper, 200)};
}

AxisBounds autoHumidityBounds(int hMax, int hMin)
{
    const int d = hMax - hMin;
    int a = 1;
    if (d >= 500)
        a = 100;
    else if (d >= 300)
        a = 50;
    else if (d >= 50)
        a = 10;
    else
        hMax += 10;
    const int J = 10 * a;
    const int upper = std::min(a * (hMax / J + 1), 100);
    const int lower = std::max(a * ((hMin - 1) / J), 0);
    return {lower, upper};
}

int gridStep(int scaleMin, int scaleMax)
{
    return int(roundHalfEven(qint64(scaleMax - scaleMin) * 10, 5));
}

void updateScale(GraphScale &scale, AppSettings &settings, const ValueExtremes &extremes)
{
    scale.tempShown = extremes.tempShown;
    scale.humShown = extremes.humShown;
    if (extremes.tempShown) {
        const AxisBounds t =
            extremes.tempValid ? autoTemperatureBounds(extremes.tMax, extremes.tMin) : NoDataBounds;
        scale.AutoMax1 = t.upper;
        scale.AutoMin1 = t.lower;
        if (settings.ScaleFixed1 == 0) {
            settings.ScaleMax1 = qint16(t.upper);
            settings.ScaleMin1 = qint16(t.lower);
        }
        scale.GridStep1 = gridStep(settings.ScaleMin1, settings.ScaleMax1);
    }
    if (extremes.humShown) {
        const AxisBounds h =
            extremes.humValid ? autoHumidityBounds(extremes.hMax, extremes.hMin) : NoDataBounds;
        scale.AutoMax2 = h.upper;
        scale.AutoMin2 = h.lower;
        if (settings.ScaleFixed2 == 0) {
            settings.ScaleMax2 = qint16(h.upper);
            settings.ScaleMin2 = qint16(h.lower);
        }
        scale.GridStep2 = gridStep(settings.ScaleMin2, settings.ScaleMax2);
        // A humidity range reaching above 100 %rh slides down to end at 100, same span.
        if (settings.ScaleMax2 > 100) {
            settings.ScaleMax2 = 100;
            settings.ScaleMin2 = qint16(roundHalfEven(100.0 - scale.GridStep2 / 10.0 * 5));
        }
    }
}

} // namespace zt
