#include "monitorrig.h"
#include "testregistry.h"

#include "link/fields.h"
#include "link/receivercommands.h"
#include "records/datetime.h"

using namespace zt;
using namespace zt::monitortest;
using T = sim::ScenarioEvent::Type;

Q_DECLARE_METATYPE(zt::StartResult)

// The monitoring cycle driven end to end against the virtual receiver.
class CycleE2ETest : public QObject
{
    Q_OBJECT

    static QDateTime at(int hour, int minute) { return wallClock(2024, 5, 1, hour, minute); }

    // The receiver's record of slot 1 at `t`, as the monitor must have stored it.
    static MonitorRecord receiverRecord(MonitorRig &rig, int koNo, const QDateTime &t)
    {
        const sim::SlotState &s = rig.engine.slot(koNo);
        const qint64 step = qint64(rig.engine.measureMinutes()) * 60;
        const qint64 index = rig.engine.recordingStart().secsTo(t) / step;
        const RawRecord r = s.ring.at(int(index - (s.nextSample - s.ring.size())));
        return {r.ch1, r.ch2};
    }

private slots:
    void startSetsUpEveryRecordingSlot()
    {
        MonitorRig rig;
        QSignalSpy progress(&rig.cycle, &MonitorCycle::startProgress);
        QCOMPARE(rig.cycle.start(), StartResult::Success);
        QVERIFY(rig.cycle.monitorActive());
        QVERIFY(rig.engine.remoteMode());
        QCOMPARE(progress.size(), 1);
        QCOMPARE(rig.cycle.koCount(), 4);
        QCOMPARE(rig.cycle.maxRecords(), 8000);
        QCOMPARE(rig.cycle.receiverName(), QStringLiteral("未登録"));
        const MonitorSlot &one = rig.cycle.slot(1);
        QVERIFY(one.KoOperating);
        QCOMPARE(one.KoName, QStringLiteral("名称無し"));
        QCOMPARE(one.limits, (AlarmLimits{300, 150, 800, 300}));
        QCOMPARE(one.LastRecordTime, at(12, 0));
        QVERIFY(rig.engine.slot(1).limitsWritten); // written back, bit 7 now set
        QVERIFY(!rig.cycle.slot(3).KoOperating);
        // The newest record read at start opens the slot's buffer.
        QCOMPARE(rig.cycle.buffer(1).count(), 1);
        QCOMPARE(rig.cycle.buffer(1).newestTime(), at(12, 0));
        QCOMPARE(rig.cycle.buffer(1).newest(), receiverRecord(rig, 1, at(12, 0)));
        QCOMPARE(rig.logTexts(), QStringList{QStringLiteral("監視開始")});
        QVERIFY(rig.waitCycles(1));
        QCOMPARE(rig.cycle.state(), CycleState::Idle);
    }

