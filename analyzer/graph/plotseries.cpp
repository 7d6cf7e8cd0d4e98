#include "graph/plotseries.h"

namespace zt {

std::vector<PlotSeries> plotSeriesFor(const LogSet &set, const DisplayChannels &channels,
                                      const GraphSeries &series)
{
    std::vector<PlotSeries> out;
    int slot = 0;
    for (int channelNo : series) {
        PlotSeries p;
        p.slot = ++slot;
        if (channelNo >= 1 && channelNo <= MaxDisplayChannels) {
            const DisplayChannel &c = channels[std::size_t(channelNo - 1)];
            p.kind = c.kind;
            p.present = c.present == 1;
            p.offset = c.offset;
            p.count = std::clamp(int(c.count), 0, MaxSamples);
            p.name = c.name;
            if (p.present)
                p.samples = set.samples((channelNo - 1) / 2 + 1, (channelNo - 1) % 2 + 1);
        }
        out.push_back(p);
    }
    return out;
}

int tenthsFactor(ChannelKind kind)
{
    return kind == ChannelKind::Humidity ? 10 : 1;
}

TenthsRange axisTenths(ChannelKind kind, const AppSettings &settings)
{
    if (kind == ChannelKind::Humidity)
        return {10 * settings.ScaleMin2, 10 * settings.ScaleMax2};
    return {10 * settings.ScaleMin1, 10 * settings.ScaleMax1};
}

} // namespace zt
