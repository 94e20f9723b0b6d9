#include "editors/EditorTestSupport.h"
#include "editors/devices/LoopSummary.h"
#include "editors/devices/LoopSummaryModel.h"
#include "editors/loop/DeviceSelectionFrame.h"
#include "schedule/ScheduleImport.h"
#include "editors/devices/DialogDriver.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The text a screen reader gets for a cell of the summary table.
QString Cell(TfrmLoopSummary& page, int row, int column)
{
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(page.Table());
    QAccessibleInterface* cell = table && table->tableInterface()
        ? table->tableInterface()->cellAt(row, column)
        : nullptr;
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<no cell>");
}

// A toolbar whose Apollo buttons place the optical detector (20), another detector (24) and
// a call point (28).
QString WriteButtons(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("Protocol_Buttons.ini");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Apollo]\nNo_Of_Buttons=3\nType1=20\nType2=24\nType3=28\n"
               "[Hochiki]\nNo_Of_Buttons=1\nType1=136\n");
    return path;
}

QStringList Row(TfrmLoopSummary& page, int row)
{
    QStringList texts;
    for (int c = 0; c < scColumnCount; ++c)
        texts.append(page.Table()->model()->index(row, c).data().toString());
    return texts;
}

void Click(TfrmLoopSummary& page, int row, int column)
{
    page.CellClicked(page.Table()->model()->index(row, column));
}

} // namespace

TEST(LoopSummary, RowTexts)
{
    TEditorFixture f;
    TQEMLoop& loop = f.Data.Loop2;
    loop.PlaceDevice(1, 20);
    loop.Devices[1].TypeMismatch = true;
    loop.Devices[2].TypeCode = 2;
    loop.PlaceDevice(3, 8);
    loop.PlaceDevice(4, 4);
    loop.Devices[4].Zone = 2;
    loop.PlaceDevice(5, 20);
    loop.Devices[5].Name = QStringLiteral("Hall");
    loop.SetBaseSounder(5, true, 3);
    loop.PlaceDevice(6, 20);
    loop.Devices[6].Zone = 45;
    loop.PlaceDevice(7, 4);
    loop.Devices[7].Zone = 20;
    f.Data.RebuildNameTable();
    TfrmLoopSummary page(f.Context);
    QSignalSpy loops(&page, &TfrmLoopSummary::SummaryLoopChanged);
    page.SetSummaryLoop(2);
    EXPECT_EQ(loops.count(), 1);
    EXPECT_EQ(page.Table()->model()->rowCount(), 126);

    const QString none;
    EXPECT_EQ(Row(page, 0), QStringList({"2", "1", "XP95/S90 Opt -Changed", "Zone 1- Zone 1",
                                         NoNameAllocated, none, "no"}));
    EXPECT_EQ(Row(page, 1),
              QStringList({"2", "2", "Un-supported type (0x02)", none, none, none, none}));
    EXPECT_EQ(Row(page, 2).mid(1, 3),
              QStringList({"3+", "I/O Unit", "Click for I/O Configuration."}));
    EXPECT_EQ(Row(page, 3).at(scZone), QStringLiteral("Group 2"));
    EXPECT_EQ(Row(page, 4).mid(scName), QStringList({"Hall", none, "Group 3"}));
    EXPECT_EQ(Row(page, 5).at(scZone), QStringLiteral("Zone 45- (unknown)"));
    EXPECT_EQ(Row(page, 6).at(scZone), QStringLiteral("(unknown)"));
    EXPECT_EQ(Row(page, 7), QStringList({"2", "8", "Not Fitted", none, none, none, none}));
    EXPECT_EQ(Cell(page, 1, scType), QStringLiteral("Un-supported type (0x02)"));

    f.Data.LoopCount = 1;
    page.LoopCountChanged();
    EXPECT_EQ(page.SummaryLoop(), 1);
    EXPECT_EQ(page.findChild<QComboBox*>("cmbShowSummaryFor")->count(), 1);
}

