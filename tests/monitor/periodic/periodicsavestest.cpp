#include "testregistry.h"

#include "records/test_zt2sets.h"

#include "periodic/periodicsaves.h"
#include "records/datetime.h"
#include "records/zt2file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <set>

using namespace zt;

namespace {
constexpr int Interval = 60; // minutes

// Stands in for the cycle's buffers: hourly records for two slotRecords, each batch going
// through recordsStored as the cycle hands it over.
struct SavesRig
{
    QTemporaryDir dir;
    std::map<int, SlotRecords> buffers;
    QStringList log;
    PeriodicSaves saves{dir.filePath(QStringLiteral("docs")),
                        journalPath(dir.path()),
                        {[this] { return collect(); }, [this] { buffers.clear(); },
                         [this](const QString &t) { log << t; }}};
    int produced = 0;

    SetHeader header() const
    {
        SetHeader h;
        h.intervalMinutes = Interval;
        h.koCount = 2;
        return h;
    }
    CollectedData collect() const
    {
        CollectedData d;
        d.header = header();
        for (const auto &[k, s] : buffers)
            d.slotRecords.push_back(s);
        return d;
    }
    // One record of each slot at `t`, then the poll reply's save check at `t`.
    PeriodicSaves::CheckResult poll(const QDateTime &t)
    {
        for (int k : {1, 2}) {
            SlotRecords b{k, 12, t, {300, 100, 800, 200}, {{qint16(produced), 555}}};
            ++produced;
            SlotRecords &buf = buffers[k];
            if (buf.records.empty())
                buf = b;
            else
                buf.records.push_back(b.records[0]);
            saves.recordsStored(header(), b, false);
        }
        return saves.automaticCheck(t);
    }
    QString file(const QString &name) const
    {
        return dir.filePath(QStringLiteral("docs/data/watch/") + name);
    }
};

// (slot, time, CH1 value) of every sample of a file.
std::set<std::tuple<int, QDateTime, int>> samplesOf(const QString &path)
{
    std::set<std::tuple<int, QDateTime, int>> out;
    LogSet set;
    if (loadZt2(path, OyaRegistry(), KoNameTable(), set) != 0)
        return out;
    for (const KoSeries &s : set.series)
        for (int n = 1; n <= s.DataCount && s.HasData == 1; ++n)
            out.insert({s.KoNo, rowTime(set.startTime(), Interval, s.StartOffset + n),
                        set.value(s.SeriesNo, 1, n)});
    return out;
}

const QDateTime Evening = wallClock(2026, 3, 3, 20, 0);
} // namespace

class PeriodicSavesTest : public QObject
{
    Q_OBJECT

private slots:
    void twoDailyFilesNeverShareARecordWithAccumulateOff()
    {
        SavesRig rig;
        rig.saves.reschedule(Evening);
        QCOMPARE(rig.saves.nextSave(), wallClock(2026, 3, 4, 0, 0));
        int saved = 0;
        for (int h = 0; h < 28; ++h) // 20:00 to 23:00 the next day
            saved += rig.poll(Evening.addSecs(h * 3600)) == PeriodicSaves::CheckResult::Saved;
        QCOMPARE(saved, 1);
        for (int h = 28; h < 28 + 24; ++h)
            saved += rig.poll(Evening.addSecs(h * 3600)) == PeriodicSaves::CheckResult::Saved;
        QCOMPARE(saved, 2);
        const auto first = samplesOf(rig.file(QStringLiteral("2603040000_d.zt2")));
        const auto second = samplesOf(rig.file(QStringLiteral("2603050000_d.zt2")));
        QCOMPARE(int(first.size()), 2 * 5);   // 20:00 .. 00:00, both slotRecords
        QCOMPARE(int(second.size()), 2 * 24); // 01:00 .. 00:00
        std::set<std::tuple<int, QDateTime, int>> both;
        std::set_intersection(first.begin(), first.end(), second.begin(), second.end(),
                              std::inserter(both, both.begin()));
        QVERIFY(both.empty());
        QCOMPARE(rig.log.count(QStringLiteral("データ自動保存")), 2);
        // The records after the last save are the journal's, nothing else.
        QCOMPARE(int(rig.saves.journal().read().slotRecords.size()), 2);
        QCOMPARE(int(rig.saves.journal().read().slotRecords[0].records.size()), 23);
        QVERIFY(rig.saves.unsaved());
    }

    void accumulateOnKeepsEveryRecordInEveryFile()
    {
        SavesRig rig;
        AutoSaveSettings o;
        o.accumulate = 1;
        rig.saves.setOptions(o);
        rig.saves.reschedule(Evening);
        for (int h = 0; h <= 28; ++h)
            rig.poll(Evening.addSecs(h * 3600));
        const auto second = samplesOf(rig.file(QStringLiteral("2603050000_d.zt2")));
        QCOMPARE(int(second.size()), 2 * 29);
        QVERIFY(!rig.saves.journal().read().hasRecords());
    }

