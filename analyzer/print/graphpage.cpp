#include "print/graphpage.h"

#include "graph/infocolumn.h"
#include "graph/plotframe.h"
#include "graph/plotrenderer.h"
#include "print/enginecanvas.h"
#include "print/fontfit.h"
#include "print/printengine.h"
#include "records/cp932.h"

#include <cmath>

namespace zt {

namespace {

constexpr double ScreenDpi = 96.0;

QString tenths(int value, ChannelKind kind)
{
    return QString::number(value / 10.0, 'f', kind == ChannelKind::Humidity ? 0 : 1);
}

QStringList seriesCells(const PlotSeries &s, ViewRows view)
{
    const auto [line1, line2] = splitNameAtBytes(s.name, 6);
    const QChar cr(u'\r');
    const QString unit =
        s.kind == ChannelKind::Humidity ? QStringLiteral("%rh ") : QStringLiteral("℃");
    const ViewStatistics st = viewStatistics(s, view);
    const QString none = QStringLiteral("-----");
    return {line1 + cr + line2 + cr + unit,
            QString::number(st.inView) + cr + QString::number(st.invalid),
            st.valid ? tenths(st.maxTenths, s.kind) : none,
            st.valid ? tenths(st.minTenths, s.kind) : none,
            st.valid ? tenths(st.meanTenths, s.kind) : none};
}

PrintTable seriesTable(PrintEngine &engine, const PlotFrame &frame, const FontFit &fit)
{
    const PageGeometry page = engine.page();
    PrintTable t;
    t.left = page.marginLeft + fit.indent;
    t.headRows = 0;
    t.columnWidths = {13 * fit.cellWidth};
    t.columnAlignment = {Qt::AlignLeft};
    const double line = engine.textHeight(QStringLiteral("0"));
    const QStringList titles = {
        QStringLiteral("送信器名"),
        QStringLiteral("収録") + QLatin1Char('\r') + QStringLiteral("ｴﾗｰ数"),
        QStringLiteral("最高値"), QStringLiteral("最低値"), QStringLiteral("平均値")};
    const int lines[] = {3, 2, 1, 1, 1};
    for (int r = 0; r < titles.size(); ++r) {
        t.cells.push_back(QStringList(titles[r]));
        t.rowHeights.push_back(lines[r] * line + 0.4 * line);
    }
    for (const PlotSeries &s : frame.series) {
        const bool shown = s.present && s.kind != ChannelKind::None;
        if (!shown) {
            // As in the window's grid: the column before takes the room of an empty one.
            if (t.columnWidths.size() > 1)
                t.columnWidths.back() *= 2;
            continue;
        }
        t.columnWidths.push_back(10 * fit.cellWidth);
        t.columnAlignment.push_back(Qt::AlignHCenter);
        const QStringList cells = seriesCells(s, frame.view);
        for (int r = 0; r < cells.size(); ++r)
            t.cells[std::size_t(r)].append(cells[r]);
    }
    t.top = page.marginTop + page.printableHeight() - t.height();
    return t;
}

PlotLayout pageLayout(PrintEngine &engine, const QRectF &picture, const QString &family)
{
    const PageGeometry page = engine.page();
    PlotLayout l;
    l.font = QFont(family);
    l.font.setPointSizeF(engine.fontSize());
    l.digitW = engine.textWidth(QStringLiteral("0"));
    l.charW = 1.5 * l.digitW;
    l.charH = 1.3 * engine.textHeight(QStringLiteral("0"));
    l.markerRadius = 30.0 * page.dpi / 1440.0;
    l.pickTolerance = 150.0 * page.dpi / 1440.0;
    l.px = page.dpi / ScreenDpi;
    l.pictureLeft = picture.left();
    l.plot.width = std::round(picture.width() - 10 * l.charW);
    l.plot.height = std::round(picture.height() - 4 * l.charH);
    l.plot.left = std::round(picture.left() + (picture.width() - l.plot.width) / 2);
    l.plot.top = std::round(picture.top() + (picture.height() - l.plot.height) / 2);
    return l;
}

} // namespace

bool printGraphPage(PrintEngine &engine, GraphPageInput in)
{
    if (!engine.startDoc())
        return false;
    const FontFit fit = fitFont(engine, in.fontFamily, GraphTableCells, 7, 12, 6);
    const PageGeometry page = engine.page();
    // The table's height is known before the plot is placed above it.
    PlotFrame frame = preparePlot(in.state, in.settings, in.scale, *in.set, *in.channels, in.series,
                                  PlotLayout{});
    const PrintTable table = seriesTable(engine, frame, fit);
    const double gap = engine.textHeight(QStringLiteral("0"));
    const QRectF picture(page.marginLeft, page.marginTop, page.printableWidth(),
                         table.top - gap - page.marginTop);
    frame.layout = pageLayout(engine, picture, in.fontFamily);
    EngineCanvas canvas(engine, frame.layout.px);
    renderPlot(canvas, frame, in.state);
    engine.setFont(in.fontFamily, fit.size);
    engine.setTextColour(Qt::black);
    engine.drawTable(table);
    return engine.endDoc() && !engine.hasError();
}

} // namespace zt
