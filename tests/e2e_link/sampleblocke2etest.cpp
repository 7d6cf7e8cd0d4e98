#include "simrig.h"
#include "testregistry.h"

#include "link/receivercommands.h"

#include <QSignalSpy>

using namespace zt;
using namespace zt::e2e;

namespace {
// A row asking for the records from here to the newest one.
constexpr int Remainder = -1;
// A row starting just after the newest record.
constexpr int PastNewest = -2;
} // namespace

// "12" blocks as the read-out fetches them: sent asynchronously, parsed on completion.
class SampleBlockE2ETest : public QObject
{
    Q_OBJECT

    struct Exchange
    {
        bool completed = false;
        ParseResult result;
    };

    // Sends a block request for `sentTime` and parses the reply as one for `expectedTime`.
    static Exchange fetch(SimRig &rig, int koNo, int count, const QDateTime &sentTime,
                          const QDateTime &expectedTime, QStringList &records)
    {
        QSignalSpy done(&rig.link, &SerialLink::completed);
        Exchange e;
        if (!sendRequest(rig.link, blockRequest(koNo, count, sentTime)) || !done.wait(2000))
            return e;
        e.completed = rig.link.commState() == CommState::Complete;
        ReceiverValues v;
        const BlockTarget target{expectedTime, count, &records};
        e.result = ParseReply(rig.link.pendingCode(), rig.link.replyText(), koNo, v, &target);
        return e;
    }

private slots:
    void blocksCarryTheEngineRecords_data()
    {
        addModeColumn();
        QTest::addColumn<int>("first"); // index from the oldest record held
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("expected");
        for (LinkMode mode : bothModes()) {
            QTest::addRow("%s first block", modeName(mode)) << mode << 0 << 50 << 50;
            QTest::addRow("%s middle block", modeName(mode)) << mode << 50 << 50 << 50;
            QTest::addRow("%s last block asks the remainder", modeName(mode))
                << mode << Remainder << 0 << 0;
            QTest::addRow("%s more than held stops at the newest", modeName(mode))
                << mode << Remainder << 50 << 0;
            QTest::addRow("%s n = 0", modeName(mode)) << mode << 10 << 0 << 0;
            QTest::addRow("%s past the newest", modeName(mode)) << mode << PastNewest << 50 << 0;
        }
    }
    void blocksCarryTheEngineRecords()
    {
        QFETCH(LinkMode, mode);
        QFETCH(int, first);
        QFETCH(int, asked);
        QFETCH(int, expected);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        const sim::SlotState &slot = rig.engine.slot(1);
        const int held = slot.ring.size();
        QVERIFY2(held > 2 * MaxBlockRecords + 1, qPrintable(QString::number(held)));
        const int lastStart = (held - 1) / MaxBlockRecords * MaxBlockRecords;
        if (first == Remainder) {
            first = lastStart;
            expected = held - lastStart;
            if (asked == 0)
                asked = expected;
        } else if (first == PastNewest) {
            first = held;
        }
        const qint64 oldest = slot.nextSample - held;
        const QDateTime time = rig.engine.sampleTime(oldest + first);

        QStringList records{QStringLiteral("earlier")};
        const Exchange e = fetch(rig, 1, asked, time, time, records);
        QVERIFY(e.completed);
        QVERIFY(e.result.ok);
        QCOMPARE(records.size(), 1 + expected);
        for (int i = 0; i < expected; ++i) {
            const RawRecord r = slot.ring.at(first + i);
            QCOMPARE(records[1 + i], RecordField(r.ch1, r.ch2));
        }
        QCOMPARE(rig.received(),
                 QList<QByteArray>{loggedRequest(
                     "20", "12", "01" + HexField(asked, 4) + DateField(time, false))});
    }

    // The receiver answers a time between two records with an empty block: nothing
    // of another time is taken in.
    void timeOffTheGridGivesAnEmptyBlock_data() { addModeRows(); }
    void timeOffTheGridGivesAnEmptyBlock()
    {
        QFETCH(LinkMode, mode);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        const sim::SlotState &slot = rig.engine.slot(1);
        const QDateTime onGrid = rig.engine.sampleTime(slot.nextSample - 20);
        const QDateTime offGrid = onGrid.addSecs(60);
        QStringList records;
        const Exchange e = fetch(rig, 1, 10, offGrid, offGrid, records);
        QVERIFY(e.completed);
        QVERIFY(e.result.ok);
        QVERIFY(records.isEmpty());
        QCOMPARE(rig.link.replyText().mid(8), "0000" + DateField(offGrid, false) + ",");
    }

    // A full block whose first record is a minute away from what was asked for is
    // refused whole.
    void blockOneMinuteOffIsRejectedWithNothingAppended_data()
    {
        addModeColumn();
        QTest::addColumn<int>("shiftSecs");
        for (LinkMode mode : bothModes()) {
            QTest::addRow("%s a minute later", modeName(mode)) << mode << 60;
            QTest::addRow("%s a minute earlier", modeName(mode)) << mode << -60;
        }
    }
    void blockOneMinuteOffIsRejectedWithNothingAppended()
    {
        QFETCH(LinkMode, mode);
        QFETCH(int, shiftSecs);
        SimRig rig(mode);
        QVERIFY(rig.openLink());
        const sim::SlotState &slot = rig.engine.slot(1);
        const QDateTime time = rig.engine.sampleTime(slot.nextSample - 30);
        QStringList records{QStringLiteral("earlier")};
        const Exchange e = fetch(rig, 1, 20, time, time.addSecs(shiftSecs), records);
        QVERIFY(e.completed);
        QCOMPARE(rig.link.replyText().size(), 21 + 8 * 20 + 1); // the receiver sent a full block
        QVERIFY(!e.result.ok);
        QCOMPARE(e.result.blockError, BlockError::TimeMismatch);
        QCOMPARE(records, QStringList{QStringLiteral("earlier")});
    }
};

ZT_TEST(SampleBlockE2ETest)
#include "sampleblocke2etest.moc"
