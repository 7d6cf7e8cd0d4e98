#include "simrig.h"
#include "testregistry.h"

#include "link/receivercommands.h"

#include <QSignalSpy>
#include <QTimer>

using namespace zt;
using namespace zt::e2e;

// The link's behaviour when the receiver misbehaves.
class LinkFaultsE2ETest : public QObject
{
    Q_OBJECT

    static bool matchesEngine(const ReceiverValues &v, const sim::ReceiverEngine &engine)
    {
        return v.ReceiverID == engine.receiverId() && v.SystemKoCount == engine.systemKoCount() &&
               v.ReceiverClock == engine.now();
    }

private slots:
    // A lost request is retried at once, four times in all, and is never carried out.
    void noReplyFailsAfterFourAttempts_data() { addModeRows(); }
    void noReplyFailsAfterFourAttempts()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        sim::ServerFaults faults;
        faults.noReply = true;
        faults.count = 4;
        rig.server.setFaults(faults);
        QSignalSpy failures(&rig.link, &SerialLink::attemptFailed);
        const qint32 id = rig.engine.receiverId();
        QVERIFY(!setRemoteMode(rig.link, id, true));
        QVERIFY(!rig.engine.remoteMode());
        const QByteArray request = loggedRequest("01", "20", QStringLiteral("0012341"));
        QCOMPARE(rig.received(), QList<QByteArray>(4, request));
        QCOMPARE(failures.size(), 4);
        for (const QList<QVariant> &f : failures)
            QCOMPARE(f.first().value<CommState>(), CommState::TimedOut);
        // the faults are used up: the same command now goes through at the first try
        QVERIFY(setRemoteMode(rig.link, id, true));
        QVERIFY(rig.engine.remoteMode());
        QCOMPARE(rig.received().size(), 5);
    }

    void refusalFailsAtOnce_data() { addModeRows(); }
    void refusalFailsAtOnce()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        sim::ServerFaults faults;
        faults.nak = true;
        rig.server.setFaults(faults);
        QSignalSpy failures(&rig.link, &SerialLink::attemptFailed);
        ReceiverValues v;
        QVERIFY(!ReadByCode(rig.link, Command::ReadSettings, 0, v));
        QVERIFY(!writeAlarmLimits(rig.link, 1, AlarmLimits{1, 2, 3, 4}));
        QCOMPARE(rig.engine.slot(1).setup.limits.high1, qint16(300)); // not carried out
        QCOMPARE(v.SystemKoCount, qint16(0));
        QCOMPARE(rig.received().size(), 2); // one frame each, no retries
        QCOMPARE(failures.size(), 0);
    }

    void noisyRepliesAreStillAccepted_data()
    {
        addModeColumn();
        QTest::addColumn<QByteArray>("garbage");
        QTest::addColumn<int>("pieces");
        for (LinkMode mode : bothModes()) {
            QTest::addRow("%s garbage before STX", modeName(mode))
                << mode << QByteArray("#\xFF?") << 0;
            // a stray end of frame before the STX must not end the wait
            QTest::addRow("%s stray ETX CR LF before STX", modeName(mode))
                << mode << QByteArray("12,\x03\r\n") << 0;
            QTest::addRow("%s split in seven", modeName(mode)) << mode << QByteArray() << 7;
            QTest::addRow("%s garbage and split", modeName(mode))
                << mode << QByteArray("\x15zz") << 4;
        }
    }
    void noisyRepliesAreStillAccepted()
    {
        QFETCH(LinkMode, mode);
        QFETCH(QByteArray, garbage);
        QFETCH(int, pieces);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        sim::ServerFaults faults;
        faults.garbage = garbage;
        faults.splitPieces = pieces;
        faults.splitDelayMs = 15; // the whole reply still well inside the time-out
        rig.server.setFaults(faults);
        QSignalSpy failures(&rig.link, &SerialLink::attemptFailed);
        ReceiverValues v;
        QVERIFY(ReadByCode(rig.link, Command::ReadIdentification, 0, v));
        QVERIFY(ReadByCode(rig.link, Command::ReadSettings, 0, v));
        QVERIFY(matchesEngine(v, rig.engine));
        QCOMPARE(rig.received().size(), 2);
        QCOMPARE(failures.size(), 0);
        if (pieces > 1)
            QVERIFY(rig.server.log().sent().size() >= 2 * pieces);
    }

    // An asynchronous request times out; its reply comes later and is thrown away,
    // and the next command gets its own reply.
    void lateReplyAfterTheTimeOutIsDiscarded_data() { addModeRows(); }
    void lateReplyAfterTheTimeOutIsDiscarded()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        sim::ServerFaults faults;
        faults.lateMs = FastTimeoutMs + 100;
        faults.count = 1;
        rig.server.setFaults(faults);
        QSignalSpy done(&rig.link, &SerialLink::completed);
        QVERIFY(sendRequest(rig.link, readRequest(Command::ReadSummary, 1)));
        QVERIFY(done.wait(2000));
        QCOMPARE(rig.link.commState(), CommState::TimedOut);
        QTRY_COMPARE(rig.server.log().sent().size(), 1);
        QVERIFY(!done.wait(FastTimeoutMs)); // no second hand-off for the late reply
        QCOMPARE(rig.link.commState(), CommState::TimedOut);
        QVERIFY(rig.link.replyText().isEmpty());

        ReceiverValues v;
        QVERIFY(ReadByCode(rig.link, Command::ReadSettings, 0, v));
        QCOMPARE(v.SystemKoCount, qint16(rig.engine.systemKoCount()));
        QCOMPARE(v.ReceiverClock, rig.engine.now());
        QCOMPARE(rig.received().size(), 2);
    }

    // A synchronous command whose first reply comes after the time-out: the retry
    // succeeds, and the stale second copy is not taken for the next command's reply.
    void lateReplyDoesNotAnswerTheNextCommand_data() { addModeRows(); }
    void lateReplyDoesNotAnswerTheNextCommand()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        sim::ServerFaults faults;
        faults.lateMs = FastTimeoutMs + 50;
        faults.count = 1;
        rig.server.setFaults(faults);
        QSignalSpy failures(&rig.link, &SerialLink::attemptFailed);
        ReceiverValues v;
        QVERIFY(ReadByCode(rig.link, Command::ReadIdentification, 0, v));
        QCOMPARE(failures.size(), 1);
        QVERIFY(ReadByCode(rig.link, Command::ReadSettings, 0, v));
        QVERIFY(matchesEngine(v, rig.engine));
        QCOMPARE(codesOf(rig.received()), QStringList({"05", "05", "06"}));
    }

    // The receiver's end goes away: the port closes by itself and the next command
    // fails instead of waiting out its time-outs.
    void hangUpClosesThePortAndTheNextCommandFails_data() { addModeRows(); }
    void hangUpClosesThePortAndTheNextCommandFails()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        ReceiverValues v;
        QVERIFY(ReadByCode(rig.link, Command::ReadIdentification, 0, v));
        rig.server.hangUp();
        QTRY_VERIFY(!rig.link.isOpen());

        rig.link.setReplyTimeout(60'000);
        bool stuck = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, &rig.link, [&] {
            stuck = true;
            rig.link.cancelWait();
        });
        watchdog.start(10'000);
        QVERIFY(!ReadByCode(rig.link, Command::ReadSettings, 0, v));
        QVERIFY(!stuck);
        QVERIFY(!rig.link.isOpen());
    }
};

ZT_TEST(LinkFaultsE2ETest)
#include "linkfaultse2etest.moc"
