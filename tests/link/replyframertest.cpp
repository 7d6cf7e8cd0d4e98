#include "testregistry.h"

#include "link/replyframer.h"

#include <QTest>

using namespace zt;

Q_DECLARE_METATYPE(zt::LinkMode)

namespace {
const QByteArray idReply = "\x02"
                           "00020051234ABCD,"
                           "\x03\r\n";

// Feeds `bytes` in chunks of `chunk` bytes and returns the last action reported.
FramerAction feedInChunks(ReplyFramer &f, const QByteArray &bytes, int chunk)
{
    FramerAction last = FramerAction::None;
    for (qsizetype i = 0; i < bytes.size(); i += chunk) {
        const FramerAction a = f.feed(bytes.mid(i, chunk));
        if (a != FramerAction::None)
            last = a;
    }
    return last;
}
} // namespace

class ReplyFramerTest : public QObject
{
    Q_OBJECT
private slots:
    void replySplitAcrossChunksIsAssembled_data()
    {
        QTest::addColumn<LinkMode>("mode");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<QByteArray>("noise");
        for (int chunk : {1, 2, 3, 7, 64}) {
            QTest::addRow("kestrel/%d", chunk) << LinkMode::Kestrel << chunk << QByteArray();
            QTest::addRow("watch/%d", chunk) << LinkMode::Watch << chunk << QByteArray();
        }
        QTest::newRow("kestrel/garbage first") << LinkMode::Kestrel << 1
                                               << QByteArray("xx\r\n\x03"
                                                             "99,");
        QTest::newRow("watch/garbage first") << LinkMode::Watch << 5
                                             << QByteArray("xx\r\n\x03"
                                                           "99,");
    }
    void replySplitAcrossChunksIsAssembled()
    {
        QFETCH(LinkMode, mode);
        QFETCH(int, chunk);
        QFETCH(QByteArray, noise);
        ReplyFramer f(mode);
        f.resetReceive();
        const FramerAction a = feedInChunks(f, noise + idReply, chunk);
        QCOMPARE(a, FramerAction::StartCmdButton);
        QCOMPARE(f.commState(), CommState::Complete);
        QCOMPARE(f.replyText(), QStringLiteral("00020051234ABCD,"));
        QVERIFY(!f.rxArmed());
    }

    void kestrelKeepsTheCarriageReturnOutOfReplyText()
    {
        ReplyFramer f(LinkMode::Kestrel);
        f.resetReceive();
        f.feed(QByteArray("\x02"
                          "00020051234ABCD,"
                          "\x03\r"));
        QCOMPARE(f.commState(), CommState::Waiting); // completes only on LF
        QCOMPARE(f.replyText().size(), 16);
        QVERIFY(f.rxBuffer().endsWith('\r'));
        QCOMPARE(f.rxCount(), 17);
        f.feed("\n");
        QCOMPARE(f.commState(), CommState::Complete);
    }

    void emptyDataReplyGivesNineCharacters_data()
    {
        QTest::addColumn<LinkMode>("mode");
        QTest::newRow("kestrel") << LinkMode::Kestrel;
        QTest::newRow("watch") << LinkMode::Watch;
    }
    void emptyDataReplyGivesNineCharacters()
    {
        QFETCH(LinkMode, mode);
        ReplyFramer f(mode);
        f.resetReceive();
        f.feed(QByteArray("\x02"
                          "0002012,,"
                          "\x03\r\n"));
        QCOMPARE(f.commState(), CommState::Complete);
        QCOMPARE(f.replyText(), QStringLiteral("0002012,,"));
    }

    void charactersWhileDisarmedAreDiscarded_data() { emptyDataReplyGivesNineCharacters_data(); }
    void charactersWhileDisarmedAreDiscarded()
    {
        QFETCH(LinkMode, mode);
        ReplyFramer f(mode);
        QCOMPARE(f.feed(idReply), FramerAction::None); // unsolicited
        f.resetReceive();
        f.feed(QByteArray("\x02"
                          "000200"));
        f.timedOut();
        QCOMPARE(f.commState(), CommState::TimedOut);
        // The late rest of the reply must not complete anything.
        QCOMPARE(f.feed(QByteArray("51234ABCD,"
                                   "\x03\r\n")),
                 FramerAction::None);
        QCOMPARE(f.commState(), CommState::TimedOut);
        // The next attempt starts clean and takes only its own reply.
        f.resetReceive();
        QVERIFY(f.rxBuffer().isEmpty());
        QVERIFY(f.replyText().isEmpty());
        f.feed(QByteArray("\x02"
                          "0002012,,"
                          "\x03\r\n"));
        QCOMPARE(f.replyText(), QStringLiteral("0002012,,"));
    }

    void frameWithoutEtxNeverShowsAnEarlierReply()
    {
        ReplyFramer f(LinkMode::Kestrel);
        f.resetReceive();
        f.feed(idReply);
        f.resetReceive();
        f.feed(QByteArray("\x02"
                          "0002005garbled\r\n"));
        QCOMPARE(f.commState(), CommState::Complete);
        QVERIFY(f.replyText().isEmpty());
    }

    void syncWaitDefersTheHandOff()
    {
        ReplyFramer kestrel(LinkMode::Kestrel);
        kestrel.setSyncWait(true);
        kestrel.resetReceive();
        QCOMPARE(kestrel.feed(idReply), FramerAction::None);
        QCOMPARE(kestrel.commState(), CommState::Complete);

        ReplyFramer watch(LinkMode::Watch);
        watch.setSyncWait(true);
        watch.resetReceive();
        QCOMPARE(watch.feed(idReply), FramerAction::StartSendWait);
        QCOMPARE(watch.commState(), CommState::Waiting); // until SendWaitTimer ticks
        watch.completeSyncWait();
        QCOMPARE(watch.commState(), CommState::Complete);
    }

    void watchIndicatorFollowsTheWait()
    {
        ReplyFramer f(LinkMode::Watch);
        QVERIFY(!f.commIndicator());
        f.resetReceive();
        QVERIFY(f.commIndicator());
        f.feed(QByteArray("\x02"
                          "000"));
        QVERIFY(f.commIndicator());
        f.feed(QByteArray("2012,,"
                          "\x03"));
        QVERIFY(!f.commIndicator());
        f.resetReceive();
        QCOMPARE(f.lineError(), FramerAction::StartCmdButton);
        QVERIFY(!f.commIndicator());
        QCOMPARE(f.commState(), CommState::LineError);
    }

    void lineErrorOnlyCountsWhileWaiting()
    {
        ReplyFramer f(LinkMode::Kestrel);
        QCOMPARE(f.lineError(), FramerAction::None);
        f.resetReceive();
        QCOMPARE(f.lineError(), FramerAction::StartCmdButton);
        QCOMPARE(f.commState(), CommState::LineError);
        QVERIFY(!f.rxArmed());
    }

    void endlessReplyIsAnOverrun_data() { emptyDataReplyGivesNineCharacters_data(); }
    void endlessReplyIsAnOverrun()
    {
        QFETCH(LinkMode, mode);
        ReplyFramer f(mode);
        f.resetReceive();
        const QByteArray flood = "\x02" + QByteArray(ReplyFramer::MaxReplyLength + 1, '0');
        QCOMPARE(feedInChunks(f, flood, 100), FramerAction::StartCmdButton);
        QCOMPARE(f.commState(), CommState::LineError);
        QVERIFY(f.rxBuffer().size() <= ReplyFramer::MaxReplyLength);
    }
};

ZT_TEST(ReplyFramerTest)
#include "replyframertest.moc"