    void startFailures_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<StartResult>("expected");
        QTest::newRow("receiver without transmitters") << "empty" << StartResult::NoTransmitters;
        QTest::newRow("port that cannot be opened") << "noport" << StartResult::PortFailed;
        QTest::newRow("silent receiver") << "silent" << StartResult::CommFailed;
        QTest::newRow("remote mode refused") << "nak" << StartResult::CommFailed;
    }
    void startFailures()
    {
        QFETCH(QString, setup);
        QFETCH(StartResult, expected);
        sim::Scenario scenario = sim::test::testScenario();
        if (setup == u"empty")
            scenario.transmitters.clear();
        MonitorRig rig(scenario);
        if (setup == u"noport")
            rig.link.setPortName(rig.dir.filePath(QStringLiteral("COM9")));
        sim::ServerFaults faults;
        faults.noReply = setup == u"silent";
        faults.nak = setup == u"nak";
        rig.server().setFaults(faults);
        QCOMPARE(rig.cycle.start(), expected);
        QVERIFY(!rig.cycle.monitorActive());
        QVERIFY(!rig.link.isOpen());
        QCOMPARE(rig.cycle.alarmLog().count(), 0);
        QVERIFY(!rig.pollTimer()->isActive());
    }

    // Every new record reaches the buffer once, in order, with the receiver's values.
    void newRecordsAreStoredOnce()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        QSignalSpy stored(&rig.cycle, &MonitorCycle::recordsStored);
        QVERIFY(rig.advanceAndCycle(20));
        QCOMPARE(stored.size(), 2); // slots 1 and 2
        const RecordBuffer &b = rig.cycle.buffer(1);
        QCOMPARE(b.count(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(b.timeAt(i), at(12, 10 * i));
            QCOMPARE(b.at(i), receiverRecord(rig, 1, at(12, 10 * i)));
        }
        QVERIFY(rig.logTexts().contains(
            QStringLiteral("送信器01データ受信 (24-05-01 12:10から2データ)")));
        QVERIFY(rig.cycle.slot(1).dataUpdated);
        // Nothing new: later cycles store nothing again.
        QVERIFY(rig.waitCycles(3));
        QCOMPARE(stored.size(), 2);
        QCOMPARE(b.count(), 3);
    }

    // The monitor's limit test on real batches: equality is no alarm, the missing-data
    // and no-value codes never alarm, the error codes always do.
    void limitTest_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<bool>("isCode");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("alarm");
        QTest::newRow("equal to the upper limit") << 1 << false << 300 << false;
        QTest::newRow("a tenth above the upper limit") << 1 << false << 301 << true;
        QTest::newRow("equal to the lower limit") << 1 << false << 150 << false;
        QTest::newRow("a tenth below the lower limit") << 1 << false << 149 << true;
        QTest::newRow("humidity above its limit") << 2 << false << 801 << true;
        QTest::newRow("missing data C000") << 0 << true << int(MissingCode) << false;
        QTest::newRow("no value 8000") << 1 << true << int(NoValueCode) << false;
        QTest::newRow("over range F000") << 1 << true << int(OverflowCode) << true;
        QTest::newRow("sensor error E064") << 1 << true << int(SensorErrorCode) << true;
    }
    void limitTest()
    {
        QFETCH(int, channel);
        QFETCH(bool, isCode);
        QFETCH(int, value);
        QFETCH(bool, alarm);
        sim::Scenario scenario = sim::test::testScenario();
        scenario.events << simEvent(isCode ? T::Code : T::Alarm, 1, channel, qint16(value),
                                    at(12, 5), at(12, 25));
        MonitorRig rig(scenario);
        QVERIFY(rig.startAndSettle());
        QVERIFY(rig.advanceAndCycle(20));
        const RecordBuffer &b = rig.cycle.buffer(1);
        QCOMPARE(b.count(), 3);
        const qint16 stored = channel == 2 ? b.at(1).ch2 : b.at(1).ch1;
        QCOMPARE(int(stored), value);
        QCOMPARE(rig.cycle.slot(1).AlarmState, alarm);
        QCOMPARE(rig.engine.slot(1).alarm, alarm);
        QCOMPARE(rig.logCount(QStringLiteral("送信器01データ警報発生")), alarm ? 1 : 0);
        QCOMPARE(rig.cycle.contacts().alarmOn(), alarm);
        QCOMPARE(rig.logCount(QStringLiteral("受信器 ALARM接点ON")), alarm ? 1 : 0);
    }

    // An alarm episode: raised in the receiver, then cleared with the next good batch.
    void alarmRaisedAndCleared()
    {
        sim::Scenario scenario = sim::test::testScenario();
        scenario.events << simEvent(T::Alarm, 1, 1, 355, at(12, 5), at(12, 25));
        MonitorRig rig(scenario);
        QVERIFY(rig.startAndSettle());
        QVERIFY(rig.advanceAndCycle(20));
        QVERIFY(rig.engine.slot(1).alarm);
        QVERIFY(rig.advanceAndCycle(20));
        QVERIFY(!rig.cycle.slot(1).AlarmState);
        QVERIFY(!rig.engine.slot(1).alarm);
        QVERIFY(!rig.cycle.contacts().alarmOn());
        const QStringList log = rig.logTexts();
        const auto pos = [&](const char *text) { return log.indexOf(QString::fromUtf8(text)); };
        QVERIFY(pos("送信器01データ警報発生") >= 0);
        QVERIFY(pos("送信器01データ警報発生") < pos("受信器 ALARM接点ON"));
        QVERIFY(pos("受信器 ALARM接点ON") < pos("送信器01データ警報解除"));
        QVERIFY(pos("送信器01データ警報解除") < pos("受信器 ALARM接点OFF"));
    }

    // After a reflection the receiver is polled again at once; a quiet cycle waits.
    void reflectionPollsAgainAtOnce_data()
    {
        QTest::addColumn<bool>("alarm");
        QTest::newRow("alarm reflected") << true;
        QTest::newRow("no change") << false;
    }
    void reflectionPollsAgainAtOnce()
    {
        QFETCH(bool, alarm);
        sim::Scenario scenario = sim::test::testScenario();
        if (alarm)
            scenario.events << simEvent(T::Alarm, 2, 1, 700, at(12, 5), at(12, 25));
        MonitorRig rig(scenario);
        const int hour = 3600 * 1000;
        rig.cycle.setPollInterval(hour); // only the immediate re-poll can come quickly
        QVERIFY(rig.startAndSettle());
        rig.time.advanceMinutes(20);
        rig.clearFrames();
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(1));
        const QStringList expected = alarm ? QStringList{"10", "11", "12", "11", "12", "21", "10"}
                                           : QStringList{"10", "11", "12", "11", "12"};
        QCOMPARE(rig.codes(), expected);
        QVERIFY(rig.pollTimer()->isActive());
        QCOMPARE(rig.pollTimer()->interval(), hour);
    }

    // A synchronous command owns the line: the poll that falls due waits for it and
    // nothing counts as failed.
    void pollWaitsForASynchronousCommand()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        QSignalSpy alert(&rig.cycle, &MonitorCycle::pollFailuresAlert);
        sim::ServerFaults faults;
        faults.lateMs = 4 * FastPollMs; // past the poll's due time, within the time-out
        faults.count = 1;
        rig.server().setFaults(faults);
        rig.clearFrames();
        QVERIFY(rig.pollTimer()->isActive());
        QVERIFY(releaseAlarm(rig.link, 1, QLatin1Char('E')));
        QVERIFY(rig.waitCycles(2));
        QCOMPARE(rig.codes().mid(0, 2), (QStringList{"21", "10"}));
        QCOMPARE(rig.cycle.pollFailures(), 0);
        QCOMPARE(alert.size(), 0);
    }

    // Alarm monitoring switched off for a slot: its readings raise nothing.
    void alarmMonitoringOff()
    {
        sim::Scenario scenario = sim::test::testScenario();
        scenario.events << simEvent(T::Alarm, 1, 1, 355, at(12, 5), at(12, 25));
        MonitorRig rig(scenario);
        QVERIFY(rig.startAndSettle());
        rig.cycle.disableAlarmMonitor(1);
        QVERIFY(rig.advanceAndCycle(20));
        QVERIFY(!rig.cycle.slot(1).AlarmState);
        QVERIFY(!rig.engine.slot(1).alarm);
        rig.cycle.enableAlarmMonitor(1);
        QCOMPARE(rig.cycle.alarmLog().newestAt(0).text, QStringLiteral("送信器01警報監視開始"));
    }

    // A receiver that acknowledges the alarm state but does not keep it: one immediate
    // poll, one more reflection, then the normal wait instead of a spin.
    void receiverIgnoringAlarmStatesCannotMakeItSpin()
    {
        sim::Scenario scenario = sim::test::testScenario();
        scenario.events << simEvent(T::Alarm, 1, 1, 355, at(12, 5), at(12, 25));
        MonitorRig rig(scenario);
        const int hour = 3600 * 1000;
        rig.cycle.setPollInterval(hour);
        QVERIFY(rig.startAndSettle());
        sim::ServerFaults faults;
        faults.ignoreAlarmStates = true;
        rig.server().setFaults(faults);
        rig.time.advanceMinutes(20);
        rig.clearFrames();
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(1));
        QCOMPARE(rig.codes(), (QStringList{"10", "11", "12", "11", "12", "21", "10", "11", "21"}));
        QCOMPARE(rig.pollTimer()->interval(), hour);
        QVERIFY(!rig.engine.slot(1).alarm);
    }

    // Three failed polls in a row: one log entry, one alert, and polling waits.
    void threeFailedPolls()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        QSignalSpy alert(&rig.cycle, &MonitorCycle::pollFailuresAlert);
        rig.clearFrames();
        sim::ServerFaults faults;
        faults.noReply = true;
        rig.server().setFaults(faults);
        QVERIFY(alert.wait(WaitMs));
        QCOMPARE(rig.codes(), (QStringList{"10", "10", "10"}));
        QCOMPARE(rig.logCount(QStringLiteral("通信の連続失敗")), 1);
        QCOMPARE(rig.cycle.pollFailures(), 0);
        QCOMPARE(rig.cycle.state(), CycleState::Idle);
        QVERIFY(!rig.pollTimer()->isActive());
        QTest::qWait(5 * FastTimeoutMs);
        QCOMPARE(alert.size(), 1);
        QCOMPARE(rig.codes().size(), 3);
        // "Yes": polling restarts and goes through once the receiver answers.
        rig.server().setFaults({});
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(1));
        QCOMPARE(rig.codes().size(), 4);
        QVERIFY(rig.cycle.monitorActive());
    }

    // Two failed polls, then a good one: the count starts again and nothing is shown.
    void failuresBelowThreeAreForgotten()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        QSignalSpy alert(&rig.cycle, &MonitorCycle::pollFailuresAlert);
        sim::ServerFaults faults;
        faults.noReply = true;
        faults.count = 2;
        rig.server().setFaults(faults);
        QVERIFY(rig.waitCycles(2));
        QCOMPARE(alert.size(), 0);
        QCOMPARE(rig.cycle.pollFailures(), 0);
        QCOMPARE(rig.logCount(QStringLiteral("通信の連続失敗")), 0);
    }

    // The receiver leaves remote mode: the refused poll re-enters it, logs it, and the
    // records of the meantime are still read.
    void remoteModeLeftAndReentered()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        rig.cycle.stopPolling();
        rig.server().leaveRemoteMode();
        QVERIFY(!rig.engine.remoteMode());
        rig.time.advanceMinutes(40);
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(1));
        QVERIFY(rig.engine.remoteMode());
        QCOMPARE(rig.logCount(QStringLiteral("監視再開(リモートモード再突入)")), 1);
        const RecordBuffer &b = rig.cycle.buffer(1);
        QCOMPARE(b.count(), 5);
        for (int i = 0; i < b.count(); ++i)
            QCOMPARE(b.at(i), receiverRecord(rig, 1, at(12, 10 * i)));
    }

    // The remote mode cannot be re-entered: monitoring cannot go on.
    void failedReentryCannotContinue()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        QSignalSpy cannot(&rig.cycle, &MonitorCycle::cannotContinue);
        sim::ServerFaults faults;
        faults.nak = true;
        rig.server().setFaults(faults);
        QVERIFY(cannot.wait(WaitMs));
        QCOMPARE(rig.cycle.state(), CycleState::Idle);
        QVERIFY(!rig.pollTimer()->isActive());
    }

    // The adapter is pulled: the port closes, every poll tries to open it and fails,
    // the third one alerts; plugged in again, monitoring resumes via re-entry.
    void portUnpluggedAndBack()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        QSignalSpy alert(&rig.cycle, &MonitorCycle::pollFailuresAlert);
        rig.unplug();
        QVERIFY(alert.wait(WaitMs));
        QVERIFY(!rig.link.isOpen());
        QCOMPARE(rig.logCount(QStringLiteral("通信の連続失敗")), 1);
        QVERIFY(!rig.pollTimer()->isActive()); // no retries of its own: never a busy loop
        // Still gone after "Yes": three more failed polls, another alert.
        rig.cycle.restartPolling(0);
        QVERIFY(alert.wait(WaitMs));
        QCOMPARE(alert.size(), 2);
        QVERIFY(rig.plugIn());
        rig.time.advanceMinutes(20);
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(1));
        QVERIFY(rig.link.isOpen());
        QCOMPARE(rig.logCount(QStringLiteral("監視再開(リモートモード再突入)")), 1);
        QCOMPARE(rig.cycle.buffer(1).count(), 3);
        QCOMPARE(rig.cycle.buffer(1).newest(), receiverRecord(rig, 1, at(12, 20)));
    }

    // Another receiver on the port that comes back is not taken for the first one.
    void anotherReceiverIsNotMonitored()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        QSignalSpy alert(&rig.cycle, &MonitorCycle::pollFailuresAlert);
        rig.unplug();
        sim::Scenario otherScenario = sim::test::testScenario();
        otherScenario.receiverId = 0x5678;
        sim::ReceiverEngine other(otherScenario, rig.time.source());
        QVERIFY(rig.plugIn(&other));
        QVERIFY(alert.wait(WaitMs));
        QVERIFY(!other.remoteMode());
        QCOMPARE(rig.cycle.receiverId(), 0x1234);
        QCOMPARE(rig.logCount(QStringLiteral("監視再開(リモートモード再突入)")), 0);
        QVERIFY(!rig.link.isOpen());
        rig.unplug();
    }

    // Records the receiver no longer holds become missing-data records; a gap wider
    // than the buffer empties it.
    void gapFiller_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("keptRecords");
        QTest::addColumn<int>("fillers");
        QTest::addColumn<bool>("emptied");
        QTest::newRow("three records lost") << 60 << 3 << 3 << false;
        QTest::newRow("one record lost") << 40 << 3 << 1 << false;
        QTest::newRow("gap of the buffer's size") << 8000 * 10 << 3 << 0 << true;
    }
    void gapFiller()
    {
        QFETCH(int, minutes);
        QFETCH(int, keptRecords);
        QFETCH(int, fillers);
        QFETCH(bool, emptied);
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        rig.cycle.stopPolling();
        rig.time.advanceMinutes(minutes);
        rig.engine.catchUp();
        const QDateTime newest = rig.engine.newestTime(1);
        const QDateTime firstKept = newest.addSecs(-(keptRecords - 1) * 600);
        rig.engine.forgetBefore(1, firstKept);
        QSignalSpy stored(&rig.cycle, &MonitorCycle::recordsStored);
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(1));
        QVERIFY(stored.size() >= 1);
        const StoredBatch batch = stored.first().first().value<StoredBatch>();
        QCOMPARE(batch.koNo, 1);
        QCOMPARE(batch.fillers, fillers);
        QCOMPARE(batch.bufferEmptied, emptied);
        const RecordBuffer &b = rig.cycle.buffer(1);
        QCOMPARE(b.count(), emptied ? keptRecords : 1 + fillers + keptRecords);
        QCOMPARE(b.newestTime(), newest);
        for (int i = 0; i < fillers; ++i)
            QCOMPARE(b.at(1 + i), (MonitorRecord{MissingCode, MissingCode}));
        for (int i = 0; i < keptRecords; ++i) {
            const int index = b.count() - keptRecords + i;
            QCOMPARE(b.at(index), receiverRecord(rig, 1, b.timeAt(index)));
        }
        QVERIFY(rig.logTexts().contains(QStringLiteral("送信器01データ受信 (") +
                                        logTimeText(firstKept) +
                                        QStringLiteral("から%1データ)").arg(keptRecords)));
    }

    // A spoiled block is asked for again; after three retries the next cycle reads it.
    void spoiledBlocks_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("count");
        using BF = sim::ServerFaults::BlockFault;
        QTest::newRow("first time shifted once") << int(BF::TimeShift) << 1;
        QTest::newRow("end comma missing once") << int(BF::NoEndComma) << 1;
        QTest::newRow("first time shifted four times") << int(BF::TimeShift) << 4;
    }
    void spoiledBlocks()
    {
        QFETCH(int, kind);
        QFETCH(int, count);
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        sim::ServerFaults faults;
        faults.blockFault = sim::ServerFaults::BlockFault(kind);
        faults.blockFaultCount = count;
        rig.server().setFaults(faults);
        QSignalSpy stored(&rig.cycle, &MonitorCycle::recordsStored);
        rig.time.advanceMinutes(20);
        QTRY_COMPARE_WITH_TIMEOUT(stored.size(), 2, WaitMs);
        QVERIFY(rig.waitCycles(2));
        QCOMPARE(stored.size(), 2);
        const RecordBuffer &b = rig.cycle.buffer(1);
        QCOMPARE(b.count(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(b.at(i), receiverRecord(rig, 1, at(12, 10 * i)));
    }

    // Recording restarted off the stored records' time grid: the new records cannot
    // follow them at whole intervals, so the buffer starts again rather than mis-time.
    void restartOffTheGridStartsTheBufferAgain()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        rig.cycle.stopPolling();
        const QString settings = QStringLiteral("00") + DateField(at(12, 0), true) +
                                 QStringLiteral("000A0014") + DateField(at(12, 35), false) +
                                 QStringLiteral("00");
        QCOMPARE(sim::test::ask(rig.engine, "01", "02", settings), sim::test::Ack);
        rig.time.advanceMinutes(40);
        QSignalSpy stored(&rig.cycle, &MonitorCycle::recordsStored);
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(1));
        QVERIFY(stored.size() >= 1);
        QVERIFY(stored.first().first().value<StoredBatch>().bufferEmptied);
        const RecordBuffer &b = rig.cycle.buffer(1);
        QCOMPARE(b.count(), 1);
        QCOMPARE(b.oldestTime(), at(12, 35));
        QCOMPARE(b.newest(), receiverRecord(rig, 1, at(12, 35)));
    }

    // The receiver erased its records and waits for a later recording start: the
    // summary counts 0, its time is not read, and the cycle goes on without failures.
    void emptySummaryIsNotAFailure()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        rig.cycle.stopPolling();
        const QString settings = QStringLiteral("00") + DateField(at(12, 0), true) +
                                 QStringLiteral("000A0014") + DateField(at(18, 0), false) +
                                 QStringLiteral("00");
        QCOMPARE(sim::test::ask(rig.engine, "01", "02", settings), sim::test::Ack);
        rig.clearFrames();
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(2));
        QCOMPARE(rig.codes(), (QStringList{"10", "11", "11", "10"}));
        QCOMPARE(rig.cycle.slot(1).ReadCounter, 0);
        QCOMPARE(rig.cycle.phaseRetries(), 0);
        QCOMPARE(rig.cycle.buffer(1).count(), 1);
    }

    // Battery and radio faults of a transmitter are logged when they begin and end.
    void batteryAndRadioStatus()
    {
        sim::Scenario scenario = sim::test::testScenario();
        scenario.events << simEvent(T::Battery, 2, 0, 0, at(12, 5), at(12, 25))
                        << simEvent(T::Radio, 1, 0, 0, at(12, 5), at(12, 25));
        MonitorRig rig(scenario);
        QVERIFY(rig.startAndSettle());
        QVERIFY(rig.advanceAndCycle(10));
        QVERIFY(rig.cycle.slot(2).batteryAlarm);
        QVERIFY(rig.cycle.slot(1).commFailure);
        QVERIFY(rig.cycle.contacts().batteryOn());
        QVERIFY(rig.advanceAndCycle(20));
        const QStringList log = rig.logTexts();
        for (const char *text : {"送信器02バッテリ異常", "送信器02バッテリ異常復帰",
                                 "送信器01通信不良", "送信器01通信復帰", "受信器 BATT AL接点ON"})
            QCOMPARE(log.count(QString::fromUtf8(text)), 1);
    }

    // The end of monitoring takes the receiver out of remote mode and closes the port,
    // even in the middle of an exchange.
    void stopLeavesRemoteMode_data()
    {
        QTest::addColumn<bool>("midExchange");
        QTest::newRow("between polls") << false;
        QTest::newRow("while a reply is awaited") << true;
    }
    void stopLeavesRemoteMode()
    {
        QFETCH(bool, midExchange);
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        if (midExchange) {
            sim::ServerFaults faults;
            faults.noReply = true;
            faults.count = 1;
            rig.server().setFaults(faults);
            QTRY_COMPARE_WITH_TIMEOUT(rig.cycle.state(), CycleState::PollSent, WaitMs);
        }
        QSignalSpy active(&rig.cycle, &MonitorCycle::monitorActiveChanged);
        QVERIFY(rig.cycle.stop());
        QVERIFY(!rig.engine.remoteMode());
        QVERIFY(!rig.link.isOpen());
        QVERIFY(!rig.cycle.monitorActive());
        QCOMPARE(active.size(), 1);
        QTest::qWait(3 * FastTimeoutMs);
        QVERIFY(!rig.link.isOpen()); // no poll reopens it
    }

    void stopWithASilentReceiverStillClosesThePort()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        sim::ServerFaults faults;
        faults.noReply = true;
        rig.server().setFaults(faults);
        QVERIFY(!rig.cycle.stop());
        QVERIFY(!rig.link.isOpen());
    }

    // Recording restarted (by "02" from the analysis program): the slot's limits are
    // set up again and its new records read from the first.
    void recordingRestartSetsUpTheSlot()
    {
        MonitorRig rig;
        QVERIFY(rig.startAndSettle());
        rig.cycle.stopPolling();
        const QString settings = QStringLiteral("00") + DateField(at(12, 0), true) +
                                 QStringLiteral("000A0014") + DateField(at(12, 30), false) +
                                 QStringLiteral("00");
        QCOMPARE(sim::test::ask(rig.engine, "01", "02", settings), sim::test::Ack);
        rig.time.advanceMinutes(40);
        rig.clearFrames();
        rig.cycle.restartPolling(0);
        QVERIFY(rig.waitCycles(1));
        const QStringList codes = rig.codes();
        QCOMPARE(codes.mid(0, 5), (QStringList{"10", "13", "07", "13", "07"}));
        QVERIFY(rig.engine.slot(1).limitsWritten);
        QCOMPARE(rig.logCount(QStringLiteral("送信器01収録開始(再開)")), 1);
        QCOMPARE(rig.logCount(QStringLiteral("送信器02収録開始(再開)")), 1);
        // The stored limits stay: the range ends did not change.
        QCOMPARE(rig.cycle.slot(1).limits, (AlarmLimits{300, 150, 800, 300}));
        const RecordBuffer &b = rig.cycle.buffer(1);
        QCOMPARE(b.newestTime(), at(12, 30)); // the first batch after the restart
        QCOMPARE(b.newest(), receiverRecord(rig, 1, at(12, 30)));
        QCOMPARE(b.at(1), (MonitorRecord{MissingCode, MissingCode})); // 12:10, not recorded
    }
};

ZT_TEST(CycleE2ETest)
#include "cyclee2etest.moc"
