#include "graph/plotcanvas.h"
#include "graph/seriestrace.h"
#include "testregistry.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <map>

using namespace zt;

Q_DECLARE_METATYPE(zt::PointState)

class SeriesTraceTest : public QObject
{
    Q_OBJECT

private slots:
    void curveJoinsFollowTheStateTable_data();
    void curveJoinsFollowTheStateTable();
    void tracedRunsBreakAtInvalidAndStayOnTheEdges_data();
    void tracedRunsBreakAtInvalidAndStayOnTheEdges();
    void onlySamplesInViewAreTraced();
    void decimationKeepsEveryColumnsExtremes();
    void decimatedCurveDrawsTheSamePixels_data();
    void decimatedCurveDrawsTheSamePixels();
};

namespace {

const PlotArea plot{0, 0, 100, 100};
const TenthsRange range{0, 1000};
constexpr int S = StarValue;
constexpr int D = DashValue;

} // namespace

void SeriesTraceTest::curveJoinsFollowTheStateTable_data()
{
    QTest::addColumn<PointState>("previous");
    QTest::addColumn<PointState>("current");
    QTest::addColumn<bool>("joined");
    const PointState I = PointState::Inside, A = PointState::Above, B = PointState::Below,
                     X = PointState::Invalid;
    const bool table[4][4] = {{true, true, true, false},
                              {true, false, true, false},
                              {true, true, false, false},
                              {false, false, false, false}};
    const PointState states[4] = {I, A, B, X};
    for (int p = 0; p < 4; ++p)
        for (int c = 0; c < 4; ++c)
            QTest::addRow("%d to %d", p, c) << states[p] << states[c] << table[p][c];
}

void SeriesTraceTest::curveJoinsFollowTheStateTable()
{
    QFETCH(PointState, previous);
    QFETCH(PointState, current);
    QTEST(joins(previous, current), "joined");
}

void SeriesTraceTest::tracedRunsBreakAtInvalidAndStayOnTheEdges_data()
{
    QTest::addColumn<QList<int>>("samples");
    QTest::addColumn<QList<int>>("runLengths");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("isolated");
    QTest::newRow("gap splits the curve")
        << QList<int>{200, 210, S, D, 220, 230} << QList<int>{2, 2} << 4 << 0;
    QTest::newRow("point after gap is alone")
        << QList<int>{200, S, 220, D} << QList<int>{} << 2 << 2;
    QTest::newRow("above then below crosses") << QList<int>{1200, -5} << QList<int>{2} << 0 << 0;
    QTest::newRow("two above draw nothing") << QList<int>{1200, 1300} << QList<int>{} << 0 << 0;
    QTest::newRow("edge back inside") << QList<int>{1200, 1300, 500} << QList<int>{2} << 1 << 0;
    QTest::newRow("all invalid") << QList<int>{S, D, S} << QList<int>{} << 0 << 0;
    QTest::newRow("above 3275 is not a number")
        << QList<int>{500, 3276, 500} << QList<int>{} << 2 << 2;
}

void SeriesTraceTest::tracedRunsBreakAtInvalidAndStayOnTheEdges()
{
    QFETCH(QList<int>, samples);
    QFETCH(QList<int>, runLengths);
    std::vector<qint16> values(samples.begin(), samples.end());
    PlotSeries s{1, ChannelKind::Temperature, true, 0, int(values.size()), values.data(), {}};
    const SeriesTrace t = traceSeries(s, {1, int(values.size())}, plot, range);
    QList<int> lengths;
    for (const auto &run : t.runs) {
        lengths << int(run.size());
        for (QPointF p : run)
            QVERIFY(p.y() >= plot.top && p.y() <= plot.bottom());
    }
    QCOMPARE(lengths, runLengths);
    QTEST(int(t.points.size()), "points");
    int isolated = 0;
    for (const TracedPoint &p : t.points)
        isolated += !p.joined;
    QTEST(isolated, "isolated");
}

