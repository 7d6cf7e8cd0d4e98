// Full graph redraw: 4 transmitters (8 channels) with 32000 noisy samples each, drawn into
// an image of the large window's plot picture.
#include "graph/plotrenderer.h"
#include "records/datetime.h"
#include "records/statistics.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<zt::LogSet> fullEightChannels()
{
    auto set = std::make_unique<zt::LogSet>();
    set->setStartTime(zt::wallClock(2026, 1, 1, 0, 0));
    set->setInterval(1);
    set->KoCount = 4;
    QRandomGenerator random(42);
    for (int k = 1; k <= 4; ++k) {
        zt::KoSeries &s = set->ko(k);
        s.HasData = 1;
        s.SeriesNo = qint16(k);
        s.KoNo = qint16(k);
        s.KoKind = 12;
        s.DataCount = zt::MaxSamples;
        s.name = QString::number(k);
        for (int n = 1; n <= zt::MaxSamples; ++n) {
            const double day = std::sin(2 * M_PI * n / 1440.0 + k);
            set->value(k, 1, n) = qint16(200 + 80 * day + random.bounded(-15, 15));
            set->value(k, 2, n) = qint16(55 + 20 * day + random.bounded(-3, 3));
        }
        set->value(k, 1, 5000 + k) = zt::StarValue;
    }
    zt::computeStatistics(*set);
    return set;
}

void fullRedraw(benchmark::State &state)
{
    const int lineWidth = int(state.range(0));
    const auto set = fullEightChannels();
    const zt::DisplayChannels channels = zt::buildDisplayChannels(*set);
    const zt::GraphSeries series = zt::buildGraphSeries({1, 2, 3, 4});
    QImage image(1240, 650, QImage::Format_RGB32);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(21);
    const zt::PlotLayout layout = zt::plotLayoutFor(image.size(), font, &image);
    zt::GraphState graph;
    graph.RefLinesOn = true;
    graph.LineWidth = lineWidth;
    zt::AppSettings settings;
    zt::GraphScale scale;
    for (auto _ : state) {
        const zt::PlotFrame frame =
            zt::preparePlot(graph, settings, scale, *set, channels, series, layout);
        image.fill(Qt::lightGray);
        QPainter painter(&image);
        zt::PainterCanvas canvas(painter);
        zt::renderPlot(canvas, frame, graph);
    }
}
// Argument: LineWidth (thin 1, thick 2).
BENCHMARK(fullRedraw)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
