#include "graph/readout.h"
#include "records/datetime.h"
#include "testregistry.h"

#include <QTest>

using namespace zt;

class ReadoutTest : public QObject
{
    Q_OBJECT

private slots:
    void nearestVisibleCurveIsPicked_data();
    void nearestVisibleCurveIsPicked();
    void textNamesSeriesTimeAndValue();
};

namespace {

// 11 rows over 1000 px (100 px a row); temperature 0..100 degrees and humidity 0..100 %rh
// over 500 px (0.5 px a tenth).
const PlotArea plot{100, 50, 1000, 500};
const std::vector<qint16> temperature{200, 400, StarValue, 600, 1500, 200, 200, 200, 200, 200};
const std::vector<qint16> humidity{20, 41, 50, 60, 70, 80, 90, 95, 99, 100};
const std::vector<qint16> temperature2{400, 400, 400, 400, 400, 400, 400, 400, 400, 400};

std::vector<PlotSeries> threeSeries()
{
    std::vector<PlotSeries> s(3);
    s[0] = {1, ChannelKind::Temperature, true, 0, 10, temperature.data(), QStringLiteral("A")};
    s[1] = {2, ChannelKind::Humidity, true, 0, 10, humidity.data(), QStringLiteral("A")};
    s[2] = {3, ChannelKind::Temperature, true, 1, 10, temperature2.data(), QStringLiteral("B")};
    return s;
}

// Pointer y for a value in tenths on a 0..1000 tenths axis.
double yOf(int tenths)
{
    return 50 + (1000 - tenths) * 0.5;
}

} // namespace

void ReadoutTest::nearestVisibleCurveIsPicked_data()
{
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<int>("hiddenSlot");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("tenths");
    // Row 2: slot 1 at 40.0, slot 2 at 41 %rh = 410 tenths, slot 3 at 40.0 from row 2.
    QTest::newRow("on slot 1 and 3, earlier wins") << QPointF(200, yOf(400)) << 0 << 1 << 2 << 400;
    QTest::newRow("slot 1 hidden") << QPointF(200, yOf(400)) << 1 << 3 << 2 << 400;
    QTest::newRow("nearer to humidity") << QPointF(200, yOf(408)) << 0 << 2 << 2 << 410;
    QTest::newRow("a little off the row") << QPointF(208, yOf(400)) << 0 << 1 << 2 << 400;
    QTest::newRow("invalid sample is skipped") << QPointF(300, yOf(400)) << 0 << 3 << 3 << 400;
    QTest::newRow("out-of-range sample is skipped") << QPointF(500, yOf(700)) << 0 << 2 << 5 << 700;
    QTest::newRow("too far from the row") << QPointF(250, yOf(400)) << 0 << 0 << 0 << 0;
    QTest::newRow("too far from the value") << QPointF(200, yOf(600)) << 0 << 0 << 0 << 0;
    QTest::newRow("outside the plot") << QPointF(100, yOf(200)) << 0 << 0 << 0 << 0;
}

void ReadoutTest::nearestVisibleCurveIsPicked()
{
    QFETCH(QPointF, pointer);
    QFETCH(int, hiddenSlot);
    QFETCH(int, slot);
    std::array<bool, 8> hidden{};
    if (hiddenSlot > 0)
        hidden[std::size_t(hiddenSlot - 1)] = true;
    const auto picked =
        pickNearestCurve(pointer, plot, {1, 11}, threeSeries(), hidden, AppSettings{}, 10);
    QCOMPARE(picked.has_value(), slot != 0);
    if (!picked)
        return;
    QCOMPARE(picked->slot, slot);
    QTEST(picked->row, "row");
    QTEST(picked->tenths, "tenths");
}

void ReadoutTest::textNamesSeriesTimeAndValue()
{
    const auto series = threeSeries();
    const QString text = readoutText(series[1], {2, 4, 600}, wallClock(2026, 3, 1, 10, 0), 30);
    const QString time =
        QLocale::system().toString(wallClock(2026, 3, 1, 11, 30), QLocale::ShortFormat);
    QCOMPARE(text, QStringLiteral("A:") + time + QStringLiteral(" 60%rh"));
    QVERIFY(readoutText(series[0], {1, 1, 253}, wallClock(2026, 3, 1, 10, 0), 30)
                .endsWith(QStringLiteral(" 25.3℃")));
}

ZT_TEST(ReadoutTest)
#include "readouttest.moc"
