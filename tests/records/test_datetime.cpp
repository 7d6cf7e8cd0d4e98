#include "records/datetime.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class DateTimeTest : public QObject
{
    Q_OBJECT

private slots:
    void quotientRoundsHalvesToEven_data();
    void quotientRoundsHalvesToEven();
    void realRoundsHalvesToEven_data();
    void realRoundsHalvesToEven();
    void dayCountStartsAtTheEndOf1899_data();
    void dayCountStartsAtTheEndOf1899();
    void rowTimeStepsByTheInterval_data();
    void rowTimeStepsByTheInterval();
};

void DateTimeTest::quotientRoundsHalvesToEven_data()
{
    QTest::addColumn<qint64>("num");
    QTest::addColumn<qint64>("den");
    QTest::addColumn<qint64>("result");
    QTest::newRow("exact") << qint64(6) << qint64(3) << qint64(2);
    QTest::newRow("exact negative") << qint64(-6) << qint64(3) << qint64(-2);
    QTest::newRow("2.5 down") << qint64(5) << qint64(2) << qint64(2);
    QTest::newRow("3.5 up") << qint64(7) << qint64(2) << qint64(4);
    QTest::newRow("0.5 down to 0") << qint64(1) << qint64(2) << qint64(0);
    QTest::newRow("-2.5 up") << qint64(-5) << qint64(2) << qint64(-2);
    QTest::newRow("-3.5 down") << qint64(-7) << qint64(2) << qint64(-4);
    QTest::newRow("-0.5 to 0") << qint64(-1) << qint64(2) << qint64(0);
    QTest::newRow("1/3") << qint64(1) << qint64(3) << qint64(0);
    QTest::newRow("2/3") << qint64(2) << qint64(3) << qint64(1);
    QTest::newRow("-1/3") << qint64(-1) << qint64(3) << qint64(0);
    QTest::newRow("-2/3") << qint64(-2) << qint64(3) << qint64(-1);
    QTest::newRow("15 over 10") << qint64(15) << qint64(10) << qint64(2);
    QTest::newRow("25 over 10") << qint64(25) << qint64(10) << qint64(2);
    QTest::newRow("negative divisor") << qint64(5) << qint64(-2) << qint64(-2);
    QTest::newRow("large sum") << qint64(32000) * 9998 + 16000 << qint64(32000) << qint64(9998);
}

void DateTimeTest::quotientRoundsHalvesToEven()
{
    QFETCH(qint64, num);
    QFETCH(qint64, den);
    QFETCH(qint64, result);
    QCOMPARE(roundHalfEven(num, den), result);
}

void DateTimeTest::realRoundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("result");
    QTest::newRow("0.5") << 0.5 << qint64(0);
    QTest::newRow("1.5") << 1.5 << qint64(2);
    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("-1.5") << -1.5 << qint64(-2);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("below half") << 2.4999 << qint64(2);
    QTest::newRow("above half") << 2.5001 << qint64(3);
    QTest::newRow("whole") << 7.0 << qint64(7);
}

void DateTimeTest::realRoundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(qint64, result);
    QCOMPARE(roundHalfEven(value), result);
}

void DateTimeTest::dayCountStartsAtTheEndOf1899_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<double>("days");
    QTest::newRow("day zero") << wallClock(1899, 12, 30, 0, 0) << 0.0;
    QTest::newRow("1900-01-01") << wallClock(1900, 1, 1, 0, 0) << 2.0;
    QTest::newRow("2000-01-01") << wallClock(2000, 1, 1, 0, 0) << 36526.0;
    QTest::newRow("noon") << wallClock(2000, 1, 1, 12, 0) << 36526.5;
    QTest::newRow("quarter day") << wallClock(2000, 1, 1, 6, 0) << 36526.25;
    QTest::newRow("leap day 2000") << wallClock(2000, 2, 29, 18, 0) << 36585.75;
    QTest::newRow("end of range") << wallClock(2050, 12, 31, 0, 0) << 55153.0;
}

void DateTimeTest::dayCountStartsAtTheEndOf1899()
{
    QFETCH(QDateTime, time);
    QFETCH(double, days);
    QCOMPARE(toDayCount(time), days);
    QCOMPARE(fromDayCount(days), time);
}

void DateTimeTest::rowTimeStepsByTheInterval_data()
{
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("row");
    QTest::addColumn<QDateTime>("time");
    const QDateTime start = wallClock(2024, 2, 27, 9, 30);
    QTest::newRow("row 1 is the start") << 0 << 10 << 1 << start;
    QTest::newRow("10 minutes") << 0 << 10 << 4 << wallClock(2024, 2, 27, 10, 0);
    QTest::newRow("1:30") << 1 << 30 << 3 << wallClock(2024, 2, 27, 12, 30);
    QTest::newRow("0:00 is a day, over a leap day") << 0 << 0 << 4 << wallClock(2024, 3, 1, 9, 30);
    QTest::newRow("24 hours written out") << 24 << 0 << 2 << wallClock(2024, 2, 28, 9, 30);
    QTest::newRow("last row of a full set") << 0 << 1 << 32000 << start.addSecs(qint64(31999) * 60);
}

void DateTimeTest::rowTimeStepsByTheInterval()
{
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(int, row);
    QFETCH(QDateTime, time);
    const QDateTime start = wallClock(2024, 2, 27, 9, 30);
    const QDateTime got = rowTime(start, intervalMinutes(hours, minutes), row);
    QCOMPARE(got, time);
    QCOMPARE(got.timeSpec(), Qt::UTC);
}

ZT_TEST(DateTimeTest)
#include "test_datetime.moc"
