#include "graph/plotlayout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <cmath>

namespace zt {

PlotLayout plotLayoutFor(QSizeF size, const QFont &font, const QPaintDevice *device)
{
    PlotLayout l;
    l.font = font;
    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    l.digitW = metrics.horizontalAdvance(QLatin1Char('0'));
    l.charW = 1.5 * l.digitW;
    l.charH = 1.3 * metrics.height();
    const double dpi = device ? device->logicalDpiY() : 96.0;
    l.markerRadius = 30.0 * dpi / 1440.0;
    l.pickTolerance = 150.0 * dpi / 1440.0;
    l.plot.width = std::round(size.width() - 10 * l.charW);
    l.plot.height = std::round(size.height() - 4 * l.charH);
    l.plot.left = std::round((size.width() - l.plot.width) / 2);
    l.plot.top = std::round((size.height() - l.plot.height) / 2);
    return l;
}

} // namespace zt
