#include "graph/infocolumn.h"

#include "records/cp932.h"
#include "records/datetime.h"
#include "records/limits.h"

#include <algorithm>
#include <limits>

namespace zt {

ViewStatistics viewStatistics(const PlotSeries &series, ViewRows view)
{
    ViewStatistics s;
    if (!series.present || !series.samples)
        return s;
    const int from = std::max(1, view.first - series.offset);
    const int to = std::min(series.count, view.last - series.offset);
    const int factor = tenthsFactor(series.kind);
    qint64 sum = 0;
    s.maxTenths = std::numeric_limits<int>::min();
    s.minTenths = std::numeric_limits<int>::max();
    for (int n = from; n <= to; ++n) {
        ++s.inView;
        const int raw = series.sample(n);
        if (raw >= ValidSampleBelow) {
            ++s.invalid;
            continue;
        }
        const int v = raw * factor;
        ++s.valid;
        sum += v;
        s.maxTenths = std::max(s.maxTenths, v);
        s.minTenths = std::min(s.minTenths, v);
    }
    if (s.valid > 0)
        s.meanTenths = int(roundHalfEven(sum, s.valid));
    else
        s.maxTenths = s.minTenths = 0;
    return s;
}

QString intervalText(int intervalMinutes)
{
    const int minutes = intervalMinutes % (24 * 60) == 0 ? 24 * 60 : intervalMinutes;
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

namespace {

QString graphUnit(ChannelKind kind)
{
    switch (kind) {
    case ChannelKind::Temperature:
        return QStringLiteral("[℃]");
    case ChannelKind::Humidity:
        return QStringLiteral("[%rh]");
    default:
        return QString();
    }
}

QString tenthsText(int tenths, int decimals)
{
    return QString::number(tenths / 10.0, 'f', decimals);
}

} // namespace

InfoColumnTexts infoColumnTexts(const PlotSeries &series, ViewRows view, int intervalMinutes)
{
    InfoColumnTexts t;
    if (!series.present)
        return t;
    const QChar cr(u'\r');
    const auto [line1, line2] = splitNameAtBytes(series.name, 6);
    t.head = line1 + cr + line2 + cr + graphUnit(series.kind);
    const ViewStatistics s = viewStatistics(series, view);
    t.counts = QString::number(s.inView) + cr + QString::number(s.invalid);
    t.interval = intervalText(intervalMinutes);
    const int decimals = series.kind == ChannelKind::Humidity ? 0 : 1;
    const QString none = QStringLiteral("-----");
    t.maximum = s.valid ? tenthsText(s.maxTenths, decimals) : none;
    t.minimum = s.valid ? tenthsText(s.minTenths, decimals) : none;
    t.mean = s.valid ? tenthsText(s.meanTenths, 1) : none;
    return t;
}

} // namespace zt
