// Printing to PDF: the whole data list of 4 transmitters (8 channels) x 32000 rows, and one
// graph page of the same set, both on A4 at 1200 dpi into memory.
#include "print/datalist.h"
#include "print/graphpage.h"
#include "print/painterprintengine.h"
#include "print/printcontrol.h"
#include "print/printfont.h"
#include "benchsupport.h"

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

namespace {

template <typename Printout> void toPdf(benchmark::State &state, Printout printout)
{
    qint64 bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageLayout(zt::PrintControl::defaultLayout());
        zt::PainterPrintEngine engine(writer);
        printout(engine);
        pages = engine.pageCount();
        bytes = buffer.size();
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = double(bytes) / 1e6;
}

void wholeDataList(benchmark::State &state)
{
    const auto set = zt::bench::fullEightChannels();
    const zt::DisplayChannels channels = zt::buildDisplayChannels(*set);
    const zt::ListPrintInput in{set.get(), &channels, zt::buildGraphSeries({1, 2, 3, 4}),
                                zt::printFontFamily()};
    toPdf(state, [&](zt::PrintEngine &engine) {
        if (!zt::printDataList(engine, in, {1, zt::rowTotal(*set)}))
            state.SkipWithError("printing failed");
    });
}

void graphPage(benchmark::State &state)
{
    const auto set = zt::bench::fullEightChannels();
    const zt::DisplayChannels channels = zt::buildDisplayChannels(*set);
    zt::GraphPageInput in;
    in.set = set.get();
    in.channels = &channels;
    in.series = zt::buildGraphSeries({1, 2, 3, 4});
    in.fontFamily = zt::printFontFamily();
    in.state.RefLinesOn = true;
    toPdf(state, [&](zt::PrintEngine &engine) {
        if (!zt::printGraphPage(engine, in))
            state.SkipWithError("printing failed");
    });
}

} // namespace

BENCHMARK(wholeDataList)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(graphPage)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
