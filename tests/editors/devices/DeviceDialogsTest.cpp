#include "editors/EditorTestSupport.h"
#include "editors/devices/DeviceConfig.h"
#include "editors/devices/DeviceDialogs.h"
#include "editors/devices/DeviceName.h"
#include "editors/devices/IOConfig.h"
#include "editors/devices/DialogDriver.h"
#include "panel/InProcessUpload.h"
#include "sim/PanelEmulator.h"
#include "storage/ConfigFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

template <typename T>
T& Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        throw std::runtime_error(name);
    return *child;
}

void Choose(QComboBox& box, int index)
{
    box.setCurrentIndex(index);
    emit box.activated(index);
}

} // namespace

// Output, channel 3, set 5 is 0xE5; input channel 2 zone 7 is 0x47; "Not Used" is 255 and
// drops the description. The point's zone follows sub-address 0.
TEST(IOConfig, ChannelSettingBytes)
{
    TEditorFixture f;
    f.Data.Loop1.PlaceDevice(3, 8);
    f.Data.Loop1.Devices[3].SubName2 = QStringLiteral("Plant room");
    TIOConfig dialog(f.Context);
    dialog.Open(1, 3);
    Choose(Child<QComboBox>(dialog, "cmbUse0"), cuOutput);
    Choose(Child<QComboBox>(dialog, "cmbChannel0"), 2);
    Choose(Child<QComboBox>(dialog, "cmbNumber0"), 5);
    EXPECT_EQ(dialog.Setting(0), 0xE5);
    EXPECT_EQ(Child<QComboBox>(dialog, "cmbNumber0").currentText(), QStringLiteral("Set 5"));
    Choose(Child<QComboBox>(dialog, "cmbUse1"), cuInput);
    Choose(Child<QComboBox>(dialog, "cmbChannel1"), 1);
    Choose(Child<QComboBox>(dialog, "cmbNumber1"), 7);
    EXPECT_EQ(dialog.Setting(1), 0x47);
    Choose(Child<QComboBox>(dialog, "cmbUse2"), cuNotUsed);
    Choose(Child<QComboBox>(dialog, "cmbUse3"), cuOutput);
    ClickButton(dialog, "btnAccept");

    const TDeviceType& d = f.Data.Loop1.Devices[3];
    EXPECT_EQ(d.SharedData[1], 0xE5);
    EXPECT_EQ(d.SharedData[3], 0x47);
    EXPECT_EQ(d.SharedData[5], 255);
    EXPECT_EQ(d.SharedData[7], 160);
    EXPECT_EQ(d.SubName2, NoNameAllocated);
    EXPECT_EQ(d.Zone, 0xE5 & 0x3F);
}

// A byte from the panel whose zone lies outside the list selects nothing; Cancel writes
// nothing.
TEST(IOConfig, UnknownZoneAndCancel)
{
    TEditorFixture f;
    f.Data.Loop1.PlaceDevice(3, 8);
    f.Data.Loop1.Devices[3].SharedData[1] = 50;
    TIOConfig dialog(f.Context);
    dialog.Open(1, 3);
    EXPECT_EQ(Child<QComboBox>(dialog, "cmbNumber0").currentIndex(), -1);
    Choose(Child<QComboBox>(dialog, "cmbUse0"), cuOutput);
    ClickButton(dialog, "btnCancel");
    EXPECT_EQ(f.Data.Loop1.Devices[3].SharedData[1], 50);
}

// "Next ->" on the last address reopens the dialog there; "<- Prev" steps back.
TEST(DeviceDialogs, NextOnLastAddressStays)
{
    TEditorFixture f;
    f.Data.SwitchProtocol(stHochikiLoop);
    f.Data.Loop1.PlaceDevice(254, 136);
    QStringList shown;
    const auto record = [&](QDialog& d) { shown.append(Child<QLabel>(d, "lblAddress").text()); };
    OnNextDialog([&](QDialog& d) {
        record(d);
        OnNextDialog([&](QDialog& d2) {
            record(d2);
            OnNextDialog([&](QDialog& d3) {
                record(d3);
                ClickButton(d3, "btnCancel");
            });
            ClickButton(d2, "btnPrev");
        });
        ClickButton(d, "btnNext");
    });
    EXPECT_TRUE(EditDevices(f.Context, 1, 254, nullptr));
    EXPECT_EQ(shown, QStringList({QStringLiteral("Device number: 254"),
                                  QStringLiteral("Device number: 254"),
                                  QStringLiteral("Device number: 253")}));
    EXPECT_TRUE(f.Data.Modified());
}

