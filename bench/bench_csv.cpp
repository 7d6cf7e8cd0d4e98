// CSV export of the largest set: 30 transmitters with 32000 rows.
#include "../tests/records/test_zt2sets.h"
#include "records/csvexport.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void exportFullSet(benchmark::State &state)
{
    auto set = zt::test::fullSet();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.csv"));
    for (auto _ : state)
        if (zt::exportCsv(path, *set) != 0)
            state.SkipWithError("export failed");
}
BENCHMARK(exportFullSet)->Unit(benchmark::kMillisecond);

void buildFullSetText(benchmark::State &state)
{
    auto set = zt::test::fullSet();
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = zt::csvBytes(*set).size();
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(buildFullSetText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
