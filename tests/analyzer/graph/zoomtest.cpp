#include "graph/zoom.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class ZoomTest : public QObject
{
    Q_OBJECT

private slots:
    void rectangleSelectsRowsAndValues_data();
    void rectangleSelectsRowsAndValues();
    void onlyAxesOfShownKindsAreFixed();
    void pointsOutsideThePlotAreClamped_data();
    void pointsOutsideThePlotAreClamped();
    void dragZoomsUnlessItIsAClickOrWhollyOutside_data();
    void dragZoomsUnlessItIsAClickOrWhollyOutside();
};

namespace {

// 1000 x 500 pixels from (100, 50): one row per 10 px at 100 rows, 1 degree per 5 px.
const PlotArea plot{100, 50, 1000, 500};

} // namespace

void ZoomTest::rectangleSelectsRowsAndValues_data()
{
    QTest::addColumn<int>("viewFirst");
    QTest::addColumn<int>("viewLast");
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("scaleMin");
    QTest::addColumn<int>("scaleMax");
    QTest::newRow("whole rows") << 1 << 101 << QPointF(300, 150) << QPointF(500, 400) << 21 << 41
                                << 30 << 80;
    QTest::newRow("corners in any order")
        << 1 << 101 << QPointF(500, 400) << QPointF(300, 150) << 21 << 41 << 30 << 80;
    QTest::newRow("fractions widen outwards")
        << 1 << 101 << QPointF(305, 152) << QPointF(497, 398) << 21 << 41 << 30 << 80;
    QTest::newRow("narrower than a row still gives two rows")
        << 1 << 101 << QPointF(300, 150) << QPointF(301, 151) << 21 << 22 << 79 << 80;
    QTest::newRow("view under two rows keeps its rows")
        << 7 << 8 << QPointF(300, 150) << QPointF(500, 400) << 7 << 8 << 30 << 80;
}

void ZoomTest::rectangleSelectsRowsAndValues()
{
    QFETCH(int, viewFirst);
    QFETCH(int, viewLast);
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    ZoomState current;
    current.view = {viewFirst, viewLast};
    current.settings.ScaleMin1 = 0;
    current.settings.ScaleMax1 = 100;
    const ZoomState next = zoomToRectangle(a, b, plot, current, true, false);
    QTEST(next.view.first, "first");
    QTEST(next.view.last, "last");
    QTEST(int(next.settings.ScaleMin1), "scaleMin");
    QTEST(int(next.settings.ScaleMax1), "scaleMax");
    QCOMPARE(int(next.settings.ScaleFixed1), 1);
    QVERIFY(next.timeZoomed);
}

void ZoomTest::onlyAxesOfShownKindsAreFixed()
{
    ZoomState current;
    current.view = {1, 101};
    current.settings.ScaleMin2 = 40;
    current.settings.ScaleMax2 = 41; // span below 2: fixed but not changed
    const ZoomState next =
        zoomToRectangle(QPointF(300, 150), QPointF(500, 400), plot, current, false, true);
    QCOMPARE(int(next.settings.ScaleFixed1), 0);
    QCOMPARE(next.settings.ScaleMin1, current.settings.ScaleMin1);
    QCOMPARE(next.settings.ScaleMax1, current.settings.ScaleMax1);
    QCOMPARE(int(next.settings.ScaleFixed2), 1);
    QCOMPARE(int(next.settings.ScaleMin2), 40);
    QCOMPARE(int(next.settings.ScaleMax2), 41);
}

void ZoomTest::pointsOutsideThePlotAreClamped_data()
{
    QTest::addColumn<QPointF>("in");
    QTest::addColumn<QPointF>("out");
    QTest::addColumn<bool>("clamped");
    QTest::newRow("inside") << QPointF(200, 60) << QPointF(200, 60) << false;
    QTest::newRow("on the edge") << QPointF(100, 550) << QPointF(100, 550) << false;
    QTest::newRow("left and above") << QPointF(10, 5) << QPointF(100, 50) << true;
    QTest::newRow("right and below") << QPointF(2000, 900) << QPointF(1100, 550) << true;
}

void ZoomTest::pointsOutsideThePlotAreClamped()
{
    QFETCH(QPointF, in);
    const ClampedPoint c = clampToPlot(in, plot);
    QTEST(c.point, "out");
    QTEST(c.clamped, "clamped");
}

void ZoomTest::dragZoomsUnlessItIsAClickOrWhollyOutside_data()
{
    QTest::addColumn<QPointF>("press");
    QTest::addColumn<QPointF>("release");
    QTest::addColumn<bool>("zooms");
    QTest::newRow("inside drag") << QPointF(200, 100) << QPointF(400, 300) << true;
    QTest::newRow("click") << QPointF(200, 100) << QPointF(200, 100) << false;
    QTest::newRow("starts outside") << QPointF(0, 0) << QPointF(400, 300) << true;
    QTest::newRow("both ends outside") << QPointF(0, 0) << QPointF(2000, 900) << false;
    QTest::newRow("outside to the same edge") << QPointF(0, 100) << QPointF(50, 100) << false;
}

void ZoomTest::dragZoomsUnlessItIsAClickOrWhollyOutside()
{
    QFETCH(QPointF, press);
    QFETCH(QPointF, release);
    QTEST(dragZooms(clampToPlot(press, plot), clampToPlot(release, plot)), "zooms");
}

ZT_TEST(ZoomTest)
#include "zoomtest.moc"
