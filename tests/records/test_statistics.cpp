#include "records/statistics.h"
#include "testregistry.h"

#include <QTest>
#include <memory>

using namespace zt;

namespace {

// KoNo 1 with SeriesNo 1 and the given samples on both channels.
std::unique_ptr<LogSet> oneSeries(int koKind, const QList<int> &ch1, const QList<int> &ch2)
{
    auto set = std::make_unique<LogSet>();
    KoSeries &s = set->ko(1);
    s.HasData = 1;
    s.SeriesNo = 1;
    s.KoKind = qint16(koKind);
    s.DataCount = qint16(qMax(ch1.size(), ch2.size()));
    for (int n = 0; n < ch1.size(); ++n)
        set->value(1, 1, n + 1) = qint16(ch1[n]);
    for (int n = 0; n < ch2.size(); ++n)
        set->value(1, 2, n + 1) = qint16(ch2[n]);
    return set;
}

ChannelStats stats(int errors, int max, int min, int avg)
{
    return ChannelStats{qint16(errors), qint16(max), qint16(min), qint16(avg)};
}

} // namespace

Q_DECLARE_METATYPE(zt::ChannelStats)

namespace QTest {
template <> char *toString(const ChannelStats &s)
{
    return qstrdup(QByteArray("err ") + QByteArray::number(s.ErrorCount) + " max " +
                   QByteArray::number(s.MaxValue) + " min " + QByteArray::number(s.MinValue) +
                   " avg " + QByteArray::number(s.AvgValue));
}
} // namespace QTest

class StatisticsTest : public QObject
{
    Q_OBJECT

private slots:
    void samplesGiveErrorCountExtremesAndAverage_data();
    void samplesGiveErrorCountExtremesAndAverage();
    void slotWithoutSamplesKeepsStartingValues_data();
    void slotWithoutSamplesKeepsStartingValues();
    void startIsEarliestFirstSampleAndOffsetsAreRounded_data();
    void startIsEarliestFirstSampleAndOffsetsAreRounded();
    void startFieldsTakeTheEarliestTime();
    void slotsWithoutDataGetOffsetZero();
    void alarmMarkIsSetOnlyStrictlyOutsideTheLimits_data();
    void alarmMarkIsSetOnlyStrictlyOutsideTheLimits();
};

void StatisticsTest::samplesGiveErrorCountExtremesAndAverage_data()
{
    QTest::addColumn<int>("koKind");
    QTest::addColumn<QList<int>>("ch1");
    QTest::addColumn<QList<int>>("ch2");
    QTest::addColumn<ChannelStats>("stats1");
    QTest::addColumn<ChannelStats>("stats2");

    const QList<int> plain{100, 200, 300};
    QTest::newRow("all special") << 0 << QList<int>{8191, 16383, 8191}
                                 << QList<int>{16383, 16383, 16383} << stats(3, 8191, 8191, 8191)
                                 << stats(3, 8191, 8191, 8191);
    QTest::newRow("specials are counted, not averaged")
        << 0 << QList<int>{100, 8191, 200, 16383} << QList<int>{50, 60, 70, 80}
        << stats(2, 200, 100, 150) << stats(0, 80, 50, 65);
    QTest::newRow("half rounds down to even")
        << 0 << QList<int>{2, 3} << QList<int>{-2, -3} << stats(0, 3, 2, 2) << stats(0, -2, -3, -2);
    QTest::newRow("half rounds up to even")
        << 0 << QList<int>{3, 4} << QList<int>{-3, -4} << stats(0, 4, 3, 4) << stats(0, -3, -4, -4);
    QTest::newRow("thirds round to nearest") << 0 << QList<int>{1, 1, 2} << QList<int>{-1, -2, -2}
                                             << stats(0, 2, 1, 1) << stats(0, -1, -2, -2);
    QTest::newRow("values beyond the starting extremes")
        << 0 << QList<int>{-998, 9998} << QList<int>{4000, 4000} << stats(0, 9998, -998, 4500)
        << stats(0, 4000, 4000, 4000);
    QTest::newRow("kind 10 has no channel 2")
        << 10 << plain << plain << stats(0, 300, 100, 200) << stats(0, 8191, 8191, 8191);
    QTest::newRow("kind 11 walks both") << 11 << plain << QList<int>{-10, 8191, -30}
                                        << stats(0, 300, 100, 200) << stats(1, -10, -30, -20);
    QTest::newRow("kind 12 walks both")
        << 12 << plain << plain << stats(0, 300, 100, 200) << stats(0, 300, 100, 200);
}