// Levels stored as 0 open in the middle of their range; a zone outside the list reads
// "(unknown)" and is kept unless the engineer picks one.
TEST(DeviceConfig, DefaultsAndUnknownZone)
{
    TEditorFixture f;
    TQEMLoop& loop = f.Data.Loop1;
    loop.PlaceDevice(1, 20);
    loop.Devices[1].SharedData[3] = 0;
    loop.Devices[1].Zone = 45;
    loop.PlaceDevice(2, 160);
    loop.Devices[2].SharedData[4] = 0;
    TDeviceConfig dialog(f.Context);
    dialog.Open(1, 1);
    EXPECT_EQ(Child<QSpinBox>(dialog, "spnDay").value(), 100);
    EXPECT_EQ(Child<QComboBox>(dialog, "cmbZone").currentIndex(), -1);
    EXPECT_EQ(Child<QComboBox>(dialog, "cmbZone").placeholderText(), QStringLiteral("(unknown)"));
    dialog.Save();
    EXPECT_EQ(loop.Devices[1].Zone, 45);
    EXPECT_EQ(loop.Devices[1].SharedData[3], 100);
    dialog.Open(1, 2);
    EXPECT_EQ(Child<QSpinBox>(dialog, "spnNight").value(), 3);
}

// Unticking the base sounder empties its slot; on Hochiki a device of its own in the slot
// (not a base sounder) is left alone.
TEST(DeviceConfig, BaseSounderSlot)
{
    TEditorFixture f;
    TQEMLoop& loop = f.Data.Loop1;
    loop.PlaceDevice(5, 20);
    loop.SetBaseSounder(5, true, 3);
    TDeviceConfig dialog(f.Context);
    dialog.Open(1, 5);
    auto& box = Child<QCheckBox>(dialog, "chkBaseSounder");
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(box.text().remove(QLatin1Char('&')), QStringLiteral("Has Ancillary Base Sounder"));
    box.setChecked(false);
    dialog.Save();
    EXPECT_EQ(loop.Devices[132].TypeCode, NotFittedCode);

    f.Data.SwitchProtocol(stHochikiLoop);
    loop.PlaceDevice(5, 136);
    loop.PlaceDevice(132, 152);
    dialog.Open(1, 5);
    EXPECT_FALSE(box.isChecked());
    dialog.Save();
    EXPECT_EQ(loop.Devices[132].TypeCode, 152);
}

// An Apollo sounder's options frame offers the remote LED and a base sounder as a detector's
// does; the dialog opens centred on the screen, not on the window that opened it.
TEST(DeviceConfig, ApolloSounderOptionsAndCentredOnScreen)
{
    TEditorFixture f;
    TQEMLoop& loop = f.Data.Loop1;
    loop.PlaceDevice(5, 48);
    QWidget owner;
    owner.setGeometry(10, 10, 200, 150);
    owner.show();
    TDeviceConfig dialog(f.Context, &owner);
    dialog.Open(1, 5);
    dialog.show();
    QApplication::processEvents();
    auto& led = Child<QCheckBox>(dialog, "chkRemoteLED");
    auto& base = Child<QCheckBox>(dialog, "chkBaseSounder");
    EXPECT_TRUE(led.isVisible());
    EXPECT_TRUE(base.isVisible());
    const QPoint centre = dialog.screen()->availableGeometry().center();
    EXPECT_LE((dialog.frameGeometry().center() - centre).manhattanLength(), 4);
    led.setChecked(true);
    base.setChecked(true);
    Choose(Child<QComboBox>(dialog, "cmbBaseSounderGroup"), 1);
    dialog.Save();
    EXPECT_EQ(loop.Devices[5].SharedData[8], 1);
    EXPECT_EQ(loop.Devices[132].TypeCode, 4);
    EXPECT_EQ(loop.Devices[132].Zone, 2);
}

// An Apollo sounder of the 5..14 scale shows its value 8 beside a legend of that scale, and
// keeps its stored volume.
TEST(DeviceConfig, ApolloVolumeLegendMatchesTheScale)
{
    TEditorFixture f;
    f.Data.Loop1.PlaceDevice(5, 4);
    TDeviceConfig dialog(f.Context);
    dialog.Open(1, 5);
    const QStringList legend = Child<QLabel>(dialog, "lblLegend").text().split(QLatin1Char('\n'));
    EXPECT_EQ(Child<QSpinBox>(dialog, "spnDay").value(), 8);
    EXPECT_EQ(legend.first(), QStringLiteral("5 - Lowest"));
    EXPECT_EQ(legend.last(), QStringLiteral("14 - Loudest"));
    dialog.Save();
    EXPECT_EQ(f.Data.Loop1.Devices[5].SharedData[3], 8);
}

