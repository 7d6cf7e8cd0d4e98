#pragma once

#include "print/printengine.h"

#include <QFont>
#include <QPainter>

class QPagedPaintDevice;

namespace zt {

// The print engine over a painter on a printer or PDF writer.
class PainterPrintEngine final : public PrintEngine
{
public:
    explicit PainterPrintEngine(QPagedPaintDevice &device);
    ~PainterPrintEngine() override;

    bool startDoc() override;
    void newPage() override;
    bool endDoc() override;
    bool hasError() const override { return !error.isEmpty(); }
    int pageCount() const { return pages; }
    QString errorDescription() const override { return error; }

    void setFont(const QString &family, double pointSize) override;
    QString fontName() const override { return font.family(); }
    double fontSize() const override { return font.pointSizeF(); }
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;

    PageGeometry page() const override;

    void drawTable(const PrintTable &table) override;

    void setTextColour(const QColor &colour) override { textColour = colour; }
    void setCurrentPos(QPointF topLeft) override { pos = topLeft; }
    void printText(const QString &text) override;

    void setPen(double width, const QColor &colour, Qt::PenStyle style) override;
    void drawLine(QPointF from, QPointF to) override;
    void drawPolyline(const QPointF *points, int count) override;
    void drawRect(const QRectF &rect, const QColor &fill) override;
    void drawCircle(QPointF centre, double radius, const QColor &fill) override;

private:
    void drawCell(const QRectF &cell, const QString &text, Qt::Alignment alignment);

    QPagedPaintDevice &device;
    QPainter painter;
    QFont font;
    QColor textColour = Qt::black;
    QPen pen;
    QPointF pos;
    QString error;
    int pages = 0;
};

} // namespace zt
