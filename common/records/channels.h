#pragma once

#include "records/logset.h"

#include <QString>
#include <array>
#include <vector>

namespace zt {

enum class ChannelKind : qint16 { None = 0, Temperature = 1, Humidity = 2 };

// What channel 1 or 2 of a transmitter of this kind measures.
ChannelKind channelKind(int koKind, int channel);

// One of the 60 display channels, ChannelNo = 2 * (SeriesNo - 1) + channel.
struct DisplayChannel
{
    qint16 present = 0;
    QString name;
    ChannelKind kind = ChannelKind::None;
    qint16 count = 0;
    qint16 offset = 0;
    qint16 maximum = 0;
    qint16 minimum = 0;
};

// [0] is ChannelNo 1.
using DisplayChannels = std::array<DisplayChannel, MaxDisplayChannels>;
DisplayChannels buildDisplayChannels(const LogSet &set);

// Rows of the common time axis: the largest StartOffset + DataCount of the series with data.
int rowTotal(const LogSet &set);

// Up to 8 ChannelNo values: channels 1 and 2 of each chosen transmitter in SeriesNo order.
using GraphSeries = std::vector<int>;
GraphSeries buildGraphSeries(const std::vector<int> &chosenSeriesNos);

// Samples one transmitter can hold when koCount transmitters share the receiver's memory.
int sampleCapacity(int koCount);

// Unit texts of the lists.
QString unitText(ChannelKind kind);

} // namespace zt
