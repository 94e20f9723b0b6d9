// The print preview of the largest configuration's full report (Hochiki, both loops fully
// fitted, every third point a module with four channels, every site and zone field filled):
// the window shown after "Print Preview", a page change at "Fit To Page" and a zoom step.
#include "support/LargestConfiguration.h"
#include "editors/common/EditorContext.h"
#include "editors/print/PreviewForm.h"
#include "editors/print/PrinterSetup.h"
#include "editors/print/frmPrint.h"
#include "model/Data.h"
#include "reports/PrintSelection.h"
#include "reports/Reports.h"
#include "storage/ScriptedPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

#include <benchmark/benchmark.h>

namespace {

struct TLargest {
    TLargest()
    {
        FillLargestConfiguration(Data);
        PrinterSetup().Reset(rdPdf);
    }
    TData Data;
    TScriptedPrompts Prompts;
    TEditorContext Context{Data, Prompts, 600, QString(), {}};
};

TLargest& Largest()
{
    static TLargest largest;
    return largest;
}

template <typename T = QToolButton> T* Child(QWidget* w, const char* name)
{
    return w->findChild<T*>(QLatin1String(name));
}

// From the click on "Print Preview" to the first page drawn in the shown window.
void BM_PreviewShown(benchmark::State& state)
{
    TfrmPrint form(Largest().Context);
    form.show();
    for (auto _ : state) {
        QElapsedTimer timer;
        double ms = 0;
        QTimer::singleShot(0, [&] {
            QWidget* preview = QApplication::activeModalWidget();
            Child<QWidget>(preview, "PB1")->repaint();
            ms = timer.nsecsElapsed() / 1e6;
            preview->close();
        });
        timer.start();
        Child<QPushButton>(&form, "BitBtn1")->click();
        state.SetIterationTime(ms / 1000.0);
        form.show();
    }
    state.counters["budget_ms"] = 300;
}
BENCHMARK(BM_PreviewShown)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The report's pages, recorded once for the paging and zoom measurements.
TReports& LargestReport()
{
    static TReports* reports = [] {
        auto* r = new TReports(Largest().Data, PrinterSetup().MakeReference());
        TPrintSelection().PrintSections(*r);
        r->Engine().EndDoc();
        return r;
    }();
    return *reports;
}

// "&Next" at "Fit To Page" until the last page, then back to the first: the page drawn at
// once. With warm set the window has had its idle time to draw the next page ahead;
// otherwise it has not, and the page is drawn when it is shown.
void PageChange(benchmark::State& state, bool warm)
{
    TPreviewForm preview(LargestReport().Engine(), Largest().Prompts);
    preview.resize(1280, 960);
    preview.show();
    QApplication::processEvents();
    QWidget* pb1 = Child<QWidget>(&preview, "PB1");
    for (auto _ : state) {
        if (warm) {
            state.PauseTiming();
            QApplication::processEvents();
            state.ResumeTiming();
        }
        if (Child(&preview, "NextPageBut")->isEnabled())
            Child(&preview, "NextPageBut")->click();
        else
            Child(&preview, "FirstPageSpeed")->click();
        pb1->repaint();
    }
    state.counters["pages"] = LargestReport().Engine().PageCount();
    state.counters["budget_ms"] = 16;
}
void BM_PageChangeFitToPage(benchmark::State& state)
{
    PageChange(state, true);
}
void BM_PageChangeFitToPageNotDrawnAhead(benchmark::State& state)
{
    PageChange(state, false);
}
BENCHMARK(BM_PageChangeFitToPage)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
// One pass through the pages of a fresh window: every page drawn for the first time.
BENCHMARK(BM_PageChangeFitToPageNotDrawnAhead)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(39)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void Click(QWidget* w, Qt::MouseButton button, QPointF at)
{
    const QPointF global = w->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

// One click of the zoom tool, in and out by turns, to the page drawn at its new size.
void BM_ZoomStep(benchmark::State& state)
{
    TPreviewForm preview(LargestReport().Engine(), Largest().Prompts);
    preview.resize(1280, 960);
    preview.show();
    QApplication::processEvents();
    QWidget* pb1 = Child<QWidget>(&preview, "PB1");
    bool in = true;
    for (auto _ : state) {
        Click(pb1, in ? Qt::LeftButton : Qt::RightButton,
              QPointF(pb1->width() / 2.0, pb1->height() / 3.0));
        QApplication::processEvents();
        pb1->repaint();
        in = !in;
    }
    state.counters["budget_ms"] = 50;
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
