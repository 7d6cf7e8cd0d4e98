#include "testregistry.h"

#include "link/porterror.h"
#include "link/receivercommands.h"
#include "link/seriallink.h"
#include "records/datetime.h"
#include "ptypeer.h"
#include "replytexts.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace zt;
namespace rt = replytexts;

Q_DECLARE_METATYPE(zt::LinkMode)

namespace {
constexpr int FastTimeoutMs = 80;

PtyPeer::Answer answer(const QString &replyText)
{
    return PtyPeer::reply(replyText.toLatin1());
}

struct Rig
{
    PtyPeer peer;
    std::unique_ptr<SerialLink> link;

    explicit Rig(LinkMode mode) : link(new SerialLink(mode, nullptr, FastTimeoutMs))
    {
        link->setPortName(peer.devicePath());
    }
};
} // namespace

class SerialLinkTest : public QObject
{
    Q_OBJECT
private slots:
    void modes_data()
    {
        QTest::addColumn<LinkMode>("mode");
        QTest::newRow("kestrel") << LinkMode::Kestrel;
        QTest::newRow("watch") << LinkMode::Watch;
    }

    void framesCarryAccessCodeAndData_data() { modes_data(); }
    void framesCarryAccessCodeAndData()
    {
        QFETCH(LinkMode, mode);
        Rig rig(mode);
        QCOMPARE(rig.link->OpenPort(), 0);
        rig.peer.queue(answer(rt::ack()));
        QVERIFY(writeAlarmLimits(*rig.link, 3, {300, -50, 800, 200}));
        QCOMPARE(rig.peer.frames().size(), 1);
        QCOMPARE(rig.peer.frames().first(), QByteArray("\x02"
                                                       "0000107,03012CFFCE032000C8,"
                                                       "\x03\r\n"));
    }

    void transactRetriesAfterTimeOutAndLineError_data()
    {
        QTest::addColumn<LinkMode>("mode");
        QTest::addColumn<bool>("lineError");
        QTest::newRow("kestrel/time-out") << LinkMode::Kestrel << false;
        QTest::newRow("kestrel/line error") << LinkMode::Kestrel << true;
        QTest::newRow("watch/time-out") << LinkMode::Watch << false;
        QTest::newRow("watch/line error") << LinkMode::Watch << true;
    }
    void transactRetriesAfterTimeOutAndLineError()
    {
        QFETCH(LinkMode, mode);
        QFETCH(bool, lineError);
        Rig rig(mode);
        rig.link->setReplyTimeout(lineError ? 60000 : FastTimeoutMs); // a line error never waits
        QCOMPARE(rig.link->OpenPort(), 0);
        // An endless reply overruns the receive buffer: the port's line error.
        const QByteArray flood = "\x02" + QByteArray(ReplyFramer::MaxReplyLength + 10, '0');
        rig.peer.queue(lineError ? PtyPeer::Answer{flood} : PtyPeer::silence());
        rig.peer.queue(answer(rt::identification(0x4321)));
        QSignalSpy failures(rig.link.get(), &SerialLink::attemptFailed);
        ReceiverValues v;
        QVERIFY(ReadByCode(*rig.link, Command::ReadIdentification, 0, v));
        QCOMPARE(v.ReceiverID, 0x4321);
        QCOMPARE(rig.peer.frames().size(), 2);
        QCOMPARE(failures.size(), 1);
        QCOMPARE(failures.first().first().value<CommState>(),
                 lineError ? CommState::LineError : CommState::TimedOut);
        QVERIFY(!rig.link->syncWait());
    }

    void transactGivesUpAfterFourAttempts()
    {
        Rig rig(LinkMode::Kestrel);
        QCOMPARE(rig.link->OpenPort(), 0);
        ReceiverValues v;
        QVERIFY(!ReadByCode(*rig.link, Command::ReadSettings, 0, v));
        QCOMPARE(rig.peer.frames().size(), 4);
    }

    void transactFailsAtOnceOnRejectedReply_data()
    {
        QTest::addColumn<LinkMode>("mode");
        QTest::addColumn<QString>("reply");
        QTest::newRow("kestrel/NAK") << LinkMode::Kestrel << rt::nak();
        QTest::newRow("kestrel/wrong length") << LinkMode::Kestrel << rt::identification(1) + "0";
        QTest::newRow("watch/NAK") << LinkMode::Watch << rt::nak();
        QTest::newRow("watch/wrong length") << LinkMode::Watch << rt::identification(1).chopped(1);
    }
    void transactFailsAtOnceOnRejectedReply()
    {
        QFETCH(LinkMode, mode);
        QFETCH(QString, reply);
        Rig rig(mode);
        QCOMPARE(rig.link->OpenPort(), 0);
        rig.peer.setResponder([&](const QByteArray &) { return answer(reply); });
        ReceiverValues v;
        QVERIFY(!ReadByCode(*rig.link, Command::ReadIdentification, 0, v));
        QCOMPARE(rig.peer.frames().size(), 1);
    }

    void nestedTransactIsRefusedWhileOneWaits()
    {
        Rig rig(LinkMode::Kestrel);
        rig.link->setReplyTimeout(5000);
        QCOMPARE(rig.link->OpenPort(), 0);
        rig.peer.setReplyDelay(20);
        rig.peer.queue(answer(rt::identification(7)));
        int nestedResult = -1;
        QTimer::singleShot(0, rig.link.get(), [&] {
            ReceiverValues other;
            nestedResult = ReadByCode(*rig.link, Command::ReadSettings, 0, other) ? 1 : 0;
        });
        ReceiverValues v;
        QVERIFY(ReadByCode(*rig.link, Command::ReadIdentification, 0, v));
        QCOMPARE(nestedResult, 0);
        QCOMPARE(v.ReceiverID, 7);
        QCOMPARE(rig.peer.frames().size(), 1);
    }

