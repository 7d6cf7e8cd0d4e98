#pragma once

#include <QDateTime>
#include <QString>

namespace zt {

// The rows a partial print may cover and the time axis they lie on.
struct PartAxis
{
    QDateTime start;
    int intervalMinutes = 60;
    int rowTotal = 1;

    QDateTime timeOf(int row) const;
};

// Outcome of a leave check of a row or time box of the partial print dialog.
struct PartLeave
{
    int start = 1;
    int end = 1;
    int messageNo = 0;    // 0 = nothing to report
    bool restore = false; // the box takes its last accepted text back
};

// Row boxes: a row outside 1..rowTotal takes the nearest limit (62); an end below the start
// is refused (60). Equal rows are allowed.
PartLeave leavePartRows(int start, int end, const PartAxis &axis);

// A time box: an unreadable text is refused with 63 (start) or 64 (end), a time off the
// axis with 62; a valid time selects the row at or before it.
PartLeave leavePartTime(const QString &text, bool startBox, int start, int end,
                        const PartAxis &axis);

// "yyyy-mm-dd hh:nn" of a row time.
QString partTimeText(const QDateTime &t);

} // namespace zt
