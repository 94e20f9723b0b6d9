// Times the configuration check of the largest configuration (budget 5 ms) and the comparison
// of two largest configurations (budget 10 ms), equal and different in every point, against
// copying the same document in the same run. The largest configuration: Hochiki, both loops
// fully fitted with distinct names up to the 256-name limit, every section filled.
#include "support/LargestConfiguration.h"
#include "model/Data.h"
#include "safety/ConfigCheck.h"
#include "safety/ConfigDiff.h"

#include <benchmark/benchmark.h>

namespace {

TData& Largest()
{
    static TData doc;
    static const bool filled = (FillLargestConfiguration(doc), true);
    (void)filled;
    return doc;
}

void BM_CopyLargest(benchmark::State& state)
{
    TData copy;
    for (auto _ : state) {
        copy.AssignContent(Largest());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyLargest)->Unit(benchmark::kMillisecond);

void BM_CheckLargest(benchmark::State& state)
{
    const QDate today(2026, 6, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(TConfigCheck::Run(Largest(), DefaultMaxOutputDelay, today));
    state.counters["budget_ms"] = 5;
}
BENCHMARK(BM_CheckLargest)->Unit(benchmark::kMillisecond);

void BM_DiffLargestEqual(benchmark::State& state)
{
    TData other;
    other.AssignContent(Largest());
    for (auto _ : state)
        benchmark::DoNotOptimize(TConfigDiff::Compare(Largest(), other));
    state.counters["budget_ms"] = 10;
}
BENCHMARK(BM_DiffLargestEqual)->Unit(benchmark::kMillisecond);

void BM_DiffLargestAllDifferent(benchmark::State& state)
{
    TData other;
    other.AssignContent(Largest());
    for (int l = 1; l <= 2; ++l)
        for (int p = 1; p <= other.NoLoopDevices(); ++p) {
            TDeviceType& d = other.Loop(l).Devices[p];
            d.Name += QStringLiteral(" (moved)");
            d.Zone = 1 + (d.Zone + 1) % 32;
        }
    for (int z = 1; z <= MaxZone; ++z)
        for (int g = 1; g <= MaxGroup; ++g)
            other.ZoneList.Zone(z).GroupConfig[g] = (other.ZoneList.Zone(z).GroupConfig[g] + 1) % 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(TConfigDiff::Compare(Largest(), other));
    state.counters["budget_ms"] = 10;
}
BENCHMARK(BM_DiffLargestAllDifferent)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
