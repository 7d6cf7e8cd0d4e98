#include "expectedset.h"
#include "readoutrig.h"
#include "testregistry.h"

#include <QFile>
#include <QSignalSpy>

using namespace zt;
using namespace zt::readout;

namespace {
// A range of the newest `count` samples up to the clock start.
ReadRange newestSamples(const sim::ReceiverEngine &engine, int count)
{
    const QDateTime newest = engine.newestTime(1);
    return {newest.addSecs(-qint64(count - 1) * engine.measureMinutes() * 60), newest};
}

std::array<bool, MaxKo> only(std::initializer_list<int> koNos)
{
    std::array<bool, MaxKo> chosen{};
    for (int k : koNos)
        chosen[std::size_t(k - 1)] = true;
    return chosen;
}

bool isEnd(ReadoutMachine::State s)
{
    return s != ReadoutMachine::State::Idle && s != ReadoutMachine::State::Summary &&
           s != ReadoutMachine::State::Blocks;
}

// Replaces `width` characters of a reply at ReplyText position `pos` (1-based).
QByteArray patched(QByteArray reply, int pos, const QByteArray &text)
{
    return reply.replace(pos, text.size(), text);
}

SlotTake whole(const sim::ReceiverEngine &engine, int koNo)
{
    return {koNo, 0, engine.slot(koNo).ring.size()};
}
} // namespace

class ReadoutMachineE2ETest : public QObject
{
    Q_OBJECT

private slots:
    void readOutOfSeveralTransmittersGivesTheReceiverRecords()
    {
        ReadoutRig rig;
        QVERIFY(rig.prepare());
        const sim::ReceiverEngine &e = rig.engine;
        // The scenario's premises: full slots that start at different times.
        QCOMPARE(e.slot(1).ring.size(), 1000);
        QVERIFY(e.newestTime(2) < e.newestTime(1));
        QSignalSpy states(rig.machine.get(), &ReadoutMachine::stateChanged);
        QSignalSpy slotsDone(rig.machine.get(), &ReadoutMachine::slotProgress);

        QCOMPARE(rig.startAll(), ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        QCOMPARE(rig.machine->state(), ReadoutMachine::State::Taken);
        QCOMPARE(rig.machine->statusKind(), 0);
        QVERIFY(!rig.link.isOpen());
        const std::unique_ptr<LogSet> set = rig.machine->takeSet();
        QVERIFY(set);
        const LogSet expected =
            expectedSet(e, {whole(e, 1), whole(e, 2), whole(e, 3)}, ScenarioKoCount, rig.settings);
        compareSets(*set, expected);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(set->ko(2).StartOffset, 0); // slot 2's samples start first
        QVERIFY(set->ko(1).StartOffset > 0);
        QVERIFY(set->ko(3).stats[0].ErrorCount > 0);
        QCOMPARE(slotsDone.last(), (QList<QVariant>{3, 3}));
        QCOMPARE(states.first().first().value<ReadoutMachine::State>(),
                 ReadoutMachine::State::Summary);
    }

    void readOutRecordsWhatWasReadInTheReadMarks()
    {
        ReadoutRig rig;
        QVERIFY(rig.prepare());
        QCOMPARE(rig.start(allDataRange(rig.survey.spans), only({1})),
                 ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        QCOMPARE(rig.machine->readMarksError(), 0);
        SettingsRecords fromFile;
        QCOMPARE(readSettings(SettingsFile::ReadTimes, rig.readMarksPath(), fromFile), 0);
        const sim::SlotState &slot = rig.engine.slot(1);
        const RawRecord newest = slot.ring.at(slot.ring.size() - 1);
        QCOMPARE(fromFile.readMarks[0].time,
                 rig.engine.newestTime(1).toString(QStringLiteral("yyMMddHHmm")));
        QCOMPARE(fromFile.readMarks[0].value1, newest.ch1);
        QCOMPARE(fromFile.readMarks[0].value2, newest.ch2);
        QCOMPARE(fromFile.readMarks[2], ReadMark{}); // slot 3 was not read
    }

    void rangeThatMissesASlotLeavesItOut()
    {
        ReadoutRig rig;
        QVERIFY(rig.prepare());
        const sim::ReceiverEngine &e = rig.engine;
        // From just after slot 2's newest sample to the newest of the others.
        const ReadRange range{e.newestTime(2).addSecs(60), e.newestTime(1)};
        QCOMPARE(rig.start(range, only({1, 2, 3})), ReadoutMachine::StartResult::Started);
        QCOMPARE(rig.machine->plan(2).count, 0);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        const std::unique_ptr<LogSet> set = rig.machine->takeSet();
        QVERIFY(set);
        const int count = rig.machine->plan(1).count;
        QVERIFY(count > 0);
        const int held = e.slot(1).ring.size();
        const LogSet expected = expectedSet(e, {{1, held - count, count}, {3, held - count, count}},
                                            ScenarioKoCount, rig.settings);
        compareSets(*set, expected);
        for (const char *code : {"07", "12"})
            for (const QByteArray &f : framesOf(rig.received(), code))
                QVERIFY2(!dataOf(f).startsWith("02"), f.constData());
    }

    void lastBlockAsksOnlyForTheRemainder_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("blocks");
        QTest::newRow("fewer than a block") << 19 << QList<int>{19};
        QTest::newRow("exactly one block") << 50 << QList<int>{50};
        QTest::newRow("a block and a remainder") << 73 << QList<int>{50, 23};
        QTest::newRow("remainder of one") << 101 << QList<int>{50, 50, 1};
    }
    void lastBlockAsksOnlyForTheRemainder()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, blocks);
        ReadoutRig rig;
        QVERIFY(rig.prepare());
        const ReadRange range = newestSamples(rig.engine, count);
        QCOMPARE(rig.start(range, only({1})), ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        QCOMPARE(rig.machine->state(), ReadoutMachine::State::Taken);
        QList<QByteArray> expected;
        for (int i = 0, position = 0; i < blocks.size(); position += blocks[i++]) {
            const QDateTime time = range.start.addSecs(qint64(position) * 600);
            expected << "01" + HexField(blocks[i], 4).toLatin1() +
                            DateField(time, false).toLatin1();
        }
        QList<QByteArray> sent;
        for (const QByteArray &f : framesOf(rig.received(), "12"))
            sent << dataOf(f);
        QCOMPARE(sent, expected);
    }