// Type and zone changes need "Enable Type/Zone changes"; the Apollo group-command address
// asks first, and No leaves it empty.
TEST(LoopSummary, TypeColumn)
{
    TEditorFixture f;
    QTemporaryDir dir;
    f.Context.ButtonsIniPath = WriteButtons(dir);
    f.Data.Loop1.PlaceDevice(10, 28);
    TfrmLoopSummary page(f.Context);
    page.DeviceToolbar().PressButton(1);
    Click(page, 9, scType);
    Click(page, 9, scZone);
    EXPECT_EQ(f.Prompts.texts(), QStringList(2, "You must check the Enable Changes option"));
    EXPECT_EQ(f.Data.Loop1.Devices[10].TypeCode, 28);
    EXPECT_FALSE(f.Data.Modified());

    page.findChild<QCheckBox*>("chkEnableChanges")->setChecked(true);
    f.Prompts.clear();
    Click(page, 9, scType);
    EXPECT_EQ(f.Data.Loop1.Devices[10].TypeCode, 20);
    EXPECT_EQ(Row(page, 9).at(scType), QStringLiteral("XP95/S90 Opt"));
    Click(page, 111, scType);
    EXPECT_EQ(f.Prompts.texts(), QStringList({GroupCommandQuestion}));
    EXPECT_EQ(f.Data.Loop1.Devices[112].TypeCode, NotFittedCode);
    EXPECT_TRUE(f.Data.Modified());

    // After a protocol switch the toolbar has no choice: a Type click places nothing (it
    // beeps), never the type chosen for the previous protocol.
    f.Data.Loop1.PlaceDevice(10, 28);
    f.Data.SwitchProtocol(stHochikiLoop);
    f.Data.Loop1.PlaceDevice(10, 136);
    page.Refresh();
    f.Prompts.clear();
    Click(page, 9, scType);
    EXPECT_EQ(f.Data.Loop1.Devices[10].TypeCode, 136);
    EXPECT_EQ(f.Prompts.texts(), QStringList{QString()});
    EXPECT_FALSE(page.DeviceToolbar().HasSelection());

    page.PageActivated();
    EXPECT_FALSE(page.findChild<QCheckBox*>("chkEnableChanges")->isChecked());
}

// The zone picked on the right is assigned as the drop-down opens; another entry of the
// drop-down replaces it.
TEST(LoopSummary, ZoneDropDown)
{
    TEditorFixture f;
    f.Data.Loop1.PlaceDevice(1, 20);
    TfrmLoopSummary page(f.Context);
    page.show();
    page.findChild<QCheckBox*>("chkEnableChanges")->setChecked(true);
    page.findChild<QTableWidget*>("sgrdZones")->selectRow(5);
    Click(page, 0, scZone);
    EXPECT_EQ(f.Data.Loop1.Devices[1].Zone, 5);
    auto* dropDown = page.findChild<QComboBox*>("cmbZoneDropDown");
    dropDown->hidePopup();
    emit dropDown->activated(7);
    EXPECT_EQ(f.Data.Loop1.Devices[1].Zone, 7);
    EXPECT_EQ(Row(page, 0).at(scZone), QStringLiteral("Zone 7- Zone 7"));

    // A zone description typed in the list stops at 14 characters with a beep per key.
    auto* zones = page.findChild<QTableWidget*>("sgrdZones");
    QApplication::setActiveWindow(&page);
    zones->setFocus();
    zones->setCurrentCell(3, 1);
    zones->editItem(zones->item(3, 1));
    auto* editor = zones->findChild<QLineEdit*>("txtCellEditor");
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Plant room east"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(f.Data.ZoneList.Zone(3).Name, QStringLiteral("Plant room eas"));
    EXPECT_EQ(f.Prompts.count(TScriptedPrompts::TKind::mkBeep), 1);
}

