#pragma once

#include "print/printengine.h"

#include <QList>

namespace zt {

// Records what a printout asks of the print control, for tests. Text is measured by a fixed
// rule, so layouts are exact: a half-width character is half the font size wide, any other
// one the full size; a line is 1.2 x the size high (sizes in points, at the page's dpi).
class RecordingPrintEngine final : public PrintEngine
{
public:
    struct Text
    {
        int page = 0;
        QPointF at;
        QString text;
        QString font;
        double size = 0;
        QColor colour;
    };
    struct Table
    {
        int page = 0;
        double fontSize = 0;
        PrintTable table;
    };
    struct Line
    {
        int page = 0;
        QPointF from, to;
        double width = 0;
        QColor colour;
    };

    explicit RecordingPrintEngine(PageGeometry geometry) : geometry(geometry) {}

    // Makes startDoc fail with this description.
    void failWith(const QString &description) { failure = description; }

    bool startDoc() override;
    void newPage() override { ++pages; }
    bool endDoc() override;
    bool hasError() const override { return !error.isEmpty(); }
    QString errorDescription() const override { return error; }

    void setFont(const QString &family, double pointSize) override;
    QString fontName() const override { return family; }
    double fontSize() const override { return size; }
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;

    PageGeometry page() const override { return geometry; }

    void drawTable(const PrintTable &table) override;

    void setTextColour(const QColor &colour) override { textColour = colour; }
    void setCurrentPos(QPointF topLeft) override { pos = topLeft; }
    void printText(const QString &text) override;

    void setPen(double width, const QColor &colour, Qt::PenStyle style) override;
    void drawLine(QPointF from, QPointF to) override;
    void drawPolyline(const QPointF *points, int count) override;
    void drawRect(const QRectF &rect, const QColor &fill) override;
    void drawCircle(QPointF centre, double radius, const QColor &fill) override;

    int pageCount() const { return pages; }
    bool started() const { return begun; }
    bool ended() const { return finished; }
    const QList<Text> &texts() const { return textLog; }
    const QList<Table> &tables() const { return tableLog; }
    const QList<Line> &lines() const { return lineLog; }
    int circles() const { return circleCount; }
    int rects() const { return rectCount; }
    // Texts printed with printText whose content equals `text`.
    QList<Text> textsEqual(const QString &text) const;

private:
    double dot() const { return geometry.dpi / 72.0; }

    PageGeometry geometry;
    QString failure;
    QString error;
    QString family;
    double size = 10;
    QColor textColour = Qt::black;
    QPointF pos;
    double penWidth = 1;
    QColor penColour = Qt::black;
    int pages = 0;
    bool begun = false;
    bool finished = false;
    QList<Text> textLog;
    QList<Table> tableLog;
    QList<Line> lineLog;
    int circleCount = 0;
    int rectCount = 0;
};

} // namespace zt
