#include "graph/plotrenderer.h"

#include "graph/seriestrace.h"
#include "records/datetime.h"

#include <cmath>

namespace zt {

namespace {

const QColor GridColour(128, 0, 0);

QString oneDecimal(double value)
{
    return QString::number(value, 'f', 1);
}

void drawRightAligned(PlotCanvas &canvas, double right, double y, const QString &text)
{
    canvas.drawText(QPointF(right - canvas.textWidth(text), y), text);
}

// Horizontal grid rows: a fifth of the height apart, the frame gives top and bottom.
std::vector<double> gridRows(const PlotArea &plot)
{
    std::vector<double> ys;
    const double step = std::floor(plot.height / 5);
    const double lastY = double(roundHalfEven(plot.top + plot.height - plot.height / 5));
    for (double y = plot.top + step; step > 0 && y <= lastY; y += step)
        ys.push_back(y);
    return ys;
}

struct AxisText
{
    double x; // left edge (unit) and right edge of the value field
    double right;
    QString unit;
    int scaleMax;
    int scaleMin;
    int gridStep;
};

void drawAxisTexts(PlotCanvas &canvas, const PlotFrame &frame, const AxisText &axis,
                   const std::vector<double> &rows, bool unitRightAligned)
{
    const PlotLayout &l = frame.layout;
    double y0 = double(roundHalfEven(l.plot.top - 2 * l.charW));
    if (y0 < 0)
        y0 = double(roundHalfEven(l.charW / 2));
    if (unitRightAligned)
        drawRightAligned(canvas, axis.right, y0, axis.unit);
    else
        canvas.drawText(QPointF(axis.x, y0), axis.unit);
    drawRightAligned(canvas, axis.right, l.plot.top - l.charW / 2, oneDecimal(axis.scaleMax));
    drawRightAligned(canvas, axis.right, l.plot.bottom() - l.charW, oneDecimal(axis.scaleMin));
    for (std::size_t k = 1; k <= rows.size(); ++k) {
        const double value = (axis.scaleMax * 10.0 - axis.gridStep * double(k)) / 10.0;
        drawRightAligned(canvas, axis.right, rows[k - 1] - l.charW / 2, oneDecimal(value));
    }
}

void drawTimeLabel(PlotCanvas &canvas, const PlotFrame &frame, double x, int row)
{
    const QDateTime t = rowTime(frame.start, frame.intervalMinutes, row);
    const double bottom = frame.layout.plot.bottom();
    canvas.drawText(QPointF(x, bottom + 3 * frame.layout.px),
                    t.toString(QStringLiteral("yy-MM-dd")));
    canvas.drawText(QPointF(x, bottom + frame.layout.charH), t.toString(QStringLiteral("  hh:mm")));
}

bool slotHidden(const GraphState &state, int slot)
{
    return slot >= 1 && slot <= int(state.SeriesHidden.size()) &&
           state.SeriesHidden[std::size_t(slot - 1)];
}

QColor slotColour(const GraphState &state, int slot)
{
    return state.SeriesColour[std::size_t(std::clamp(slot, 1, 9) - 1)];
}

QFont scaledFont(QFont font, double divisor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() / divisor);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() / divisor))));
    return font;
}

QString valueLabel(ChannelKind kind, int tenths)
{
    return kind == ChannelKind::Humidity ? QString::number(tenths / 10) : oneDecimal(tenths / 10.0);
}

} // namespace

void drawPlotFrame(PlotCanvas &canvas, const PlotArea &plot, double px)
{
    canvas.fillRect(QRectF(plot.left, plot.top, plot.width, plot.height), Qt::white);
    canvas.setPen(Qt::black, 2, Qt::SolidLine);
    canvas.drawRect(QRectF(plot.left + px, plot.top + px, plot.width - px, plot.height - px));
    canvas.setPen(Qt::black, 1, Qt::SolidLine);
}

void drawValueAxes(PlotCanvas &canvas, const PlotFrame &frame)
{
    const PlotLayout &l = frame.layout;
    const std::vector<double> rows = gridRows(l.plot);
    canvas.setFont(l.font);
    if (frame.scale.tempShown || frame.scale.humShown) {
        canvas.setPen(GridColour, 1, Qt::DotLine);
        for (double y : rows)
            canvas.drawLine(QPointF(l.plot.left, y), QPointF(l.plot.right(), y));
    }
    canvas.setPen(Qt::black, 1, Qt::SolidLine);
    const AppSettings &s = frame.settings;
    if (frame.scale.tempShown)
        drawAxisTexts(canvas, frame,
                      {l.pictureLeft + l.px, l.pictureLeft + l.px + 6 * l.digitW,
                       QStringLiteral("[℃]"), s.ScaleMax1, s.ScaleMin1, frame.scale.GridStep1},
                      rows, false);
    if (frame.scale.humShown) {
        const double x = l.plot.right() + l.px;
        drawAxisTexts(canvas, frame,
                      {x, x + 5 * l.digitW, QStringLiteral("[%rh]"), s.ScaleMax2, s.ScaleMin2,
                       frame.scale.GridStep2},
                      rows, true);
    }
}