    void failedSaveKeepsEverythingAndIsRetriedAtTheNextSaveTime()
    {
        SavesRig rig;
        rig.saves.reschedule(Evening);
        // A file where the data folder belongs: no folder can be made below it.
        QVERIFY(QDir().mkpath(rig.dir.filePath(QStringLiteral("docs"))));
        QFile blocker(rig.dir.filePath(QStringLiteral("docs/data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        for (int h = 0; h < 4; ++h)
            QCOMPARE(rig.poll(Evening.addSecs(h * 3600)), PeriodicSaves::CheckResult::Nothing);
        QCOMPARE(rig.poll(Evening.addSecs(4 * 3600)), PeriodicSaves::CheckResult::Failed);
        QCOMPARE(rig.log, QStringList{QStringLiteral("データ自動保存失敗")});
        QVERIFY(rig.saves.lastError() != 0);
        QVERIFY(rig.saves.unsaved());
        QCOMPARE(int(rig.buffers[1].records.size()), 5); // not emptied
        QCOMPARE(int(rig.saves.journal().read().slotRecords[0].records.size()), 5);
        QCOMPARE(rig.saves.nextSave(), wallClock(2026, 3, 5, 0, 0));
        // Not again before the next save time.
        QCOMPARE(rig.poll(Evening.addSecs(5 * 3600)), PeriodicSaves::CheckResult::Nothing);

        QVERIFY(blocker.remove());
        for (int h = 6; h < 28; ++h)
            QCOMPARE(rig.poll(Evening.addSecs(h * 3600)), PeriodicSaves::CheckResult::Nothing);
        QCOMPARE(rig.poll(Evening.addSecs(28 * 3600)), PeriodicSaves::CheckResult::Saved);
        QCOMPARE(int(samplesOf(rig.file(QStringLiteral("2603050000_d.zt2"))).size()), 2 * 29);
        QVERIFY(!rig.saves.unsaved());
        QVERIFY(!rig.saves.journal().read().hasRecords());
        QVERIFY(!QFile::exists(rig.file(QStringLiteral("2603040000_d.zt2"))));
    }

    void failedSaveLeavesThePreviousFileUntouched()
    {
        SavesRig rig;
        rig.poll(Evening);
        const QString path = rig.saves.pathFor(SaveKind::Manual, Evening);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        // A folder of that name cannot be replaced by a file.
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
        QVERIFY(!rig.saves.manualSave(Evening));
        QCOMPARE(rig.log, QStringList{QStringLiteral("手動データ保存失敗")});
        QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
        QVERIFY(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files).isEmpty());
        QVERIFY(rig.saves.canSaveManually());
    }

    void aFullDiskLeavesThePreviousFileAsItWas()
    {
        SavesRig rig;
        for (int h = 0; h < 3; ++h)
            rig.poll(Evening.addSecs(h * 3600));
        const QString path = rig.saves.pathFor(SaveKind::Manual, Evening);
        QCOMPARE(rig.saves.save(SaveKind::Manual, Evening), 0);
        QFile before(path);
        QVERIFY(before.open(QIODevice::ReadOnly));
        const QByteArray old = before.readAll();
        before.close();
        for (int h = 3; h < 40; ++h)
            rig.poll(Evening.addSecs(h * 3600));
        // The same save again in a child whose files cannot grow past the old size.
        const int result = test::runInChild(test::fileSizeLimit(rlim_t(old.size() + 16)), [&] {
            return rig.saves.save(SaveKind::Manual, Evening);
        });
        QVERIFY2(result > 0 && result < 254, qPrintable(QString::number(result)));
        QVERIFY(before.open(QIODevice::ReadOnly));
        QCOMPARE(before.readAll(), old);
        QCOMPARE(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files),
                 QStringList{QFileInfo(path).fileName()});
        QVERIFY(rig.saves.journal().read().hasRecords()); // kept for the next attempt
    }

    void autoSaveOffOrNothingNewSavesNothing()
    {
        SavesRig rig;
        rig.saves.reschedule(Evening);
        QCOMPARE(rig.saves.automaticCheck(Evening.addSecs(5 * 3600)),
                 PeriodicSaves::CheckResult::Nothing);
        QCOMPARE(rig.saves.nextSave(), wallClock(2026, 3, 5, 0, 0));
        AutoSaveSettings off;
        off.autoSave = 0;
        rig.saves.setOptions(off);
        for (int h = 0; h < 30; ++h)
            QCOMPARE(rig.poll(Evening.addSecs(h * 3600)), PeriodicSaves::CheckResult::Nothing);
        QVERIFY(rig.log.isEmpty());
    }

    void journalLeftByACrashIsSavedAsRecoveredData()
    {
        SavesRig rig;
        for (int h = 0; h < 3; ++h)
            rig.poll(Evening.addSecs(h * 3600));
        // A new program run finds the journal.
        SavesRig next;
        QFile::remove(journalPath(next.dir.path()));
        QVERIFY(QFile::copy(journalPath(rig.dir.path()), journalPath(next.dir.path())));
        const QDateTime start = wallClock(2026, 3, 4, 8, 15);
        QCOMPARE(next.saves.recoverJournal(start), PeriodicSaves::CheckResult::Saved);
        QCOMPARE(next.log, QStringList{QStringLiteral("未保存データ復旧保存")});
        const auto recovered = samplesOf(next.file(QStringLiteral("2603040815_c.zt2")));
        QCOMPARE(int(recovered.size()), 6);
        QVERIFY(recovered.count({2, Evening.addSecs(7200), 5}));
        QVERIFY(!next.saves.journal().read().hasRecords());
        QCOMPARE(next.saves.recoverJournal(start), PeriodicSaves::CheckResult::Nothing);
    }
};

ZT_TEST(PeriodicSavesTest)
#include "periodicsavestest.moc"
