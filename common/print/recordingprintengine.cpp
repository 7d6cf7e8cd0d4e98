#include "print/recordingprintengine.h"

#include <algorithm>

namespace zt {

namespace {

bool halfWidth(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x1100 || (u >= 0xFF61 && u <= 0xFF9F);
}

} // namespace

bool RecordingPrintEngine::startDoc()
{
    error = failure;
    begun = error.isEmpty();
    if (begun)
        pages = 1;
    return begun;
}

bool RecordingPrintEngine::endDoc()
{
    finished = true;
    return error.isEmpty();
}

void RecordingPrintEngine::setFont(const QString &name, double pointSize)
{
    family = name;
    size = pointSize;
}

double RecordingPrintEngine::textWidth(const QString &text) const
{
    double widest = 0;
    for (const QString &line :
         QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')).split(QLatin1Char('\n'))) {
        double w = 0;
        for (QChar c : line)
            w += halfWidth(c) ? size / 2 : size;
        widest = std::max(widest, w * dot());
    }
    return widest;
}

double RecordingPrintEngine::textHeight(const QString &text) const
{
    const qsizetype breaks = text.count(QLatin1Char('\r')) + text.count(QLatin1Char('\n'));
    return 1.2 * size * dot() * double(breaks + 1);
}

void RecordingPrintEngine::drawTable(const PrintTable &table)
{
    tableLog.append({pages, size, table});
}

void RecordingPrintEngine::printText(const QString &text)
{
    textLog.append({pages, pos, text, family, size, textColour});
}

void RecordingPrintEngine::setPen(double width, const QColor &colour, Qt::PenStyle)
{
    penWidth = width;
    penColour = colour;
}

void RecordingPrintEngine::drawLine(QPointF from, QPointF to)
{
    lineLog.append({pages, from, to, penWidth, penColour});
}

void RecordingPrintEngine::drawPolyline(const QPointF *points, int count)
{
    for (int i = 0; i + 1 < count; ++i)
        drawLine(points[i], points[i + 1]);
}

void RecordingPrintEngine::drawRect(const QRectF &, const QColor &)
{
    ++rectCount;
}

void RecordingPrintEngine::drawCircle(QPointF, double, const QColor &)
{
    ++circleCount;
}

QList<RecordingPrintEngine::Text> RecordingPrintEngine::textsEqual(const QString &text) const
{
    QList<Text> found;
    for (const Text &t : textLog)
        if (t.text == text)
            found.append(t);
    return found;
}

} // namespace zt
