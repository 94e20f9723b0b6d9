// The main window: start-up to the first shown window, a page change (which shows the page
// and refreshes it only when something it shows changed) with the largest configuration open,
// and Open of that configuration through the window. Targets: start-up <= 150 ms, page change
// <= 4 ms CPU median, Open < 50 ms.
#include "support/LargestConfiguration.h"
#include "app/MainForm.h"
#include "model/Data.h"
#include "storage/ConfigFile.h"
#include "storage/ScriptedPrompts.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Hochiki, both loops fitted at every address with distinct names up to the name-table limit,
// every zone, group, set, network panel and C&E event filled.
// A window with settings and prompts of its own, and the largest configuration on disk.
struct TBenchWindow {
    QTemporaryDir Dir;
    QSettings Settings{Dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    TScriptedPrompts Prompts;
    std::unique_ptr<TMainForm> Form;
    QString Largest = Dir.filePath(QStringLiteral("largest_Panel1.QEM"));

    TBenchWindow()
    {
        Settings.setValue(QStringLiteral("DevicePaths/COM1"), QStringLiteral("demo"));
        TData doc;
        FillLargestConfiguration(doc);
        TConfigFile(doc, Prompts).WriteFile(Largest);
    }

    TMainForm& Show()
    {
        TMainFormSetup setup;
        setup.Prompts = &Prompts;
        setup.Settings = &Settings;
        setup.ButtonsIniPath = Dir.filePath(QStringLiteral("Protocol_Buttons.ini"));
        Form = std::make_unique<TMainForm>(setup);
        Form->show();
        QCoreApplication::processEvents();
        return *Form;
    }
};

void BM_StartupToFirstShownWindow(benchmark::State& state)
{
    TBenchWindow bench;
    for (auto _ : state) {
        bench.Show();
        state.PauseTiming();
        bench.Form.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstShownWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

// One page change as the user sees it: the page shown and drawn. Out of line so that a profiler
// can count it alone: valgrind --tool=callgrind --toggle-collect='*ShowPage*'.
Q_NEVER_INLINE void ShowPage(TMainForm& form, TPanelPage page)
{
    form.SetActivePage(page);
    QCoreApplication::processEvents();
}

void BM_PageChangeWithLargestOpen(benchmark::State& state)
{
    TBenchWindow bench;
    TMainForm& form = bench.Show();
    if (!form.OpenFile(bench.Largest))
        state.SkipWithError("the largest configuration did not open");
    bool zones = false;
    for (auto _ : state) {
        zones = !zones;
        ShowPage(form, zones ? ppZoneConfig : ppSiteConfig);
    }
}
BENCHMARK(BM_PageChangeWithLargestOpen)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

// One direction of the change above: the other one runs outside the timing.
void PageChangeTo(benchmark::State& state, TPanelPage shown, TPanelPage other)
{
    TBenchWindow bench;
    TMainForm& form = bench.Show();
    if (!form.OpenFile(bench.Largest))
        state.SkipWithError("the largest configuration did not open");
    // Both pages shown once first: the loop measures the changes a user makes all day, not the
    // first showing of a page after the file opened.
    form.SetActivePage(shown);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        form.SetActivePage(other);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        ShowPage(form, shown);
    }
}
void BM_PageChangeToZoneConfig(benchmark::State& state)
{
    PageChangeTo(state, ppZoneConfig, ppSiteConfig);
}
void BM_PageChangeToSiteConfig(benchmark::State& state)
{
    PageChangeTo(state, ppSiteConfig, ppZoneConfig);
}
BENCHMARK(BM_PageChangeToZoneConfig)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PageChangeToSiteConfig)->Unit(benchmark::kMillisecond)->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_OpenLargestThroughTheWindow(benchmark::State& state)
{
    TBenchWindow bench;
    TMainForm& form = bench.Show();
    for (auto _ : state) {
        if (!form.OpenFile(bench.Largest))
            state.SkipWithError("the largest configuration did not open");
    }
    bench.Form->Data().MarkSaved();
}
BENCHMARK(BM_OpenLargestThroughTheWindow)->Unit(benchmark::kMillisecond);

} // namespace
