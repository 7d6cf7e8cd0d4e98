#include "print/printtexts.h"

#include "records/cp932.h"
#include "records/limits.h"

namespace zt {

QString listSampleText(ChannelKind kind, qint16 value, qint16 alarmMark)
{
    if (value == StarValue)
        return QStringLiteral("*****");
    if (value == DashValue)
        return QStringLiteral("-----");
    const QString number = kind == ChannelKind::Humidity ? QString::number(value)
                                                         : QString::number(value / 10.0, 'f', 1);
    return number + (alarmMark == 1 ? QStringLiteral("◆") : QStringLiteral("   "));
}

QString listHeadText(const QString &name, ChannelKind kind)
{
    const auto [first, second] = splitNameAtBytes(name, 6);
    const QString unit =
        kind == ChannelKind::Humidity ? QStringLiteral("[%rh]") : QStringLiteral("[ ﾟC]");
    return first + QLatin1Char('\r') + second + QLatin1Char('\r') + unit;
}

const KoSeries *seriesOf(const LogSet &set, int seriesNo)
{
    for (const KoSeries &s : set.series)
        if (s.HasData == 1 && s.SeriesNo == seriesNo)
            return &s;
    return nullptr;
}

} // namespace zt
