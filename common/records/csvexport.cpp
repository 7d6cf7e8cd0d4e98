#include "records/csvexport.h"

#include "records/channels.h"
#include "records/cp932.h"
#include "records/settingsio.h"

#include <vector>

namespace zt {

namespace {

// One value column: a channel of a transmitter with data.
struct Column
{
    const KoSeries *series;
    int channel;
    bool wholeNumbers; // humidity is held in whole %rh; everything else in tenths
    bool knownKind;
};

bool isKnownKind(int koKind)
{
    return koKind == 0 || koKind == 10 || koKind == 11 || koKind == 12;
}

std::vector<Column> columnsOf(const LogSet &set)
{
    std::vector<Column> columns;
    for (const KoSeries &s : set.series) {
        if (s.HasData != 1)
            continue;
        const int channels = s.KoKind == 10 ? 1 : 2;
        for (int ch = 1; ch <= channels; ++ch)
            columns.push_back({&s, ch, channelKind(s.KoKind, ch) == ChannelKind::Humidity,
                               isKnownKind(s.KoKind)});
    }
    return columns;
}

// Appends plain decimal digits of v.
void appendInt(QByteArray &out, int v)
{
    char buf[12];
    char *end = buf + sizeof buf;
    char *p = end;
    const bool negative = v < 0;
    unsigned u = negative ? 0u - unsigned(v) : unsigned(v);
    do {
        *--p = char('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (negative)
        *--p = '-';
    out.append(p, end - p);
}

// Tenths in the pattern "0.0".
void appendTenths(QByteArray &out, int v)
{
    if (v < 0)
        out.append('-');
    const int a = v < 0 ? -v : v;
    appendInt(out, a / 10);
    out.append('.');
    out.append(char('0' + a % 10));
}

void appendTwoDigits(QByteArray &out, int v)
{
    out.append(char('0' + v / 10 % 10));
    out.append(char('0' + v % 10));
}

void appendSample(QByteArray &out, qint16 v, bool wholeNumbers)
{
    if (v == StarValue)
        out.append("*****");
    else if (v == DashValue)
        out.append("-----");
    else if (wholeNumbers)
        appendInt(out, v);
    else
        appendTenths(out, v);
}

// "yyyy-mm-dd hh:nn".
void appendRowTime(QByteArray &out, const QDateTime &t)
{
    int y = 0, m = 0, d = 0;
    t.date().getDate(&y, &m, &d);
    appendInt(out, y);
    out.append('-');
    appendTwoDigits(out, m);
    out.append('-');
    appendTwoDigits(out, d);
    out.append(' ');
    appendTwoDigits(out, t.time().hour());
    out.append(':');
    appendTwoDigits(out, t.time().minute());
}

QString statisticCell(const Column &c, int stat)
{
    if (c.series->DataCount == 0 || !c.knownKind)
        return QString();
    const ChannelStats &st = c.series->stats[std::size_t(c.channel - 1)];
    const qint16 v = stat == 0 ? st.MaxValue : stat == 1 ? st.MinValue : st.AvgValue;
    if (v == StarValue)
        return QStringLiteral("----");
    QByteArray text;
    c.wholeNumbers ? appendInt(text, v) : appendTenths(text, v);
    return QString::fromLatin1(text);
}

QString unitCell(const Column &c)
{
    switch (c.series->KoKind) {
    case 0:
    case 12:
        return c.channel == 1 ? QStringLiteral("[ﾟC ]") : QStringLiteral("[%rh]");
    case 10:
    case 11:
        return QStringLiteral("[ﾟC]");
    default:
        // Every column of an unknown kind gets a cell, so the columns after it stay aligned.
        return QStringLiteral("[ ]");
    }
}

// ",,<label>," then one cell per column, each followed by a comma.
template <typename CellFn>
QString columnLine(const QString &lead, const std::vector<Column> &columns, CellFn cell)
{
    QString line = lead;
    for (const Column &c : columns)
        line += cell(c) + QLatin1Char(',');
    return line + QLatin1String("\r\n");
}

QString headerText(const LogSet &set, const std::vector<Column> &columns)
{
    const QString crlf = QStringLiteral("\r\n");
    QString h = crlf;
    h += QStringLiteral(",受信器名:,") + set.oyaName + crlf;
    h += QStringLiteral(",開始時刻:,") +
         set.startTime().toString(QStringLiteral("yy-MM-dd HH:mm")) + crlf;
    h += QStringLiteral(",収録間隔:,") + intervalText(set) + crlf;
    h += crlf;
    const auto name = [](const Column &c) { return c.series->name; };
    h += columnLine(QStringLiteral(",,送信器名:,"), columns, name);
    h += columnLine(QStringLiteral(",,,"), columns, unitCell);
    h += columnLine(QStringLiteral(",,収録数:,"), columns,
                    [](const Column &c) { return QString::number(c.series->DataCount); });
    h += columnLine(QStringLiteral(",,ｴﾗｰ 数:,"), columns, [](const Column &c) {
        return QString::number(c.series->stats[std::size_t(c.channel - 1)].ErrorCount);
    });
    h += columnLine(QStringLiteral(",,最高値:,"), columns,
                    [](const Column &c) { return statisticCell(c, 0); });
    h += columnLine(QStringLiteral(",,最低値:,"), columns,
                    [](const Column &c) { return statisticCell(c, 1); });
    h += columnLine(QStringLiteral(",,平均値:,"), columns,
                    [](const Column &c) { return statisticCell(c, 2); });
    h += crlf + crlf;
    h += columnLine(QStringLiteral(",No.,時刻,"), columns, name);
    return h;
}

void appendRows(QByteArray &out, const LogSet &set, const std::vector<Column> &columns)
{
    const int rows = rowTotal(set);
    const QDateTime start = set.startTime();
    const int interval = set.intervalInMinutes();
    out.reserve(out.size() + qsizetype(rows) * (26 + 7 * qsizetype(columns.size())));
    for (int r = 1; r <= rows; ++r) {
        out.append(',');
        appendInt(out, r);
        out.append(',');
        appendRowTime(out, rowTime(start, interval, r));
        out.append(',');
        for (const Column &c : columns) {
            const KoSeries &s = *c.series;
            const int n = r - s.StartOffset;
            if (n >= 1 && n <= s.DataCount)
                appendSample(out, set.value(s.SeriesNo, c.channel, n), c.wholeNumbers);
            out.append(',');
        }
        out.append("\r\n");
    }
}

} // namespace

QString intervalText(const LogSet &set)
{
    const QString text = QStringLiteral("%1:%2")
                             .arg(set.intervalHours, 2, 10, QLatin1Char('0'))
                             .arg(set.intervalMinutes, 2, 10, QLatin1Char('0'));
    return text == QLatin1String("00:00") ? QStringLiteral("24:00") : text;
}

void nameUnnamedSeries(LogSet &set)
{
    for (KoSeries &s : set.series)
        if (s.HasData == 1 && s.name.isEmpty())
            s.name = QString::number(s.KoNo);
}

QByteArray csvBytes(const LogSet &set)
{
    const std::vector<Column> columns = columnsOf(set);
    QByteArray out = toCp932Lossy(headerText(set, columns));
    appendRows(out, set, columns);
    return out;
}

int exportCsv(const QString &path, LogSet &set)
{
    nameUnnamedSeries(set);
    const QByteArray bytes = csvBytes(set);
    return saveSettingsBytes(path, bytes);
}

} // namespace zt
