#include "records/channels.h"
#include "testregistry.h"

#include <QTest>
#include <memory>

using namespace zt;

Q_DECLARE_METATYPE(zt::ChannelKind)

class ChannelsTest : public QObject
{
    Q_OBJECT

private slots:
    void kindCodeDecidesWhatEachChannelMeasures_data();
    void kindCodeDecidesWhatEachChannelMeasures();
    void displayChannelsFollowTheSeriesNumber_data();
    void displayChannelsFollowTheSeriesNumber();
    void rowTotalIsTheLongestSeriesWithData_data();
    void rowTotalIsTheLongestSeriesWithData();
    void graphSeriesPairsChannelsInSeriesOrder_data();
    void graphSeriesPairsChannelsInSeriesOrder();
    void capacityShrinksWithRegisteredTransmitters_data();
    void capacityShrinksWithRegisteredTransmitters();
    void unitTextNamesTheQuantity_data();
    void unitTextNamesTheQuantity();
};

void ChannelsTest::kindCodeDecidesWhatEachChannelMeasures_data()
{
    QTest::addColumn<int>("koKind");
    QTest::addColumn<ChannelKind>("ch1");
    QTest::addColumn<ChannelKind>("ch2");
    QTest::newRow("0") << 0 << ChannelKind::Temperature << ChannelKind::Humidity;
    QTest::newRow("12") << 12 << ChannelKind::Temperature << ChannelKind::Humidity;
    QTest::newRow("10") << 10 << ChannelKind::Temperature << ChannelKind::None;
    QTest::newRow("11") << 11 << ChannelKind::Temperature << ChannelKind::Temperature;
    QTest::newRow("1") << 1 << ChannelKind::None << ChannelKind::None;
    QTest::newRow("13") << 13 << ChannelKind::None << ChannelKind::None;
    QTest::newRow("-1") << -1 << ChannelKind::None << ChannelKind::None;
}

void ChannelsTest::kindCodeDecidesWhatEachChannelMeasures()
{
    QFETCH(int, koKind);
    QFETCH(ChannelKind, ch1);
    QFETCH(ChannelKind, ch2);
    QCOMPARE(channelKind(koKind, 1), ch1);
    QCOMPARE(channelKind(koKind, 2), ch2);
}

namespace {

// KoNo 3 (kind 0) is series 1, KoNo 7 (kind 10) series 2; KoNo 5 has no data.
std::unique_ptr<LogSet> twoSeries()
{
    auto set = std::make_unique<LogSet>();
    auto fill = [&](int koNo, int seriesNo, int kind, int count, int offset) -> KoSeries & {
        KoSeries &s = set->ko(koNo);
        s.HasData = seriesNo > 0 ? 1 : 0;
        s.SeriesNo = qint16(seriesNo);
        s.KoKind = qint16(kind);
        s.DataCount = qint16(count);
        s.StartOffset = qint16(offset);
        s.name = QStringLiteral("送信器%1").arg(koNo);
        return s;
    };
    KoSeries &a = fill(3, 1, 0, 100, 0);
    a.stats[0].MaxValue = 251;
    a.stats[0].MinValue = -12;
    a.stats[1].MaxValue = 80;
    a.stats[1].MinValue = 40;
    KoSeries &b = fill(7, 2, 10, 50, 4);
    b.stats[0].MaxValue = 300;
    b.stats[0].MinValue = 200;
    fill(5, 0, 0, 70, 0);
    return set;
}

} // namespace

void ChannelsTest::displayChannelsFollowTheSeriesNumber_data()
{
    QTest::addColumn<int>("channelNo");
    QTest::addColumn<int>("present");
    QTest::addColumn<QString>("name");
    QTest::addColumn<ChannelKind>("kind");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("minimum");
    QTest::newRow("series 1 CH1") << 1 << 1 << QStringLiteral("送信器3") << ChannelKind::Temperature
                                  << 100 << 0 << 251 << -12;
    QTest::newRow("series 1 CH2") << 2 << 1 << QStringLiteral("送信器3") << ChannelKind::Humidity
                                  << 100 << 0 << 80 << 40;
    QTest::newRow("series 2 CH1") << 3 << 1 << QStringLiteral("送信器7") << ChannelKind::Temperature
                                  << 50 << 4 << 300 << 200;
    QTest::newRow("series 2 CH2 of kind 10")
        << 4 << 1 << QStringLiteral("送信器7") << ChannelKind::None << 50 << 4 << -3275 << 3275;
    QTest::newRow("unused") << 5 << 0 << QString() << ChannelKind::None << 0 << 0 << 0 << 0;
    QTest::newRow("last") << 60 << 0 << QString() << ChannelKind::None << 0 << 0 << 0 << 0;
}

