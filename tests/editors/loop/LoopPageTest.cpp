#include "LoopTestSupport.h"

#include "editors/loop/ChooseDevice.h"
#include "editors/loop/LoopGeometry.h"
#include "storage/ConfigFile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QStringList OutOfRange{"Device Type=", "Name=", "Zone No=", "Zone Name="};

TEST(LoopGeometryTest, RowsAndCellsPerProtocol)
{
    const TLoopGeometry apollo(stApolloLoop, true);
    EXPECT_EQ(apollo.Rows(), 15);
    for (int cell = 126; cell < 135; ++cell)
        EXPECT_EQ(apollo.PointOfCell(cell), 0) << "the last Apollo row is empty";
    EXPECT_EQ(apollo.PointOfCell(125), 126);

    const TLoopGeometry hochiki(stHochikiLoop, true);
    EXPECT_EQ(hochiki.Rows(), 29);
    EXPECT_EQ(hochiki.PointOfCell(253), 254);

    // S99 ends row 11, rows 12 and 13 are blank, M1 (point 100) starts row 14.
    const TLoopGeometry sysSensor(stSysSensorLoop, true);
    EXPECT_EQ(sysSensor.PointOfCell(98), 99);
    EXPECT_EQ(98 / 9, 10);
    for (int cell = 99; cell < 117; ++cell)
        EXPECT_EQ(sysSensor.PointOfCell(cell), 0);
    EXPECT_EQ(sysSensor.PointOfCell(117), 100);
    EXPECT_EQ(sysSensor.CellOfPoint(198), 215);

    // "Device Selection" shows every address, Hochiki 253 and 254 included.
    const TLoopGeometry chooser(stHochikiLoop, false);
    EXPECT_EQ(chooser.CellOfPoint(254) / 9, chooser.Rows() - 1);
}

TEST(LoopPageTest, HoverShowsPointOrOutOfRangeTexts)
{
    TLoopPageFixture f(stSysSensorLoop);
    f.Point(100).TypeCode = 7;
    f.Point(100).Zone = 3;
    f.Data.ZoneList.Zone(3).Name = QStringLiteral("Stairs");
    f.Hover(f.Grid()->PointCentre(100));
    EXPECT_EQ(f.Page->CurrentAddress(), 100);
    EXPECT_EQ(f.Page->StatusTexts(),
              (QStringList{"Zone Mon", "No name allocated", "Zone No=3", "Zone Name=Stairs",
                           "Loop Type=System Sensor 2 Loop"}));

    // A cell of the gap between sensors and modules.
    f.Hover(f.Grid()->CellRect(105).center());
    EXPECT_EQ(f.Page->CurrentAddress(), 0);
    EXPECT_EQ(f.Page->StatusTexts().mid(0, 4), OutOfRange);

    // A zone byte from the panel that names no zone of the list.
    f.Point(100).Zone = 50;
    f.Hover(f.Grid()->PointCentre(100));
    EXPECT_EQ(f.Page->StatusTexts()[3], "Zone Name=(unknown)");
}

TEST(LoopPageTest, ClickPlacesTheChosenTypeAndMarksTheDocument)
{
    TLoopPageFixture f;
    f.Click(5);
    EXPECT_EQ(f.Point(5).TypeCode, NotFittedCode) << "nothing is placed before a type is chosen";

    f.Choose(1, 2); // Discovery optical
    f.Point(5).Name = QStringLiteral("Hall");
    f.Click(5);
    EXPECT_EQ(f.Point(5).TypeCode, 160);
    EXPECT_EQ(f.Point(5).SharedData[3], 3);
    EXPECT_TRUE(f.Data.Modified());
    EXPECT_EQ(f.Page->StatusTexts()[0], "Disc Opt");
    EXPECT_EQ(f.Data.NameTable.FindName("Hall"), 1) << "the name table was rebuilt";
    EXPECT_TRUE(f.Prompts.Records.isEmpty());
}

TEST(LoopPageTest, SystemSensorRefusesModulesAmongSensorsAndSensorsAmongModules)
{
    TLoopPageFixture f(stSysSensorLoop);
    f.Choose(2); // manual call point, a module
    f.Click(10);
    f.Choose(1, 3); // optical, a sensor
    f.Click(100);
    EXPECT_EQ(f.Prompts.texts(), (QStringList{ModuleInSensorSection, SensorInModuleSection}));
    EXPECT_EQ(f.Point(10).TypeCode, NotFittedCode);
    EXPECT_EQ(f.Point(100).TypeCode, NotFittedCode);
    f.Click(10);
    EXPECT_EQ(f.Point(10).TypeCode, 3);
    // Every device code above 4 is kept out of the sensor section, not only the four modules.
    for (int code : {5, 9, 40, 253})
        EXPECT_EQ(f.Data.Loop1.PlacementRefusal(11, code), ModuleInSensorSection) << code;
}

