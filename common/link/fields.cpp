#include "link/fields.h"

#include "records/datetime.h"
#include "records/limits.h"

namespace zt {

namespace {
std::function<void()> &tooLongHandler()
{
    static std::function<void()> handler;
    return handler;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}
} // namespace

QString HexField(int value, int width)
{
    const qint16 v = qint16(value);
    if (v < 0)
        return QString::number(quint16(v), 16).toUpper();
    return QString::number(v, 16).toUpper().rightJustified(width, QLatin1Char('0'));
}

qint32 readHex(QStringView text)
{
    qsizetype digits = 0;
    while (digits < text.size() && hexDigit(text[digits]) >= 0)
        ++digits;
    qsizetype first = 0; // leading zeros do not make a value too long
    while (first < digits - 1 && text[first] == QLatin1Char('0'))
        ++first;
    if (digits - first > 8) {
        if (tooLongHandler())
            tooLongHandler()();
        return 0;
    }
    quint32 v = 0;
    for (qsizetype i = first; i < digits; ++i)
        v = (v << 4) | quint32(hexDigit(text[i]));
    if (digits <= 4)
        return qint16(quint16(v));
    return qint32(v);
}

void setHexTooLongHandler(std::function<void()> handler)
{
    tooLongHandler() = std::move(handler);
}

QString DateField(const QDateTime &t, bool withSeconds)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    QString s = HexField(d.year() % 100, 2) + HexField(d.month(), 1) + HexField(d.day(), 2) +
                HexField(tm.hour(), 2) + HexField(tm.minute(), 2);
    if (withSeconds)
        s += HexField(tm.second(), 2);
    return s;
}

QDateTime readDateField(QStringView text, bool withSeconds)
{
    if (text.size() < (withSeconds ? 11 : 9))
        return {};
    const int year = 2000 + readHex(text.mid(0, 2));
    const int month = readHex(text.mid(2, 1));
    const int day = readHex(text.mid(3, 2));
    const int hour = readHex(text.mid(5, 2));
    const int minute = readHex(text.mid(7, 2));
    const int second = withSeconds ? readHex(text.mid(9, 2)) : 0;
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    return wallClock(year, month, day, hour, minute, second);
}

RawRecord readRecordField(QStringView text)
{
    return {qint16(readHex(text.mid(0, 4).left(4))), qint16(readHex(text.mid(4, 4)))};
}

QString RecordField(int ch1, int ch2)
{
    return HexField(ch1, 4) + HexField(ch2, 4);
}

bool isValidRaw(int raw)
{
    return raw >= ValidRawMin && raw <= ValidRawMax;
}

qint16 storedSample(int raw, bool divideByTen)
{
    if (isValidRaw(raw))
        return divideByTen ? qint16(roundHalfEven(raw, 10)) : qint16(raw);
    if (raw == -8192 || raw == -4096) // E000, F000
        return StarValue;
    return DashValue; // C000 and every other out-of-range value
}

} // namespace zt
