#include "simrig.h"
#include "testregistry.h"

#include "link/receivercommands.h"
#include "records/datetime.h"

#include <QSignalSpy>

using namespace zt;
using namespace zt::e2e;

namespace {
AlarmLimits asLimits(const sim::ChannelPair &p)
{
    return {p.high1, p.low1, p.high2, p.low2};
}

MeasureRanges asRanges(const sim::ChannelPair &p)
{
    return {p.high1, p.low1, p.high2, p.low2};
}
} // namespace

// Every command of the table, sent by the real link to the virtual receiver.
class CommandSetE2ETest : public QObject
{
    Q_OBJECT

private slots:
    void receiverReadsMatchTheEngine_data() { addModeRows(); }
    void receiverReadsMatchTheEngine()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        ReceiverValues v;
        QVERIFY(ReadByCode(rig.link, Command::ReadIdentification, 0, v));
        QVERIFY(ReadByCode(rig.link, Command::ReadSettings, 0, v));
        QVERIFY(ReadByCode(rig.link, Command::ReadRecording, 0, v));

        QCOMPARE(v.ReceiverID, qint32(rig.engine.receiverId()));
        QCOMPARE(v.SystemKoCount, qint16(rig.engine.systemKoCount()));
        QCOMPARE(v.MeasureInterval, rig.engine.measureMinutes());
        QCOMPARE(v.CommInterval, rig.engine.commMinutes());
        QCOMPARE(v.ReceiverClock, rig.engine.now());
        QCOMPARE(v.registeredCount, int(rig.engine.registeredSlots().size()));
        for (int k = 1; k <= MaxKo; ++k) {
            const auto &s = rig.engine.slot(k);
            QCOMPARE(v.RegisteredFlags[k - 1], s.registered);
            QCOMPARE(v.RecordingFlags[k - 1], (s.slotStatus() & SlotRecordingBit) != 0);
        }
        QCOMPARE(rig.received(), QList<QByteArray>({loggedRequest("20", "05", "00"),
                                                    loggedRequest("20", "06", "00"),
                                                    loggedRequest("20", "08", "00")}));
    }

    void slotReadsMatchTheEngine_data()
    {
        addModeColumn();
        QTest::addColumn<int>("koNo");
        for (LinkMode mode : bothModes()) {
            QTest::addRow("%s humidity slot", modeName(mode)) << mode << 1;
            QTest::addRow("%s temperature-only slot", modeName(mode)) << mode << 2;
        }
    }
    void slotReadsMatchTheEngine()
    {
        QFETCH(LinkMode, mode);
        QFETCH(int, koNo);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        ReceiverValues v;
        QVERIFY(ReadByCode(rig.link, Command::ReadAlarmLimits, koNo, v));
        QVERIFY(readSummary(rig.link, koNo, v));
        QVERIFY(transactRequest(rig.link, readRequest(Command::ReadKind, koNo), v));

        const auto &s = rig.engine.slot(koNo);
        const RawRecord newest = s.ring.at(s.ring.size() - 1);
        const SlotValues &got = v.slot(koNo);
        QCOMPARE(got.limits, asLimits(s.setup.limits));
        QCOMPARE(got.DataCount, qint16(s.ring.size()));
        QCOMPARE(got.newestTime, rig.engine.newestTime(koNo));
        QCOMPARE(got.summary1, newest.ch1);
        QCOMPARE(got.summary2, newest.ch2);
        QCOMPARE(got.KoKind, qint16(s.setup.kind));
        QCOMPARE(got.ranges, asRanges(s.setup.range));
        QCOMPARE(got.latestTime, rig.engine.newestTime(koNo));
        QCOMPARE(got.LatestRecord.ch1, newest.ch1);
        QCOMPARE(got.LatestRecord.ch2, newest.ch2);
        const QString tt = HexField(koNo, 2);
        QCOMPARE(rig.received(),
                 QList<QByteArray>({loggedRequest("20", "07", tt), loggedRequest("20", "11", tt),
                                    loggedRequest("20", "13", tt)}));
    }

    // A slot without records answers "13" with count 0000: refused at once, the
    // previously read kind kept.
    void kindOfAnEmptySlotIsRejectedAtOnce_data() { addModeRows(); }
    void kindOfAnEmptySlotIsRejectedAtOnce()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        QCOMPARE(rig.engine.slot(3).ring.size(), 0);
        ReceiverValues v;
        v.slot(3).KoKind = 12;
        QVERIFY(!ReadByCode(rig.link, Command::ReadKind, 3, v));
        QCOMPARE(v.slot(3).KoKind, qint16(12));
        QCOMPARE(rig.received().size(), 1);
    }

    void writtenLimitsReachTheEngine_data() { addModeRows(); }
    void writtenLimitsReachTheEngine()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        const AlarmLimits limits{355, -105, 950, 5};
        QVERIFY(!rig.engine.slot(2).limitsWritten);
        QVERIFY(writeAlarmLimits(rig.link, 2, limits));
        QCOMPARE(asLimits(rig.engine.slot(2).setup.limits), limits);
        QVERIFY(rig.engine.slot(2).limitsWritten);
        ReceiverValues v;
        QVERIFY(ReadByCode(rig.link, Command::ReadAlarmLimits, 2, v));
        QCOMPARE(v.slot(2).limits, limits);
        QCOMPARE(rig.received().first(), loggedRequest("01", "07", "020163FF9703B60005"));
    }

    void remoteModeGatesTheStatusPoll_data() { addModeRows(); }
    void remoteModeGatesTheStatusPoll()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        const qint32 id = rig.engine.receiverId();
        ReceiverValues v;
        QVERIFY(!readStatus(rig.link, id, v)); // refused outside remote mode: no retries
        QCOMPARE(rig.received().size(), 1);
        QVERIFY(!setRemoteMode(rig.link, id + 1, true)); // another receiver's id
        QVERIFY(!rig.engine.remoteMode());

        QVERIFY(setRemoteMode(rig.link, id, true));
        QVERIFY(rig.engine.remoteMode());
        QVERIFY(readStatus(rig.link, id, v));
        QCOMPARE(v.ReceiverClock, rig.engine.now());
        QCOMPARE(v.contactDigit, qint16(rig.engine.contactDigit()));
        for (int k = 1; k <= MaxKo; ++k) {
            QCOMPARE(v.SlotStatus[k - 1], qint16(rig.engine.slot(k).slotStatus()));
            QCOMPARE(v.SlotValue[k - 1], qint16(rig.engine.slot(k).slotValue()));
        }
        QVERIFY(setRemoteMode(rig.link, id, false));
        QVERIFY(!rig.engine.remoteMode());

        const QList<QByteArray> frames = rig.received();
        QCOMPARE(frames.size(), 5);
        QCOMPARE(frames[0], loggedRequest("20", "10", QStringLiteral("001234")));
        QCOMPARE(frames[1], loggedRequest("01", "20", QStringLiteral("0012351")));
        QCOMPARE(frames[2], loggedRequest("01", "20", QStringLiteral("0012341")));
        QCOMPARE(frames[4], loggedRequest("01", "20", QStringLiteral("0012340")));
    }

    void koCountIsSetOnlyWhenTheReceiverCanTakeIt_data()
    {
        addModeColumn();
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<bool>("accepted");
        for (LinkMode mode : bothModes()) {
            QTest::addRow("%s six", modeName(mode)) << mode << 6 << true << true;
            QTest::addRow("%s thirty", modeName(mode)) << mode << 30 << true << true;
            // slot 2 is registered: the receiver refuses to orphan it
            QTest::addRow("%s below a registered slot", modeName(mode))
                << mode << 1 << true << false;
            QTest::addRow("%s zero is never sent", modeName(mode)) << mode << 0 << false << false;
            QTest::addRow("%s 31 is never sent", modeName(mode)) << mode << 31 << false << false;
        }
    }
    void koCountIsSetOnlyWhenTheReceiverCanTakeIt()
    {
        QFETCH(LinkMode, mode);
        QFETCH(int, count);
        QFETCH(bool, sent);
        QFETCH(bool, accepted);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        const int before = rig.engine.systemKoCount();
        QCOMPARE(setSystemKoCount(rig.link, count), accepted);
        QCOMPARE(rig.engine.systemKoCount(), accepted ? count : before);
        QCOMPARE(rig.received().size(), sent ? 1 : 0);
        if (sent)
            QCOMPARE(rig.received().first(), loggedRequest("01", "01", "00" + HexField(count, 2)));
        // an accepted count resizes the memory and so erases every slot's records
        QCOMPARE(rig.engine.slot(1).ring.size() == 0, accepted);
    }

    void clockAndIntervalsRestartRecording_data()
    {
        addModeColumn();
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("expectedStart");
        const QDateTime clock = wallClock(2024, 5, 1, 12, 0);
        for (LinkMode mode : bothModes()) {
            QTest::addRow("%s start later today", modeName(mode))
                << mode << clock.addSecs(3600) << clock.addSecs(3600);
            QTest::addRow("%s start already past", modeName(mode))
                << mode << clock.addSecs(-3600) << clock.addSecs(23 * 3600);
        }
    }
    void clockAndIntervalsRestartRecording()
    {
        QFETCH(LinkMode, mode);
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, expectedStart);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        const QDateTime clock = wallClock(2024, 5, 1, 12, 0, 30);
        // clock, measure 0:05, communication 0:30, start, two reserved digits
        const QString text =
            DateField(clock, true) + "0005" + "001E" + DateField(start, false) + "00";
        QVERIFY(setClockAndIntervals(rig.link, text));
        QCOMPARE(rig.engine.now(), clock);
        QCOMPARE(rig.engine.measureMinutes(), 5);
        QCOMPARE(rig.engine.commMinutes(), 30);
        QCOMPARE(rig.engine.recordingStart(), expectedStart);
        for (int k : {1, 2}) {
            QCOMPARE(rig.engine.slot(k).ring.size(), 0);
            QCOMPARE(rig.engine.slot(k).slotValue(), 0);
        }
        QCOMPARE(rig.received(), QList<QByteArray>{loggedRequest("01", "02", "00" + text)});
    }

    void releaseSetsAndClearsAlarms_data()
    {
        addModeColumn();
        QTest::addColumn<int>("koNo");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("alarm1"); // slot 1 starts in alarm
        QTest::addColumn<bool>("alarm2");
        for (LinkMode mode : bothModes()) {
            QTest::addRow("%s F holds slot 2", modeName(mode))
                << mode << 2 << QChar('F') << true << true << true;
            QTest::addRow("%s E releases slot 1", modeName(mode))
                << mode << 1 << QChar('E') << true << false << false;
            QTest::addRow("%s E of another slot", modeName(mode))
                << mode << 2 << QChar('E') << true << true << false;
            QTest::addRow("%s 0 on the receiver", modeName(mode))
                << mode << 0 << QChar('0') << true << false << false;
            QTest::addRow("%s F on the receiver is refused", modeName(mode))
                << mode << 0 << QChar('F') << false << true << false;
        }
    }
    void releaseSetsAndClearsAlarms()
    {
        QFETCH(LinkMode, mode);
        QFETCH(int, koNo);
        QFETCH(QChar, letter);
        QFETCH(bool, accepted);
        QFETCH(bool, alarm1);
        QFETCH(bool, alarm2);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        QVERIFY(releaseAlarm(rig.link, 1, QChar('F')));
        QVERIFY(rig.engine.slot(1).alarm);
        rig.clearLog();
        QCOMPARE(releaseAlarm(rig.link, koNo, letter), accepted);
        QCOMPARE(rig.engine.slot(1).alarm, alarm1);
        QCOMPARE(rig.engine.slot(2).alarm, alarm2);
        QCOMPARE(rig.engine.contactDigit() & 1, alarm1 || alarm2 ? 1 : 0);
        QCOMPARE(rig.received(),
                 QList<QByteArray>{loggedRequest("01", "21", HexField(koNo, 2) + letter)});
    }
};

ZT_TEST(CommandSetE2ETest)
#include "commandsete2etest.moc"
