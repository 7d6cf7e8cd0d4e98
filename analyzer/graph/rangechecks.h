#pragma once

#include <QString>

namespace zt {

// Outcome of a leave check of the range dialog's row boxes.
struct RowLeave
{
    int start = 1;
    int end = 1;
    int messageNo = 0;    // 0 = nothing to report
    bool restore = false; // the box takes its last accepted text back
};

RowLeave leaveStartRow(int start, int end, int rowTotal);
RowLeave leaveEndRow(int start, int end, int rowTotal);

// Outcome of a leave check of a value box (whole units).
struct ValueLeave
{
    int value = 0;
    int messageNo = 0;
    bool restore = false;
};

ValueLeave leaveLowerValue(const QString &lowerText, int upper, bool humidity);
ValueLeave leaveUpperValue(int lower, const QString &upperText, bool humidity);

// A box's text read as a whole number; empty or unreadable text reads as 0.
int boxNumber(const QString &text);

} // namespace zt