TEST(LoopPageTest, ChangeAndRemoveAreAskedAndNoKeepsTheDevice)
{
    TLoopPageFixture f(stHochikiLoop);
    f.Choose(1);
    f.Click(7);
    f.Choose(2); // heat
    f.Prompts.Answers = {TPromptAnswer::paNo, TPromptAnswer::paYes};
    f.Click(7);
    EXPECT_EQ(f.Point(7).TypeCode, 136);
    f.Click(7);
    EXPECT_EQ(f.Point(7).TypeCode, 152);
    f.Choose(9); // removal tool
    f.Prompts.Answers = {TPromptAnswer::paYes};
    f.Click(7);
    EXPECT_EQ(f.Point(7).TypeCode, NotFittedCode);
    EXPECT_EQ(f.Prompts.texts(),
              (QStringList{ChangeDeviceQuestion, ChangeDeviceQuestion, RemoveDeviceQuestion}));
    // Yes replaces or removes a device: Enter alone must answer No.
    for (const TScriptedPrompts::TRecord& question : f.Prompts.Records)
        EXPECT_EQ(question.PromptKind, TPromptKind::pkDestructive);
}

TEST(LoopPageTest, ClickOnTheSameTypeKeepsTheConfiguration)
{
    TLoopPageFixture f;
    f.Choose(1);
    f.Click(9);
    f.Point(9).Zone = 12;
    f.Point(9).SharedData[3] = 110;
    f.Point(9).TypeMismatch = true;
    f.Data.MarkSaved();
    f.Click(9);
    EXPECT_EQ(f.Point(9).Zone, 12);
    EXPECT_EQ(f.Point(9).SharedData[3], 110);
    EXPECT_FALSE(f.Point(9).TypeMismatch) << "the click acknowledges the panel's report";
    EXPECT_TRUE(f.Prompts.Records.isEmpty());
}

TEST(LoopPageTest, BaseSounderGoesAndRemoteLedCarriesOverAsOnOrOff)
{
    TLoopPageFixture f;
    TQEMLoop& loop = f.Data.Loop1;
    f.Choose(1);
    f.Click(5);
    f.Click(6);
    loop.SetBaseSounder(5, true, 3);
    loop.SetBaseSounder(6, true, 4);
    f.Point(5).SharedData[8] = 5;
    f.Prompts.DefaultAnswer = TPromptAnswer::paYes;

    f.Choose(2); // heat: detector replaced by detector
    f.Click(5);
    EXPECT_EQ(f.Point(5).SharedData[8], 1);
    EXPECT_TRUE(loop.BaseSounderFitted(5));

    f.Choose(5); // call point: the base sounder goes
    f.Click(6);
    EXPECT_EQ(f.Point(6 + 127).TypeCode, NotFittedCode);
    EXPECT_FALSE(loop.BaseSounderFitted(6));
}

TEST(LoopPageTest, HochikiKeepsADeviceAtTheSlotAddressThatIsNoSounder)
{
    TLoopPageFixture f(stHochikiLoop);
    f.Choose(1);
    f.Click(10);
    f.Click(137);
    f.Choose(5); // call point over the detector at 10
    f.Prompts.DefaultAnswer = TPromptAnswer::paYes;
    f.Click(10);
    EXPECT_EQ(f.Point(10).TypeCode, 0);
    EXPECT_EQ(f.Point(137).TypeCode, 136);
}

TEST(LoopPageTest, ApolloGroupAddressQuestion)
{
    TLoopPageFixture f;
    f.Choose(1);
    f.Prompts.Answers = {TPromptAnswer::paNo, TPromptAnswer::paYes};
    f.Click(112);
    EXPECT_EQ(f.Point(112).TypeCode, NotFittedCode);
    f.Click(113);
    EXPECT_EQ(f.Point(113).TypeCode, 20);
    f.Choose(6); // a sounder needs no consent
    f.Click(114);
    EXPECT_EQ(f.Prompts.texts(), (QStringList{GroupCommandQuestion, GroupCommandQuestion}));
    EXPECT_EQ(f.Point(114).TypeCode, 4);
}

