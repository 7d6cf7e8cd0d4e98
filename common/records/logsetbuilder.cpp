#include "records/logsetbuilder.h"

#include "records/channels.h"
#include "records/statistics.h"

#include <algorithm>

namespace zt {

namespace {
constexpr quint16 StarCodeE = 0xE000;
constexpr quint16 StarCodeF = 0xF000;

void storeSlot(const SlotRecords &slot, int seriesNo, LogSet &set)
{
    const bool whole = ch2InWholeUnits(slot.koKind);
    const qsizetype skip = qMax<qsizetype>(0, qsizetype(slot.records.size()) - MaxSamples);
    const int count = int(qsizetype(slot.records.size()) - skip);
    const MarkLimits &l = slot.limits;
    for (int i = 0; i < count; ++i) {
        const RawPair &r = slot.records[std::size_t(skip + i)];
        set.value(seriesNo, 1, i + 1) = storedValue(r.ch1, false);
        set.value(seriesNo, 2, i + 1) = storedValue(r.ch2, whole);
        set.mark(seriesNo, 1, i + 1) = alarmMark(r.ch1, l.high1, l.low1);
        set.mark(seriesNo, 2, i + 1) = alarmMark(r.ch2, l.high2, l.low2);
    }
    KoSeries &s = set.ko(slot.koNo);
    s.HasData = 1;
    s.SeriesNo = qint16(seriesNo);
    s.KoKind = qint16(slot.koKind);
    s.DataCount = qint16(count);
    // Dropping the oldest records moves the first time on by as many intervals.
    const qint64 step = qint64(intervalMinutes(set.intervalHours, set.intervalMinutes)) * 60;
    s.firstSampleTime = slot.firstTime.addSecs(skip * step);
}
} // namespace

qint16 storedValue(int raw, bool wholeUnits)
{
    if (raw >= ValidRawMin && raw <= ValidRawMax)
        return wholeUnits ? qint16(roundHalfEven(raw, 10)) : qint16(raw);
    const quint16 code = quint16(raw);
    return code == StarCodeE || code == StarCodeF ? StarValue : DashValue;
}

bool ch2InWholeUnits(int koKind)
{
    return channelKind(koKind, 2) != ChannelKind::Temperature;
}

void buildLogSet(const SetHeader &header, std::vector<SlotRecords> input, LogSet &set,
                 const KoNameTable *names)
{
    set.clear();
    set.OyaSlot = qint16(header.oyaSlot);
    set.oyaName = header.oyaName;
    set.setInterval(header.intervalMinutes);
    set.KoCount = qint16(header.koCount);
    std::stable_sort(input.begin(), input.end(),
                     [](const SlotRecords &a, const SlotRecords &b) { return a.koNo < b.koNo; });
    int seriesNo = 0;
    for (const SlotRecords &slot : input) {
        if (slot.koNo < 1 || slot.koNo > MaxKo || slot.records.empty() ||
            !slot.firstTime.isValid() || set.ko(slot.koNo).HasData == 1)
            continue;
        storeSlot(slot, ++seriesNo, set);
        if (names)
            set.ko(slot.koNo).name = names->name(header.oyaSlot, slot.koNo);
    }
    computeStartAndOffsets(set);
    for (KoSeries &s : set.series)
        if (s.StartOffset > header.maxOffset)
            s.StartOffset = 0;
    computeStatistics(set);
}

} // namespace zt