void StatisticsTest::samplesGiveErrorCountExtremesAndAverage()
{
    QFETCH(int, koKind);
    QFETCH(QList<int>, ch1);
    QFETCH(QList<int>, ch2);
    QFETCH(ChannelStats, stats1);
    QFETCH(ChannelStats, stats2);
    auto set = oneSeries(koKind, ch1, ch2);
    set->ko(1).stats[0].ErrorCount = 99; // left over from an earlier run
    computeStatistics(*set);
    QCOMPARE(set->ko(1).stats[0], stats1);
    QCOMPARE(set->ko(1).stats[1], stats2);
}

void StatisticsTest::slotWithoutSamplesKeepsStartingValues_data()
{
    QTest::addColumn<int>("hasData");
    QTest::addColumn<int>("koKind");
    QTest::addColumn<ChannelStats>("stats1");
    QTest::addColumn<ChannelStats>("stats2");
    // The averages start at 42 and 43 and must be left alone where no value is computed.
    QTest::newRow("has data, no samples")
        << 1 << 0 << stats(0, 8191, 8191, 8191) << stats(0, -3275, 3275, 43);
    QTest::newRow("has data, no samples, kind 10")
        << 1 << 10 << stats(0, 8191, 8191, 8191) << stats(0, 8191, 8191, 8191);
    QTest::newRow("no data") << 0 << 0 << stats(0, -3275, 3275, 42) << stats(0, -3275, 3275, 43);
    QTest::newRow("no data, kind 10")
        << 0 << 10 << stats(0, -3275, 3275, 42) << stats(0, -3275, 3275, 43);
}

void StatisticsTest::slotWithoutSamplesKeepsStartingValues()
{
    QFETCH(int, hasData);
    QFETCH(int, koKind);
    QFETCH(ChannelStats, stats1);
    QFETCH(ChannelStats, stats2);
    auto set = oneSeries(koKind, {}, {});
    KoSeries &s = set->ko(1);
    s.HasData = qint16(hasData);
    s.stats[0] = stats(5, 1, 1, 42);
    s.stats[1] = stats(5, 1, 1, 43);
    computeStatistics(*set);
    QCOMPARE(s.stats[0], stats1);
    QCOMPARE(s.stats[1], stats2);
}

namespace {
const QDateTime base = wallClock(2024, 3, 10, 8, 0);
}

void StatisticsTest::startIsEarliestFirstSampleAndOffsetsAreRounded_data()
{
    QTest::addColumn<int>("interval");            // minutes, 0 = 0:00
    QTest::addColumn<QList<int>>("firstMinutes"); // first sample of KoNo 1, 2, ... after base
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("startMinutes");
    QTest::addColumn<QList<int>>("offsets");

    QTest::newRow("1.5 intervals round to 2")
        << 10 << QList<int>{0, 15} << QList<int>{5, 5} << 0 << QList<int>{0, 2};
    QTest::newRow("2.5 intervals round to 2")
        << 10 << QList<int>{0, 25} << QList<int>{5, 5} << 0 << QList<int>{0, 2};
    QTest::newRow("3.5 intervals round to 4")
        << 10 << QList<int>{0, 35} << QList<int>{5, 5} << 0 << QList<int>{0, 4};
    QTest::newRow("below a half rounds down")
        << 10 << QList<int>{0, 14} << QList<int>{5, 5} << 0 << QList<int>{0, 1};
    QTest::newRow("earliest need not be the first KoNo")
        << 10 << QList<int>{40, 10, 20} << QList<int>{5, 5, 5} << 10 << QList<int>{3, 0, 1};
    QTest::newRow("equal first times")
        << 10 << QList<int>{30, 30} << QList<int>{5, 5} << 30 << QList<int>{0, 0};
    QTest::newRow("hours and minutes interval")
        << 90 << QList<int>{0, 135, 225} << QList<int>{5, 5, 5} << 0 << QList<int>{0, 2, 2};
    QTest::newRow("0:00 counts whole days")
        << 0 << QList<int>{0, 1440, 36 * 60, 60 * 60, 35 * 60} << QList<int>{5, 5, 5, 5, 5} << 0
        << QList<int>{0, 1, 2, 2, 1};
    QTest::newRow("offset plus count 32000 stays")
        << 1 << QList<int>{0, 100} << QList<int>{5, 31900} << 0 << QList<int>{0, 100};
    QTest::newRow("offset plus count 32001 becomes 0")
        << 1 << QList<int>{0, 100} << QList<int>{5, 31901} << 0 << QList<int>{0, 0};
}

