#pragma once

#include <QDate>
#include <QDateTime>

// Which samples of one transmitter slot a read-out asks for.
namespace zt {

// Inclusive time range of a read-out.
struct ReadRange
{
    QDateTime start;
    QDateTime end;
};

// What the receiver reports it holds for one slot.
struct SlotSpan
{
    int count = 0; // samples held
    QDateTime oldest;
    QDateTime newest;
};

// First sample to read and how many.
struct ReadPlan
{
    QDateTime start;
    int count = 0;

    bool operator==(const ReadPlan &) const = default;
};

// The receiver's interval where 0 stands for 24 hours.
int measureStepMinutes(int measureInterval);

// A slot's span from its "11" summary; an empty span when it holds nothing.
SlotSpan slotSpan(int count, const QDateTime &newest, int measureInterval);

// "日付を指定する": from startDate at startHour to startDate + endDayIndex days at endHour.
ReadRange dateRange(const QDate &startDate, int startHour, int endDayIndex, int endHour);

// "全データ": the earliest oldest to the latest newest time of the slots holding samples.
template <typename Spans> ReadRange allDataRange(const Spans &spans)
{
    ReadRange r;
    for (const SlotSpan &s : spans) {
        if (s.count <= 0)
            continue;
        if (!r.start.isValid() || s.oldest < r.start)
            r.start = s.oldest;
        if (!r.end.isValid() || s.newest > r.end)
            r.end = s.newest;
    }
    return r;
}

// The slot's samples inside the range, at most the receiver's capacity for
// systemKoCount transmitters, the newest kept when there are more.
ReadPlan ReadDataCalcDisp(const SlotSpan &slot, const ReadRange &range, int measureInterval,
                          int systemKoCount);

} // namespace zt
