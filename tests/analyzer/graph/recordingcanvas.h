#pragma once

#include "graph/plotcanvas.h"

#include <QtGlobal>
#include <vector>

namespace zt::test {

// A canvas that keeps what was drawn, with the pen it was drawn in.
struct DrawOp
{
    enum Kind { Fill, Rect, Line, Polyline, Point, Marker, Text } kind;
    QColor colour;
    double width = 1;
    Qt::PenStyle style = Qt::SolidLine;
    std::vector<QPointF> points;
    QString text;
};

class RecordingCanvas final : public PlotCanvas
{
public:
    std::vector<DrawOp> ops;

    void setPen(const QColor &colour, double width, Qt::PenStyle style) override
    {
        m_colour = colour;
        m_width = width;
        m_style = style;
    }
    void setFont(const QFont &) override {}
    void fillRect(const QRectF &r, const QColor &c) override
    {
        ops.push_back({DrawOp::Fill, c, 0, Qt::SolidLine, {r.topLeft(), r.bottomRight()}, {}});
    }
    void drawRect(const QRectF &r) override { add(DrawOp::Rect, {r.topLeft(), r.bottomRight()}); }
    void drawLine(QPointF a, QPointF b) override { add(DrawOp::Line, {a, b}); }
    void drawPolyline(const QPointF *p, int n) override
    {
        add(DrawOp::Polyline, std::vector<QPointF>(p, p + n));
    }
    void drawPoint(QPointF at) override { add(DrawOp::Point, {at}); }
    void drawMarker(QPointF centre, double, const QColor &) override
    {
        add(DrawOp::Marker, {centre});
    }
    void drawText(QPointF topLeft, const QString &text) override
    {
        add(DrawOp::Text, {topLeft}, text);
    }
    double textWidth(const QString &text) const override { return 6.0 * text.size(); }

    std::vector<DrawOp> find(DrawOp::Kind kind, const QColor &colour) const
    {
        std::vector<DrawOp> out;
        for (const DrawOp &op : ops)
            if (op.kind == kind && op.colour == colour)
                out.push_back(op);
        return out;
    }
    int countText(const QString &text) const
    {
        int n = 0;
        for (const DrawOp &op : ops)
            n += op.kind == DrawOp::Text && op.text == text;
        return n;
    }

private:
    void add(DrawOp::Kind kind, std::vector<QPointF> points, const QString &text = {})
    {
        ops.push_back({kind, m_colour, m_width, m_style, std::move(points), text});
    }

    QColor m_colour = Qt::black;
    double m_width = 1;
    Qt::PenStyle m_style = Qt::SolidLine;
};

} // namespace zt::test
