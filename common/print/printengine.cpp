#include "print/printengine.h"

#include <numeric>

namespace zt {

double PrintTable::width() const
{
    return std::accumulate(columnWidths.begin(), columnWidths.end(), 0.0);
}

double PrintTable::height() const
{
    return std::accumulate(rowHeights.begin(), rowHeights.end(), 0.0);
}

} // namespace zt