// Descriptions are typed in place, cut to 24 characters, and Enter steps to the next row's
// description; a full name table is reported at every key that would add a name.
TEST(LoopSummary, DescriptionEditing)
{
    TEditorFixture f;
    f.Data.Loop1.PlaceDevice(1, 20);
    f.Data.Loop1.PlaceDevice(2, 20);
    TfrmLoopSummary page(f.Context);
    page.show();
    QApplication::setActiveWindow(&page);
    page.Table()->setFocus();
    Click(page, 0, scName);
    auto* editor = page.Table()->findChild<QLineEdit*>("txtCellEditor");
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Boiler room north wing east"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(f.Data.Loop1.Devices[1].Name, QStringLiteral("Boiler room north wing e"));
    EXPECT_EQ(f.Data.NameTable.FindName(QStringLiteral("Boiler room north wing e")), 1);
    EXPECT_EQ(page.Table()->currentIndex().row(), 1);
    EXPECT_TRUE(f.Data.Modified());
    EXPECT_EQ(f.Prompts.count(TScriptedPrompts::TKind::mkBeep), 3);
    EXPECT_EQ(f.Prompts.Records.size(), 3);
    f.Prompts.clear();

    for (int n = 2; n <= 255; ++n)
        f.Data.NameTable.Append(QStringLiteral("Name %1").arg(n));
    const QList<QLineEdit*> editors = page.Table()->findChildren<QLineEdit*>("txtCellEditor");
    ASSERT_FALSE(editors.isEmpty());
    editor = editors.last();
    QTest::keyClick(editor, Qt::Key_X);
    QApplication::processEvents();
    EXPECT_EQ(f.Prompts.texts(), QStringList({TooManyNamesMessage}));
    // The panel's box with Yes and No, at every key that would add a 257th name.
    EXPECT_EQ(f.Prompts.Records[0].Kind, TScriptedPrompts::TKind::mkConfirm);
    EXPECT_EQ(f.Prompts.Records[0].Buttons, TPromptButtons::pbYesNo);
    QTest::keyClick(editor, Qt::Key_Y);
    QApplication::processEvents();
    EXPECT_EQ(f.Prompts.texts(), QStringList({TooManyNamesMessage, TooManyNamesMessage}));
}

// The Dev column opens the device's dialog; what it accepts shows in the table at once.
TEST(LoopSummary, DevColumnOpensDialog)
{
    TEditorFixture f;
    f.Data.SwitchProtocol(stSysSensorLoop);
    f.Data.Loop1.PlaceDevice(100, 5);
    TfrmLoopSummary page(f.Context);
    QString heading;
    OnNextDialog([&](QDialog& dialog) {
        heading = dialog.findChild<QLabel*>("lblAddress")->text();
        dialog.findChild<QLineEdit*>("txtDeviceName")->setText(QStringLiteral("Stair 2"));
        ClickButton(dialog, "btnAccept");
    });
    Click(page, 99, scDev);
    EXPECT_EQ(heading, QStringLiteral("Device number: M1"));
    EXPECT_EQ(Row(page, 99).mid(scDev, 3), QStringList({"M1", "MCP", "Zone 1- Zone 1"}));
    EXPECT_EQ(Row(page, 99).at(scName), QStringLiteral("Stair 2"));
    EXPECT_EQ(page.Table()->currentIndex().column(), scLoop);
    EXPECT_TRUE(f.Data.Modified());
}

// The Base Sounder column fits a base sounder in the detector's slot with its group, and
// "None" takes it away.
TEST(LoopSummary, BaseSounderColumn)
{
    TEditorFixture f;
    f.Data.SwitchProtocol(stHochikiLoop);
    TQEMLoop& loop = f.Data.Loop1;
    loop.PlaceDevice(4, 136);
    TfrmLoopSummary page(f.Context);
    page.show();
    Click(page, 3, scBaseSounder);
    auto* dropDown = page.findChild<QComboBox*>("cmbBaseSounderDropDown");
    dropDown->hidePopup();
    emit dropDown->activated(6);
    EXPECT_EQ(loop.Devices[131].TypeCode, 94);
    EXPECT_EQ(loop.Devices[131].Zone, 6);
    EXPECT_EQ(Row(page, 3).at(scBaseSounder), QStringLiteral("Group 6"));
    EXPECT_EQ(Row(page, 130).at(scType), QStringLiteral("Base/Wall Sndr"));

    Click(page, 3, scBaseSounder);
    EXPECT_EQ(dropDown->currentIndex(), 6);
    dropDown->hidePopup();
    emit dropDown->activated(0);
    EXPECT_EQ(loop.Devices[131].TypeCode, NotFittedCode);
    EXPECT_EQ(Row(page, 3).at(scBaseSounder), QStringLiteral("no"));
}