void drawTimeAxis(PlotCanvas &canvas, const PlotFrame &frame)
{
    const PlotLayout &l = frame.layout;
    const PlotArea &p = l.plot;
    if (frame.view.span() <= 0)
        return;
    canvas.setFont(l.font);
    canvas.setPen(Qt::black, 1, Qt::SolidLine);
    drawTimeLabel(canvas, frame, p.left - 3 * l.charW, frame.view.first);
    drawTimeLabel(canvas, frame, p.right() - 3 * l.charW, frame.view.last);

    // Each line is placed from the left edge, not from its neighbour, so that rounding
    // does not drift the lines away from the rows their labels name.
    const double pxPerRow = p.width / frame.view.span();
    const double stepPx = std::max(1, frame.timeLabelStep) * pxPerRow;
    for (int k = 1;; ++k) {
        const double x = double(roundHalfEven(p.left + k * stepPx));
        if (x > p.right() - l.px)
            break;
        canvas.setPen(GridColour, 1, Qt::DotLine);
        canvas.drawLine(QPointF(x, p.top), QPointF(x, p.bottom()));
        canvas.setPen(Qt::black, 1, Qt::SolidLine);
        if (x + 6 * l.charW < p.right() && x - 6 * l.charW > p.left)
            drawTimeLabel(canvas, frame, x - 3 * l.charW,
                          frame.view.first + k * frame.timeLabelStep);
    }
    canvas.setPen(Qt::black, 1, Qt::SolidLine);
}

void drawReferenceLines(PlotCanvas &canvas, const PlotFrame &frame, GraphState &state)
{
    const AppSettings &s = frame.settings;
    for (std::size_t i = 0; i < 2; ++i) {
        state.RefLineT[i] =
            resolvedReferenceLine(state.RefLineT[i], s.ScaleMin1, s.ScaleMax1, -100, 200);
        state.RefLineH[i] =
            resolvedReferenceLine(state.RefLineH[i], s.ScaleMin2, s.ScaleMax2, 0, 100);
    }
    if (!state.RefLinesOn)
        return;
    const PlotArea &p = frame.layout.plot;
    canvas.setFont(scaledFont(frame.layout.font, 1.8));
    auto line = [&](int value, int scaleMin, int scaleMax, const QColor &colour,
                    const QString &label) {
        if (!(scaleMin < value && value < scaleMax))
            return;
        const double y =
            p.top + (scaleMax - value) * 10.0 * p.height / ((scaleMax - scaleMin) * 10.0);
        canvas.setPen(colour, 3, Qt::SolidLine);
        canvas.drawLine(QPointF(p.left, y), QPointF(p.right(), y));
        canvas.drawText(QPointF(p.left, y), label);
    };
    for (std::size_t i = 0; i < 2; ++i) {
        if (frame.scale.tempShown)
            line(state.RefLineT[i], s.ScaleMin1, s.ScaleMax1, qbColor(12), QStringLiteral("TEMP"));
        if (frame.scale.humShown)
            line(state.RefLineH[i], s.ScaleMin2, s.ScaleMax2, qbColor(1), QStringLiteral("HUME"));
    }
    canvas.setPen(Qt::black, 1, Qt::SolidLine);
    canvas.setFont(frame.layout.font);
}

void drawSeries(PlotCanvas &canvas, const PlotFrame &frame, const GraphState &state)
{
    const PlotLayout &l = frame.layout;
    const bool markers = frame.view.span() <= 100;
    canvas.setFont(l.font);
    for (const PlotSeries &s : frame.series) {
        if (!s.present || s.count <= 0 || s.kind == ChannelKind::None ||
            slotHidden(state, s.slot) || !seriesInView(s, frame.view))
            continue;
        const SeriesTrace trace =
            traceSeries(s, frame.view, l.plot, axisTenths(s.kind, frame.settings));
        const QColor colour = slotColour(state, s.slot);
        canvas.setPen(colour, state.LineWidth, Qt::SolidLine);
        for (const std::vector<QPointF> &run : trace.runs) {
            if (double(run.size()) > l.plot.width) {
                const std::vector<QPointF> fewer = decimateByColumn(run);
                canvas.drawPolyline(fewer.data(), int(fewer.size()));
            } else {
                canvas.drawPolyline(run.data(), int(run.size()));
            }
        }
        for (const TracedPoint &point : trace.points) {
            if (state.LabelsOn)
                canvas.drawText(point.pos, valueLabel(s.kind, point.tenths));
            // A joined point is already covered by its line.
            if (!point.joined)
                canvas.drawPoint(point.pos);
            if (markers)
                canvas.drawMarker(point.pos, l.markerRadius, Qt::black);
        }
        canvas.setPen(colour, 1, Qt::SolidLine);
    }
}

void renderPlot(PlotCanvas &canvas, const PlotFrame &frame, GraphState &state)
{
    drawPlotFrame(canvas, frame.layout.plot, frame.layout.px);
    drawValueAxes(canvas, frame);
    drawTimeAxis(canvas, frame);
    drawReferenceLines(canvas, frame, state);
    drawSeries(canvas, frame, state);
}

} // namespace zt
