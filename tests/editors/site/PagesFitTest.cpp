#include "editors/EditorTestSupport.h"
#include "editors/devices/DeviceConfig.h"
#include "editors/devices/DeviceName.h"
#include "editors/devices/IOConfig.h"
#include "editors/devices/LoopSummary.h"
#include "editors/log/CommentsPage.h"
#include "editors/log/EventLogPage.h"
#include "editors/loop/ChooseDevice.h"
#include "editors/loop/LoopFrame.h"
#include "editors/site/NetworkConfigPage.h"
#include "editors/site/SiteConfigPage.h"
#include "editors/zones/CEConfigPage.h"
#include "editors/zones/DelayTimePrompt.h"
#include "editors/zones/DependancyDialog.h"
#include "editors/zones/GroupConfigPage.h"
#include "editors/zones/SetConfigPage.h"
#include "editors/zones/VersionDependancyDialog.h"
#include "editors/zones/ZoneConfigPage.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A 1024 x 600 screen (a 1366 x 768 laptop at 125 %, a 1600 x 900 screen at 150 %) less the
// main window's title, menu, tool and status bars and tabs: what a page is given.
const QSize PageRoom(1000, 420);
// A dialog has the screen less its title bar.
const QSize DialogRoom(1024, 570);

void Shoot(QWidget& w, const QString& name)
{
    const QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
    w.grab().save(QDir(dir).filePath(QStringLiteral("fit_%1_x%2.png").arg(name, scale)));
}

// Every control the user can reach with the keyboard lies inside the widget or inside a
// scroll area of it.
QStringList OutOfReach(QWidget& top)
{
    QStringList lost;
    for (QWidget* w : top.findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(&top))
            continue;
        bool scrolled = false;
        for (QWidget* p = w->parentWidget(); p && p != &top; p = p->parentWidget())
            scrolled = scrolled || qobject_cast<QAbstractScrollArea*>(p) != nullptr;
        const QRect area(w->mapTo(&top, QPoint(0, 0)), w->size());
        if (!scrolled && !top.rect().contains(area))
            lost << w->objectName() + QLatin1Char(' ') + w->accessibleName();
    }
    return lost;
}

} // namespace

// Every page fits the room a small screen leaves it, scrolling inside itself where it must,
// with no control out of reach; every dialog fits the screen.
TEST(PagesFit, EveryPageAndDialogFitsASmallScreen)
{
    TEditorFixture f;
    f.Data.ResetToNew();
    f.Data.SiteConfig.ClientName = "Brenmoor Mills Ltd - Riverside";
    f.Data.SiteConfig.ClientAddress1 = "Unit 4, Riverside Industrial Estate";
    f.Context.ButtonsIniPath = QStringLiteral(ZOL_SHIPPED_BUTTONS_INI);
    std::vector<std::pair<QString, std::unique_ptr<TPage>>> pages;
    pages.emplace_back("site", std::make_unique<TfrmSiteConfig>(f.Context));
    pages.emplace_back("network", std::make_unique<TfrmNetworkConfig>(f.Context));
    pages.emplace_back("loop1", std::make_unique<TfrmLoop>(f.Context, 1));
    pages.emplace_back("summary", std::make_unique<TfrmLoopSummary>(f.Context));
    pages.emplace_back("zone", std::make_unique<TfrmZoneConfig>(f.Context));
    pages.emplace_back("group", std::make_unique<TfrmGroupConfig>(f.Context));
    pages.emplace_back("set", std::make_unique<TfrmSetConfig>(f.Context));
    pages.emplace_back("ce", std::make_unique<TfrmCEConfig>(f.Context));
    pages.emplace_back("eventlog", std::make_unique<TfrmEventLog>(f.Context));
    pages.emplace_back("comments", std::make_unique<TfrmComments>(f.Context));
    for (auto& [name, page] : pages) {
        SCOPED_TRACE(name.toStdString());
        page->Refresh();
        page->PageActivated();
        const QSize least = page->minimumSizeHint().expandedTo(page->minimumSize());
        EXPECT_LE(least.width(), PageRoom.width());
        EXPECT_LE(least.height(), PageRoom.height());
        page->resize(PageRoom);
        page->show();
        QApplication::processEvents();
        EXPECT_EQ(OutOfReach(*page), QStringList());
        Shoot(*page, name);
        page->hide();
    }

    f.Data.Loop1.PlaceDevice(5, 20);
    f.Data.Loop1.PlaceDevice(6, 48);
    std::vector<std::pair<QString, std::unique_ptr<QDialog>>> dialogs;
    auto device = std::make_unique<TDeviceConfig>(f.Context);
    device->Open(1, 5);
    dialogs.emplace_back("deviceconfig", std::move(device));
    auto io = std::make_unique<TIOConfig>(f.Context);
    io->Open(1, 6);
    dialogs.emplace_back("ioconfig", std::move(io));
    auto name = std::make_unique<TfrmDeviceName>(f.Data, f.Prompts);
    name->Prepare("Boiler room");
    dialogs.emplace_back("devicename", std::move(name));
    dialogs.emplace_back("dependancy", std::make_unique<TfrmDependancy>(f.Data, f.Prompts, 2));
    dialogs.emplace_back("delayprompt", std::make_unique<TfrmDelay_Time_Prompt>(f.Prompts, 600));
    dialogs.emplace_back("version", std::make_unique<TfrmVersionDependancy>());
    dialogs.emplace_back("choosedevice",
                         std::make_unique<TfrmChoose_Device>(f.Data, 1, f.Context.ButtonsIniPath));
    for (auto& [name, dialog] : dialogs) {
        SCOPED_TRACE(name.toStdString());
        dialog->show();
        QApplication::processEvents();
        EXPECT_LE(dialog->width(), DialogRoom.width());
        EXPECT_LE(dialog->height(), DialogRoom.height());
        EXPECT_EQ(OutOfReach(*dialog), QStringList());
        Shoot(*dialog, name);
        dialog->hide();
    }
}
