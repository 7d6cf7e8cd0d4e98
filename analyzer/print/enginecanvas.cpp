#include "print/enginecanvas.h"

#include "print/printengine.h"

namespace zt {

void EngineCanvas::setPen(const QColor &colour, double width, Qt::PenStyle style)
{
    penColour = colour;
    penWidth = width * px;
    penStyle = style;
    engine.setPen(penWidth, colour, style);
    engine.setTextColour(colour);
}

void EngineCanvas::setFont(const QFont &font)
{
    engine.setFont(font.family(), font.pointSizeF());
}

void EngineCanvas::fillRect(const QRectF &rect, const QColor &colour)
{
    engine.setPen(0, colour, Qt::NoPen);
    engine.drawRect(rect, colour);
    engine.setPen(penWidth, penColour, penStyle);
}

void EngineCanvas::drawRect(const QRectF &rect)
{
    engine.drawRect(rect);
}

void EngineCanvas::drawLine(QPointF from, QPointF to)
{
    engine.drawLine(from, to);
}

void EngineCanvas::drawPolyline(const QPointF *points, int count)
{
    engine.drawPolyline(points, count);
}

void EngineCanvas::drawPoint(QPointF at)
{
    engine.drawCircle(at, penWidth / 2, penColour);
}

void EngineCanvas::drawMarker(QPointF centre, double radius, const QColor &fill)
{
    engine.drawCircle(centre, radius, fill);
}

void EngineCanvas::drawText(QPointF topLeft, const QString &text)
{
    engine.setCurrentPos(topLeft);
    engine.printText(text);
}

double EngineCanvas::textWidth(const QString &text) const
{
    return engine.textWidth(text);
}

} // namespace zt
