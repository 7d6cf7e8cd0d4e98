#include "readout/readoutrange.h"

#include "records/channels.h"
#include "records/datetime.h"
#include "records/limits.h"

#include <algorithm>

namespace zt {

namespace {
qint64 minutesBetween(const QDateTime &from, const QDateTime &to)
{
    return from.secsTo(to) / 60;
}
} // namespace

int measureStepMinutes(int measureInterval)
{
    return measureInterval > 0 ? measureInterval : 24 * 60;
}

SlotSpan slotSpan(int count, const QDateTime &newest, int measureInterval)
{
    if (count <= 0 || !newest.isValid())
        return {};
    const qint64 back = qint64(count - 1) * measureStepMinutes(measureInterval) * 60;
    return {count, newest.addSecs(-back), newest};
}

ReadRange dateRange(const QDate &startDate, int startHour, int endDayIndex, int endHour)
{
    const QDate endDate = startDate.addDays(endDayIndex);
    return {wallClock(startDate.year(), startDate.month(), startDate.day(), startHour, 0),
            wallClock(endDate.year(), endDate.month(), endDate.day(), endHour, 0)};
}

ReadPlan ReadDataCalcDisp(const SlotSpan &slot, const ReadRange &range, int measureInterval,
                          int systemKoCount)
{
    if (slot.count <= 0 || !range.start.isValid() || !range.end.isValid())
        return {};
    if (slot.newest < range.start || slot.oldest > range.end)
        return {};
    const qint64 step = measureStepMinutes(measureInterval);
    QDateTime start = slot.oldest;
    if (start < range.start) {
        const qint64 k = (minutesBetween(start, range.start) + step - 1) / step;
        start = start.addSecs(k * step * 60);
    }
    qint64 count = minutesBetween(start, slot.newest) / step + 1;
    const qint64 capacity = std::min(sampleCapacity(systemKoCount), MaxSamples);
    if (count > capacity) {
        start = start.addSecs((count - capacity) * step * 60);
        count = capacity;
    }
    if (slot.newest > range.end) {
        // Every sample later than the range end goes, also the one just past an
        // end that falls between two samples.
        count -= (minutesBetween(range.end, slot.newest) + step - 1) / step;
    }
    if (count <= 0)
        return {};
    return {start, int(count)};
}

} // namespace zt
