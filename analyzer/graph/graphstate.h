#pragma once

#include "graph/viewrows.h"

#include <QColor>
#include <array>

namespace zt {

// Reference-line value meaning "not set yet".
constexpr int RefLineUnset = 9999;

// The 16-colour console palette by number.
QColor qbColor(int index);

// State of the graph that outlives one drawing.
struct GraphState
{
    std::array<QColor, 9> SeriesColour = defaultSeriesColours(); // [0] is SeriesSlot 1
    std::array<bool, 8> SeriesHidden{};
    int LineWidth = 1;
    bool LabelsOn = false;
    std::array<int, 2> RefLineT{RefLineUnset, RefLineUnset};
    std::array<int, 2> RefLineH{RefLineUnset, RefLineUnset};
    bool RefLinesOn = false;
    ViewRows view;
    bool TimeZoomed = false;

    static std::array<QColor, 9> defaultSeriesColours();
};

// An unset reference line takes the middle of its axis, kept within the axis limits.
int resolvedReferenceLine(int value, int scaleMin, int scaleMax, int limitLow, int limitHigh);

} // namespace zt
