#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace zt {

// The drawing operations the plot uses. The renderer draws through this so that tests can
// record its decisions instead of comparing pixels.
class PlotCanvas
{
public:
    virtual ~PlotCanvas() = default;

    virtual void setPen(const QColor &colour, double width, Qt::PenStyle style) = 0;
    virtual void setFont(const QFont &font) = 0;
    virtual void fillRect(const QRectF &rect, const QColor &colour) = 0;
    virtual void drawRect(const QRectF &rect) = 0; // outline only
    virtual void drawLine(QPointF from, QPointF to) = 0;
    virtual void drawPolyline(const QPointF *points, int count) = 0;
    virtual void drawPoint(QPointF at) = 0;
    // A circle in the pen's colour filled with `fill`.
    virtual void drawMarker(QPointF centre, double radius, const QColor &fill) = 0;
    virtual void drawText(QPointF topLeft, const QString &text) = 0;
    // Width of `text` in the current font on this canvas's device.
    virtual double textWidth(const QString &text) const = 0;
};

// The canvas over a real painter (screen picture, image or printer page).
class PainterCanvas final : public PlotCanvas
{
public:
    explicit PainterCanvas(QPainter &painter);

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
    QPainter &m_painter;
};

} // namespace zt
