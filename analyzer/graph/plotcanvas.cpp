#include "graph/plotcanvas.h"

#include <QFontMetricsF>
#include <QPainter>

namespace zt {

PainterCanvas::PainterCanvas(QPainter &painter) : m_painter(painter)
{
    m_painter.setBrush(Qt::NoBrush);
}

void PainterCanvas::setPen(const QColor &colour, double width, Qt::PenStyle style)
{
    QPen pen(colour, width, style);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
}

void PainterCanvas::setFont(const QFont &font)
{
    m_painter.setFont(font);
}

void PainterCanvas::fillRect(const QRectF &rect, const QColor &colour)
{
    m_painter.fillRect(rect, colour);
}

void PainterCanvas::drawRect(const QRectF &rect)
{
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(rect);
}

void PainterCanvas::drawLine(QPointF from, QPointF to)
{
    m_painter.drawLine(from, to);
}

void PainterCanvas::drawPolyline(const QPointF *points, int count)
{
    m_painter.drawPolyline(points, count);
}

void PainterCanvas::drawPoint(QPointF at)
{
    m_painter.drawPoint(at);
}

void PainterCanvas::drawMarker(QPointF centre, double radius, const QColor &fill)
{
    m_painter.setBrush(fill);
    m_painter.drawEllipse(centre, radius, radius);
    m_painter.setBrush(Qt::NoBrush);
}

void PainterCanvas::drawText(QPointF topLeft, const QString &text)
{
    const QFontMetricsF metrics(m_painter.font(), m_painter.device());
    m_painter.drawText(topLeft + QPointF(0, metrics.ascent()), text);
}

double PainterCanvas::textWidth(const QString &text) const
{
    return QFontMetricsF(m_painter.font(), m_painter.device()).horizontalAdvance(text);
}

} // namespace zt
