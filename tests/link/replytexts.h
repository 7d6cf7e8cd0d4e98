#pragma once

#include "link/fields.h"

#include <QDateTime>
#include <QString>

// ReplyText of well-formed receiver replies, as a receiver would send them.
namespace replytexts {

inline QString head(const char *code)
{
    return QStringLiteral("00020") + QLatin1String(code) + QLatin1Char(',');
}
inline QString identification(int id)
{
    return head("05") + QStringLiteral("0000") + zt::HexField(id, 4) + QLatin1Char(',');
}
// flags: 30 digits, one per slot.
inline QString settings(int koCount, const QString &flags, int measureMin, int commMin,
                        const QDateTime &clock)
{
    return head("06") + zt::HexField(koCount, 2) + flags + zt::HexField(measureMin / 60, 2) +
           zt::HexField(measureMin % 60, 2) + zt::HexField(commMin / 60, 2) +
           zt::HexField(commMin % 60, 2) + zt::DateField(clock, true) + QLatin1Char(',');
}
inline QString alarmLimits(int h1, int l1, int h2, int l2)
{
    return head("07") + zt::HexField(h1, 4) + zt::HexField(l1, 4) + zt::HexField(h2, 4) +
           zt::HexField(l2, 4) + QLatin1Char(',');
}
inline QString recording(const QString &flags)
{
    return head("08") + flags + QLatin1Char(',');
}
// slots: 30 groups of status digit + two-digit value.
inline QString status(const QDateTime &clock, int contact, const QString &slotGroups)
{
    return head("10") + zt::DateField(clock, true) + QLatin1Char('0') + zt::HexField(contact, 1) +
           slotGroups + QLatin1Char(',');
}
inline QString summary(int count, const QDateTime &newest, int s1, int s2)
{
    return head("11") + zt::HexField(count, 4) + zt::DateField(newest, false) +
           zt::HexField(s1, 4) + zt::HexField(s2, 4) + QLatin1Char(',');
}
inline QString block(const QDateTime &first, const QStringList &records)
{
    return head("12") + zt::HexField(int(records.size()), 4) + zt::DateField(first, false) +
           records.join(QString()) + QLatin1Char(',');
}
inline QString kind(int count, const QDateTime &newest, int koKind, int rh1, int rl1, int rh2,
                    int rl2, const QString &latest)
{
    return head("13") + zt::HexField(count, 4) + zt::DateField(newest, false) +
           QStringLiteral("%1").arg(koKind, 2, 10, QLatin1Char('0')) + zt::HexField(rh1, 4) +
           zt::HexField(rl1, 4) + zt::HexField(rh2, 4) + zt::HexField(rl2, 4) + latest +
           QLatin1Char(',');
}
inline QString ack()
{
    return QStringLiteral("\x06");
}
inline QString nak()
{
    return QStringLiteral("\x15");
}

} // namespace replytexts
