#include "print/partprintchecks.h"

#include "records/datetime.h"

#include <algorithm>

namespace zt {

namespace {
constexpr int messageOrder = 60, messageRange = 62, messageStartTime = 63, messageEndTime = 64,
              messageUnexpected = 99;
const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm");
} // namespace

QDateTime PartAxis::timeOf(int row) const
{
    return rowTime(start, intervalMinutes, row);
}

QString partTimeText(const QDateTime &t)
{
    return t.toString(TimeFormat);
}

PartLeave leavePartRows(int start, int end, const PartAxis &axis)
{
    PartLeave r{start, end};
    auto clampRow = [&](int &row) {
        if (row < 1 || row > axis.rowTotal) {
            row = std::clamp(row, 1, std::max(1, axis.rowTotal));
            r.messageNo = messageRange;
        }
    };
    clampRow(r.start);
    clampRow(r.end);
    if (r.end < r.start)
        return {start, end, messageOrder, true};
    return r;
}

PartLeave leavePartTime(const QString &text, bool startBox, int start, int end,
                        const PartAxis &axis)
{
    const QString trimmed = text.simplified();
    QDateTime t = QDateTime::fromString(trimmed, TimeFormat);
    if (!t.isValid())
        t = QDateTime::fromString(trimmed, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!t.isValid())
        return {start, end, startBox ? messageStartTime : messageEndTime, true};
    t.setTimeSpec(Qt::UTC);
    if (axis.intervalMinutes <= 0 || !axis.start.isValid())
        return {start, end, messageUnexpected, true};
    if (t < axis.start || t > axis.timeOf(axis.rowTotal))
        return {start, end, messageRange, true};
    const qint64 row = axis.start.secsTo(t) / (qint64(axis.intervalMinutes) * 60) + 1;
    if (startBox)
        return leavePartRows(int(row), end, axis);
    return leavePartRows(start, int(row), axis);
}

} // namespace zt
