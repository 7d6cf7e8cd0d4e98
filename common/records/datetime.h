#pragma once

#include <QDateTime>

// Receiver and row times are wall-clock values without a time zone: they are held
// as QDateTime in Qt::UTC so no daylight-saving gap or double can shift them.
namespace zt {

QDateTime wallClock(int year, int month, int day, int hour, int minute, int second = 0);

// The day count used by the files: days since 1899-12-30 with the time as fraction.
double toDayCount(const QDateTime &t);
QDateTime fromDayCount(double days);

// num / den to the nearest integer, halves to the even neighbour (den > 0).
qint64 roundHalfEven(qint64 num, qint64 den);
qint64 roundHalfEven(double value);

// Interval in minutes where 0:00 stands for 24 hours.
int intervalMinutes(int hours, int minutes);

// Row r (1-based) of the common time axis.
QDateTime rowTime(const QDateTime &start, int intervalMinutes, int row);

// The PC's local "now" as a naive wall-clock value.
QDateTime localNow();

} // namespace zt
