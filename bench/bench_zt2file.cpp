// Load and save of the largest .zt2 file: 30 transmitters with 32000 samples each.
#include "../tests/records/test_zt2sets.h"
#include "records/zt2file.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const zt::LogSet &full()
{
    static const auto set = zt::test::fullSet();
    return *set;
}

void saveFullSet(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.zt2"));
    for (auto _ : state)
        if (zt::saveZt2(path, full()) != 0)
            state.SkipWithError("save failed");
}
BENCHMARK(saveFullSet)->Unit(benchmark::kMillisecond);

void loadFullSet(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.zt2"));
    zt::saveZt2(path, full());
    const zt::OyaRegistry oya;
    const zt::KoNameTable names;
    auto set = std::make_unique<zt::LogSet>();
    int progress = 0;
    for (auto _ : state)
        if (zt::loadZt2(path, oya, names, *set, [&] { ++progress; }) != 0)
            state.SkipWithError("load failed");
    benchmark::DoNotOptimize(progress);
}
BENCHMARK(loadFullSet)->Unit(benchmark::kMillisecond);

void encodeFullSet(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(zt::encodeZt2(full()));
}
BENCHMARK(encodeFullSet)->Unit(benchmark::kMillisecond);

void decodeFullSet(benchmark::State &state)
{
    const QByteArray bytes = zt::encodeZt2(full());
    const zt::OyaRegistry oya;
    const zt::KoNameTable names;
    auto set = std::make_unique<zt::LogSet>();
    for (auto _ : state)
        benchmark::DoNotOptimize(zt::decodeZt2(bytes, oya, names, *set));
}
BENCHMARK(decodeFullSet)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
