// Undo and redo on the largest configuration: the added cost of one undoable edit (target
// <= 2 ms over the edit alone), one undo with its page refresh (<= 16 ms), the memory of a
// full history (100 steps), and the two ways of keeping a state: a content copy (what the
// history uses) against writing the configuration file.
#include "app/MainForm.h"
#include "app/UndoHistory.h"
#include "model/Data.h"
#include "storage/ConfigFile.h"
#include "storage/ScriptedPrompts.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

namespace {

// Hochiki, both loops fitted with distinct names, every zone, group, set, network panel and
// C&E event filled (as the main window's benchmark builds it).
void FillLargest(TData& doc)
{
    doc.SwitchProtocol(stHochikiLoop);
    const int codes[] = {136, 152, 168, 216, 0, 94, 125, 21};
    int nameNo = 0;
    for (int l = 1; l <= 2; ++l) {
        TQEMLoop& loop = doc.Loop(l);
        for (int p = 1; p <= loop.NoLoopDevices(); ++p) {
            loop.PlaceDevice(p, codes[p % 8]);
            loop.Devices[p].Zone = 1 + p % 32;
            loop.Devices[p].Name = QStringLiteral("Corridor east point %1").arg(nameNo++ % 255 + 1);
        }
    }
    doc.RebuildNameTable();
    for (int z = 1; z <= MaxZone; ++z) {
        TZone& zone = doc.ZoneList.Zone(z);
        zone.Name = QStringLiteral("Zone name %1").arg(z);
        for (int g = 1; g <= MaxGroup; ++g)
            zone.GroupConfig[g] = (z + g) % 3;
        for (int s = 1; s <= MaxSet; ++s)
            zone.SetConfig[s] = (z + s) % 4;
    }
    for (int n = 1; n <= MaxNetworkPanels; ++n)
        doc.RepeaterList.Repeaters[n] = {true, QStringLiteral("Panel %1").arg(n)};
    for (int e = 1; e <= CEEventCount; ++e)
        doc.C_ETable.Events[e] = {50, e, 55, 1, 55, 1};
    doc.Comments = QStringLiteral("Comments of the largest site");
}

// Heap bytes in use (freed blocks kept by the allocator do not count).
long HeapInUse()
{
    return static_cast<long>(mallinfo2().uordblks);
}

// The main window with the largest configuration open.
struct TUndoBenchWindow {
    QTemporaryDir Dir;
    QSettings Settings{Dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    TScriptedPrompts Prompts;
    std::unique_ptr<TMainForm> Form;

    TUndoBenchWindow()
    {
        const QString path = Dir.filePath(QStringLiteral("largest_Panel1.QEM"));
        TData doc;
        FillLargest(doc);
        TConfigFile(doc, Prompts).WriteFile(path);
        TMainFormSetup setup;
        setup.Prompts = &Prompts;
        setup.Settings = &Settings;
        setup.ButtonsIniPath = Dir.filePath(QStringLiteral("Protocol_Buttons.ini"));
        Form = std::make_unique<TMainForm>(setup);
        Form->show();
        QCoreApplication::processEvents();
        Form->OpenFile(path);
    }
    ~TUndoBenchWindow() { Form->Data().SetModified(false); }

    // One edit as a page makes it, with its copy taken as after the event.
    void Edit(int n)
    {
        TData& doc = Form->Data();
        doc.ZoneList.Zone(1 + n % MaxZone).Name = QStringLiteral("Edit %1").arg(n);
        doc.SetModified(true);
        Form->UndoHistory().Flush();
    }
};

void BM_EditAlone(benchmark::State& state)
{
    TData doc;
    FillLargest(doc);
    int n = 0;
    for (auto _ : state) {
        doc.ZoneList.Zone(1 + n % MaxZone).Name = QStringLiteral("Edit %1").arg(n);
        doc.SetModified(true);
        ++n;
    }
}
BENCHMARK(BM_EditAlone)->Unit(benchmark::kMicrosecond);

void BM_UndoableEditLargest(benchmark::State& state)
{
    TUndoBenchWindow bench;
    int n = 0;
    for (auto _ : state)
        bench.Edit(n++);
}
BENCHMARK(BM_UndoableEditLargest)->Unit(benchmark::kMicrosecond);

void BM_UndoLargest(benchmark::State& state)
{
    TUndoBenchWindow bench;
    for (int n = 0; n < TUndoHistory::MaxSteps; ++n)
        bench.Edit(n);
    bool undo = true;
    for (auto _ : state) {
        // Back and forth over the last step, each with the refresh of every page and its paint.
        if (!(undo ? bench.Form->Undo() : bench.Form->Redo()))
            state.SkipWithError("nothing to undo");
        QCoreApplication::processEvents();
        undo = !undo;
    }
}
BENCHMARK(BM_UndoLargest)->Unit(benchmark::kMillisecond);

void BM_MemoryOf100Steps(benchmark::State& state)
{
    TUndoBenchWindow bench;
    long added = 0;
    for (auto _ : state) {
        bench.Form->UndoHistory().Reset();
        const long before = HeapInUse();
        for (int n = 0; n < TUndoHistory::MaxSteps; ++n)
            bench.Edit(n);
        added = (HeapInUse() - before) / 1024;
    }
    state.counters["KiB_100_steps"] = static_cast<double>(added);
}
BENCHMARK(BM_MemoryOf100Steps)->Unit(benchmark::kMillisecond)->Iterations(3);

// The two candidate ways of keeping a state.
void BM_StateByContentCopy(benchmark::State& state)
{
    TData doc;
    FillLargest(doc);
    TData copy;
    for (auto _ : state)
        copy.AssignContent(doc);
}
BENCHMARK(BM_StateByContentCopy)->Unit(benchmark::kMicrosecond);

void BM_StateByConfigurationFile(benchmark::State& state)
{
    QTemporaryDir dir;
    TScriptedPrompts prompts;
    TData doc;
    FillLargest(doc);
    const QString path = dir.filePath(QStringLiteral("state_Panel1.QEM"));
    for (auto _ : state)
        TConfigFile(doc, prompts).WriteFile(path);
}
BENCHMARK(BM_StateByConfigurationFile)->Unit(benchmark::kMicrosecond);

} // namespace
