#include "graph/plotrenderer.h"
#include "graphfixture.h"
#include "recordingcanvas.h"
#include "testregistry.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace zt;
using zt::test::DrawOp;
using zt::test::RecordingCanvas;

class PlotRendererTest : public QObject
{
    Q_OBJECT

private slots:
    void markersOnlyWhenAtMost100RowsAreInView_data();
    void markersOnlyWhenAtMost100RowsAreInView();
    void curveBreaksAtTheGapOfInvalidSamples();
    void referenceLinesAreDrawnOnlyWhenOn_data();
    void referenceLinesAreDrawnOnlyWhenOn();
    void hiddenAndAllInvalidSeriesDrawNothing();
    void timeLabelsNearTheEndsAreLeftOut();
    void valueLabelsFollowTheKindsPattern();
    void realisticSetRendersIntoImages_data();
    void realisticSetRendersIntoImages();
};

namespace {

PlotLayout fixedLayout()
{
    PlotLayout l;
    l.plot = {60, 40, 1000, 500};
    l.charW = 8;
    l.charH = 16;
    l.digitW = 6;
    return l;
}

struct Scene
{
    std::unique_ptr<LogSet> set;
    DisplayChannels channels;
    GraphState state;
    AppSettings settings;
    GraphScale scale;
    PlotFrame frame;

    explicit Scene(int rows, std::vector<int> chosen = {1, 2, 3})
        : set(zt::test::realisticSet(rows))
    {
        channels = buildDisplayChannels(*set);
        prepare(buildGraphSeries(chosen), fixedLayout());
    }
    void prepare(const GraphSeries &series, const PlotLayout &layout)
    {
        frame = preparePlot(state, settings, scale, *set, channels, series, layout);
    }
    RecordingCanvas render()
    {
        RecordingCanvas canvas;
        renderPlot(canvas, frame, state);
        return canvas;
    }
    QColor colour(int slot) const { return state.SeriesColour[std::size_t(slot - 1)]; }
};

} // namespace

void PlotRendererTest::markersOnlyWhenAtMost100RowsAreInView_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("markers");
    QTest::newRow("100 rows in view") << 101 << true;
    QTest::newRow("101 rows in view") << 102 << false;
}

void PlotRendererTest::markersOnlyWhenAtMost100RowsAreInView()
{
    QFETCH(int, rows);
    QFETCH(bool, markers);
    Scene scene(rows);
    QCOMPARE(scene.frame.view, (ViewRows{1, rows}));
    const RecordingCanvas canvas = scene.render();
    const int slot1Markers = int(canvas.find(DrawOp::Marker, scene.colour(1)).size());
    const int slot5Markers = int(canvas.find(DrawOp::Marker, scene.colour(5)).size());
    if (markers) {
        // Slot 1 has a run of invalid samples; slot 5 (temperature-only) has none.
        QVERIFY(slot1Markers > 0 && slot1Markers < rows);
        QCOMPARE(slot5Markers, rows);
    } else {
        QCOMPARE(slot1Markers + slot5Markers, 0);
    }
}

void PlotRendererTest::curveBreaksAtTheGapOfInvalidSamples()
{
    Scene scene(600);
    const RecordingCanvas canvas = scene.render();
    const auto curves = canvas.find(DrawOp::Polyline, scene.colour(1));
    QCOMPARE(int(curves.size()), 2);
    const double pxPerRow = 1000.0 / 599;
    const double gapStart = 60 + (200 - 1) * pxPerRow; // rows 200..229 are invalid
    const double gapEnd = 60 + (230 - 1) * pxPerRow;
    QVERIFY(curves[0].points.back().x() < gapStart);
    QVERIFY(curves[1].points.front().x() >= gapEnd - 0.01);
    // The unbroken series of slot 3 is one curve from its first row to the last.
    const auto whole = canvas.find(DrawOp::Polyline, scene.colour(3));
    QCOMPARE(int(whole.size()), 1);
    QCOMPARE(whole[0].points.front().x(), 60 + 5 * pxPerRow);
    QCOMPARE(whole[0].points.back().x(), 1060.0);
}

void PlotRendererTest::referenceLinesAreDrawnOnlyWhenOn_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

void PlotRendererTest::referenceLinesAreDrawnOnlyWhenOn()
{
    QFETCH(bool, on);
    Scene scene(300);
    scene.state.RefLinesOn = on;
    scene.state.RefLineT = {20, RefLineUnset};
    const RecordingCanvas canvas = scene.render();
    const auto temp = canvas.find(DrawOp::Line, qbColor(12));
    const auto hume = canvas.find(DrawOp::Line, qbColor(1));
    QCOMPARE(int(temp.size()), on ? 2 : 0);
    QCOMPARE(int(hume.size()), on ? 2 : 0);
    QCOMPARE(canvas.countText(QStringLiteral("TEMP")), on ? 2 : 0);
    QCOMPARE(canvas.countText(QStringLiteral("HUME")), on ? 2 : 0);
    // The unset line took the middle of the axis.
    const AppSettings &s = scene.frame.settings;
    QCOMPARE(scene.state.RefLineT[1], int(roundHalfEven(s.ScaleMin1 + s.ScaleMax1, 2)));
    if (on) {
        const double y20 = 40 + (s.ScaleMax1 - 20) * 500.0 / (s.ScaleMax1 - s.ScaleMin1);
        QCOMPARE(temp[0].points[0].y(), y20);
        QCOMPARE(temp[0].width, 3.0);
        QCOMPARE(temp[0].points[0].x(), 60.0);
        QCOMPARE(temp[0].points[1].x(), 1060.0);
    }
}