void StatisticsTest::startIsEarliestFirstSampleAndOffsetsAreRounded()
{
    QFETCH(int, interval);
    QFETCH(QList<int>, firstMinutes);
    QFETCH(QList<int>, counts);
    QFETCH(int, startMinutes);
    QFETCH(QList<int>, offsets);
    auto set = std::make_unique<LogSet>();
    set->setInterval(interval);
    for (int i = 0; i < firstMinutes.size(); ++i) {
        KoSeries &s = set->ko(i + 1);
        s.HasData = 1;
        s.SeriesNo = qint16(i + 1);
        s.DataCount = qint16(counts[i]);
        s.StartOffset = 77;
        s.firstSampleTime = base.addSecs(qint64(firstMinutes[i]) * 60);
    }
    computeStartAndOffsets(*set);
    QCOMPARE(set->startTime(), base.addSecs(qint64(startMinutes) * 60));
    for (int i = 0; i < offsets.size(); ++i)
        QCOMPARE(set->ko(i + 1).StartOffset, qint16(offsets[i]));
}

void StatisticsTest::startFieldsTakeTheEarliestTime()
{
    auto set = std::make_unique<LogSet>();
    set->setInterval(60);
    const QDateTime times[] = {wallClock(2031, 1, 2, 3, 4), wallClock(2030, 12, 31, 23, 59)};
    for (int k = 1; k <= 2; ++k) {
        set->ko(k).HasData = 1;
        set->ko(k).SeriesNo = qint16(k);
        set->ko(k).DataCount = 10;
        set->ko(k).firstSampleTime = times[k - 1];
    }
    computeStartAndOffsets(*set);
    QCOMPARE(set->startYear, qint16(30));
    QCOMPARE(set->startMonth, qint16(12));
    QCOMPARE(set->startDay, qint16(31));
    QCOMPARE(set->startHour, qint16(23));
    QCOMPARE(set->startMinute, qint16(59));
    QCOMPARE(set->ko(1).StartOffset, qint16(27)); // 27 h 5 min after the start
}

void StatisticsTest::slotsWithoutDataGetOffsetZero()
{
    auto set = std::make_unique<LogSet>();
    set->setInterval(10);
    KoSeries &with = set->ko(2);
    with.HasData = 1;
    with.SeriesNo = 1;
    with.DataCount = 3;
    with.firstSampleTime = base.addSecs(3600);
    // An earlier time on a slot without samples must neither start the set nor get an offset.
    for (int k : {1, 3}) {
        set->ko(k).HasData = qint16(k == 1 ? 1 : 0);
        set->ko(k).DataCount = qint16(k == 1 ? 0 : 5);
        set->ko(k).StartOffset = 9;
        set->ko(k).firstSampleTime = base;
    }
    computeStartAndOffsets(*set);
    QCOMPARE(set->startTime(), base.addSecs(3600));
    QCOMPARE(set->ko(1).StartOffset, qint16(0));
    QCOMPARE(set->ko(2).StartOffset, qint16(0));
    QCOMPARE(set->ko(3).StartOffset, qint16(0));
}

void StatisticsTest::alarmMarkIsSetOnlyStrictlyOutsideTheLimits_data()
{
    QTest::addColumn<int>("raw");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("mark");
    QTest::newRow("inside") << 250 << 300 << 200 << 0;
    QTest::newRow("equal to high") << 300 << 300 << 200 << 0;
    QTest::newRow("equal to low") << 200 << 300 << 200 << 0;
    QTest::newRow("just above") << 301 << 300 << 200 << 1;
    QTest::newRow("just below") << 199 << 300 << 200 << 1;
    QTest::newRow("negative below") << -51 << 100 << -50 << 1;
    QTest::newRow("lowest measurement") << -998 << 300 << 200 << 1;
    QTest::newRow("highest measurement") << 9998 << 300 << 200 << 1;
    QTest::newRow("C000") << -16384 << 300 << 200 << 0;
    QTest::newRow("E000") << -8192 << 300 << 200 << 0;
    QTest::newRow("F000") << -4096 << 300 << 200 << 0;
    QTest::newRow("just past the range") << 9999 << 300 << 200 << 0;
    QTest::newRow("just under the range") << -999 << 300 << 200 << 0;
}

void StatisticsTest::alarmMarkIsSetOnlyStrictlyOutsideTheLimits()
{
    QFETCH(int, raw);
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(int, mark);
    QCOMPARE(alarmMark(raw, high, low), qint16(mark));
}

ZT_TEST(StatisticsTest)
#include "test_statistics.moc"
