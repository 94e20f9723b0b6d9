#include "editors/EditorTestSupport.h"
#include "editors/devices/LoopSummary.h"
#include "editors/devices/LoopSummaryModel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

// Rows picked with the mouse (Shift+click from the cursor's row) are copied whole, as the README
// says; the block pastes back from the Device Name column as well as from the Zone column.
TEST(SummaryClipboard, SelectedRowsCopyAndPasteBackFromEitherColumn)
{
    TEditorFixture f;
    for (int p = 1; p <= 4; ++p)
        f.Data.Loop1.PlaceDevice(p, 20);
    f.Data.Loop1.Devices[1].Name = QStringLiteral("Hall");
    f.Data.Loop1.Devices[2].Name = QStringLiteral("Office");
    f.Data.Loop1.Devices[2].Zone = 2;
    TfrmLoopSummary page(f.Context);
    page.resize(900, 600);
    page.show();
    QApplication::setActiveWindow(&page);
    QTableView* table = page.Table();
    table->setFocus();
    const auto centre = [table](int row) {
        return table->visualRect(table->model()->index(row, scName)).center();
    };
    table->setCurrentIndex(table->model()->index(0, scName));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(1));
    QTest::keySequence(table, QKeySequence::Copy);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied.count('\n'), 2) << copied.toStdString();
    EXPECT_TRUE(copied.contains("\tHall\n") && copied.contains("\tOffice\n")) << copied.toStdString();

    QTest::keyClick(table, Qt::Key_Down);
    ASSERT_EQ(table->currentIndex().row(), 2);
    QTest::keySequence(table, QKeySequence::Paste);
    EXPECT_EQ(f.Data.Loop1.Devices[3].Name, QStringLiteral("Hall"));
    EXPECT_EQ(f.Data.Loop1.Devices[4].Name, QStringLiteral("Office"));
    EXPECT_EQ(f.Data.Loop1.Devices[4].Zone, 2);
}
