#include "graph/graphstate.h"

#include "records/datetime.h"

#include <algorithm>

namespace zt {

QColor qbColor(int index)
{
    static constexpr std::array<QRgb, 16> palette{
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    return QColor(palette[std::size_t(std::clamp(index, 0, 15))]);
}

std::array<QColor, 9> GraphState::defaultSeriesColours()
{
    return {qbColor(1), qbColor(2),  qbColor(3),  qbColor(4), qbColor(5),
            qbColor(6), qbColor(12), qbColor(13), qbColor(10)};
}

int resolvedReferenceLine(int value, int scaleMin, int scaleMax, int limitLow, int limitHigh)
{
    if (value != RefLineUnset)
        return value;
    const int middle = int(roundHalfEven(qint64(scaleMin) + scaleMax, 2));
    return std::clamp(middle, limitLow, limitHigh);
}

} // namespace zt
