#include "graph/infocolumn.h"
#include "records/limits.h"
#include "support/testregistry.h"

#include <QTest>

using namespace zt;

namespace {

PlotSeries seriesOf(const std::vector<qint16> &samples, ChannelKind kind, int offset)
{
    PlotSeries s;
    s.kind = kind;
    s.present = true;
    s.offset = offset;
    s.count = int(samples.size());
    s.samples = samples.data();
    s.name = QStringLiteral("冷蔵庫Ａ棟");
    return s;
}

} // namespace

class InfoColumnTest : public QObject
{
    Q_OBJECT

private slots:
    void statisticsCoverOnlyTheRowsInView_data()
    {
        QTest::addColumn<QList<int>>("samples");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QStringList>("rows"); // counts, max, min, mean
        const QList<int> mixed{215, StarValue, 230, DashValue, 190, 250};
        QTest::newRow("whole temperature series")
            << mixed << 1 << 0 << 1 << 6 << QStringList{"6\r2", "25.0", "19.0", "22.1"};
        QTest::newRow("view cuts both ends")
            << mixed << 1 << 0 << 2 << 4 << QStringList{"3\r2", "23.0", "23.0", "23.0"};
        QTest::newRow("offset shifts the samples")
            << mixed << 1 << 3 << 1 << 5 << QStringList{"2\r1", "21.5", "21.5", "21.5"};
        QTest::newRow("all invalid") << QList<int>{StarValue, DashValue} << 1 << 0 << 1 << 2
                                     << QStringList{"2\r2", "-----", "-----", "-----"};
        QTest::newRow("humidity in whole percent, mean to a tenth")
            << QList<int>{55, 60, 61} << 2 << 0 << 1 << 3
            << QStringList{"3\r0", "61", "55", "58.7"};
        QTest::newRow("mean half rounds to even")
            << QList<int>{10, 11} << 1 << 0 << 1 << 2 << QStringList{"2\r0", "1.1", "1.0", "1.0"};
        QTest::newRow("negative temperatures") << QList<int>{-55, -45} << 1 << 0 << 1 << 2
                                               << QStringList{"2\r0", "-4.5", "-5.5", "-5.0"};
        QTest::newRow("series outside the view") << QList<int>{10, 11} << 1 << 10 << 1 << 5
                                                 << QStringList{"0\r0", "-----", "-----", "-----"};
    }
    void statisticsCoverOnlyTheRowsInView()
    {
        QFETCH(QList<int>, samples);
        QFETCH(int, kind);
        QFETCH(int, offset);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QStringList, rows);
        std::vector<qint16> raw(samples.begin(), samples.end());
        const InfoColumnTexts t =
            infoColumnTexts(seriesOf(raw, ChannelKind(kind), offset), {first, last}, 10);
        QCOMPARE((QStringList{t.counts, t.maximum, t.minimum, t.mean}), rows);
    }

    void headSplitsTheNameAfterSixBytesAndAddsTheUnit()
    {
        std::vector<qint16> raw{100};
        const PlotSeries s = seriesOf(raw, ChannelKind::Temperature, 0);
        QCOMPARE(infoColumnTexts(s, {1, 1}, 10).head, QStringLiteral("冷蔵庫\rＡ棟\r[℃]"));
    }

    void absentChannelHasEmptyCells()
    {
        PlotSeries absent;
        const InfoColumnTexts t = infoColumnTexts(absent, {1, 10}, 10);
        QVERIFY(t.head.isEmpty() && t.counts.isEmpty() && t.mean.isEmpty());
    }

    void intervalShowsHoursAndMinutes_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ten minutes") << 10 << "00:10";
        QTest::newRow("ninety minutes") << 90 << "01:30";
        QTest::newRow("zero is a whole day") << 0 << "24:00";
        QTest::newRow("a day") << 1440 << "24:00";
    }
    void intervalShowsHoursAndMinutes()
    {
        QFETCH(int, minutes);
        QFETCH(QString, text);
        QCOMPARE(intervalText(minutes), text);
    }
};

ZT_TEST(InfoColumnTest)
#include "infocolumntest.moc"
