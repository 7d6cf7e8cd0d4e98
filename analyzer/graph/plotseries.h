#pragma once

#include "records/appsettings.h"
#include "records/channels.h"

#include <vector>

namespace zt {

// One SeriesSlot of the graph with direct access to its samples.
struct PlotSeries
{
    int slot = 1; // SeriesSlot 1..8
    ChannelKind kind = ChannelKind::None;
    bool present = false;
    int offset = 0;
    int count = 0;
    const qint16 *samples = nullptr; // samples[0] is sample 1
    QString name;

    qint16 sample(int n) const { return samples[n - 1]; }
};

std::vector<PlotSeries> plotSeriesFor(const LogSet &set, const DisplayChannels &channels,
                                      const GraphSeries &series);

// A sample is a number only below this; StarValue and DashValue lie above.
constexpr int ValidSampleBelow = 3276;

// Factor that brings a sample of the kind to tenths of its unit.
int tenthsFactor(ChannelKind kind);

// Value range of the kind's axis in tenths.
struct TenthsRange
{
    int lo = 0;
    int hi = 1000;
};
TenthsRange axisTenths(ChannelKind kind, const AppSettings &settings);

} // namespace zt
