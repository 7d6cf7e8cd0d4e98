#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

namespace zt {

// Page size and margins in device units (dots at `dpi`).
struct PageGeometry
{
    double width = 0;
    double height = 0;
    double marginLeft = 0;
    double marginTop = 0;
    double marginRight = 0;
    double marginBottom = 0;
    double dpi = 72;

    double printableWidth() const { return width - marginLeft - marginRight; }
    double printableHeight() const { return height - marginTop - marginBottom; }
    QRectF printable() const
    {
        return {marginLeft, marginTop, printableWidth(), printableHeight()};
    }
};

// A table placed at `left`, `top`: cell texts by row and column, lines separated by CR.
// A column of width 0 is not drawn.
struct PrintTable
{
    double left = 0;
    double top = 0;
    std::vector<double> columnWidths;
    std::vector<double> rowHeights;
    std::vector<Qt::Alignment> columnAlignment; // per column; missing = left
    std::vector<QStringList> cells;             // [row][column]
    int headRows = 1;                           // drawn shaded

    double width() const;
    double height() const;
};

// The operations a printout needs of the print control.
class PrintEngine
{
public:
    virtual ~PrintEngine() = default;

    // False, with errorDescription() set, when the device cannot be printed on.
    virtual bool startDoc() = 0;
    virtual void newPage() = 0;
    virtual bool endDoc() = 0;
    virtual bool hasError() const = 0;
    virtual QString errorDescription() const = 0;

    virtual void setFont(const QString &family, double pointSize) = 0;
    virtual QString fontName() const = 0;
    virtual double fontSize() const = 0;
    virtual double textWidth(const QString &text) const = 0;
    // Height of the text's lines (CR separated) in the current font.
    virtual double textHeight(const QString &text) const = 0;

    virtual PageGeometry page() const = 0;

    virtual void drawTable(const PrintTable &table) = 0;

    virtual void setTextColour(const QColor &colour) = 0;
    virtual void setCurrentPos(QPointF topLeft) = 0;
    virtual void printText(const QString &text) = 0;

    virtual void setPen(double width, const QColor &colour, Qt::PenStyle style) = 0;
    virtual void drawLine(QPointF from, QPointF to) = 0;
    virtual void drawPolyline(const QPointF *points, int count) = 0;
    // Outline in the pen; filled with `fill` unless it is invalid.
    virtual void drawRect(const QRectF &rect, const QColor &fill = QColor()) = 0;
    virtual void drawCircle(QPointF centre, double radius, const QColor &fill = QColor()) = 0;
};

} // namespace zt
