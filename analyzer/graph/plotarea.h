#pragma once

#include <QPointF>

namespace zt {

// PlotLeft, PlotTop, PlotWidth, PlotHeight in device pixels of the picture.
struct PlotArea
{
    double left = 0;
    double top = 0;
    double width = 1;
    double height = 1;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool containsStrictly(QPointF p) const
    {
        return p.x() > left && p.x() < right() && p.y() > top && p.y() < bottom();
    }
};

} // namespace zt
