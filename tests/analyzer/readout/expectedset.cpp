#include "expectedset.h"

#include "records/datetime.h"
#include "records/limits.h"
#include "records/statistics.h"

#include <QTest>

namespace zt::readout {

namespace {
// What the set stores for a raw wire value.
qint16 stored(qint16 raw, bool wholeUnits)
{
    if (raw >= ValidRawMin && raw <= ValidRawMax)
        return qint16(wholeUnits ? roundHalfEven(raw, 10) : raw);
    const quint16 code = quint16(raw);
    return code == 0xE000 || code == 0xF000 ? StarValue : DashValue;
}

qint16 outside(qint16 raw, int high, int low)
{
    const bool valid = raw >= ValidRawMin && raw <= ValidRawMax;
    return valid && (raw > high || raw < low) ? 1 : 0;
}
} // namespace

LogSet expectedSet(const sim::ReceiverEngine &engine, const QList<SlotTake> &takes, int koCount,
                   const SettingsRecords &settings)
{
    LogSet set;
    set.setInterval(engine.measureMinutes());
    set.KoCount = qint16(koCount);
    set.OyaSlot = qint16(settings.oya.slotForReadout(engine.receiverId()));
    set.oyaName = settings.oya.nameOf(set.OyaSlot);
    set.LogSaved = false;
    int seriesNo = 0;
    for (const SlotTake &take : takes) {
        const sim::SlotState &slot = engine.slot(take.koNo);
        const qint64 oldest = slot.nextSample - slot.ring.size();
        const sim::ChannelPair &limits = slot.setup.limits;
        const bool humidity = slot.setup.kind != 11;
        KoSeries &s = set.ko(take.koNo);
        s.HasData = 1;
        s.SeriesNo = qint16(++seriesNo);
        s.KoKind = qint16(slot.setup.kind);
        s.DataCount = qint16(take.count);
        s.firstSampleTime = engine.sampleTime(oldest + take.first);
        s.name = settings.koNames.name(set.OyaSlot, take.koNo);
        for (int i = 0; i < take.count; ++i) {
            const RawRecord r = slot.ring.at(take.first + i);
            set.value(seriesNo, 1, i + 1) = stored(r.ch1, false);
            set.value(seriesNo, 2, i + 1) = stored(r.ch2, humidity);
            set.mark(seriesNo, 1, i + 1) = outside(r.ch1, limits.high1, limits.low1);
            set.mark(seriesNo, 2, i + 1) = outside(r.ch2, limits.high2, limits.low2);
        }
    }
    computeStartAndOffsets(set);
    computeStatistics(set);
    return set;
}

void compareSets(const LogSet &actual, const LogSet &expected)
{
    QCOMPARE(actual.OyaSlot, expected.OyaSlot);
    QCOMPARE(actual.oyaName, expected.oyaName);
    QCOMPARE(actual.startTime(), expected.startTime());
    QCOMPARE(actual.intervalInMinutes(), expected.intervalInMinutes());
    QCOMPARE(actual.KoCount, expected.KoCount);
    QCOMPARE(actual.LogSaved, expected.LogSaved);
    for (int k = 1; k <= MaxKo; ++k) {
        const KoSeries &a = actual.ko(k);
        const KoSeries &e = expected.ko(k);
        QCOMPARE(a.HasData, e.HasData);
        if (e.HasData == 0)
            continue;
        QCOMPARE(a.SeriesNo, e.SeriesNo);
        QCOMPARE(a.KoKind, e.KoKind);
        QCOMPARE(a.DataCount, e.DataCount);
        QCOMPARE(a.StartOffset, e.StartOffset);
        QCOMPARE(a.firstSampleTime, e.firstSampleTime);
        QCOMPARE(a.name, e.name);
        QVERIFY(a.stats == e.stats);
        for (int c = 1; c <= ChannelCount; ++c) {
            for (int n = 1; n <= e.DataCount; ++n) {
                QCOMPARE(actual.value(a.SeriesNo, c, n), expected.value(e.SeriesNo, c, n));
                QCOMPARE(actual.mark(a.SeriesNo, c, n), expected.mark(e.SeriesNo, c, n));
            }
        }
    }
}

} // namespace zt::readout
