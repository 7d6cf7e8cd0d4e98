#include "testregistry.h"

#include "readout/readoutrange.h"
#include "records/datetime.h"

#include <QTest>

using namespace zt;

Q_DECLARE_METATYPE(zt::ReadPlan)

namespace {
QDateTime at(int day, int hour, int minute)
{
    return wallClock(2024, 5, day, hour, minute);
}
} // namespace

class ReadoutRangeTest : public QObject
{
    Q_OBJECT

private slots:
    void planKeepsTheSamplesInsideTheRange_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QDateTime>("newest");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("koCount");
        QTest::addColumn<QDateTime>("rangeStart");
        QTest::addColumn<QDateTime>("rangeEnd");
        QTest::addColumn<ReadPlan>("expected");

        // 145 samples: 1 May 00:00 .. 2 May 00:00 every 10 minutes.
        const QDateTime newest = at(2, 0, 0);
        QTest::newRow("range covers everything")
            << 145 << newest << 10 << 1 << at(1, 0, 0) << at(2, 0, 0) << ReadPlan{at(1, 0, 0), 145};
        QTest::newRow("range starts inside") << 145 << newest << 10 << 1 << at(1, 12, 0)
                                             << at(3, 0, 0) << ReadPlan{at(1, 12, 0), 73};
        QTest::newRow("range ends inside")
            << 145 << newest << 10 << 1 << at(1, 0, 0) << at(1, 1, 0) << ReadPlan{at(1, 0, 0), 7};
        QTest::newRow("range ends before the oldest sample")
            << 145 << newest << 10 << 1 << at(30, 0, 0).addMonths(-1) << at(30, 23, 0).addMonths(-1)
            << ReadPlan{};
        QTest::newRow("range starts after the newest sample")
            << 145 << newest << 10 << 1 << at(2, 1, 0) << at(2, 23, 0) << ReadPlan{};
        QTest::newRow("range end equal to the oldest sample reads one")
            << 145 << newest << 10 << 1 << at(1, 0, 0).addSecs(-3600) << at(1, 0, 0)
            << ReadPlan{at(1, 0, 0), 1};
        // Samples at :03, :13, ... so a full-hour range bound falls between two.
        const QDateTime offGrid = at(2, 0, 3);
        QTest::newRow("start between two samples moves to the next")
            << 145 << offGrid << 10 << 1 << at(1, 1, 0) << at(3, 0, 0)
            << ReadPlan{at(1, 1, 3), 139};
        QTest::newRow("end between two samples drops every later one")
            << 145 << offGrid << 10 << 1 << at(1, 0, 0) << at(1, 1, 0) << ReadPlan{at(1, 0, 3), 6};
        QTest::newRow("over the capacity of 30 transmitters keeps the newest")
            << 1500 << newest << 10 << 30 << at(1, 0, 0).addMonths(-1) << at(2, 0, 0)
            << ReadPlan{newest.addSecs(-999 * 600), 1000};
        // 2 transmitters share 16000 samples each.
        const QDateTime longNewest = at(1, 0, 0).addSecs(qint64(20000 - 1) * 60);
        QTest::newRow("capacity of two transmitters")
            << 20000 << longNewest << 1 << 2 << at(1, 0, 0) << longNewest
            << ReadPlan{at(1, 0, 0).addSecs(4000 * 60), 16000};
        QTest::newRow("capacity, then the range end")
            << 20000 << longNewest << 1 << 2 << at(1, 0, 0) << longNewest.addSecs(-100 * 60)
            << ReadPlan{at(1, 0, 0).addSecs(4000 * 60), 15900};
        QTest::newRow("range end before the capped start reads nothing")
            << 20000 << longNewest << 1 << 2 << at(1, 0, 0) << at(1, 0, 0).addSecs(3000 * 60)
            << ReadPlan{};
        QTest::newRow("interval 0:00 is a day")
            << 5 << at(5, 6, 0) << 0 << 1 << at(2, 0, 0) << at(9, 0, 0) << ReadPlan{at(2, 6, 0), 4};
        QTest::newRow("nothing held")
            << 0 << QDateTime() << 10 << 1 << at(1, 0, 0) << at(2, 0, 0) << ReadPlan{};
    }
    void planKeepsTheSamplesInsideTheRange()
    {
        QFETCH(int, count);
        QFETCH(QDateTime, newest);
        QFETCH(int, interval);
        QFETCH(int, koCount);
        QFETCH(QDateTime, rangeStart);
        QFETCH(QDateTime, rangeEnd);
        QFETCH(ReadPlan, expected);
        const SlotSpan span = slotSpan(count, newest, interval);
        const ReadPlan plan = ReadDataCalcDisp(span, {rangeStart, rangeEnd}, interval, koCount);
        QCOMPARE(plan.start, expected.start);
        QCOMPARE(plan.count, expected.count);
    }

    void allDataSpansEverySlotWithSamples()
    {
        const std::array<SlotSpan, 3> spans{slotSpan(10, at(3, 0, 0), 60), slotSpan(0, {}, 60),
                                            slotSpan(2, at(4, 0, 0), 60)};
        const ReadRange r = allDataRange(spans);
        QCOMPARE(r.start, at(2, 15, 0));
        QCOMPARE(r.end, at(4, 0, 0));
    }

    void dateRangeEndsDaysAfterTheStartDate()
    {
        const ReadRange r = dateRange(QDate(2024, 5, 30), 6, 3, 23);
        QCOMPARE(r.start, at(30, 6, 0));
        QCOMPARE(r.end, wallClock(2024, 6, 2, 23, 0));
    }
};

ZT_TEST(ReadoutRangeTest)
#include "readoutrangetest.moc"
