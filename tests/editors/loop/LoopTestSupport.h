#pragma once

#include "editors/EditorTestSupport.h"
#include "editors/loop/DeviceSelectionFrame.h"
#include "editors/loop/LoopFrame.h"
#include "editors/loop/LoopGrid.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>

#include <memory>

// A loop page on the shipped toolbar file, shown on the offscreen screen.
struct TLoopPageFixture : TEditorFixture {
    std::unique_ptr<TfrmLoop> Page;

    explicit TLoopPageFixture(TSystemType type = stApolloLoop, int loop = 1)
    {
        // Clicks that ask wait for the double-click time; keep it short.
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(20);
        Context.ButtonsIniPath = QStringLiteral(ZOL_SHIPPED_BUTTONS_INI);
        Data.SwitchProtocol(type);
        Data.MarkSaved();
        Page = std::make_unique<TfrmLoop>(Context, loop);
        Page->resize(820, 600);
        Page->show();
        Page->PageActivated();
    }

    TLoopGrid* Grid() const { return Page->Grid(); }
    TDeviceType& Point(int n) { return Data.Loop(Page->LoopNumber()).Devices[n]; }

    // Chooses variant v of toolbar button n, as from its drop-down list.
    void Choose(int button, int variant = 1) { Page->Toolbar()->ChooseVariant(button, variant); }
    void Click(int point)
    {
        QTest::mouseClick(Grid(), Qt::LeftButton, {}, Grid()->PointCentre(point));
        QTest::qWait(60);
    }
    void DoubleClick(int point)
    {
        QTest::mouseClick(Grid(), Qt::LeftButton, {}, Grid()->PointCentre(point));
        QTest::mouseDClick(Grid(), Qt::LeftButton, {}, Grid()->PointCentre(point));
        QTest::qWait(60);
    }
    void Hover(const QPoint& pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, Grid()->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Grid(), &move);
    }
};
