#include "graph/viewrows.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class ViewRowsTest : public QObject
{
    Q_OBJECT

private slots:
    void labelStepFollowsTheSpanTable_data();
    void labelStepFollowsTheSpanTable();
    void unzoomedViewCoversEveryRow_data();
    void unzoomedViewCoversEveryRow();
    void singleRowViewIsWidenedByOneRow_data();
    void singleRowViewIsWidenedByOneRow();
};

void ViewRowsTest::labelStepFollowsTheSpanTable_data()
{
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("step");
    QTest::newRow("zero counts as one") << 0 << 1;
    QTest::newRow("11 rows: every row") << 11 << 1;
    QTest::newRow("12 rows: every second") << 12 << 2;
    QTest::newRow("52") << 52 << 5;
    QTest::newRow("53") << 53 << 10;
    QTest::newRow("1501") << 1501 << 150;
    QTest::newRow("1502") << 1502 << 240;
    QTest::newRow("3001") << 3001 << 300;
    QTest::newRow("3600 closes its band") << 3600 << 360;
    QTest::newRow("3601") << 3601 << 480;
    QTest::newRow("4800 closes its band") << 4800 << 480;
    QTest::newRow("4801") << 4801 << 600;
    QTest::newRow("6001") << 6001 << 600;
    QTest::newRow("6002") << 6002 << 780;
    QTest::newRow("30001") << 30001 << 3000;
    QTest::newRow("30002") << 30002 << 3500;
    QTest::newRow("full set") << 31999 << 3500;
}

void ViewRowsTest::labelStepFollowsTheSpanTable()
{
    QFETCH(int, span);
    QFETCH(int, step);
    QCOMPARE(timeLabelStep(span), step);
}

void ViewRowsTest::unzoomedViewCoversEveryRow_data()
{
    QTest::addColumn<bool>("zoomed");
    QTest::addColumn<int>("rowTotal");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("not zoomed") << false << 500 << 1 << 500;
    QTest::newRow("zoomed keeps its rows") << true << 500 << 40 << 90;
    QTest::newRow("empty set still has row 1") << false << 0 << 1 << 1;
}

void ViewRowsTest::unzoomedViewCoversEveryRow()
{
    QFETCH(bool, zoomed);
    QFETCH(int, rowTotal);
    QFETCH(int, first);
    QFETCH(int, last);
    QCOMPARE(viewRowsFor(zoomed, ViewRows{40, 90}, rowTotal), (ViewRows{first, last}));
}

void ViewRowsTest::singleRowViewIsWidenedByOneRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("row 1") << 1 << 1 << 2;
    QTest::newRow("row 8999") << 8999 << 8999 << 9000;
    QTest::newRow("row 9000 grows backwards") << 9000 << 8999 << 9000;
    QTest::newRow("beyond 9000 grows at the end") << 9001 << 9001 << 9002;
    QTest::newRow("last row of a full set") << 32000 << 32000 << 32001;
}

void ViewRowsTest::singleRowViewIsWidenedByOneRow()
{
    QFETCH(int, row);
    QFETCH(int, first);
    QFETCH(int, last);
    const ViewRows widened = widenSingleRow({row, row});
    QCOMPARE(widened, (ViewRows{first, last}));
    QCOMPARE(widenSingleRow({3, 7}), (ViewRows{3, 7}));
}

ZT_TEST(ViewRowsTest)
#include "viewrowstest.moc"