// Cells copied from a spreadsheet paste over many rows at once; rows copied out paste back
// unchanged; a block with a refused cell changes nothing.
TEST(LoopSummary, ClipboardCopiesAndPastesZonesAndDescriptions)
{
    TEditorFixture f;
    for (int p = 1; p <= 3; ++p)
        f.Data.Loop1.PlaceDevice(p, 20);
    TfrmLoopSummary page(f.Context);
    page.show();
    QApplication::setActiveWindow(&page);
    QTableView* table = page.Table();
    table->setFocus();
    table->setCurrentIndex(table->model()->index(0, scZone));

    QApplication::clipboard()->setText(QStringLiteral("4\tKitchen\n5\tHall\n"));
    QTest::keySequence(table, QKeySequence::Paste);
    EXPECT_EQ(f.Data.Loop1.Devices[1].Zone, 4);
    EXPECT_EQ(f.Data.Loop1.Devices[2].Name, QStringLiteral("Hall"));
    EXPECT_EQ(f.Data.Loop1.Devices[3].Name, NoNameAllocated);
    EXPECT_TRUE(f.Data.Modified());

    table->selectionModel()->select(
        QItemSelection(table->model()->index(0, 0), table->model()->index(1, 0)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTest::keySequence(table, QKeySequence::Copy);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains(QStringLiteral("Kitchen"))) << copied.toStdString();
    EXPECT_TRUE(copied.contains(QStringLiteral("Hall"))) << copied.toStdString();

    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    table->setCurrentIndex(table->model()->index(2, scZone));
    QApplication::clipboard()->setText(QStringLiteral("99\tStore\n"));
    QTest::keySequence(table, QKeySequence::Paste);
    EXPECT_EQ(f.Data.Loop1.Devices[3].Name, NoNameAllocated);
    // QTest's shortcut leaves Ctrl held in the application's state; a later click would pick rows.
    QTest::keyRelease(table, Qt::Key_Control);
}

// A schedule import places a device as the Type column does: settings, remote LED, base
// sounder and the " -Changed" mark end the same.
TEST(LoopSummary, ImportPlacesAsTheTypeColumn)
{
    TEditorFixture byPage;
    TEditorFixture byImport;
    for (TData* doc : {&byPage.Data, &byImport.Data}) {
        for (const int point : {10, 20}) {
            doc->Loop1.PlaceDevice(point, 20);
            doc->Loop1.Devices[point].RemoteLed() = 1;
            doc->Loop1.SetBaseSounder(point, true, 4);
            doc->Loop1.Devices[point].TypeMismatch = true;
        }
    }
    QTemporaryDir dir;
    byPage.Context.ButtonsIniPath = WriteButtons(dir);
    TfrmLoopSummary page(byPage.Context);
    page.findChild<QCheckBox*>("chkEnableChanges")->setChecked(true);
    page.DeviceToolbar().PressButton(2);
    Click(page, 9, scType);
    page.DeviceToolbar().PressButton(3);
    Click(page, 19, scType);

    const TSchedulePlan plan = PlanScheduleImport(
        byImport.Data, QStringLiteral("Loop,Address,Type code\n1,10,24\n1,20,28\n"));
    ASSERT_FALSE(plan.Refused());
    ASSERT_TRUE(ApplyScheduleChanges(byImport.Data, plan.Changes));

    const TQEMLoop& a = byPage.Data.Loop1;
    const TQEMLoop& b = byImport.Data.Loop1;
    for (const int point : {10, 20, 137, 147}) {
        SCOPED_TRACE(point);
        EXPECT_EQ(a.Devices[point].TypeCode, b.Devices[point].TypeCode);
        EXPECT_EQ(a.Devices[point].SharedData, b.Devices[point].SharedData);
        EXPECT_EQ(a.Devices[point].TypeMismatch, b.Devices[point].TypeMismatch);
    }
    EXPECT_EQ(b.Devices[10].TypeCode, 24);
    EXPECT_EQ(b.Devices[10].RemoteLed(), 1);
    EXPECT_TRUE(b.BaseSounderFitted(10));
    EXPECT_FALSE(b.BaseSounderFitted(20));
    EXPECT_FALSE(b.Devices[10].TypeMismatch);
}
