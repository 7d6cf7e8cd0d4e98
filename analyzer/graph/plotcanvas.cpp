#include "graph/plotcanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

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
    // A wide pen strokes a polyline as one outline filled at once, which grows far worse
    // than linearly with its length; short pieces sharing their end points look the same.
    constexpr int Piece = 32;
    if (m_painter.pen().widthF() <= 1 || count <= Piece) {
        m_painter.drawPolyline(points, count);
        return;
    }
    for (int from = 0; from < count - 1; from += Piece - 1)
        m_painter.drawPolyline(points + from, std::min(Piece, count - from));
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