void ChannelsTest::displayChannelsFollowTheSeriesNumber()
{
    QFETCH(int, channelNo);
    QFETCH(int, present);
    QFETCH(QString, name);
    QFETCH(ChannelKind, kind);
    QFETCH(int, count);
    QFETCH(int, offset);
    QFETCH(int, maximum);
    QFETCH(int, minimum);
    const DisplayChannels table = buildDisplayChannels(*twoSeries());
    const DisplayChannel &d = table[std::size_t(channelNo - 1)];
    QCOMPARE(d.present, qint16(present));
    QCOMPARE(d.name, name);
    QCOMPARE(d.kind, kind);
    QCOMPARE(d.count, qint16(count));
    QCOMPARE(d.offset, qint16(offset));
    QCOMPARE(d.maximum, qint16(maximum));
    QCOMPARE(d.minimum, qint16(minimum));
}

void ChannelsTest::rowTotalIsTheLongestSeriesWithData_data()
{
    QTest::addColumn<QList<int>>("hasData");
    QTest::addColumn<QList<int>>("offsets");
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<int>("rows");
    QTest::newRow("empty set") << QList<int>{} << QList<int>{} << QList<int>{} << 0;
    QTest::newRow("one series") << QList<int>{1} << QList<int>{0} << QList<int>{120} << 120;
    QTest::newRow("offset lengthens a shorter series")
        << QList<int>{1, 1} << QList<int>{0, 30} << QList<int>{100, 80} << 110;
    QTest::newRow("slot without data is ignored")
        << QList<int>{1, 0} << QList<int>{0, 500} << QList<int>{10, 900} << 10;
    QTest::newRow("full length") << QList<int>{1, 1} << QList<int>{0, 1} << QList<int>{31999, 31999}
                                 << 32000;
}

void ChannelsTest::rowTotalIsTheLongestSeriesWithData()
{
    QFETCH(QList<int>, hasData);
    QFETCH(QList<int>, offsets);
    QFETCH(QList<int>, counts);
    QFETCH(int, rows);
    auto set = std::make_unique<LogSet>();
    for (int i = 0; i < hasData.size(); ++i) {
        set->ko(i + 1).HasData = qint16(hasData[i]);
        set->ko(i + 1).StartOffset = qint16(offsets[i]);
        set->ko(i + 1).DataCount = qint16(counts[i]);
    }
    QCOMPARE(rowTotal(*set), rows);
}

void ChannelsTest::graphSeriesPairsChannelsInSeriesOrder_data()
{
    QTest::addColumn<QList<int>>("chosen");
    QTest::addColumn<QList<int>>("channels");
    QTest::newRow("none") << QList<int>{} << QList<int>{};
    QTest::newRow("one") << QList<int>{1} << QList<int>{1, 2};
    QTest::newRow("chosen out of order") << QList<int>{5, 2} << QList<int>{3, 4, 9, 10};
    QTest::newRow("four fill eight slots")
        << QList<int>{1, 2, 3, 30} << QList<int>{1, 2, 3, 4, 5, 6, 59, 60};
    QTest::newRow("a fifth does not fit")
        << QList<int>{4, 3, 2, 1, 5} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
}

void ChannelsTest::graphSeriesPairsChannelsInSeriesOrder()
{
    QFETCH(QList<int>, chosen);
    QFETCH(QList<int>, channels);
    const GraphSeries series = buildGraphSeries(std::vector<int>(chosen.begin(), chosen.end()));
    QCOMPARE(QList<int>(series.begin(), series.end()), channels);
}

void ChannelsTest::capacityShrinksWithRegisteredTransmitters_data()
{
    QTest::addColumn<int>("koCount");
    QTest::addColumn<int>("capacity");
    const std::pair<int, int> rows[] = {{1, 32000}, {2, 16000}, {3, 8000},  {4, 8000},  {5, 4000},
                                        {8, 4000},  {9, 2000},  {16, 2000}, {17, 1000}, {30, 1000}};
    for (auto [count, capacity] : rows)
        QTest::addRow("%d", count) << count << capacity;
}

void ChannelsTest::capacityShrinksWithRegisteredTransmitters()
{
    QFETCH(int, koCount);
    QFETCH(int, capacity);
    QCOMPARE(sampleCapacity(koCount), capacity);
}

void ChannelsTest::unitTextNamesTheQuantity_data()
{
    QTest::addColumn<ChannelKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("temperature, half-width degree")
        << ChannelKind::Temperature << QStringLiteral("[\uFF9FC]");
    QTest::newRow("humidity") << ChannelKind::Humidity << QStringLiteral("[%rh]");
    QTest::newRow("none") << ChannelKind::None << QString();
}

void ChannelsTest::unitTextNamesTheQuantity()
{
    QFETCH(ChannelKind, kind);
    QFETCH(QString, text);
    QCOMPARE(unitText(kind), text);
}

ZT_TEST(ChannelsTest)
#include "test_channels.moc"