void PlotRendererTest::hiddenAndAllInvalidSeriesDrawNothing()
{
    Scene scene(300);
    scene.state.SeriesHidden[1] = true; // humidity of the first transmitter
    const RecordingCanvas canvas = scene.render();
    QVERIFY(canvas.find(DrawOp::Polyline, scene.colour(2)).empty());
    QVERIFY(!canvas.find(DrawOp::Polyline, scene.colour(1)).empty());
    // Slot 6 is the second channel of the temperature-only transmitter: kind 0, all dashes.
    QVERIFY(canvas.find(DrawOp::Polyline, scene.colour(6)).empty());
    QVERIFY(canvas.find(DrawOp::Point, scene.colour(6)).empty());
}

void PlotRendererTest::timeLabelsNearTheEndsAreLeftOut()
{
    Scene scene(12); // 11 rows of span: a line at every row
    QCOMPARE(scene.frame.timeLabelStep, 1);
    const RecordingCanvas canvas = scene.render();
    const QColor grid(128, 0, 0);
    int vertical = 0;
    for (const DrawOp &op : canvas.find(DrawOp::Line, grid))
        vertical += op.points[0].x() == op.points[1].x();
    QCOMPARE(vertical, 10);
    // 1000 px / 11 rows: lines closer than 6 x 8 px to an end carry no label.
    QCOMPARE(canvas.countText(QStringLiteral("26-03-01")), 2 + 10);
    QCOMPARE(canvas.countText(QStringLiteral("  08:00")), 1);
    QCOMPARE(canvas.countText(QStringLiteral("  09:50")), 1);
    QCOMPARE(canvas.countText(QStringLiteral("  08:10")), 1);
    QCOMPARE(canvas.countText(QStringLiteral("  09:40")), 1);

    Scene narrow(12);
    PlotLayout l = fixedLayout();
    l.plot.width = 400; // 36 px a row: the first and last inner lines lose their labels
    narrow.prepare(buildGraphSeries({1, 2, 3}), l);
    const RecordingCanvas c2 = narrow.render();
    QCOMPARE(c2.countText(QStringLiteral("  08:10")), 0);
    QCOMPARE(c2.countText(QStringLiteral("  08:20")), 1);
    QCOMPARE(c2.countText(QStringLiteral("  09:40")), 0);
    QCOMPARE(c2.countText(QStringLiteral("  09:50")), 1);
}

void PlotRendererTest::valueLabelsFollowTheKindsPattern()
{
    Scene scene(20, {2});
    scene.state.LabelsOn = true;
    const RecordingCanvas canvas = scene.render();
    const qint16 t = scene.set->value(2, 1, 1);
    const qint16 h = scene.set->value(2, 2, 1);
    QCOMPARE(canvas.countText(QString::number(t / 10.0, 'f', 1)) > 0, true);
    QCOMPARE(canvas.countText(QString::number(h)) > 0, true);
    int labels = 0;
    for (const DrawOp &op : canvas.ops)
        labels += op.kind == DrawOp::Text &&
                  (op.colour == scene.colour(1) || op.colour == scene.colour(2));
    QCOMPARE(labels, 2 * 15); // transmitter 2 starts at row 6
}

void PlotRendererTest::realisticSetRendersIntoImages_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<bool>("labels");
    QTest::newRow("large") << QSize(1240, 700) << 2000 << 1 << false;
    QTest::newRow("small") << QSize(775, 420) << 80 << 1 << false;
    QTest::newRow("small thick labelled") << QSize(775, 420) << 30 << 2 << true;
}

void PlotRendererTest::realisticSetRendersIntoImages()
{
    QFETCH(QSize, size);
    QFETCH(int, rows);
    QFETCH(int, lineWidth);
    QFETCH(bool, labels);
    Scene scene(rows);
    scene.state.LineWidth = lineWidth;
    scene.state.LabelsOn = labels;
    scene.state.RefLinesOn = true;
    scene.state.RefLineT = {25, RefLineUnset};
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(240, 240, 240));
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(size.width() / 62);
    scene.prepare(buildGraphSeries({1, 2, 3}), plotLayoutFor(size, font, &image));
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        renderPlot(canvas, scene.frame, scene.state);
    }
    const PlotArea &p = scene.frame.layout.plot;
    QVERIFY(p.left > 0 && p.right() < size.width() && p.bottom() < size.height());
    int seriesPixels = 0;
    for (int y = int(p.top) + 3; y < int(p.bottom()) - 2; ++y)
        for (int x = int(p.left) + 3; x < int(p.right()) - 2; ++x)
            seriesPixels += image.pixelColor(x, y) == scene.colour(1);
    QVERIFY(seriesPixels > 100);
    if (const QByteArray dir = qgetenv("ZT_GRAB_DIR"); !dir.isEmpty())
        QVERIFY(
            image.save(QDir(QString::fromLocal8Bit(dir))
                           .filePath(QStringLiteral("graph-%1.png")
                                         .arg(QString::fromLatin1(QTest::currentDataTag())
                                                  .replace(QLatin1Char(' '), QLatin1Char('-'))))));
}

ZT_TEST(PlotRendererTest)
#include "plotrenderertest.moc"
