#include "print/printinput.h"

#include "records/limits.h"

namespace zt {

std::vector<double> channelColumnWidths(const ListPrintInput &in, double cellWidth, int cells)
{
    std::vector<double> widths(MaxDisplayChannels, 0.0);
    for (std::size_t k = 0; k < in.series.size() && k < widths.size(); ++k) {
        const int channelNo = in.series[k];
        if (channelNo < 1 || channelNo > MaxDisplayChannels)
            continue;
        const DisplayChannel &d = (*in.channels)[std::size_t(channelNo - 1)];
        if (d.present && d.kind != ChannelKind::None)
            widths[k] = cells * cellWidth;
        else if (k > 0)
            widths[k - 1] *= 2;
    }
    return widths;
}

} // namespace zt
