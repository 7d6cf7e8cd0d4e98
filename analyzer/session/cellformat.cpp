#include "session/cellformat.h"

#include "records/limits.h"

namespace zt {

namespace {
QString valueText(ChannelKind kind, qint16 value)
{
    if (kind == ChannelKind::Humidity)
        return QString::number(value);
    return QString::number(value / 10.0, 'f', 1);
}
} // namespace

QString sampleCellText(ChannelKind kind, qint16 value, qint16 alarmMark)
{
    if (value == StarValue)
        return QStringLiteral("*****  ");
    if (value == DashValue)
        return QStringLiteral("-----  ");
    QString text = valueText(kind, value);
    if (alarmMark)
        text += QStringLiteral("◆");
    return text;
}

QString statCellText(ChannelKind kind, qint16 value, bool available)
{
    if (!available || value == StarValue || kind == ChannelKind::None)
        return QStringLiteral("-----");
    return valueText(kind, value);
}

QString intervalCellText(int hours, int minutes)
{
    if (hours == 0 && minutes == 0)
        return QStringLiteral("24:00");
    return QStringLiteral("%1:%2")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'));
}

QString rowTimeText(const QDateTime &t)
{
    return t.toString(QStringLiteral("yy-MM-dd HH:mm"));
}

} // namespace zt
