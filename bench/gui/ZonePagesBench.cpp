#include "editors/zones/CEConfigPage.h"
#include "editors/zones/GroupConfigPage.h"
#include "editors/zones/OutputMatrix.h"
#include "editors/zones/SetConfigPage.h"
#include "editors/zones/ZoneConfigPage.h"
#include "model/Data.h"
#include "storage/ScriptedPrompts.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

// A New document whose zones all differ a little, so every control really changes value.
struct TZoneBenchDocument {
    TData Data;
    TScriptedPrompts Prompts;
    TEditorContext Context{Data, Prompts, 600, QString(), {}};
    TZoneBenchDocument()
    {
        Data.ResetToNew();
        Data.SiteConfig.InvestigationPeriod = 0;
        Data.SiteConfig.InvestigationPeriod1 = 0;
        for (int zone = 1; zone <= MaxZone; ++zone) {
            TZone& z = Data.ZoneList.Zone(zone);
            z.SounderTimer = (zone % 20) * 30;
            z.Dependancy[1] = zone % 3 == 0 ? doA : doNormal;
            for (int g = 1; g <= MaxGroup; ++g)
                z.GroupConfig[g] = (zone + g) % 3;
            for (int s = 1; s <= MaxSet; ++s)
                z.SetConfig[s] = (zone + s) % 4;
        }
        for (int e = 1; e <= CEEventCount; ++e)
            Data.C_ETable.Events[e] = TC_EArray{10 * (e % 24), e % 3, 5 * (e % 23 + 1), e, 65, 0x0203};
    }
};

void BM_ZoneConfigRefresh(benchmark::State& state)
{
    TZoneBenchDocument doc;
    TfrmZoneConfig page(doc.Context);
    page.resize(1000, 700);
    page.Refresh();
    int i = 0;
    for (auto _ : state) {
        // Alternate two documents' worth of values so the refresh is never a no-op.
        doc.Data.ZoneList.Zone(1 + i % 40).Name = QStringLiteral("Zone x%1").arg(i);
        doc.Data.ZoneList.Zone(1 + (i + 7) % 40).SounderTimer = (i % 20) * 30;
        page.Refresh();
        ++i;
    }
}
BENCHMARK(BM_ZoneConfigRefresh)->Unit(benchmark::kMillisecond);

void BM_GroupMatrixRepaint(benchmark::State& state)
{
    TZoneBenchDocument doc;
    TfrmGroupConfig page(doc.Context);
    TOutputMatrix* matrix = page.Matrix();
    QPixmap target(matrix->size());
    for (auto _ : state) {
        matrix->render(&target);
        benchmark::DoNotOptimize(target);
    }
}
BENCHMARK(BM_GroupMatrixRepaint)->Unit(benchmark::kMillisecond);

void BM_SetMatrixDragWholeMatrix(benchmark::State& state)
{
    TZoneBenchDocument doc;
    TfrmSetConfig page(doc.Context);
    TOutputMatrix* matrix = page.Matrix();
    QPixmap target(matrix->size());
    const QPointF from = matrix->CellRect(1, 1).center();
    const QPointF to = matrix->CellRect(TOutputMatrix::RowCount - 1, matrix->ColumnCount() - 1).center();
    int i = 0;
    for (auto _ : state) {
        // Delayed and Continuous in turn, so every cell changes.
        QToolButton* tool = page.Tool(i % 2 == 0 ? srDelayed : srContinuous);
        tool->click();
        QMouseEvent press(QEvent::MouseButtonPress, from, matrix->mapToGlobal(from), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, to, matrix->mapToGlobal(to), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(matrix, &press);
        QApplication::sendEvent(matrix, &release);
        matrix->render(&target);
        benchmark::DoNotOptimize(target);
        ++i;
    }
}
BENCHMARK(BM_SetMatrixDragWholeMatrix)->Unit(benchmark::kMillisecond);

void BM_CEConfigRefresh(benchmark::State& state)
{
    TZoneBenchDocument doc;
    TfrmCEConfig page(doc.Context);
    page.resize(1400, 800);
    page.Refresh();
    int i = 0;
    for (auto _ : state) {
        doc.Data.C_ETable.Events[1 + i % 16].ActionTarget = i % 5;
        doc.Data.C_ETable.Events[1 + (i + 3) % 16].Action = 10 * (i % 24);
        page.Refresh();
        ++i;
    }
}
BENCHMARK(BM_CEConfigRefresh)->Unit(benchmark::kMillisecond);

} // namespace
