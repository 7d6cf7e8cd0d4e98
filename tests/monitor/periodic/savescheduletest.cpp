#include "testregistry.h"

#include "periodic/savepaths.h"
#include "periodic/saveschedule.h"
#include "records/datetime.h"

#include <QTest>

using namespace zt;

class SaveScheduleTest : public QObject
{
    Q_OBJECT

private slots:
    void nextSaveFollowsTheHourAndType_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("hour");
        QTest::addColumn<QDateTime>("expected");
        const auto t = [](int y, int mo, int d, int h, int mi) {
            return wallClock(y, mo, d, h, mi);
        };
        QTest::newRow("daily save at 00:00 -> tomorrow 00:00")
            << t(2026, 3, 4, 0, 0) << 0 << 0 << t(2026, 3, 5, 0, 0);
        QTest::newRow("10:30 daily, 12:00 -> today")
            << t(2026, 3, 4, 10, 30) << 0 << 12 << t(2026, 3, 4, 12, 0);
        QTest::newRow("10:30 weekly, 12:00 -> today")
            << t(2026, 3, 4, 10, 30) << 1 << 12 << t(2026, 3, 4, 12, 0);
        QTest::newRow("10:30 monthly, 12:00 -> today")
            << t(2026, 3, 4, 10, 30) << 2 << 12 << t(2026, 3, 4, 12, 0);
        QTest::newRow("12:30 within the hour counts as passed")
            << t(2026, 3, 4, 12, 30) << 0 << 12 << t(2026, 3, 5, 12, 0);
        QTest::newRow("weekly at the hour -> a week on")
            << t(2026, 3, 4, 12, 0) << 1 << 12 << t(2026, 3, 11, 12, 0);
        QTest::newRow("monthly keeps the day")
            << t(2026, 3, 15, 8, 0) << 2 << 6 << t(2026, 4, 15, 6, 0);
        QTest::newRow("monthly from 31 January clamps to February's end")
            << t(2026, 1, 31, 23, 0) << 2 << 0 << t(2026, 2, 28, 0, 0);
        QTest::newRow("monthly in a leap year")
            << t(2028, 1, 31, 1, 0) << 2 << 1 << t(2028, 2, 29, 1, 0);
        QTest::newRow("daily across the year's end")
            << t(2026, 12, 31, 23, 59) << 0 << 23 << t(2027, 1, 1, 23, 0);
    }
    void nextSaveFollowsTheHourAndType()
    {
        QFETCH(QDateTime, now);
        QFETCH(int, type);
        QFETCH(int, hour);
        QFETCH(QDateTime, expected);
        QCOMPARE(nextSaveTime(now, type, hour), expected);
    }

    void resetChoosesDailyMidnightWithoutFoldersOnly()
    {
        AutoSaveSettings o;
        o.autoSave = 0;
        o.saveType = 2;
        o.saveTime = QTime(7, 0);
        o.folderMode = 1;
        o.accumulate = 1;
        resetSaveOptions(o);
        QCOMPARE(o.saveType, qint16(0));
        QCOMPARE(o.saveTime, QTime(0, 0));
        QCOMPARE(o.folderMode, qint16(0));
        QCOMPARE(o.autoSave, qint16(0));
        QCOMPARE(o.accumulate, qint16(1));
    }

    void subFoldersByWeekBeginOnSunday_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("folder");
        // December 2026 begins on a Tuesday; November 2026 on a Sunday.
        QTest::newRow("the 1st is week 1") << QDate(2026, 12, 1) << 1 << "26_12_W1";
        QTest::newRow("Saturday still week 1") << QDate(2026, 12, 5) << 1 << "26_12_W1";
        QTest::newRow("Sunday starts week 2") << QDate(2026, 12, 6) << 1 << "26_12_W2";
        QTest::newRow("last day") << QDate(2026, 12, 31) << 1 << "26_12_W5";
        QTest::newRow("month on a Sunday, 1st") << QDate(2026, 11, 1) << 1 << "26_11_W1";
        QTest::newRow("month on a Sunday, 8th") << QDate(2026, 11, 8) << 1 << "26_11_W2";
        QTest::newRow("Saturday the 1st, then Sunday the 2nd")
            << QDate(2025, 11, 2) << 1 << "25_11_W2";
        QTest::newRow("by month") << QDate(2026, 1, 9) << 2 << "26_01";
        QTest::newRow("none") << QDate(2026, 1, 9) << 0 << "";
    }
    void subFoldersByWeekBeginOnSunday()
    {
        QFETCH(QDate, date);
        QFETCH(int, mode);
        QFETCH(QString, folder);
        QCOMPARE(subFolderName(mode, QDateTime(date, QTime(0, 0), Qt::UTC)), folder);
    }

    void fileNamesTellTheKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::newRow("ending: no sub-folder") << 0 << "/d/data/watch/2612010000_mn.zt2";
        QTest::newRow("daily") << 1 << "/d/data/watch/26_12_W1/2612010000_d.zt2";
        QTest::newRow("weekly") << 2 << "/d/data/watch/26_12_W1/2612010000_w.zt2";
        QTest::newRow("monthly") << 3 << "/d/data/watch/26_12_W1/2612010000_m.zt2";
        QTest::newRow("plain") << 4 << "/d/data/watch/26_12_W1/2612010000.zt2";
        QTest::newRow("manual") << 5 << "/d/data/watch/26_12_W1/2612010000_mn.zt2";
        QTest::newRow("recovered") << 6 << "/d/data/watch/26_12_W1/2612010000_c.zt2";
    }
    void fileNamesTellTheKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, path);
        QCOMPARE(
            periodicFilePath(QStringLiteral("/d"), SaveKind(kind), 1, wallClock(2026, 12, 1, 0, 0)),
            path);
    }
};

ZT_TEST(SaveScheduleTest)
#include "savescheduletest.moc"
