#include "infotext.h"

#include "kinetic.h"
#include "texttable.h"

#include "records/channels.h"
#include "records/csvexport.h"

namespace zt2 {

namespace {

using zt::ChannelKind;
using Align = TextTable::Align;

QString decimal(double v)
{
    const QString text = QString::number(v, 'f', 1);
    return text == QLatin1String("-0.0") ? QStringLiteral("0.0") : text;
}

QString statistic(qint16 v, ChannelKind kind)
{
    if (v == zt::StarValue)
        return QStringLiteral("----");
    return kind == ChannelKind::Humidity ? QString::number(v) : decimal(v / 10.0);
}

QString headerText(const zt::LogSet &set)
{
    TextTable t({Align::Left, Align::Left});
    t.addRow(
        {QStringLiteral("受信器:"), QStringLiteral("%1  %2").arg(set.OyaSlot).arg(set.oyaName)});
    t.addRow({QStringLiteral("開始時刻:"),
              set.startTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))});
    t.addRow({QStringLiteral("収録間隔:"), zt::intervalText(set)});
    t.addRow({QStringLiteral("登録送信器数:"), QString::number(set.KoCount)});
    return t.render();
}

QStringList channelCells(const zt::LogSet &set, const zt::KoSeries &s, int channel)
{
    const ChannelKind kind = zt::channelKind(s.KoKind, channel);
    QStringList cells{QString::number(channel), zt::unitText(kind)};
    if (s.DataCount == 0)
        return cells;
    const zt::ChannelStats &st = s.stats[std::size_t(channel - 1)];
    cells << QString::number(st.ErrorCount) << statistic(st.MaxValue, kind)
          << statistic(st.MinValue, kind) << statistic(st.AvgValue, kind);
    if (kind == ChannelKind::Temperature) {
        const auto mkt = meanKineticTemperature(set.samples(s.SeriesNo, channel), s.DataCount);
        cells << (mkt ? decimal(*mkt) : QStringLiteral("----"));
    }
    return cells;
}

QString seriesTable(const zt::LogSet &set)
{
    TextTable t({Align::Right, Align::Left, Align::Right, Align::Right, Align::Right, Align::Right,
                 Align::Left, Align::Right, Align::Right, Align::Right, Align::Right,
                 Align::Right});
    t.addRow({QStringLiteral("No."), QStringLiteral("送信器名"), QStringLiteral("種類"),
              QStringLiteral("収録数"), QStringLiteral("開始位置"), QStringLiteral("CH"),
              QStringLiteral("単位"), QStringLiteral("ｴﾗｰ数"), QStringLiteral("最高値"),
              QStringLiteral("最低値"), QStringLiteral("平均値"), QStringLiteral("MKT[ﾟC]")});
    for (const zt::KoSeries &s : set.series) {
        if (s.HasData != 1)
            continue;
        const QStringList lead{QString::number(s.KoNo), s.name, QString::number(s.KoKind),
                               QString::number(s.DataCount), QString::number(s.StartOffset)};
        const QStringList blank(lead.size(), QString());
        bool first = true;
        for (int ch = 1; ch <= zt::ChannelCount; ++ch) {
            if (zt::channelKind(s.KoKind, ch) == ChannelKind::None)
                continue;
            t.addRow((first ? lead : blank) + channelCells(set, s, ch));
            first = false;
        }
        if (first) // a kind without channels still shows its transmitter
            t.addRow(lead);
    }
    return t.render();
}

} // namespace

QString infoText(const zt::LogSet &set)
{
    return headerText(set) + QStringLiteral("\n\n") + seriesTable(set) + QLatin1Char('\n');
}

} // namespace zt2
