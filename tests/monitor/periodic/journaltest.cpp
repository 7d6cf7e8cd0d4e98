#include "journalbatches.h"
#include "testregistry.h"

#include "periodic/journal.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using namespace zt;
using namespace zt::test;

namespace {
// What the buffers would hold after the first `n` batches.
std::vector<RawPair> expectedRecords(int koNo, int n)
{
    std::vector<RawPair> out;
    for (int i = 0; i < n; ++i)
        if (batch(i).koNo == koNo)
            for (const RawPair &r : batch(i).records)
                out.push_back(r);
    return out;
}

// The journal holds exactly the first `n` batches.
void compareWithFirst(const CollectedData &data, int n)
{
    QCOMPARE(int(data.slotRecords.size()), qMin(n, BatchSlots));
    for (const SlotRecords &s : data.slotRecords) {
        QCOMPARE(s.firstTime, batch(s.koNo - 1).firstTime);
        QVERIFY(s.records == expectedRecords(s.koNo, n));
        QCOMPARE(s.koKind, batch(s.koNo - 1).koKind);
    }
    QCOMPARE(data.header.oyaName, batchHeader().oyaName);
}
} // namespace

class JournalTest : public QObject
{
    Q_OBJECT

private slots:
    void batchesReadBackAsTheBuffersHoldThem()
    {
        QTemporaryDir dir;
        Journal j(journalPath(dir.path()));
        for (int i = 0; i < 7; ++i)
            QCOMPARE(j.append(batchHeader(), batch(i), false), 0);
        int entries = 0;
        compareWithFirst(j.read(&entries), 7);
        QCOMPARE(entries, 7);
        QCOMPARE(j.clear(), 0);
        QVERIFY(!j.read().hasRecords());
    }

    void tornOrDamagedLastEntryIsIgnored_data()
    {
        QTest::addColumn<int>("cut");  // bytes cut off the end
        QTest::addColumn<int>("flip"); // byte from the end to damage (0 none)
        QTest::addColumn<QByteArray>("tail");
        QTest::newRow("one byte short") << 1 << 0 << QByteArray();
        QTest::newRow("checksum missing") << 4 << 0 << QByteArray();
        QTest::newRow("half an entry") << 40 << 0 << QByteArray();
        QTest::newRow("only the frame start") << 0 << 0 << QByteArray("\x4A\x54", 2);
        QTest::newRow("damaged payload") << 0 << 9 << QByteArray();
        QTest::newRow("garbage after") << 0 << 0 << QByteArray(30, '\xFF');
    }
    void tornOrDamagedLastEntryIsIgnored()
    {
        QFETCH(int, cut);
        QFETCH(int, flip);
        QFETCH(QByteArray, tail);
        QTemporaryDir dir;
        Journal j(journalPath(dir.path()));
        const bool damageLast = cut > 0 || flip > 0;
        const int whole = damageLast ? 4 : 5;
        for (int i = 0; i < 5; ++i)
            QCOMPARE(j.append(batchHeader(), batch(i), false), 0);
        QFile f(j.path());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        bytes.chop(cut);
        if (flip > 0)
            bytes[bytes.size() - flip] = char(bytes[bytes.size() - flip] ^ 0x5A);
        bytes += tail;
        QVERIFY(f.resize(0));
        QCOMPARE(f.write(bytes), bytes.size());
        f.close();
        int entries = -1;
        compareWithFirst(j.read(&entries), whole);
        QCOMPARE(entries, whole);
    }

    void anEmptiedBufferStartsTheSlotAgain()
    {
        QTemporaryDir dir;
        Journal j(journalPath(dir.path()));
        QCOMPARE(j.append(batchHeader(), batch(0), false), 0);
        SlotRecords later = batch(3); // slot 1 again, five minutes on
        later.firstTime = later.firstTime.addSecs(3600);
        QCOMPARE(j.append(batchHeader(), later, true), 0);
        const CollectedData d = j.read();
        QCOMPARE(int(d.slotRecords.size()), 1);
        QCOMPARE(d.slotRecords[0].firstTime, later.firstTime);
        QVERIFY(d.slotRecords[0].records == later.records);
    }

    void aGapBetweenBatchesHoldsMissingData()
    {
        QTemporaryDir dir;
        Journal j(journalPath(dir.path()));
        QCOMPARE(j.append(batchHeader(), batch(0), false), 0);
        SlotRecords later = batch(3);
        later.firstTime = later.firstTime.addSecs(2 * 60); // two records missing
        QCOMPARE(j.append(batchHeader(), later, false), 0);
        const CollectedData d = j.read();
        QCOMPARE(int(d.slotRecords.size()), 1);
        QCOMPARE(int(d.slotRecords[0].records.size()), 2 * BatchRecords + 2);
        QCOMPARE(d.slotRecords[0].records[5], (RawPair{qint16(0xC000), qint16(0xC000)}));
        QCOMPARE(d.slotRecords[0].records[7], later.records[0]);
    }

    void aSlotKeepsItsNewestRecordsLikeTheBuffers()
    {
        QTemporaryDir dir;
        Journal j(journalPath(dir.path()));
        SlotRecords big = batch(0);
        big.records.assign(MaxSamples - 2, RawPair{100, 500});
        QCOMPARE(j.append(batchHeader(), big, false), 0);
        SlotRecords next = batch(0);
        next.firstTime = big.firstTime.addSecs(qint64(big.records.size()) * 60);
        QCOMPARE(j.append(batchHeader(), next, false), 0); // five more: three too many
        const CollectedData d = j.read();
        QCOMPARE(int(d.slotRecords.at(0).records.size()), MaxSamples);
        QCOMPARE(d.slotRecords.at(0).firstTime, big.firstTime.addSecs(3 * 60));
        QCOMPARE(d.slotRecords.at(0).records.back(), next.records.back());
    }

    // The writer reports a batch only once it is on disk; after SIGKILL the journal
    // holds every reported batch, whole, and nothing torn.
    void journalKeepsEveryStoredBatchThroughSigkill()
    {
        QTemporaryDir dir;
        const QString path = journalPath(dir.path());
        QProcess writer;
        writer.start(QStringLiteral(ZT_JOURNAL_WRITER), {path});
        QVERIFY(writer.waitForStarted());
        int reported = -1;
        while (reported < 20 && writer.state() == QProcess::Running) {
            if (!writer.canReadLine() && !writer.waitForReadyRead(5000))
                break;
            while (writer.canReadLine())
                reported = writer.readLine().trimmed().toInt();
        }
        QVERIFY(reported >= 20);
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(5000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        while (writer.canReadLine()) // reports still in the pipe
            reported = writer.readLine().trimmed().toInt();

        int entries = 0;
        const CollectedData d = Journal(path).read(&entries);
        QVERIFY2(entries >= reported + 1, qPrintable(QString::number(entries)));
        QVERIFY(entries <= reported + 2); // at most the batch being written when killed
        compareWithFirst(d, entries);
    }
};

ZT_TEST(JournalTest)
#include "journaltest.moc"
