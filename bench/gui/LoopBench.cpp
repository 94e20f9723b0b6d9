#include "editors/common/EditorContext.h"
#include "editors/loop/DeviceSelectionFrame.h"
#include "editors/loop/LoopFrame.h"
#include "editors/loop/LoopGrid.h"
#include "model/Data.h"
#include "storage/ScriptedPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The toolbar file the build puts beside the program, so the grid shows the real icons.
QString ShippedButtonsIni()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {QStringLiteral("../src/app/Protocol_Buttons.ini"),
                                     QStringLiteral("Protocol_Buttons.ini")})
        if (QFileInfo::exists(dir.filePath(candidate)))
            return dir.filePath(candidate);
    return QString();
}

// Both loops of a Hochiki panel full (254 points each, 200 different descriptions), the Loop 1
// page shown with a type chosen on its toolbar.
struct TFullLoops {
    TData Data;
    TScriptedPrompts Prompts;
    TEditorContext Context{Data, Prompts, 600, ShippedButtonsIni(), {}};
    std::unique_ptr<TfrmLoop> Page;

    TFullLoops()
    {
        Data.SwitchProtocol(stHochikiLoop);
        static const int codes[] = {136, 152, 168, 216, 0, 94, 57, 125};
        for (TQEMLoop* loop : {&Data.Loop1, &Data.Loop2})
            for (int p = 1; p <= loop->NoLoopDevices(); ++p) {
                loop->Devices[p].TypeCode = codes[p % 8];
                loop->ResetPointData(p);
                loop->Devices[p].Name = QStringLiteral("Room %1").arg(p % 200);
            }
        Data.RebuildNameTable();
        Page = std::make_unique<TfrmLoop>(Context, 1);
        Page->resize(830, 700);
        Page->show();
        Page->PageActivated();
        Page->Toolbar()->PressButton(1);
        QApplication::processEvents();
    }
};

TFullLoops& Loops()
{
    static TFullLoops loops;
    return loops;
}

void SendClick(QWidget* widget, const QPoint& pos)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

// Every cell of a full loop painted (icons, fills, frames, addresses), at the screen's scale.
void BM_LoopGridFullRepaint(benchmark::State& state)
{
    TLoopGrid* grid = Loops().Page->Grid();
    const qreal dpr = grid->devicePixelRatioF();
    QImage image(grid->size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    grid->render(&image); // icons rendered once, as on the first paint
    for (auto _ : state) {
        grid->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_LoopGridFullRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A click on an empty point: the device is placed, the name table of both loops rebuilt, the
// status bar updated and the cell repainted.
void BM_LoopClickPlacesDevice(benchmark::State& state)
{
    TFullLoops& loops = Loops();
    TLoopGrid* grid = loops.Page->Grid();
    const int point = 5;
    const QPoint pos = grid->PointCentre(point);
    for (auto _ : state) {
        state.PauseTiming();
        loops.Data.Loop1.Devices[point].TypeCode = NotFittedCode;
        QApplication::processEvents();
        state.ResumeTiming();
        SendClick(grid, pos);
        QApplication::processEvents();
    }
    if (loops.Data.Loop1.Devices[point].TypeCode != 136)
        state.SkipWithError("the click placed nothing");
}
BENCHMARK(BM_LoopClickPlacesDevice)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
