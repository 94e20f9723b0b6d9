// Loop Summary rebuild with both loops full (Hochiki, 254 points each, every third point a
// module with channel names, every point named): the refresh a page change runs, and the
// switch of "Show summary for" between the loops, each with the paint of the visible rows.
// Budget: 16 ms. The New configuration's refresh is the baseline measured in the same run.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include "support/LargestConfiguration.h"
#include "editors/EditorTestSupport.h"
#pragma GCC diagnostic pop
#include "editors/devices/LoopSummary.h"

#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

struct TSummaryBench {
    TEditorFixture Fixture;
    TfrmLoopSummary* Page = nullptr;

    explicit TSummaryBench(bool full)
    {
        if (full)
            FillLargestConfiguration(Fixture.Data);
        Page = new TfrmLoopSummary(Fixture.Context);
        Page->resize(1280, 800);
        Page->show();
        Page->repaint();
    }
    ~TSummaryBench() { delete Page; }

    void Paint() { Page->Table()->viewport()->repaint(); }
};

void BM_LoopSummaryRefresh(benchmark::State& state)
{
    TSummaryBench bench(state.range(0) != 0);
    for (auto _ : state) {
        bench.Page->Refresh();
        bench.Paint();
    }
}
BENCHMARK(BM_LoopSummaryRefresh)->ArgName("full")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LoopSummarySwitchLoop(benchmark::State& state)
{
    TSummaryBench bench(true);
    int loop = 1;
    for (auto _ : state) {
        loop = 3 - loop;
        bench.Page->SetSummaryLoop(loop);
        bench.Paint();
    }
}
BENCHMARK(BM_LoopSummarySwitchLoop)->Unit(benchmark::kMillisecond);

} // namespace
