#include "records/channels.h"

#include <algorithm>

namespace zt {

ChannelKind channelKind(int koKind, int channel)
{
    switch (koKind) {
    case 0:
    case 12:
        return channel == 1 ? ChannelKind::Temperature : ChannelKind::Humidity;
    case 10:
        return channel == 1 ? ChannelKind::Temperature : ChannelKind::None;
    case 11:
        return ChannelKind::Temperature;
    default:
        return ChannelKind::None;
    }
}

DisplayChannels buildDisplayChannels(const LogSet &set)
{
    DisplayChannels table{};
    for (const KoSeries &s : set.series) {
        if (s.HasData != 1 || s.SeriesNo < 1 || s.SeriesNo > MaxKo)
            continue;
        for (int ch = 1; ch <= ChannelCount; ++ch) {
            DisplayChannel &d = table[std::size_t(2 * (s.SeriesNo - 1) + ch - 1)];
            d.present = 1;
            d.name = s.name;
            d.kind = channelKind(s.KoKind, ch);
            d.count = s.DataCount;
            d.offset = s.StartOffset;
            d.maximum = s.stats[std::size_t(ch - 1)].MaxValue;
            d.minimum = s.stats[std::size_t(ch - 1)].MinValue;
        }
    }
    return table;
}

int rowTotal(const LogSet &set)
{
    int rows = 0;
    for (const KoSeries &s : set.series)
        if (s.HasData == 1)
            rows = std::max(rows, s.StartOffset + s.DataCount);
    return rows;
}

GraphSeries buildGraphSeries(const std::vector<int> &chosenSeriesNos)
{
    std::vector<int> chosen = chosenSeriesNos;
    std::sort(chosen.begin(), chosen.end());
    GraphSeries out;
    for (int seriesNo : chosen) {
        if (out.size() + 2 > std::size_t(MaxGraphSeries))
            break;
        out.push_back(2 * (seriesNo - 1) + 1);
        out.push_back(2 * (seriesNo - 1) + 2);
    }
    return out;
}

int sampleCapacity(int koCount)
{
    if (koCount <= 1)
        return 32000;
    if (koCount == 2)
        return 16000;
    if (koCount <= 4)
        return 8000;
    if (koCount <= 8)
        return 4000;
    if (koCount <= 16)
        return 2000;
    return 1000;
}

QString unitText(ChannelKind kind)
{
    switch (kind) {
    case ChannelKind::Temperature:
        return QStringLiteral("[ﾟC]");
    case ChannelKind::Humidity:
        return QStringLiteral("[%rh]");
    default:
        return QString();
    }
}

} // namespace zt
