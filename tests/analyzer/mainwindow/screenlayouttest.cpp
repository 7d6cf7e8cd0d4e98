#include "mainwindow/screenlayout.h"
#include "support/testregistry.h"

#include <QTest>

using namespace zt;

class ScreenLayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void sizeClassFollowsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QPoint>("topLeft");
        // Heights are the class height minus 400 twips (26.7 px at 96 DPI).
        QTest::newRow("640x480") << QSize(640, 480) << 0.7 << 600 << 453 << QPoint(20, 13);
        QTest::newRow("800x600") << QSize(800, 600) << 1.0 << 800 << 573 << QPoint(0, 0);
        QTest::newRow("1024x768") << QSize(1024, 768) << 1.35 << 1024 << 741 << QPoint(0, 0);
        QTest::newRow("1366x768 top, centred")
            << QSize(1366, 768) << 1.35 << 1280 << 741 << QPoint(43, 0);
        QTest::newRow("1280x1024 top-left")
            << QSize(1280, 1024) << 1.6 << 1280 << 997 << QPoint(0, 0);
        QTest::newRow("1920x1080 centred")
            << QSize(1920, 1080) << 1.6 << 1280 << 997 << QPoint(320, 41);
        QTest::newRow("1280x767 below 768")
            << QSize(1280, 767) << 1.0 << 1280 << 573 << QPoint(0, 97);
    }
    void sizeClassFollowsTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(double, scale);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QPoint, topLeft);
        const ScreenLayout l = layoutForScreen(screen);
        QCOMPARE(l.scale, scale);
        QCOMPARE(l.windowWidth, width);
        QCOMPARE(l.windowHeight, height);
        QCOMPARE(l.topLeft, topLeft);
    }

    void tallScreensGetThickerScrollBarsAndLargerText()
    {
        const ScreenLayout tall = layoutForScreen(QSize(1280, 1024));
        const ScreenLayout normal = layoutForScreen(QSize(1024, 768));
        QVERIFY(tall.tallScreen);
        QVERIFY(!normal.tallScreen);
        QCOMPARE(tall.scrollBarThickness, 21);       // 312 twips
        QCOMPARE(normal.scrollBarThickness, 16);     // 240 twips
        QCOMPARE(tall.fontPointSize, 14);            // 9 x 1.6 = 14.4
        QCOMPARE(normal.fontPointSize, 12);          // 9 x 1.35 = 12.15
        QCOMPARE(tall.listScrollBarThickness, 19);   // 312 - 30 twips
        QCOMPARE(normal.listScrollBarThickness, 14); // 240 - 30 twips
        QCOMPARE(tall.columnMargin, 6);              // 60 x 1.6 twips
        QCOMPARE(normal.columnMargin, 5);            // 60 x 1.35 twips
    }
};

ZT_TEST(ScreenLayoutTest)
#include "screenlayouttest.moc"
