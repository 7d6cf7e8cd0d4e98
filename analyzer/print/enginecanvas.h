#pragma once

#include "graph/plotcanvas.h"

namespace zt {

class PrintEngine;

// The plot canvas over the print engine. The renderer's pen widths are screen pixels;
// `px` turns them into device units so that lines are not hairlines on paper.
class EngineCanvas final : public PlotCanvas
{
public:
    EngineCanvas(PrintEngine &engine, double px) : engine(engine), px(px) {}

    void setPen(const QColor &colour, double width, Qt::PenStyle style) override;
    void setFont(const QFont &font) override;
    void fillRect(const QRectF &rect, const QColor &colour) override;
    void drawRect(const QRectF &rect) override;
    void drawLine(QPointF from, QPointF to) override;
    void drawPolyline(const QPointF *points, int count) override;
    void drawPoint(QPointF at) override;
    void drawMarker(QPointF centre, double radius, const QColor &fill) override;
    void drawText(QPointF topLeft, const QString &text) override;
    double textWidth(const QString &text) const override;

private:
    PrintEngine &engine;
    double px;
    QColor penColour = Qt::black;
    double penWidth = 1;
    Qt::PenStyle penStyle = Qt::SolidLine;
};

} // namespace zt
