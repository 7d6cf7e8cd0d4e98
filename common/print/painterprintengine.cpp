#include "print/painterprintengine.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <algorithm>

namespace zt {

namespace {

QString lines(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

const QColor HeadShade(230, 230, 230);

} // namespace

PainterPrintEngine::PainterPrintEngine(QPagedPaintDevice &device) : device(device) {}

PainterPrintEngine::~PainterPrintEngine()
{
    if (painter.isActive())
        painter.end();
}

bool PainterPrintEngine::startDoc()
{
    error.clear();
    if (!painter.begin(&device)) {
        error = QStringLiteral("プリンタまたは出力ファイルを開けませんでした。");
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    pages = 1;
    // Device units from the page corner; the margins are the printout's to keep.
    painter.resetTransform();
    const QMarginsF m = device.pageLayout().marginsPoints();
    const double dot = device.logicalDpiX() / 72.0;
    painter.translate(-m.left() * dot, -m.top() * dot);
    pen = QPen(Qt::black, 0);
    painter.setPen(pen);
    return true;
}

void PainterPrintEngine::newPage()
{
    if (painter.isActive() && !device.newPage())
        error = QStringLiteral("新しいページを始められませんでした。");
    else
        ++pages;
}

bool PainterPrintEngine::endDoc()
{
    if (painter.isActive() && !painter.end() && error.isEmpty())
        error = QStringLiteral("印刷を終了できませんでした。");
    return error.isEmpty();
}

void PainterPrintEngine::setFont(const QString &family, double pointSize)
{
    font = QFont(family);
    font.setPointSizeF(pointSize);
    if (painter.isActive())
        painter.setFont(font);
}

double PainterPrintEngine::textWidth(const QString &text) const
{
    const QFontMetricsF metrics(font, &device);
    double widest = 0;
    for (const QString &line : lines(text).split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double PainterPrintEngine::textHeight(const QString &text) const
{
    const QFontMetricsF metrics(font, &device);
    return metrics.height() * double(lines(text).count(QLatin1Char('\n')) + 1);
}

PageGeometry PainterPrintEngine::page() const
{
    const QPageLayout layout = device.pageLayout();
    const double dot = device.logicalDpiX() / 72.0;
    const QRectF full = layout.fullRectPoints();
    const QMarginsF m = layout.marginsPoints();
    return {full.width() * dot,
            full.height() * dot,
            m.left() * dot,
            m.top() * dot,
            m.right() * dot,
            m.bottom() * dot,
            double(device.logicalDpiX())};
}

void PainterPrintEngine::drawCell(const QRectF &cell, const QString &text, Qt::Alignment alignment)
{
    const double pad = QFontMetricsF(font, &device).horizontalAdvance(QLatin1Char(' ')) / 2;
    painter.drawText(cell.adjusted(pad, 0, -pad, 0), int(alignment | Qt::AlignVCenter),
                     lines(text));
}

void PainterPrintEngine::drawTable(const PrintTable &table)
{
    painter.save();
    painter.setFont(font);
    const QPen grid(Qt::black, std::max(1.0, device.logicalDpiX() / 150.0));
    double y = table.top;
    for (std::size_t r = 0; r < table.cells.size() && r < table.rowHeights.size(); ++r) {
        const double h = table.rowHeights[r];
        double x = table.left;
        for (std::size_t c = 0; c < table.columnWidths.size(); ++c) {
            const double w = table.columnWidths[c];
            if (w <= 0)
                continue;
            const QRectF cell(x, y, w, h);
            if (int(r) < table.headRows)
                painter.fillRect(cell, HeadShade);
            painter.setPen(grid);
            painter.drawRect(cell);
            painter.setPen(textColour);
            const Qt::Alignment a = int(r) < table.headRows ? Qt::AlignHCenter
                                    : c < table.columnAlignment.size()
                                        ? table.columnAlignment[c]
                                        : Qt::Alignment(Qt::AlignLeft);
            if (qsizetype(c) < table.cells[r].size())
                drawCell(cell, table.cells[r][qsizetype(c)], a);
            x += w;
        }
        y += h;
    }
    painter.restore();
}

void PainterPrintEngine::printText(const QString &text)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(textColour);
    const QFontMetricsF metrics(font, &device);
    double y = pos.y() + metrics.ascent();
    for (const QString &line : lines(text).split(QLatin1Char('\n'))) {
        painter.drawText(QPointF(pos.x(), y), line);
        y += metrics.height();
    }
    painter.restore();
}

void PainterPrintEngine::setPen(double width, const QColor &colour, Qt::PenStyle style)
{
    pen = QPen(colour, width, style);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
}

void PainterPrintEngine::drawLine(QPointF from, QPointF to)
{
    painter.setPen(pen);
    painter.drawLine(from, to);
}

void PainterPrintEngine::drawPolyline(const QPointF *points, int count)
{
    painter.setPen(pen);
    // Wide pens stroke long polylines far slower than short pieces that look the same.
    constexpr int Piece = 64;
    for (int from = 0; from < count - 1; from += Piece - 1)
        painter.drawPolyline(points + from, std::min(Piece, count - from));
    if (count == 1)
        painter.drawPoint(points[0]);
}

void PainterPrintEngine::drawRect(const QRectF &rect, const QColor &fill)
{
    if (fill.isValid())
        painter.fillRect(rect, fill);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
}

void PainterPrintEngine::drawCircle(QPointF centre, double radius, const QColor &fill)
{
    painter.setPen(pen);
    painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::NoBrush);
}

} // namespace zt
