#pragma once

#include "graph/plotarea.h"

#include <QFont>
#include <QSizeF>

class QPaintDevice;

namespace zt {

// Where the plot sits inside its picture and the text measures that place the labels.
struct PlotLayout
{
    PlotArea plot;
    QFont font;                // plot font (base size)
    double charW = 8;          // 1.5 x the width of "0"
    double charH = 16;         // 1.3 x the height of "0"
    double digitW = 5;         // width of "0", for right-aligned value labels
    double markerRadius = 2;   // 30 twips
    double pickTolerance = 10; // 150 twips
    double px = 1;             // one screen pixel in device units (offsets on paper)
    double pictureLeft = 0;    // left edge of the picture on its device (a page's margin)
};

// The plot centred in a picture of `size`, measured for `device` (screen, image or printer).
PlotLayout plotLayoutFor(QSizeF size, const QFont &font, const QPaintDevice *device);

} // namespace zt