TEST(LoopPageTest, DoubleClickOnAnotherTypeAsksThenEditsTheUnchangedDevice)
{
    TLoopPageFixture f;
    QSignalSpy edits(f.Page.get(), &TfrmLoop::EditDeviceRequested);
    f.Choose(1);
    f.Click(20);
    f.Choose(2);
    f.DoubleClick(20);
    EXPECT_EQ(f.Prompts.texts(), QStringList{ChangeDeviceQuestion}) << "asked once";
    EXPECT_EQ(f.Point(20).TypeCode, 20);
    ASSERT_EQ(edits.size(), 1);
    EXPECT_EQ(edits[0], (QVariantList{1, 20}));
}

TEST(LoopPageTest, KeyboardMovesTheCursorPlacesEditsAndRemoves)
{
    TLoopPageFixture f(stHochikiLoop, 2);
    QSignalSpy edits(f.Page.get(), &TfrmLoop::EditDeviceRequested);
    f.Grid()->setFocus();
    QTest::keyClick(f.Grid(), Qt::Key_3); // the toolbar's third button
    QTest::keyClick(f.Grid(), Qt::Key_Right);
    QTest::keyClick(f.Grid(), Qt::Key_Down);
    EXPECT_EQ(f.Page->CurrentAddress(), 11);
    QTest::keyClick(f.Grid(), Qt::Key_Space);
    EXPECT_EQ(f.Data.Loop2.Devices[11].TypeCode, 168);
    QTest::keyClick(f.Grid(), Qt::Key_Return);
    QTest::keyClick(f.Grid(), Qt::Key_F2);
    EXPECT_EQ(edits.size(), 2);
    f.Prompts.Answers = {TPromptAnswer::paYes};
    QTest::keyClick(f.Grid(), Qt::Key_Delete);
    EXPECT_EQ(f.Prompts.texts(), QStringList{RemoveDeviceQuestion});
    EXPECT_EQ(f.Data.Loop2.Devices[11].TypeCode, NotFittedCode);
    QTest::keyClick(f.Grid(), Qt::Key_Return);
    EXPECT_EQ(f.Data.Loop2.Devices[11].TypeCode, 168) << "Enter on an empty point places";
}

TEST(LoopPageTest, SavedFileCarriesWhatWasPlaced)
{
    TLoopPageFixture f(stHochikiLoop, 2);
    f.Choose(6, 5); // addressable beacon
    f.Click(30);
    f.Choose(1);
    f.Click(31);
    f.Page->ResetParameters(31);

    QTemporaryDir dir;
    const QString path = dir.filePath("site.QEM");
    ASSERT_TRUE(TConfigFile(f.Data, f.Prompts).WriteFile(path));
    TEditorFixture read;
    ASSERT_TRUE(TConfigFile(read.Data, read.Prompts).Open(path));
    EXPECT_EQ(read.Data.Loop2.Devices[30].TypeCode, 65);
    EXPECT_EQ(read.Data.Loop2.Devices[30].Zone, 0);
    EXPECT_EQ(read.Data.Loop2.Devices[31].TypeCode, 136);
    EXPECT_EQ(read.Data.Loop2.Devices[31].Zone, 0);
    EXPECT_EQ(read.Data.Loop2.Devices[32].TypeCode, NotFittedCode);
}

TEST(ChooseDeviceTest, OnlyAFittedDeviceIsChosen)
{
    TEditorFixture f;
    f.Data.SwitchProtocol(stHochikiLoop);
    f.Data.Loop2.PlaceDevice(254, 136);
    TfrmChoose_Device dialog(f.Data, 2, QStringLiteral(ZOL_SHIPPED_BUTTONS_INI));
    EXPECT_EQ(dialog.Grid()->accessibleName(), "Loop 2 devices");
    dialog.show();
    QTest::mouseClick(dialog.Grid(), Qt::LeftButton, {}, dialog.Grid()->PointCentre(3));
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.Grid(), Qt::LeftButton, {}, dialog.Grid()->PointCentre(254));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Address(), 254);

    QTimer::singleShot(0, [] {
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(TfrmChoose_Device::Choose(nullptr, f.Data, 1, ZOL_SHIPPED_BUTTONS_INI), 0);
}

} // namespace
