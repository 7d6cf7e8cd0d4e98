#include "graph/rangechecks.h"

#include "records/datetime.h"

#include <algorithm>

namespace zt {

namespace {
constexpr int messageLowerNotBelow = 50, messageUpperNotAbove = 51, messageTemperature = 52,
              messageHumidity = 53, messageRows = 54, messageInvalid = 57;

int limitLow(bool humidity)
{
    return humidity ? 0 : -100;
}
int limitHigh(bool humidity)
{
    return humidity ? 100 : 200;
}
} // namespace

int boxNumber(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? int(roundHalfEven(v)) : 0;
}

RowLeave leaveStartRow(int start, int end, int rowTotal)
{
    RowLeave r{start, end};
    if (end < start)
        return {start, end, messageLowerNotBelow, true};
    if (start > rowTotal) {
        r.start = rowTotal;
        r.messageNo = messageRows;
    } else if (start < 1) {
        r.start = 1;
        r.messageNo = messageRows;
    }
    if (r.start == r.end) {
        if (r.start > 1)
            --r.start;
        if (r.start == 1)
            r.end = leaveEndRow(r.start, 2, rowTotal).end;
    }
    return r;
}

RowLeave leaveEndRow(int start, int end, int rowTotal)
{
    RowLeave r{start, end};
    if (end > rowTotal) {
        r.end = rowTotal;
        r.messageNo = messageRows;
    } else if (end < 1) {
        r.end = 1;
        r.messageNo = messageRows;
    }
    if (r.start > r.end)
        return {start, end, messageUpperNotAbove, true};
    if (r.start == r.end) {
        if (r.end < rowTotal)
            ++r.end;
        // The start's own check cannot reach back here: start < end after this.
        if (r.end == rowTotal)
            r.start = std::max(1, rowTotal - 1);
    }
    return r;
}

ValueLeave leaveLowerValue(const QString &lowerText, int upper, bool humidity)
{
    const int lower = boxNumber(lowerText);
    if (upper <= lower)
        return {lower, messageLowerNotBelow, true};
    if (lowerText.trimmed().isEmpty())
        return {lower, messageInvalid, true};
    const int message = humidity ? messageHumidity : messageTemperature;
    if (lower > limitHigh(humidity))
        return {limitHigh(humidity), message, false};
    if (lower < limitLow(humidity))
        return {limitLow(humidity), message, false};
    return {lower, 0, false};
}

ValueLeave leaveUpperValue(int lower, const QString &upperText, bool humidity)
{
    const int upper = boxNumber(upperText);
    if (lower >= upper)
        return {upper, messageUpperNotAbove, true};
    const int message = humidity ? messageHumidity : messageTemperature;
    if (upper > limitHigh(humidity))
        return {limitHigh(humidity), message, false};
    if (upper < limitLow(humidity))
        return {limitLow(humidity), message, false};
    return {upper, 0, false};
}

} // namespace zt
