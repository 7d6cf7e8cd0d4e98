#include "monitorrig.h"
#include "testregistry.h"

#include "engine/alarmlog.h"
#include "records/cp932.h"
#include "records/datetime.h"

#include <QDir>
#include <QFile>

using namespace zt;
using namespace zt::monitortest;

// The log ring and its files, alone and under the running cycle.
class AlarmLogTest : public QObject
{
    Q_OBJECT

    static QDateTime at(int hour, int minute) { return wallClock(2024, 5, 1, hour, minute); }

    static QStringList fileLines(const QString &path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = f.readAll();
        if (!bytes.endsWith("\r\n"))
            return {QStringLiteral("<no CR LF at the end>")};
        QStringList lines = fromCp932(bytes.chopped(2)).split(QStringLiteral("\r\n"));
        return lines;
    }

    static void fill(AlarmLog &log, int from, int to)
    {
        for (int i = from; i <= to; ++i)
            log.AlarmLogAppend(QStringLiteral("項目%1").arg(i));
    }

private slots:
    void the4001stEntryOverwritesTheOldest()
    {
        AlarmLog log;
        log.setReceiverClock(at(12, 0));
        QSignalSpy added(&log, &AlarmLog::entryAdded);
        fill(log, 1, 4001);
        QCOMPARE(log.count(), 4000);
        QCOMPARE(added.size(), 4001);
        QCOMPARE(log.newestAt(0).text, QStringLiteral("項目4001"));
        QCOMPARE(log.newestAt(3999).text, QStringLiteral("項目2"));
        QCOMPARE(log.oldestAt(0).text, QStringLiteral("項目2"));
        QVERIFY(log.newestAt(4000).text.isEmpty());
        QCOMPARE(log.newestAt(0).time, QStringLiteral("24-05-01 12:00"));
    }

    void wrappedLogIsWrittenOldestFirst()
    {
        QTemporaryDir dir;
        AlarmLog log;
        log.setFolder(dir.filePath(QStringLiteral("log")));
        log.setReceiverClock(at(9, 5));
        fill(log, 1, 4005);
        log.appendSlot(7, QStringLiteral("データ警報発生"));
        QCOMPARE(log.save(), AlarmLog::SaveResult::Saved);
        const QStringList lines = fileLines(dir.filePath(QStringLiteral("log/log_2405010905.txt")));
        QCOMPARE(lines.size(), 4000);
        QCOMPARE(lines.first(), QStringLiteral("24-05-01 09:05  |  項目7"));
        QCOMPARE(lines.at(3998), QStringLiteral("24-05-01 09:05  |  項目4005"));
        QCOMPARE(lines.last(), QStringLiteral("24-05-01 09:05  |  送信器07データ警報発生"));
        for (int i = 0; i < 3999; ++i)
            QVERIFY(lines.at(i).endsWith(QStringLiteral("項目%1").arg(i + 7)));
        QCOMPARE(log.count(), 0);
        QVERIFY(log.saveBlocked());
    }