void SeriesTraceTest::onlySamplesInViewAreTraced()
{
    std::vector<qint16> values(50, 500);
    PlotSeries s{1, ChannelKind::Humidity, true, 10, 50, values.data(), {}};
    // Rows 11..60 hold the samples; the view shows rows 30..40.
    const SeriesTrace t = traceSeries(s, {30, 40}, plot, range);
    QCOMPARE(int(t.points.size()), 0); // 500 %rh is 5000 tenths: above the axis
    values.assign(50, 50);
    const SeriesTrace u = traceSeries(s, {30, 40}, plot, range);
    QCOMPARE(int(u.points.size()), 11);
    QCOMPARE(u.points.front().pos.x(), 0.0);
    QCOMPARE(u.points.back().pos.x(), 100.0);
    QCOMPARE(u.points.front().pos.y(), 50.0);
    QVERIFY(!seriesInView(s, {61, 70}));
    QVERIFY(seriesInView(s, {60, 70}));
    QVERIFY(!seriesInView(s, {1, 10}));
}

void SeriesTraceTest::decimationKeepsEveryColumnsExtremes()
{
    QRandomGenerator random(7);
    std::vector<QPointF> run;
    for (int i = 0; i < 5000; ++i)
        run.emplace_back(i * 0.037, random.bounded(400.0));
    const std::vector<QPointF> fewer = decimateByColumn(run);
    QVERIFY(fewer.size() < run.size() / 5);
    QCOMPARE(fewer.front(), run.front());
    QCOMPARE(fewer.back(), run.back());
    auto extremes = [](const std::vector<QPointF> &points) {
        std::map<int, std::pair<double, double>> byColumn;
        for (QPointF p : points) {
            auto [it, fresh] = byColumn.try_emplace(int(p.x()), p.y(), p.y());
            it->second.first = std::min(it->second.first, p.y());
            it->second.second = std::max(it->second.second, p.y());
        }
        return byColumn;
    };
    QCOMPARE(extremes(fewer), extremes(run));
    for (std::size_t i = 1; i < fewer.size(); ++i)
        QVERIFY(fewer[i].x() >= fewer[i - 1].x());
}

void SeriesTraceTest::decimatedCurveDrawsTheSamePixels_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("lineWidth");
    QTest::newRow("32000 thin") << 32000 << 1;
    QTest::newRow("32000 thick") << 32000 << 2;
    QTest::newRow("3000 thin") << 3000 << 1;
}

void SeriesTraceTest::decimatedCurveDrawsTheSamePixels()
{
    QFETCH(int, samples);
    QFETCH(int, lineWidth);
    QRandomGenerator random(11);
    std::vector<qint16> values;
    for (int n = 0; n < samples; ++n)
        values.push_back(qint16(200 + 150 * std::sin(n / 900.0) + random.bounded(-40, 40)));
    PlotSeries s{1, ChannelKind::Temperature, true, 0, samples, values.data(), {}};
    const PlotArea area{20.5, 10.5, 600, 300};
    const SeriesTrace t = traceSeries(s, {1, samples}, area, range);
    QCOMPARE(int(t.runs.size()), 1);
    auto draw = [&](const std::vector<QPointF> &run) {
        QImage image(640, 320, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        canvas.setPen(Qt::black, lineWidth, Qt::SolidLine);
        canvas.drawPolyline(run.data(), int(run.size()));
        return image;
    };
    const std::vector<QPointF> fewer = decimateByColumn(t.runs[0]);
    QVERIFY(fewer.size() < t.runs[0].size());
    const QImage full = draw(t.runs[0]);
    const QImage decimated = draw(fewer);
    auto inked = [](const QImage &image, int x, int y) {
        return x >= 0 && x < image.width() && image.pixel(x, y) != qRgb(255, 255, 255);
    };
    // Rasterising different segments may move a stroke's edge by one pixel sideways or
    // touch a stray pixel at a join; anything more would be a change of the picture.
    int ink = 0, moved = 0, changed = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x) {
            ink += inked(full, x, y);
            if (inked(full, x, y) == inked(decimated, x, y))
                continue;
            const QImage &other = inked(full, x, y) ? decimated : full;
            if (inked(other, x - 1, y) || inked(other, x + 1, y))
                ++moved;
            else
                ++changed;
        }
    QVERIFY(ink > 1000);
    QVERIFY2(
        changed * 1000 < ink,
        qPrintable(
            QStringLiteral("%1 pixels changed, %2 moved of %3").arg(changed).arg(moved).arg(ink)));
    QVERIFY(moved * 10 < ink);
}

ZT_TEST(SeriesTraceTest)
#include "seriestracetest.moc"
