#include "graph/graphscale.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class GraphScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void temperatureAxisRoundsOutsideTheExtremes_data();
    void temperatureAxisRoundsOutsideTheExtremes();
    void humidityAxisRoundsOutsideTheExtremes_data();
    void humidityAxisRoundsOutsideTheExtremes();
    void extremesComeFromShownChannelsWithData();
    void automaticBoundsFillTheScaleUnlessFixed_data();
    void automaticBoundsFillTheScaleUnlessFixed();
    void humidityRangeAbove100SlidesDown();
    void axisNotShownKeepsItsScale();
    void channelsWithoutValidExtremesGetTheDefaultRange();
};

void GraphScaleTest::temperatureAxisRoundsOutsideTheExtremes_data()
{
    QTest::addColumn<int>("tMax");
    QTest::addColumn<int>("tMin");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::newRow("25.3/18.1") << 253 << 181 << 15 << 35;
    QTest::newRow("20.4/19.9 narrow") << 204 << 199 << 19 << 21;
    QTest::newRow("zero maximum") << 0 << -5 << -1 << 0;
    QTest::newRow("negative maximum") << -55 << -60 << -6 << -4;
    QTest::newRow("clamped to -100..200") << 1999 << -1000 << -100 << 200;
    // Truncation toward zero alone would give -15 and -30 and cut the lowest value off.
    QTest::newRow("wide negative minimum") << 300 << -201 << -25 << 35;
    QTest::newRow("narrow negative minimum") << 50 << -304 << -31 << 6;
}

void GraphScaleTest::temperatureAxisRoundsOutsideTheExtremes()
{
    QFETCH(int, tMax);
    QFETCH(int, tMin);
    QFETCH(int, lower);
    QFETCH(int, upper);
    const AxisBounds b = autoTemperatureBounds(tMax, tMin);
    QCOMPARE(b.lower, lower);
    QCOMPARE(b.upper, upper);
    QVERIFY(b.lower * 10 <= qMax(tMin, -1000));
    QVERIFY(b.upper * 10 >= qMin(tMax, 2000));
}

void GraphScaleTest::humidityAxisRoundsOutsideTheExtremes_data()
{
    QTest::addColumn<int>("hMax");
    QTest::addColumn<int>("hMin");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::newRow("65.0/42.0") << 650 << 420 << 40 << 70;
    QTest::newRow("55/53 narrow") << 550 << 530 << 52 << 57;
    QTest::newRow("wide span in hundreds") << 900 << 100 << 0 << 100;
    QTest::newRow("span of 300 in fifties") << 800 << 450 << 0 << 100;
    QTest::newRow("span 300..500 in fifties") << 600 << 250 << 0 << 100;
    QTest::newRow("dry") << 100 << 0 << 0 << 20;
}

void GraphScaleTest::humidityAxisRoundsOutsideTheExtremes()
{
    QFETCH(int, hMax);
    QFETCH(int, hMin);
    QFETCH(int, lower);
    QFETCH(int, upper);
    const AxisBounds b = autoHumidityBounds(hMax, hMin);
    QCOMPARE(b.lower, lower);
    QCOMPARE(b.upper, upper);
}

void GraphScaleTest::extremesComeFromShownChannelsWithData()
{
    DisplayChannels channels{};
    auto set = [&](int no, ChannelKind kind, int count, int max, int min) {
        DisplayChannel &c = channels[std::size_t(no - 1)];
        c.present = 1;
        c.kind = kind;
        c.count = qint16(count);
        c.maximum = qint16(max);
        c.minimum = qint16(min);
    };
    set(1, ChannelKind::Temperature, 10, 253, 181);
    set(2, ChannelKind::Humidity, 10, 65, 42);
    set(3, ChannelKind::Temperature, 10, StarValue, StarValue);
    set(4, ChannelKind::None, 10, 900, -900);
    set(5, ChannelKind::Temperature, 0, 900, -900); // no samples: ignored
    set(7, ChannelKind::Temperature, 10, 300, 100); // not on the graph

    const ValueExtremes e = findExtremes({1, 2, 3, 4, 5}, channels);
    QVERIFY(e.tempShown);
    QVERIFY(e.humShown);
    QVERIFY(e.tempValid);
    QVERIFY(e.humValid);
    QCOMPARE(e.tMax, 253);
    QCOMPARE(e.tMin, 181);
    QCOMPARE(e.hMax, 650);
    QCOMPARE(e.hMin, 420);

    const ValueExtremes only = findExtremes({3, 4}, channels);
    QVERIFY(only.tempShown);
    QVERIFY(!only.tempValid);
    QVERIFY(!only.humShown);
}

