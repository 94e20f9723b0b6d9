// Undo and redo on the largest configuration: the added cost of one undoable edit (target
// <= 2 ms over the edit alone), one undo with its page refresh (<= 16 ms), the memory of a
// full history (100 steps), and the two ways of keeping a state: a content copy (what the
// history uses) against writing the configuration file.
#include "support/LargestConfiguration.h"
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
        FillLargestConfiguration(doc);
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
    ~TUndoBenchWindow() { Form->Data().MarkSaved(); }

    // One edit as a page makes it, with its copy taken as after the event.
    void Edit(int n)
    {
        TData& doc = Form->Data();
        doc.ZoneList.Zone(1 + n % MaxZone).Name = QStringLiteral("Edit %1").arg(n);
        doc.Edit(dpZones, QStringLiteral("Zone name"));
        Form->UndoHistory().Flush();
    }
};

void BM_EditAlone(benchmark::State& state)
{
    TData doc;
    FillLargestConfiguration(doc);
    int n = 0;
    for (auto _ : state) {
        doc.ZoneList.Zone(1 + n % MaxZone).Name = QStringLiteral("Edit %1").arg(n);
        doc.Edit(dpZones, QStringLiteral("Zone name"));
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
    FillLargestConfiguration(doc);
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
    FillLargestConfiguration(doc);
    const QString path = dir.filePath(QStringLiteral("state_Panel1.QEM"));
    for (auto _ : state)
        TConfigFile(doc, prompts).WriteFile(path);
}
BENCHMARK(BM_StateByConfigurationFile)->Unit(benchmark::kMicrosecond);

} // namespace
