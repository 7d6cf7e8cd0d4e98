#include "print/datalist.h"

#include "print/printtexts.h"
#include "print/fontfit.h"
#include "print/printengine.h"
#include "records/datetime.h"

#include <algorithm>

namespace zt {

namespace {

struct ListLayout
{
    PrintTable head; // widths, alignment, the head row
    double rowHeight = 0;
    int rowsPerPage = 1;
    double footerTop = 0;
};

ListLayout layoutList(PrintEngine &engine, const ListPrintInput &in)
{
    const FontFit fit = fitFont(engine, in.fontFamily, DataListCells, 8, 12, 7);
    const PageGeometry page = engine.page();
    ListLayout l;
    l.head.left = page.marginLeft + fit.indent;
    l.head.top = page.marginTop;
    l.head.columnWidths = {6 * fit.cellWidth, 18 * fit.cellWidth};
    const std::vector<double> channels = channelColumnWidths(in, fit.cellWidth, 9);
    l.head.columnWidths.insert(l.head.columnWidths.end(), channels.begin(), channels.end());
    l.head.columnAlignment.assign(l.head.columnWidths.size(), Qt::AlignRight);
    l.head.columnAlignment[1] = Qt::AlignHCenter;
    QStringList heads = {QStringLiteral("No"), QStringLiteral("時    刻")};
    for (std::size_t k = 0; k < std::size_t(MaxDisplayChannels); ++k) {
        QString text;
        if (k < in.series.size() && l.head.columnWidths[k + 2] > 0) {
            const DisplayChannel &d = (*in.channels)[std::size_t(in.series[k] - 1)];
            text = listHeadText(d.name, d.kind);
        }
        heads.append(text);
    }
    l.head.cells = {heads};
    const double line = engine.textHeight(QStringLiteral("0"));
    l.rowHeight = line * 1.3;
    l.head.rowHeights = {3 * line + (l.rowHeight - line)};
    const double footer = 2 * line;
    const double room = page.printableHeight() - l.head.rowHeights[0] - footer;
    l.rowsPerPage = std::max(1, int(room / l.rowHeight));
    l.footerTop = page.marginTop + page.printableHeight() - line;
    return l;
}

QStringList rowCells(const ListPrintInput &in, int row, const QDateTime &start, int interval)
{
    QStringList cells = {QStringLiteral("%1").arg(row, 5),
                         rowTime(start, interval, row).toString(QStringLiteral("yy/MM/dd HH:mm"))};
    for (std::size_t k = 0; k < std::size_t(MaxDisplayChannels); ++k) {
        QString text;
        if (k < in.series.size()) {
            const int channelNo = in.series[k];
            const DisplayChannel &d = (*in.channels)[std::size_t(channelNo - 1)];
            const int n = row - d.offset;
            if (d.present && d.kind != ChannelKind::None && n >= 1 && n <= d.count) {
                const int seriesNo = seriesNoOfChannel(channelNo);
                const int channel = channelOfChannel(channelNo);
                text = listSampleText(d.kind, in.set->value(seriesNo, channel, n),
                                      in.set->mark(seriesNo, channel, n));
            }
        }
        cells.append(text);
    }
    return cells;
}

void printPageNumber(PrintEngine &engine, const ListLayout &l, int page, int pages)
{
    const QString text = QStringLiteral("%1 / %2").arg(page).arg(pages);
    const PageGeometry g = engine.page();
    engine.setTextColour(Qt::black);
    engine.setCurrentPos(
        QPointF(g.marginLeft + (g.printableWidth() - engine.textWidth(text)) / 2, l.footerTop));
    engine.printText(text);
}

} // namespace

bool printDataList(PrintEngine &engine, const ListPrintInput &in, RowSpan rows)
{
    if (!engine.startDoc())
        return false;
    const ListLayout l = layoutList(engine, in);
    const QDateTime start = in.set->startTime();
    const int interval = in.set->intervalInMinutes();
    const int total = std::max(0, rows.last - rows.first + 1);
    const int pages = std::max(1, (total + l.rowsPerPage - 1) / l.rowsPerPage);
    int row = rows.first;
    for (int page = 1; page <= pages && !engine.hasError(); ++page) {
        if (page > 1)
            engine.newPage();
        PrintTable table = l.head;
        const int last = std::min(rows.last, row + l.rowsPerPage - 1);
        for (; row <= last; ++row) {
            table.cells.push_back(rowCells(in, row, start, interval));
            table.rowHeights.push_back(l.rowHeight);
        }
        engine.drawTable(table);
        printPageNumber(engine, l, page, pages);
    }
    return engine.endDoc() && !engine.hasError();
}

} // namespace zt
