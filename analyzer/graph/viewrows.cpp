#include "graph/viewrows.h"

#include <algorithm>
#include <array>

namespace zt {

ViewRows viewRowsFor(bool timeZoomed, ViewRows current, int rowTotal)
{
    if (timeZoomed)
        return current;
    return {1, std::max(rowTotal, 1)};
}

int timeLabelStep(int span)
{
    struct Band
    {
        int lastSpan;
        int step;
    };
    // 3600 and 4800 close their bands, unlike the others which close one row later.
    static constexpr std::array<Band, 26> bands{{
        {11, 1},       {21, 2},
        {31, 3},       {41, 4},
        {52, 5},       {101, 10},
        {151, 15},     {201, 20},
        {301, 30},     {451, 45},
        {601, 60},     {901, 90},
        {1201, 120},   {1501, 150},
        {2401, 240},   {3001, 300},
        {3600, 360},   {4800, 480},
        {6001, 600},   {7801, 780},
        {10001, 1000}, {15001, 1500},
        {20001, 2000}, {25001, 2500},
        {30001, 3000}, {2147483647, 3500},
    }};
    span = std::max(span, 1);
    for (const Band &b : bands)
        if (span <= b.lastSpan)
            return b.step;
    return 3500;
}

ViewRows widenSingleRow(ViewRows view)
{
    if (view.first != view.last)
        return view;
    if (view.last == 9000)
        --view.first;
    else
        ++view.last;
    return view;
}

} // namespace zt
