#include "contactrig.h"
#include "testregistry.h"

#include <QSignalSpy>

using namespace zt;
using namespace zt::contacts;

class ContactReleaseE2ETest : public QObject
{
    Q_OBJECT

private slots:
    void releaseLetterFollowsTheReleaseType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("sent");
        QTest::newRow("data alarms only") << 0 << "00E";
        QTest::newRow("also communication and battery") << 1 << "000";
    }
    void releaseLetterFollowsTheReleaseType()
    {
        QFETCH(int, type);
        QFETCH(QString, sent);
        ContactRig rig;
        QVERIFY(rig.start());
        rig.setRelease(type);
        QTRY_VERIFY_WITH_TIMEOUT(rig.cycle.state() == CycleState::Idle, WaitMs);
        QSignalSpy ended(&rig.release, &ContactRelease::manualReleaseEnded);
        QCOMPARE(rig.release.manualRelease(), ContactRelease::Outcome::Sent);
        QCOMPARE(rig.releases(), QStringList{sent});
        QCOMPARE(rig.logTexts().last(), QStringLiteral("接点手動解除"));
        QCOMPARE(ended.count(), 1);
    }

    void manualReleaseDuringAPollRunsAtTheEndOfThatCycle()
    {
        ContactRig rig;
        QVERIFY(rig.start());
        rig.setRelease(0);
        ContactRelease::Outcome outcome = ContactRelease::Outcome::Ignored;
        int framesAtPress = -1;
        QStringList logAtPress;
        auto press = QObject::connect(&rig.cycle, &MonitorCycle::stateChanged, &rig.cycle,
                                      [&](CycleState s) {
                                          if (s != CycleState::PollSent || framesAtPress >= 0)
                                              return;
                                          framesAtPress = int(rig.server.log().received().size());
                                          outcome = rig.release.manualRelease();
                                          logAtPress = rig.logTexts();
                                      });
        QTRY_VERIFY_WITH_TIMEOUT(framesAtPress >= 0, WaitMs);
        QObject::disconnect(press);
        QCOMPARE(outcome, ContactRelease::Outcome::Deferred);
        QVERIFY(!logAtPress.contains(QStringLiteral("接点手動解除")));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.release.manualPending(), WaitMs);
        // Sent after the poll's reply, not during it, and logged then.
        const QList<QByteArray> frames = rig.server.log().received();
        qsizetype releaseAt = -1, pollAt = -1;
        for (qsizetype i = framesAtPress; i < frames.size(); ++i) {
            if (pollAt < 0 && frames.at(i).mid(6, 2) == "10")
                pollAt = i;
            if (releaseAt < 0 && frames.at(i).mid(6, 2) == "21")
                releaseAt = i;
        }
        QVERIFY(pollAt >= 0);
        QVERIFY(releaseAt > pollAt);
        QCOMPARE(rig.releases(), QStringList{QStringLiteral("00E")});
        QCOMPARE(rig.logTexts().last(), QStringLiteral("接点手動解除"));
    }

    void autoOffNeverReleasesWhileNewDataKeepShowingTheAlarm()
    {
        ContactRig rig;
        QVERIFY(rig.start());
        rig.setRelease(1, 1, 60); // "0" tells an auto-off apart from the cycle's "E"
        QVERIFY(rig.nextBatch());
        QTRY_VERIFY_WITH_TIMEOUT(rig.cycle.slot(1).ReflectedAlarmState, WaitMs);
        for (int round = 0; round < 4; ++round) {
            for (int t = 0; t < 50; ++t)
                rig.release.tick();
            QCOMPARE(rig.release.autoOffCounter(1), 50);
            QVERIFY(rig.nextBatch()); // still 35.0 ℃
            QCOMPARE(rig.release.autoOffCounter(1), 0);
        }
        QVERIFY(!rig.releases().contains(QStringLiteral("010")));
        QVERIFY(!rig.logTexts().contains(QStringLiteral("送信器01警報自動解除")));
        // Back inside the limits: the cycle clears the state and the counter stops.
        QVERIFY(rig.nextBatch(120));
        QVERIFY(rig.nextBatch());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.cycle.slot(1).ReflectedAlarmState, WaitMs);
        QVERIFY(rig.releases().contains(QStringLiteral("01E")));
        for (int t = 0; t < 100; ++t)
            rig.release.tick();
        QCOMPARE(rig.release.autoOffCounter(1), 0);
        QVERIFY(!rig.releases().contains(QStringLiteral("010")));
    }

    void autoOffReleasesAfterTheSetTimeWithoutARenewedAlarm()
    {
        ContactRig rig;
        QVERIFY(rig.start());
        rig.setRelease(1, 1, 60);
        QVERIFY(rig.nextBatch());
        QTRY_VERIFY_WITH_TIMEOUT(rig.cycle.slot(1).ReflectedAlarmState, WaitMs);
        for (int t = 0; t < 60; ++t)
            rig.release.tick();
        QVERIFY(!rig.release.autoOffDue(1));
        rig.release.tick(); // the 61st second exceeds the 60 set
        QTRY_VERIFY_WITH_TIMEOUT(rig.releases().contains(QStringLiteral("010")), WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(rig.logTexts().contains(QStringLiteral("送信器01警報自動解除")),
                                 WaitMs);
        QVERIFY(!rig.cycle.slot(1).ReflectedAlarmState);
        QVERIFY(rig.cycle.slot(1).alarmShownAfterRelease);
        QCOMPARE(rig.release.autoOffCounter(1), 0);
    }

    void singleTransmitterReleaseTurnsMonitoringOff()
    {
        ContactRig rig;
        QVERIFY(rig.start());
        rig.setRelease(0);
        QVERIFY(rig.nextBatch());
        QTRY_VERIFY_WITH_TIMEOUT(rig.cycle.slot(1).ReflectedAlarmState, WaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.cycle.isBusy(), WaitMs);
        const ContactRelease::Outcome o = rig.release.releaseSingle(1);
        QVERIFY(o == ContactRelease::Outcome::Sent || o == ContactRelease::Outcome::Deferred);
        if (o == ContactRelease::Outcome::Deferred) // caught mid-poll: confirmed again
            QTRY_COMPARE_WITH_TIMEOUT(rig.release.releaseSingle(1), ContactRelease::Outcome::Sent,
                                      WaitMs);
        QVERIFY(!rig.cycle.slot(1).AlarmMonitorOn);
        QVERIFY(!rig.cycle.slot(1).ReflectedAlarmState);
        QCOMPARE(rig.logTexts().last(), QStringLiteral("送信器01警報監視解除"));
        QVERIFY(rig.releases().contains(QStringLiteral("01E")));
    }

    void releaseFailureIsLoggedAndReported()
    {
        ContactRig rig;
        QVERIFY(rig.start());
        rig.setRelease(0);
        QTRY_VERIFY_WITH_TIMEOUT(rig.cycle.state() == CycleState::Idle, WaitMs);
        rig.cycle.stopPolling();
        rig.link.setAttempts(1);
        sim::ServerFaults silent;
        silent.noReply = true;
        rig.server.setFaults(silent);
        QSignalSpy failed(&rig.release, &ContactRelease::manualReleaseFailed);
        QCOMPARE(rig.release.manualRelease(), ContactRelease::Outcome::Failed);
        QCOMPARE(rig.logTexts().last(), QStringLiteral("接点手動解除失敗"));
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.first().at(0).toString(), QStringLiteral("接点手動解除"));
        QCOMPARE(failed.first().at(1).toString(), QStringLiteral("解除に失敗しました"));
    }
};

ZT_TEST(ContactReleaseE2ETest)
#include "contactreleasee2etest.moc"
