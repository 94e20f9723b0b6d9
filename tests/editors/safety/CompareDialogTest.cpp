#include "editors/safety/CompareDialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

TEST(CompareDialog, DifferencesAreGroupedByPageAndFiltered)
{
    TCompareDialog dialog("Compare with File", "This configuration", "Hotel_Panel1.QEM",
                          {{ppZoneConfig, "Zone 3", "Name", "Kitchen", "Store"},
                           {ppLoop1, "Point 12", "Type", "Optical (136)", "Heat (152)"},
                           {ppZoneConfig, "Zone 9", "Sounder delay", "0", "30"}});
    dialog.show();
    auto* tree = dialog.findChild<QTreeWidget*>("tvwDifferences");
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    // Pages in the main window's order.
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Loop 1 (1)");
    EXPECT_EQ(tree->topLevelItem(1)->text(0), "Zone Config (2)");

    QTest::keyClicks(dialog.findChild<QLineEdit*>("txtFilter"), "kitchen");
    EXPECT_EQ(dialog.VisibleDifferences(), 1);
    EXPECT_TRUE(tree->topLevelItem(0)->isHidden());

    const QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        dialog.SetFilter(QString());
        dialog.grab().save(QDir(dir).filePath(QStringLiteral("frmCompare_x%1.png")
                                                  .arg(qEnvironmentVariable("QT_SCALE_FACTOR", "1"))));
    }
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}
