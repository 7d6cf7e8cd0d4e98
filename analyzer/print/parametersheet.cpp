#include "print/parametersheet.h"

#include "print/fontfit.h"
#include "print/printengine.h"
#include "print/printtexts.h"
#include "records/cp932.h"
#include "session/cellformat.h"

namespace zt {

namespace {

const QStringList RowTitles = {QStringLiteral("受信器名"), QStringLiteral("開始時刻"),
                               QStringLiteral("測定間隔"), QStringLiteral("送信器名"),
                               QStringLiteral("単位"),     QStringLiteral("収録数"),
                               QStringLiteral("エラー数"), QStringLiteral("最高値"),
                               QStringLiteral("最低値"),   QStringLiteral("平均値")};

// The ten cells of one channel's column.
QStringList channelCells(const LogSet &set, const DisplayChannel &d, int channelNo)
{
    const KoSeries *s = seriesOf(set, seriesNoOfChannel(channelNo));
    if (!s)
        return {};
    const ChannelStats &st = s->stats[std::size_t(channelOfChannel(channelNo) - 1)];
    const QDateTime start = set.startTime();
    const auto [line1, line2] = splitNameAtBytes(d.name, 6);
    const bool valid = s->DataCount > st.ErrorCount;
    return {set.oyaName,
            start.toString(QStringLiteral("yy-MM-dd")) + QLatin1Char('\r') +
                start.toString(QStringLiteral("HH:mm")),
            intervalCellText(set.intervalHours, set.intervalMinutes),
            line1 + QLatin1Char('\r') + line2,
            d.kind == ChannelKind::Humidity ? QStringLiteral("[rh]") : QStringLiteral("[ﾟC]"),
            QString::number(s->DataCount),
            QString::number(st.ErrorCount),
            statCellText(d.kind, st.MaxValue, valid),
            statCellText(d.kind, st.MinValue, valid),
            statCellText(d.kind, st.AvgValue, valid)};
}

} // namespace

bool printParameterSheet(PrintEngine &engine, const ListPrintInput &in)
{
    if (!engine.startDoc())
        return false;
    const FontFit fit = fitFont(engine, in.fontFamily, ParameterSheetCells, 8, 12, 7);
    const PageGeometry page = engine.page();
    PrintTable t;
    t.left = page.marginLeft + fit.indent;
    t.top = page.marginTop;
    t.headRows = 0;
    t.columnWidths = {13 * fit.cellWidth};
    const std::vector<double> channels = channelColumnWidths(in, fit.cellWidth, 10);
    t.columnWidths.insert(t.columnWidths.end(), channels.begin(), channels.end());
    t.columnAlignment.assign(t.columnWidths.size(), Qt::AlignHCenter);
    t.columnAlignment[0] = Qt::AlignLeft;
    const double line = engine.textHeight(QStringLiteral("0"));
    for (const QString &title : RowTitles) {
        t.cells.push_back(QStringList(title));
        const bool twoLines = title == RowTitles[1] || title == RowTitles[3];
        t.rowHeights.push_back((twoLines ? 2 : 1) * line + 0.4 * line);
    }
    for (std::size_t k = 0; k < std::size_t(MaxDisplayChannels); ++k) {
        QStringList column;
        if (k < in.series.size() && t.columnWidths[k + 1] > 0)
            column =
                channelCells(*in.set, (*in.channels)[std::size_t(in.series[k] - 1)], in.series[k]);
        for (int r = 0; r < RowTitles.size(); ++r)
            t.cells[std::size_t(r)].append(r < column.size() ? column[r] : QString());
    }
    engine.drawTable(t);
    return engine.endDoc() && !engine.hasError();
}

} // namespace zt
