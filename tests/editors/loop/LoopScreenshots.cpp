#include "LoopTestSupport.h"

#include "editors/loop/ChooseDevice.h"

#include <QDir>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// Fills the loop with every type the toolbar offers, in turn, with a base sounder under
// every third detector.
void Fill(TData& data, int loop, const TDevice_Selection_Frame& toolbar)
{
    QList<int> codes;
    for (const TDeviceButton& b : toolbar.Definition().Buttons())
        for (const TDeviceVariant& v : b.Variants)
            if (v.TypeCode < NotFittedCode)
                codes.append(v.TypeCode);
    TQEMLoop& l = data.Loop(loop);
    int next = 0;
    for (int p = 1; p <= l.MaxCellCount() && p <= l.NoLoopDevices(); ++p) {
        const int code = codes[next++ % codes.size()];
        if (!l.PlacementRefusal(p, code).isEmpty())
            continue;
        l.PlaceDevice(p, code);
        if (p % 3 == 0 && l.IsAnalogueSensor(p) && l.HasBaseSounderSlot(p))
            l.SetBaseSounder(p, true, 2);
    }
    if (l.MaxCellCount() > 40)
        l.Devices[40].TypeMismatch = true;
}

// Pages and windows grabbed to PNG for a look by eye; runs only when ZOL_SCREENSHOT_DIR names
// a folder (use QT_SCALE_FACTOR=1.5 for the enlarged set).
TEST(LoopScreenshots, Pages)
{
    const QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZOL_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop}) {
        TLoopPageFixture f(type);
        f.Page->resize(830, 640);
        f.Choose(2, 2);
        Fill(f.Data, 1, *f.Page->Toolbar());
        f.Page->Refresh();
        f.Grid()->setFocus();
        f.Hover(f.Grid()->PointCentre(3));
        QTest::qWait(20);
        const QString name = SystemTypeName(type).remove(' ');
        f.Page->grab().save(QStringLiteral("%1/loop_%2_%3.png").arg(dir, name, scale));
        if (type == stSysSensorLoop) {
            f.Page->Grid()->SetCursorCell(100);
            QTest::qWait(20);
            f.Page->grab().save(QStringLiteral("%1/loop_%2_gap_%3.png").arg(dir, name, scale));
        }
        QMenu* menu = f.Page->Toolbar()->Button(2)->menu();
        menu->popup(QPoint(0, 0));
        QTest::qWait(20);
        menu->grab().save(QStringLiteral("%1/menu_%2_%3.png").arg(dir, name, scale));
        menu->hide();

        TfrmChoose_Device chooser(f.Data, 1, QStringLiteral(ZOL_SHIPPED_BUTTONS_INI));
        chooser.show();
        QTest::qWait(20);
        chooser.grab().save(QStringLiteral("%1/choose_%2_%3.png").arg(dir, name, scale));
    }
}

} // namespace