// With 256 descriptions in the table a new one is refused with the panel's message; an
// existing one is still chosen.
TEST(DeviceName, TwoHundredFiftySeventhRefused)
{
    TEditorFixture f;
    f.Data.SwitchProtocol(stHochikiLoop);
    for (int p = 1; p <= 254; ++p) {
        f.Data.Loop1.PlaceDevice(p, 136);
        f.Data.Loop1.Devices[p].Name = QStringLiteral("Room %1").arg(p);
    }
    f.Data.Loop2.PlaceDevice(1, 136);
    f.Data.Loop2.Devices[1].Name = QStringLiteral("Last room");
    f.Data.RebuildNameTable();
    ASSERT_EQ(f.Data.NameTable.Count(), 256);

    TfrmDeviceName dialog(f.Data, f.Prompts);
    dialog.Prepare(QStringLiteral("Room 257"));
    dialog.AcceptName();
    EXPECT_EQ(f.Prompts.texts(), QStringList({TooManyNamesMessage}));
    EXPECT_EQ(f.Prompts.Records[0].Kind, TScriptedPrompts::TKind::mkConfirm);
    EXPECT_EQ(f.Prompts.Records[0].Buttons, TPromptButtons::pbYesNo);
    EXPECT_EQ(f.Data.NameTable.Count(), 256);
    EXPECT_EQ(dialog.New_Index(), -1);
    EXPECT_EQ(dialog.SelectedIndex(), -1);

    dialog.Prepare(QStringLiteral("room 7 "));
    dialog.AcceptName();
    EXPECT_EQ(dialog.SelectedIndex(), 7);
    EXPECT_EQ(f.Prompts.Records.size(), 1);

    // A description stops at 24 characters with a beep.
    auto& edit = *Child<QComboBox>(dialog, "cmbPointDescription").lineEdit();
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("Boiler room north wing east"));
    EXPECT_EQ(edit.text(), QStringLiteral("Boiler room north wing e"));
    EXPECT_EQ(f.Prompts.count(TScriptedPrompts::TKind::mkBeep), 3);
}

// What the engineer sets in "Device Configuration" is what the file and the panel get.
TEST(DeviceConfig, EditReachesFileAndPanel)
{
    TEditorFixture f;
    f.Data.SwitchProtocol(stHochikiLoop);
    f.Data.Loop1.PlaceDevice(5, 136);
    TDeviceConfig dialog(f.Context);
    dialog.Open(1, 5);
    Child<QLineEdit>(dialog, "txtDeviceName").setText(QStringLiteral("Boiler Room"));
    Child<QComboBox>(dialog, "cmbZone").setCurrentIndex(3);
    Child<QSpinBox>(dialog, "spnDay").setValue(110);
    Child<QCheckBox>(dialog, "chkBaseSounder").setChecked(true);
    Child<QComboBox>(dialog, "cmbBaseSounderGroup").setCurrentIndex(3);
    ClickButton(dialog, "btnAccept");
    f.Data.RebuildNameTable();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.QEM"));
    ASSERT_TRUE(TConfigFile(f.Data, f.Prompts).WriteFile(path));
    TEditorFixture back;
    ASSERT_TRUE(TConfigFile(back.Data, back.Prompts).Open(path));
    const TDeviceType& d = back.Data.Loop1.Devices[5];
    EXPECT_EQ(d.Name, QStringLiteral("Boiler Room"));
    EXPECT_EQ(d.Zone, 3);
    EXPECT_EQ(d.SharedData[3], 110);
    EXPECT_EQ(back.Data.Loop1.Devices[132].TypeCode, 94);
    EXPECT_EQ(back.Data.Loop1.Devices[132].Zone, 4);

    auto panel = std::make_shared<TPanelEmulator>();
    panel->Memory().Protocol = stHochikiLoop;
    QString error;
    ASSERT_TRUE(UploadInProcess(f.Data, panel, &error)) << error.toStdString();
    const auto& record = panel->Memory().Points[1][5];
    EXPECT_EQ(record[0], 136);
    EXPECT_EQ(record[1], 3);
    EXPECT_EQ(record[3], 110);
    ASSERT_LT(record[2], panel->Memory().Names.size());
    EXPECT_EQ(panel->Memory().Names[record[2]], QByteArray("Boiler Room"));
    EXPECT_EQ(panel->Memory().Points[1][132][0], 94);
}
