#include "records/datetime.h"

#include <cmath>

namespace zt {

namespace {
const QDate dayZero(1899, 12, 30);
constexpr qint64 secondsPerDay = 86400;
} // namespace

QDateTime wallClock(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

double toDayCount(const QDateTime &t)
{
    const qint64 secs = QDateTime(dayZero, QTime(0, 0), Qt::UTC).secsTo(t);
    return double(secs) / double(secondsPerDay);
}

QDateTime fromDayCount(double days)
{
    const qint64 secs = qint64(std::llround(days * double(secondsPerDay)));
    return QDateTime(dayZero, QTime(0, 0), Qt::UTC).addSecs(secs);
}

qint64 roundHalfEven(qint64 num, qint64 den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    qint64 q = num / den;
    qint64 r = num % den;
    if (r < 0) { // floor division
        r += den;
        --q;
    }
    const qint64 twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0)))
        ++q;
    return q;
}

qint64 roundHalfEven(double value)
{
    return qint64(std::nearbyint(value)); // default rounding mode is to nearest, ties to even
}

int intervalMinutes(int hours, int minutes)
{
    const int m = hours * 60 + minutes;
    return m == 0 ? 24 * 60 : m;
}

QDateTime rowTime(const QDateTime &start, int intervalMinutes, int row)
{
    return start.addSecs(qint64(row - 1) * intervalMinutes * 60);
}

QDateTime localNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), now.time(), Qt::UTC);
}

} // namespace zt
