#include "ui/alarmlimits.h"

#include "records/datetime.h"

namespace zt {

QString alarmTabCaption(const AlarmTable &table, int koNo)
{
    const AlarmSlot &s = table.slot(koNo);
    if (s.KoOperating)
        return QString::number(koNo);
    return s.KoRegistered ? QStringLiteral("非稼動") : QStringLiteral("未登録");
}

bool isEditableTab(const AlarmTable &table, int koNo)
{
    return table.slot(koNo).KoOperating;
}

int wholeUnits(qint16 tenths)
{
    return int(roundHalfEven(tenths, 10));
}

LimitPair spinBounds(const MeasureRanges &ranges, int channel)
{
    return channel == 1 ? LimitPair{wholeUnits(ranges.RangeHigh1), wholeUnits(ranges.RangeLow1)}
                        : LimitPair{wholeUnits(ranges.RangeHigh2), wholeUnits(ranges.RangeLow2)};
}

LimitPair clampToRange(LimitPair shown, qint16 rangeHigh, qint16 rangeLow)
{
    LimitPair out = shown;
    if (shown.upper * 10 >= rangeHigh)
        out.upper = wholeUnits(rangeHigh);
    else if (shown.upper * 10 <= rangeLow)
        out.upper = wholeUnits(rangeLow) + 1;
    if (shown.lower * 10 <= rangeLow)
        out.lower = wholeUnits(rangeLow);
    // A lower limit at or above the upper one would hold the slot in alarm for good.
    if (out.lower >= out.upper)
        out.lower = out.upper - 1;
    return out;
}

LimitPair pairAfterStep(LimitPair after, SpinRole clicked, bool up)
{
    LimitPair p = after;
    if (clicked == SpinRole::Upper) {
        if (up ? p.lower > p.upper : p.lower >= p.upper)
            p.upper = p.lower + 1;
    } else {
        if (up ? p.lower >= p.upper : p.lower > p.upper)
            p.lower = p.upper - 1;
    }
    return p;
}

void AlarmWorkingCopy::load(const AlarmTable &table)
{
    upper.fill(0);
    lower.fill(0);
    for (int k = 1; k <= table.KoCount; ++k) {
        const AlarmSlot &s = table.slot(k);
        if (!s.KoOperating)
            continue;
        setChannel(k, 1, {wholeUnits(s.limits.AlarmHigh1), wholeUnits(s.limits.AlarmLow1)});
        setChannel(k, 2,
                   s.hasChannel2()
                       ? LimitPair{wholeUnits(s.limits.AlarmHigh2), wholeUnits(s.limits.AlarmLow2)}
                       : LimitPair{NoLimit, NoLimit});
    }
}

LimitPair AlarmWorkingCopy::channel(int koNo, int channel) const
{
    const std::size_t i = index(koNo, channel);
    return {upper[i], lower[i]};
}

void AlarmWorkingCopy::setChannel(int koNo, int channel, LimitPair limits)
{
    const std::size_t i = index(koNo, channel);
    upper[i] = limits.upper;
    lower[i] = limits.lower;
}

void storeShownLimits(AlarmWorkingCopy &work, const AlarmTable &table, int shownKo,
                      const ShownLimits &shown, bool toAll)
{
    for (int t = 1; t <= table.KoCount; ++t) {
        const AlarmSlot &s = table.slot(t);
        if (toAll ? !s.KoOperating : t != shownKo)
            continue;
        work.setChannel(t, 1, clampToRange(shown.ch1, s.ranges.RangeHigh1, s.ranges.RangeLow1));
        if (s.hasChannel2() && shown.ch2)
            work.setChannel(t, 2,
                            clampToRange(*shown.ch2, s.ranges.RangeHigh2, s.ranges.RangeLow2));
    }
}

bool sameRangesForAll(const AlarmTable &table)
{
    const AlarmSlot *reference = nullptr;
    for (int k = 1; k <= table.KoCount; ++k) {
        const AlarmSlot &s = table.slot(k);
        if (!s.KoOperating)
            continue;
        if (!reference)
            reference = &s;
        else if (s.ranges.RangeHigh1 != reference->ranges.RangeHigh1 ||
                 s.ranges.RangeLow1 != reference->ranges.RangeLow1)
            return false;
    }
    return true;
}

AlarmLimits limitsToSend(const AlarmTable &table, const AlarmWorkingCopy &work, int koNo)
{
    const AlarmSlot &s = table.slot(koNo);
    const LimitPair ch1 = work.channel(koNo, 1);
    AlarmLimits out = s.limits;
    out.AlarmHigh1 = qint16(ch1.upper * 10);
    out.AlarmLow1 = qint16(ch1.lower * 10);
    if (s.hasChannel2()) {
        const LimitPair ch2 = work.channel(koNo, 2);
        out.AlarmHigh2 = qint16(ch2.upper * 10);
        out.AlarmLow2 = qint16(ch2.lower * 10);
    }
    return out;
}

QList<int> markChangedSlots(AlarmTable &table, const AlarmWorkingCopy &work)
{
    QList<int> changed;
    for (int k = 1; k <= table.KoCount; ++k) {
        AlarmSlot &s = table.slot(k);
        if (!s.KoOperating)
            continue;
        if (limitsToSend(table, work, k) != s.limits)
            s.AlarmChanged = true;
        if (s.AlarmChanged)
            changed << k;
    }
    return changed;
}

AlarmSendResult sendChangedSlots(AlarmTable &table, const AlarmWorkingCopy &work,
                                 const AlarmSender &send)
{
    AlarmSendResult result;
    for (int k = 1; k <= table.KoCount; ++k) {
        AlarmSlot &s = table.slot(k);
        if (!s.KoOperating || !s.AlarmChanged)
            continue;
        const AlarmLimits limits = limitsToSend(table, work, k);
        if (!send(k, limits)) {
            result.failedKo = k;
            break;
        }
        s.limits = limits;
        s.AlarmChanged = false;
        result.sent << k;
    }
    return result;
}

} // namespace zt