    void aFileThatExistsFailsTheSave()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("log")));
        const QString path = dir.filePath(QStringLiteral("log/log_2405011200.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier\r\n");
        old.close();
        AlarmLog log;
        log.setFolder(dir.filePath(QStringLiteral("log")));
        log.setReceiverClock(at(12, 0));
        fill(log, 1, 3);
        QCOMPARE(log.manualSave(), AlarmLog::SaveResult::FileExists);
        QCOMPARE(log.count(), 4); // kept, plus the failure entry
        QCOMPARE(log.newestAt(0).text, QStringLiteral("通信・警報ログ手動保存失敗"));
        QCOMPARE(fileLines(path), QStringList{QStringLiteral("earlier")});
    }

    // Entries added after a save, saved again in the same minute (the end of
    // monitoring): they follow the earlier ones in the same file, none lost.
    void sameMinuteSaveAtTheEndKeepsEverything()
    {
        QTemporaryDir dir;
        AlarmLog log;
        log.setFolder(dir.path());
        log.setReceiverClock(at(12, 0));
        fill(log, 1, 2);
        QCOMPARE(log.save(), AlarmLog::SaveResult::Saved);
        fill(log, 3, 4);
        QCOMPARE(log.manualSave(), AlarmLog::SaveResult::Blocked); // the menu's save waits
        QCOMPARE(log.count(), 2);
        QCOMPARE(log.save(), AlarmLog::SaveResult::Saved);
        QCOMPARE(log.count(), 0);
        const QStringList lines = fileLines(dir.filePath(QStringLiteral("log_2405011200.txt")));
        QCOMPARE(lines.size(), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(lines.at(i), QStringLiteral("24-05-01 12:00  |  項目%1").arg(i + 1));
    }

    void anUnwritableFolderFailsTheSave()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("log")));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        AlarmLog log;
        log.setFolder(dir.filePath(QStringLiteral("log")));
        log.setReceiverClock(at(12, 0));
        fill(log, 1, 2);
        QCOMPARE(log.save(), AlarmLog::SaveResult::WriteFailed);
        QCOMPARE(log.count(), 2);
        QVERIFY(!log.saveBlocked());
    }

    void manualSaveOfAnEmptyLogDoesNothing()
    {
        QTemporaryDir dir;
        AlarmLog log;
        log.setFolder(dir.path());
        log.setReceiverClock(at(12, 0));
        QCOMPARE(log.manualSave(), AlarmLog::SaveResult::Empty);
        QCOMPARE(log.count(), 0);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void nextDailySave_data()
    {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("next");
        QTest::newRow("later today") << 12 << at(10, 30) << at(12, 0);
        QTest::newRow("at the hour: tomorrow") << 12 << at(12, 0) << at(12, 0).addDays(1);
        QTest::newRow("passed: tomorrow") << 0 << at(0, 1) << at(0, 0).addDays(1);
        QTest::newRow("last hour of the day") << 23 << at(22, 59) << at(23, 0);
    }
    void nextDailySave()
    {
        QFETCH(int, hour);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, next);
        AlarmLog log;
        log.setSaveHour(hour);
        log.scheduleNextDailySave(now);
        QCOMPARE(log.nextDailySave(), next);
    }

    // Under the running cycle: a full log is saved at the next poll; a second save in
    // the same receiver minute is blocked until the minute changes.
    void fullLogSavedAtNextPollAndSameMinuteBlocked()
    {
        MonitorRig rig;
        rig.cycle.alarmLog().setSaveHour(23);
        QVERIFY(rig.startAndSettle());
        AlarmLog &log = rig.cycle.alarmLog();
        fill(log, log.count() + 1, 4000);
        QVERIFY(rig.waitCycles(1));
        const QString first = rig.logFolder() + QStringLiteral("/log_2405011200.txt");
        QCOMPARE(fileLines(first).size(), 4000);
        QCOMPARE(fileLines(first).first(), QStringLiteral("24-05-01 12:00  |  監視開始"));
        QCOMPARE(rig.logTexts(), QStringList{QStringLiteral("通信・警報ログ自動保存")});
        QVERIFY(log.saveBlocked());
        fill(log, 2, 4000);
        QVERIFY(rig.waitCycles(2));
        QCOMPARE(log.count(), 4000); // same minute: kept, no second file
        QCOMPARE(QDir(rig.logFolder()).entryList(QDir::Files).size(), 1);
        QVERIFY(rig.advanceAndCycle(1));
        QVERIFY(QFile::exists(rig.logFolder() + QStringLiteral("/log_2405011201.txt")));
        QCOMPARE(log.newestAt(0).text, QStringLiteral("通信・警報ログ自動保存"));
    }

    // The daily save at the save hour, once, then the next day's.
    void dailySaveAtTheSaveHour()
    {
        MonitorRig rig;
        rig.cycle.alarmLog().setSaveHour(13);
        QVERIFY(rig.startAndSettle());
        QCOMPARE(rig.cycle.alarmLog().nextDailySave(), at(13, 0));
        QVERIFY(rig.advanceAndCycle(59));
        QVERIFY(QDir(rig.logFolder()).entryList(QDir::Files).isEmpty());
        QVERIFY(rig.advanceAndCycle(1));
        QCOMPARE(QDir(rig.logFolder()).entryList(QDir::Files),
                 QStringList{QStringLiteral("log_2405011300.txt")});
        QCOMPARE(rig.cycle.alarmLog().nextDailySave(), at(13, 0).addDays(1));
        QVERIFY(rig.advanceAndCycle(2));
        QCOMPARE(QDir(rig.logFolder()).entryList(QDir::Files).size(), 1);
    }

    // A failing automatic save keeps the entries and says so in the log.
    void failedAutomaticSaveKeepsTheLog()
    {
        MonitorRig rig;
        QFile blocker(rig.logFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        rig.cycle.alarmLog().setSaveHour(13);
        QVERIFY(rig.startAndSettle());
        QVERIFY(rig.advanceAndCycle(60));
        QVERIFY(rig.waitCycles(3)); // retried at every poll ...
        QVERIFY(rig.logTexts().contains(QStringLiteral("監視開始")));
        QCOMPARE(rig.logCount(QStringLiteral("通信・警報ログ自動保存失敗")), 1); // ... told once
        QFile::remove(rig.logFolder());
        QVERIFY(rig.waitCycles(1));
        QCOMPARE(rig.cycle.alarmLog().newestAt(0).text, QStringLiteral("通信・警報ログ自動保存"));
    }
};

ZT_TEST(AlarmLogTest)
#include "alarmlogtest.moc"