void GraphScaleTest::automaticBoundsFillTheScaleUnlessFixed_data()
{
    QTest::addColumn<bool>("fixed");
    QTest::addColumn<int>("scaleMin");
    QTest::addColumn<int>("scaleMax");
    QTest::addColumn<int>("gridStep");
    QTest::newRow("automatic") << false << 15 << 35 << 40;
    QTest::newRow("fixed keeps 0..100") << true << 0 << 100 << 200;
}

void GraphScaleTest::automaticBoundsFillTheScaleUnlessFixed()
{
    QFETCH(bool, fixed);
    QFETCH(int, scaleMin);
    QFETCH(int, scaleMax);
    QFETCH(int, gridStep);
    ValueExtremes e;
    e.tempShown = e.tempValid = true;
    e.tMax = 253;
    e.tMin = 181;
    AppSettings s;
    s.ScaleFixed1 = fixed ? 1 : 0;
    GraphScale scale;
    updateScale(scale, s, e);
    QCOMPARE(scale.AutoMin1, 15);
    QCOMPARE(scale.AutoMax1, 35);
    QCOMPARE(int(s.ScaleMin1), scaleMin);
    QCOMPARE(int(s.ScaleMax1), scaleMax);
    QCOMPARE(scale.GridStep1, gridStep);
}

void GraphScaleTest::humidityRangeAbove100SlidesDown()
{
    ValueExtremes e;
    e.humShown = e.humValid = true;
    e.hMax = 650;
    e.hMin = 420;
    AppSettings s;
    s.ScaleFixed2 = 1;
    s.ScaleMin2 = 40;
    s.ScaleMax2 = 120;
    GraphScale scale;
    updateScale(scale, s, e);
    QCOMPARE(int(s.ScaleMax2), 100);
    QCOMPARE(int(s.ScaleMin2), 20);
    QCOMPARE(scale.GridStep2, 160);
    QCOMPARE(scale.AutoMin2, 40);
    QCOMPARE(scale.AutoMax2, 70);
}

void GraphScaleTest::axisNotShownKeepsItsScale()
{
    ValueExtremes e;
    e.tempShown = e.tempValid = true;
    e.tMax = 253;
    e.tMin = 181;
    AppSettings s;
    s.ScaleMin2 = 30;
    s.ScaleMax2 = 130; // would slide if the humidity axis were processed
    GraphScale scale;
    scale.AutoMin2 = 7;
    scale.GridStep2 = 11;
    updateScale(scale, s, e);
    QVERIFY(!scale.humShown);
    QCOMPARE(int(s.ScaleMin2), 30);
    QCOMPARE(int(s.ScaleMax2), 130);
    QCOMPARE(scale.AutoMin2, 7);
    QCOMPARE(scale.GridStep2, 11);
}

void GraphScaleTest::channelsWithoutValidExtremesGetTheDefaultRange()
{
    ValueExtremes e; // shown, but every maximum and minimum was 8191
    e.tempShown = true;
    e.humShown = true;
    AppSettings s;
    s.ScaleMin1 = 5;
    s.ScaleMax1 = 6;
    GraphScale scale;
    updateScale(scale, s, e);
    QCOMPARE(int(s.ScaleMin1), 0);
    QCOMPARE(int(s.ScaleMax1), 100);
    QCOMPARE(int(s.ScaleMin2), 0);
    QCOMPARE(int(s.ScaleMax2), 100);
    QVERIFY(scale.AutoMin1 < scale.AutoMax1);
}

ZT_TEST(GraphScaleTest)
#include "graphscaletest.moc"
