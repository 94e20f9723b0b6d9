#include "editors/safety/CheckConfigurationDock.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

TEST(CheckConfigurationDock, ActivatingAFindingAsksForItsPageAndItem)
{
    TCheckConfigurationDock dock;
    dock.ShowFindings({
        {fsNote, ppSiteConfig, 0, "AL2Code", "Access Level 2 Code", "The default codes are in use."},
        {fsError, ppLoop2, 17, QString(), "Loop 2 point 17", "The point is on zone 35."},
        {fsWarning, ppGroupConfig, 4, QString(), "Group 4", "No sounder is in group 4."},
    });
    dock.resize(700, 260);
    dock.show();
    auto* list = dock.findChild<QTreeWidget*>("lstFindings");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    // Errors come first.
    EXPECT_EQ(list->topLevelItem(0)->text(2), "Loop 2 point 17");
    EXPECT_EQ(dock.findChild<QLabel*>("lblCheckSummary")->text(), "1 error, 1 warning, 1 note.");

    QSignalSpy spy(&dock, &TCheckConfigurationDock::FindingActivated);
    const QRect cell = list->visualItemRect(list->topLevelItem(2));
    // A double-click is a press and release followed by a second press, as a mouse gives it.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy.at(0).at(0).value<TPanelPage>(), ppSiteConfig);
    EXPECT_EQ(spy.at(0).at(2).toString(), "AL2Code");

    const QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        dock.grab().save(QDir(dir).filePath(QStringLiteral("dckCheckConfiguration_x%1.png")
                                                .arg(qEnvironmentVariable("QT_SCALE_FACTOR", "1"))));
}
