#include "editors/schedule/ScheduleActions.h"
#include "editors/schedule/ScheduleImportDialog.h"

#include "model/Data.h"
#include "storage/ScriptedPrompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

void Shoot(QWidget& dialog, const QString& name)
{
    const QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        dialog.grab().save(QDir(dir).filePath(
            QStringLiteral("%1_x%2.png").arg(name, qEnvironmentVariable("QT_SCALE_FACTOR", "1"))));
}

} // namespace

TEST(ScheduleImportDialog, ListsTheChangesByKindAndAcceptsThem)
{
    TData doc;
    doc.SwitchProtocol(stHochikiLoop);
    for (int p = 1; p <= 4; ++p)
        doc.Loop1.PlaceDevice(p, 136);
    doc.ZoneList.Zone(2).Name = QStringLiteral("Plant room");
    const TSchedulePlan plan = PlanScheduleImport(
        doc, QStringLiteral("Loop,Address,Type,Zone,Description\n"
                            "1,1,,2,Boiler house east wall\n1,2,Not Fitted,,\n1,9,Heat,,Store\n"));
    ASSERT_FALSE(plan.Refused());

    TfrmScheduleImport dialog(plan, QStringLiteral("/site/schedule.csv"));
    dialog.show();
    auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("tvwChanges"));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Added (1)"));
    EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("Changed (1)"));
    EXPECT_EQ(tree->topLevelItem(2)->text(0), QStringLiteral("Removed (1)"));
    EXPECT_EQ(tree->topLevelItem(3)->text(0), QStringLiteral("Untouched (2)"));
    EXPECT_TRUE(tree->topLevelItem(1)->child(0)->text(2).contains(QStringLiteral("Boiler house")));
    Shoot(dialog, QStringLiteral("frmScheduleImport"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnAccept")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(ScheduleImportDialog, ARefusedScheduleCanOnlyBeClosed)
{
    TData doc;
    const TSchedulePlan plan =
        PlanScheduleImport(doc, QStringLiteral("Loop,Address,Type\n1,400,Optical\n2,3,Toaster\n"));
    ASSERT_TRUE(plan.Refused());
    TfrmScheduleImport dialog(plan, QStringLiteral("schedule.csv"));
    dialog.show();
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("btnAccept")), nullptr);
    auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("tvwChanges"));
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("2"));
    EXPECT_EQ(tree->topLevelItem(0)->text(1), QStringLiteral("2 Address"));
    Shoot(dialog, QStringLiteral("frmScheduleImport_refused"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

// Long reasons are shown whole: the dialog takes the width its texts want, within the screen,
// and wraps what is still too long instead of ending it in "...".
TEST(ScheduleImportDialog, LongReasonsAreShownWholeWithinTheScreen)
{
    TData doc;
    doc.SwitchProtocol(stHochikiLoop);
    doc.Loop1.PlaceDevice(1, 136);
    const TSchedulePlan plan = PlanScheduleImport(
        doc, QStringLiteral("Loop,Address,Description\n1,1,A description far longer than any panel keeps\n"
                            "1,2,Bell\u0007\n"));
    ASSERT_TRUE(plan.Refused());
    TfrmScheduleImport dialog(plan, QStringLiteral("schedule.csv"));
    dialog.show();
    auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("tvwChanges"));
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_LE(dialog.frameGeometry().width(), screen.width());
    EXPECT_LE(dialog.frameGeometry().height(), screen.height());
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QString why = tree->topLevelItem(row)->text(2);
        EXPECT_TRUE(tree->wordWrap() || tree->fontMetrics().horizontalAdvance(why) <= tree->columnWidth(2))
            << why.toStdString();
    }
    Shoot(dialog, QStringLiteral("frmScheduleImport_long"));
}

TEST(ScheduleImportDialog, TheFileMenuFlowHandsAcceptedChangesToTheWindowOnce)
{
    TData doc;
    doc.SwitchProtocol(stHochikiLoop);
    doc.Loop1.PlaceDevice(1, 136);
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("schedule.csv"));
    {
        QFile f(csv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Loop;Address;Description\n1;1;Boiler room\n");
    }
    TScriptedPrompts prompts;
    int applied = 0;
    const TApplySchedule apply = [&](const QList<TScheduleChange>& changes) {
        ++applied;
        ApplyScheduleChanges(doc, changes);
    };
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TfrmScheduleImport*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnAccept")), Qt::LeftButton);
    });
    EXPECT_TRUE(ImportDeviceScheduleFrom(doc, csv, prompts, nullptr, apply));
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(doc.Loop1.Devices[1].Name, QStringLiteral("Boiler room"));

    EXPECT_FALSE(ImportDeviceScheduleFrom(doc, dir.filePath(QStringLiteral("gone.csv")), prompts,
                                          nullptr, apply));
    EXPECT_EQ(prompts.count(TScriptedPrompts::TKind::mkError), 1);
    EXPECT_TRUE(ExportDeviceScheduleTo(doc, dir.filePath(QStringLiteral("out.xlsx")), prompts));
    EXPECT_TRUE(prompts.texts().last().contains(QDir::toNativeSeparators(dir.filePath("out.xlsx"))));
    EXPECT_FALSE(ExportDeviceScheduleTo(doc, dir.filePath(QStringLiteral("no/out.csv")), prompts));
    EXPECT_EQ(applied, 1);
}
