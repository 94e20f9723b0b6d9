// Refresh of the Site Config and Network Config pages (run on every page change, so each must
// stay far inside one 16 ms frame), with every text field at its full length.
#include "editors/site/NetworkConfigPage.h"
#include "editors/site/SiteConfigPage.h"
#include "model/Data.h"
#include "storage/ScriptedPrompts.h"

#include <benchmark/benchmark.h>

namespace {

struct TSiteBenchDocument {
    TSiteBenchDocument()
    {
        TSiteConfig& site = Data.SiteConfig;
        const QString full(35, QLatin1Char('W'));
        site.ClientName = site.InstallerName = site.PanelLocation = full;
        site.Engineer = site.EngineerNo = full;
        for (int line = 1; line <= 5; ++line)
            site.ClientAddress(line) = site.InstallerAddress(line) = full;
        site.QuiescentString = site.MaintenanceString = QString(40, QLatin1Char('W'));
        site.Day_Enable_Flags = 0x55;
        site.Night_Enable_Flags = 0x2A;
        site.MainVersion = QStringLiteral("09A03");
        for (int n = 1; n <= MaxNetworkPanels; ++n) {
            Data.RepeaterList.Repeaters[n].Name = QStringLiteral("Building %1 East").arg(n);
            Data.Network.AcceptAlarms[n] = n % 2 == 0;
        }
        Data.PanelNumber = 3;
    }
    TData Data;
    TScriptedPrompts Prompts;
    TEditorContext Context{Data, Prompts, 600, {}, {}};
};

template <typename TPageClass>
void BM_PageRefresh(benchmark::State& state)
{
    TSiteBenchDocument doc;
    TPageClass page(doc.Context);
    page.resize(page.sizeHint());
    page.show();
    for (auto _ : state)
        page.Refresh();
}

} // namespace

BENCHMARK_TEMPLATE(BM_PageRefresh, TfrmSiteConfig)
    ->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(BM_PageRefresh, TfrmNetworkConfig)
    ->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
