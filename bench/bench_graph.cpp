// Full graph redraw: 4 transmitters (8 channels) with 32000 noisy samples each, drawn into
// an image of the large window's plot picture.
#include "graph/plotrenderer.h"
#include "benchsupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void fullRedraw(benchmark::State &state)
{
    const int lineWidth = int(state.range(0));
    const auto set = zt::bench::fullEightChannels();
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
