#include "readoutrig.h"
#include "testregistry.h"

#include "periodic/periodicfile.h"
#include "records/zt2file.h"

#include <QTest>

using namespace zt;
using namespace zt::readout;

namespace {
// The records the monitor would have collected of one slot: everything the receiver holds.
SlotRecords collectedFrom(const sim::ReceiverEngine &engine, int koNo)
{
    const sim::SlotState &slot = engine.slot(koNo);
    SlotRecords s;
    s.koNo = koNo;
    s.koKind = slot.setup.kind;
    s.firstTime = engine.sampleTime(slot.nextSample - slot.ring.size());
    const sim::ChannelPair &l = slot.setup.limits;
    s.limits = {l.high1, l.low1, l.high2, l.low2};
    for (int i = 0; i < slot.ring.size(); ++i)
        s.records.push_back({slot.ring.at(i).ch1, slot.ring.at(i).ch2});
    return s;
}

// Everything a file stores; the read-out's first-sample times are not in it.
void compareStored(const LogSet &a, const LogSet &e)
{
    QCOMPARE(a.OyaSlot, e.OyaSlot);
    QCOMPARE(a.oyaName, e.oyaName);
    QCOMPARE(a.startTime(), e.startTime());
    QCOMPARE(a.intervalInMinutes(), e.intervalInMinutes());
    QCOMPARE(a.KoCount, e.KoCount);
    for (int k = 1; k <= MaxKo; ++k) {
        const KoSeries &x = a.ko(k);
        const KoSeries &y = e.ko(k);
        QCOMPARE(x.HasData, y.HasData);
        if (y.HasData == 0)
            continue;
        QCOMPARE(x.SeriesNo, y.SeriesNo);
        QCOMPARE(x.KoKind, y.KoKind);
        QCOMPARE(x.DataCount, y.DataCount);
        QCOMPARE(x.StartOffset, y.StartOffset);
        QCOMPARE(x.name, y.name);
        QVERIFY(x.stats == y.stats);
        for (int c = 1; c <= ChannelCount; ++c)
            for (int n = 1; n <= y.DataCount; ++n) {
                QCOMPARE(a.value(x.SeriesNo, c, n), e.value(y.SeriesNo, c, n));
                QCOMPARE(a.mark(x.SeriesNo, c, n), e.mark(y.SeriesNo, c, n));
            }
    }
}
} // namespace

class PeriodicFileReadoutTest : public QObject
{
    Q_OBJECT

private slots:
    // Special codes, kind 10 and humidity halves all in the scenario's records.
    void periodicFileLoadsAsTheReadoutOfTheSameRecords()
    {
        ReadoutRig rig;
        QVERIFY(rig.prepare());
        QCOMPARE(rig.startAll(), ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(rig.machine->state() != ReadoutMachine::State::Summary &&
                                     rig.machine->state() != ReadoutMachine::State::Blocks,
                                 ReadoutWaitMs);
        QCOMPARE(rig.machine->state(), ReadoutMachine::State::Taken);
        const std::unique_ptr<LogSet> readout = rig.machine->takeSet();

        CollectedData data;
        const sim::ReceiverEngine &e = rig.engine;
        data.header.oyaSlot = rig.settings.oya.slotForReadout(e.receiverId());
        data.header.oyaName = rig.settings.oya.nameOf(data.header.oyaSlot);
        data.header.intervalMinutes = e.measureMinutes();
        data.header.koCount = ScenarioKoCount;
        for (int k : {3, 1, 2}) // buffers in any order
            data.slotRecords.push_back(collectedFrom(e, k));
        const QString path = rig.dir.filePath(QStringLiteral("watch/2612010000_d.zt2"));
        QCOMPARE(writePeriodicFile(path, data), 0);

        LogSet loaded;
        QCOMPARE(loadZt2(path, rig.settings.oya, rig.settings.koNames, loaded), 0);
        compareStored(loaded, *readout);
        if (QTest::currentTestFailed())
            return;
        // The premises: the file holds codes, not raw values read as -1638.4 ℃.
        QVERIFY(loaded.ko(3).stats[0].ErrorCount > 0);
        QCOMPARE(loaded.ko(1).name, QStringLiteral("冷蔵庫Ａ"));
    }

    void storedValuesFollowTheReadoutRule_data()
    {
        QTest::addColumn<int>("raw");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<int>("stored");
        QTest::newRow("CH1 as is") << 215 << false << 215;
        QTest::newRow("lowest valid") << -998 << false << -998;
        QTest::newRow("highest valid") << 9998 << false << 9998;
        QTest::newRow("below range") << -999 << false << int(DashValue);
        QTest::newRow("above range") << 9999 << false << int(DashValue);
        QTest::newRow("C000") << int(qint16(0xC000)) << true << int(DashValue);
        QTest::newRow("8000") << int(qint16(0x8000)) << true << int(DashValue);
        QTest::newRow("E064") << int(qint16(0xE064)) << false << int(DashValue);
        QTest::newRow("E000") << int(qint16(0xE000)) << true << int(StarValue);
        QTest::newRow("F000") << int(qint16(0xF000)) << false << int(StarValue);
        QTest::newRow("humidity half down to even") << 625 << true << 62;
        QTest::newRow("humidity half up to even") << 635 << true << 64;
        QTest::newRow("humidity negative half") << -5 << true << 0;
        QTest::newRow("humidity rounds") << 627 << true << 63;
    }
    void storedValuesFollowTheReadoutRule()
    {
        QFETCH(int, raw);
        QFETCH(bool, whole);
        QFETCH(int, stored);
        QCOMPARE(int(storedValue(raw, whole)), stored);
    }

    void offsetsAboveTheMonitorsCapBecomeZero()
    {
        CollectedData data;
        data.header.intervalMinutes = 1;
        data.header.koCount = 2;
        const QDateTime t0 = wallClock(2026, 1, 1, 0, 0);
        data.slotRecords.push_back({1, 12, t0, {}, {{100, 500}}});
        data.slotRecords.push_back({2, 12, t0.addSecs(16000 * 60), {}, {{100, 500}}});
        data.slotRecords.push_back({3, 12, t0.addSecs(16001 * 60), {}, {{100, 500}}});
        auto set = std::make_unique<LogSet>();
        buildPeriodicSet(data, *set);
        QCOMPARE(set->ko(2).StartOffset, qint16(16000));
        QCOMPARE(set->ko(3).StartOffset, qint16(0));
        QCOMPARE(set->ko(3).SeriesNo, qint16(3));
    }
};

ZT_TEST(PeriodicFileReadoutTest)
#include "periodicfilereadouttest.moc"
