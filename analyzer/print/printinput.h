#pragma once

#include "records/channels.h"

namespace zt {

// What every list printout reads: the set, its display channels and the chosen series.
struct ListPrintInput
{
    const LogSet *set = nullptr;
    const DisplayChannels *channels = nullptr;
    GraphSeries series; // ChannelNo in print order, at most 8
    QString fontFamily;
};

// Widths of the 60 channel columns: the chosen series fill the first ones in order, each
// `cells` wide; a channel without a kind gives its width to the column before it.
std::vector<double> channelColumnWidths(const ListPrintInput &in, double cellWidth, int cells);

// Channel columns reserved in the font fitting whatever the number chosen.
constexpr int ReservedChannelColumns = 8;

} // namespace zt