    void slotHoldingMoreThanTheCapacityIsReadFromItsNewest()
    {
        sim::Scenario scenario = readoutScenario();
        scenario.systemKoCount = 4; // the receiver holds 1728 samples per slot
        ReadoutRig rig(ReadoutRig::Peer::Tampering, scenario);
        // ... while it reports 17 transmitters, whose share is 1000 samples.
        rig.tampering->setTamper([](const QByteArray &request, const QByteArray &reply) {
            return codeOf('\x02' + request) == "06" ? patched(reply, 9, "11") : reply;
        });
        QVERIFY(rig.prepare());
        const int held = rig.engine.slot(1).ring.size();
        QVERIFY(held > 1000);
        QCOMPARE(rig.start(allDataRange(rig.survey.spans), only({1})),
                 ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        const std::unique_ptr<LogSet> set = rig.machine->takeSet();
        QVERIFY(set);
        compareSets(*set, expectedSet(rig.engine, {{1, held - 1000, 1000}}, 17, rig.settings));
    }

    void blockWithAnotherTimeIsRetriedAfterAFreshSummary_data()
    {
        QTest::addColumn<int>("badReplies");
        QTest::addColumn<ReadoutMachine::State>("end");
        QTest::addColumn<int>("statusKind");
        QTest::newRow("one bad reply") << 1 << ReadoutMachine::State::Taken << 0;
        QTest::newRow("three bad replies") << 3 << ReadoutMachine::State::Taken << 0;
        QTest::newRow("four bad replies") << 4 << ReadoutMachine::State::Failed << 20;
    }
    void blockWithAnotherTimeIsRetriedAfterAFreshSummary()
    {
        QFETCH(int, badReplies);
        QFETCH(ReadoutMachine::State, end);
        QFETCH(int, statusKind);
        ReadoutRig rig(ReadoutRig::Peer::Tampering);
        int blockReplies = 0;
        // The second block's replies carry the time of the record after the one asked for.
        rig.tampering->setTamper([&](const QByteArray &request, const QByteArray &reply) {
            if (codeOf('\x02' + request) != "12" || ++blockReplies < 2 ||
                blockReplies > 1 + badReplies)
                return reply;
            const QDateTime t = readDateField(QString::fromLatin1(reply.mid(13, 9)), false);
            return patched(reply, 13, DateField(t.addSecs(600), false).toLatin1());
        });
        QVERIFY(rig.prepare());
        QCOMPARE(rig.start(newestSamples(rig.engine, 73), only({1})),
                 ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        QCOMPARE(rig.machine->state(), end);
        QCOMPARE(rig.machine->statusKind(), statusKind);
        QVERIFY(!rig.link.isOpen());

        // After the first block: each failed "12" is followed by a fresh "11" and the same "12".
        QList<QByteArray> after;
        const QList<QByteArray> frames = rig.received();
        const qsizetype firstBlock = frames.indexOf(framesOf(frames, "12").first());
        for (qsizetype i = firstBlock + 1; i < frames.size(); ++i)
            after << codeOf(frames[i]);
        QList<QByteArray> expectedCodes{"12"};
        for (int i = 0; i < std::min(badReplies, 3); ++i)
            expectedCodes << "11"
                          << "12";
        if (end == ReadoutMachine::State::Taken)
            expectedCodes << "13";
        QCOMPARE(after, expectedCodes);
        const QList<QByteArray> blocks = framesOf(frames, "12");
        for (qsizetype i = 2; i < blocks.size(); ++i)
            QCOMPARE(blocks[i], blocks[1]);
        if (end == ReadoutMachine::State::Taken) {
            const std::unique_ptr<LogSet> set = rig.machine->takeSet();
            QVERIFY(set);
            const int held = rig.engine.slot(1).ring.size();
            compareSets(
                *set, expectedSet(rig.engine, {{1, held - 73, 73}}, ScenarioKoCount, rig.settings));
        } else {
            QVERIFY(!rig.machine->takeSet());
        }
    }

    void settingsChangedDuringTheReadVoidIt_data()
    {
        QTest::addColumn<QList<int>>("changedSlots");
        QTest::addColumn<int>("pos"); // ReplyText position of the changed "13" field
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("kind") << QList<int>{1} << 22 << QByteArray("11") << u"センサ :1"_qs;
        QTest::newRow("first value of two slots")
            << QList<int>{1, 3} << 24 << QByteArray("0001") << u"警報１上限 :1 :3"_qs;
        QTest::newRow("last value")
            << QList<int>{3} << 36 << QByteArray("0001") << u"警報２下限 :3"_qs;
    }
    void settingsChangedDuringTheReadVoidIt()
    {
        QFETCH(QList<int>, changedSlots);
        QFETCH(int, pos);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        ReadoutRig rig(ReadoutRig::Peer::Tampering);
        bool reading = false;
        rig.tampering->setTamper([&](const QByteArray &request, const QByteArray &reply) {
            const QByteArray frame = '\x02' + request;
            reading = reading || codeOf(frame) == "12";
            const int slot = dataOf(frame).toInt(nullptr, 16);
            if (reading && codeOf(frame) == "13" && changedSlots.contains(slot))
                return patched(reply, pos, text);
            return reply;
        });
        QVERIFY(rig.prepare());
        QCOMPARE(rig.start(newestSamples(rig.engine, 60), only({1, 2, 3})),
                 ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        QCOMPARE(rig.machine->state(), ReadoutMachine::State::Voided);
        QCOMPARE(rig.machine->statusKind(), 21);
        QCOMPARE(rig.machine->changeText(), message);
        QVERIFY(!rig.machine->takeSet());
        QVERIFY(!QFile::exists(rig.readMarksPath()));
    }

    void receiverThatStopsAnsweringEndsTheReadOut()
    {
        ReadoutRig rig;
        rig.link.setAttempts(1); // the synchronous summary re-reads give up at once
        QVERIFY(rig.prepare());
        connect(rig.machine.get(), &ReadoutMachine::sampleProgress, rig.machine.get(),
                [&](int position) {
                    sim::ServerFaults silent;
                    silent.noReply = true;
                    if (position > 0)
                        rig.server->setFaults(silent);
                });
        QCOMPARE(rig.start(newestSamples(rig.engine, 120), only({1})),
                 ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        QCOMPARE(rig.machine->state(), ReadoutMachine::State::Failed);
        QCOMPARE(rig.machine->statusKind(), 20);
        QVERIFY(!rig.machine->takeSet());
        QVERIFY(!rig.link.isOpen());
        // The first block, then four tries of the second.
        QCOMPARE(framesOf(rig.received(), "12").size(), 5);
    }

    // After the first block a batch arrives and the receiver drops its two oldest
    // samples; the second block then fails once. The refreshed plan starts later, so
    // the slot is read again from there instead of mixing records of two starts.
    void samplesDroppedDuringTheReadRestartTheSlot()
    {
        ReadoutRig rig(ReadoutRig::Peer::Tampering);
        int blockReplies = 0;
        rig.tampering->setTamper([&](const QByteArray &request, const QByteArray &reply) {
            if (codeOf('\x02' + request) != "12" || ++blockReplies != 2)
                return reply;
            return patched(reply, 13, QByteArray(9, '0'));
        });
        QVERIFY(rig.prepare());
        bool moved = false;
        connect(rig.machine.get(), &ReadoutMachine::sampleProgress, rig.machine.get(),
                [&](int position) {
                    if (position > 0 && !std::exchange(moved, true))
                        rig.time.advanceMinutes(20);
                });
        QCOMPARE(rig.start(allDataRange(rig.survey.spans), only({1})),
                 ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        const std::unique_ptr<LogSet> set = rig.machine->takeSet();
        QVERIFY(set);
        // The range still ends at the newest sample the dialog saw.
        compareSets(*set, expectedSet(rig.engine, {{1, 0, 998}}, ScenarioKoCount, rig.settings));
    }

    // Slot 1's second summary is refused: it is skipped and slot 3 becomes series 1.
    void slotWhoseSummaryReReadFailsIsSkipped()
    {
        ReadoutRig rig(ReadoutRig::Peer::Tampering);
        QVERIFY(rig.prepare());
        int summaries = 0;
        rig.tampering->setTamper([&](const QByteArray &request, const QByteArray &reply) {
            const QByteArray frame = '\x02' + request;
            const bool slotOne = codeOf(frame) == "11" && dataOf(frame) == "01";
            return slotOne && ++summaries == 2 ? sim::nakReply() : reply;
        });
        QCOMPARE(rig.start(newestSamples(rig.engine, 60), only({1, 3})),
                 ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        const std::unique_ptr<LogSet> set = rig.machine->takeSet();
        QVERIFY(set);
        const int held = rig.engine.slot(3).ring.size();
        compareSets(*set,
                    expectedSet(rig.engine, {{3, held - 60, 60}}, ScenarioKoCount, rig.settings));
    }

    void cancelBetweenBlocksKeepsTheSetAsItWas()
    {
        ReadoutRig rig;
        QVERIFY(rig.prepare());
        connect(rig.machine.get(), &ReadoutMachine::sampleProgress, rig.machine.get(),
                [&](int position) {
                    if (position > 0)
                        rig.machine->cancel();
                });
        QCOMPARE(rig.startAll(), ReadoutMachine::StartResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(isEnd(rig.machine->state()), ReadoutWaitMs);
        QCOMPARE(rig.machine->state(), ReadoutMachine::State::Cancelled);
        QCOMPARE(rig.machine->statusKind(), 10);
        QVERIFY(!rig.machine->takeSet());
        QVERIFY(!rig.link.isOpen());
        // The block in flight when Cancel came was the last one asked for.
        QCOMPARE(framesOf(rig.received(), "12").size(), 2);
        QCOMPARE(rig.settings.readMarks, ReadMarks{});
    }

    void noSampleInTheRangeStartsNothing()
    {
        ReadoutRig rig;
        QVERIFY(rig.prepare());
        const QDateTime after = rig.engine.newestTime(1).addDays(1);
        QCOMPARE(rig.start({after, after.addDays(1)}, only({1, 2, 3})),
                 ReadoutMachine::StartResult::NothingToRead);
        QCOMPARE(rig.machine->state(), ReadoutMachine::State::Idle);
        QVERIFY(framesOf(rig.received(), "12").isEmpty());
    }
};

ZT_TEST(ReadoutMachineE2ETest)
#include "readoutmachinee2etest.moc"