    void asyncSendHandsOffTheReply_data() { modes_data(); }
    void asyncSendHandsOffTheReply()
    {
        QFETCH(LinkMode, mode);
        Rig rig(mode);
        QCOMPARE(rig.link->OpenPort(), 0);
        const QString reply = rt::summary(3, wallClock(2024, 1, 2, 3, 4), 0, 0);
        rig.peer.queue(answer(reply));
        QSignalSpy done(rig.link.get(), &SerialLink::completed);
        QSignalSpy indicator(rig.link.get(), &SerialLink::commIndicatorChanged);
        QVERIFY(sendRequest(*rig.link, readRequest(Command::ReadSummary, 2)));
        QVERIFY(done.wait());
        QCOMPARE(done.size(), 1);
        QCOMPARE(rig.link->commState(), CommState::Complete);
        QCOMPARE(rig.link->pendingCode(), QStringLiteral("11"));
        QCOMPARE(rig.link->replyText(), reply);
        if (mode == LinkMode::Watch) {
            QCOMPARE(indicator.size(), 2); // on while waiting, off on the reply
            QVERIFY(!rig.link->commIndicator());
        }
    }

    // One failure contract: a refused asynchronous send never completes later, in
    // either mode, whether the port is closed or a synchronous command waits.
    void refusedAsyncSendNeverCompletes_data() { modes_data(); }
    void refusedAsyncSendNeverCompletes()
    {
        QFETCH(LinkMode, mode);
        Rig rig(mode);
        QSignalSpy done(rig.link.get(), &SerialLink::completed);
        if (mode == LinkMode::Watch) {
            QVERIFY(!rig.link->isOpen());
            QVERIFY(!sendRequest(*rig.link, readRequest(Command::ReadSummary, 2)));
        } else {
            // kestrel opens on demand, so refuse through a waiting Transact instead
            QCOMPARE(rig.link->OpenPort(), 0);
            bool refused = false;
            QTimer::singleShot(FastTimeoutMs / 4, rig.link.get(), [&] {
                refused = !sendRequest(*rig.link, readRequest(Command::ReadSummary, 2));
            });
            ReceiverValues v;
            QVERIFY(!ReadByCode(*rig.link, Command::ReadIdentification, 0, v));
            QVERIFY(refused);
        }
        QVERIFY(!done.wait(4 * FastTimeoutMs));
        QCOMPARE(done.size(), 0);
    }

    void asyncTimeOutHandsOffOnceAndLateReplyIsIgnored()
    {
        Rig rig(LinkMode::Kestrel);
        QCOMPARE(rig.link->OpenPort(), 0);
        QSignalSpy done(rig.link.get(), &SerialLink::completed);
        QVERIFY(sendRequest(*rig.link, readRequest(Command::ReadSummary, 2)));
        QVERIFY(done.wait());
        QCOMPARE(rig.link->commState(), CommState::TimedOut);
        rig.peer.write(
            PtyPeer::reply(rt::summary(3, wallClock(2024, 1, 2, 3, 4), 0, 0).toLatin1()).bytes);
        QVERIFY(!done.wait(3 * FastTimeoutMs));
        QCOMPARE(rig.link->commState(), CommState::TimedOut);
        QVERIFY(rig.link->replyText().isEmpty());
    }

    void hangUpClosesThePortAndFailsWithoutWaiting()
    {
        Rig rig(LinkMode::Watch);
        rig.link->setReplyTimeout(60000);
        QCOMPARE(rig.link->OpenPort(), 0);
        rig.peer.queue(PtyPeer::hangUpAnswer());
        QSignalSpy failures(rig.link.get(), &SerialLink::attemptFailed);
        ReceiverValues v;
        QVERIFY(!ReadByCode(*rig.link, Command::ReadIdentification, 0, v));
        QVERIFY(!rig.link->isOpen());
        QCOMPARE(failures.size(), 4);
        QCOMPARE(failures.first().first().value<CommState>(), CommState::LineError);
    }

    void openReportsErrorNumbers()
    {
        SerialLink missing(LinkMode::Kestrel);
        missing.setPortName(QStringLiteral("/dev/zt-no-such-port"));
        QCOMPARE(missing.OpenPort(), PortErrorNoSuchDevice);

        Rig rig(LinkMode::Kestrel);
        QCOMPARE(rig.link->OpenPort(), 0);
        QCOMPARE(rig.link->OpenPort(), 0); // already open by us: nothing to do
        SerialLink second(LinkMode::Watch);
        second.setPortName(rig.peer.devicePath());
        QCOMPARE(second.OpenPort(), PortErrorInUse);
        rig.link->ClosePort();
        QVERIFY(!rig.link->isOpen());
        QCOMPARE(second.OpenPort(), 0);
    }

    void closingWhileWaitingEndsTheWait()
    {
        Rig rig(LinkMode::Kestrel);
        rig.link->setReplyTimeout(60000);
        QCOMPARE(rig.link->OpenPort(), 0);
        connect(&rig.peer, &PtyPeer::frameReceived, rig.link.get(), [&] { rig.link->ClosePort(); });
        rig.link->setAttempts(1);
        ReceiverValues v;
        QVERIFY(!ReadByCode(*rig.link, Command::ReadIdentification, 0, v));
        QCOMPARE(rig.link->commState(), CommState::LineError);
    }
};

ZT_TEST(SerialLinkTest)
#include "seriallinktest.moc"
