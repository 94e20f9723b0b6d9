#include "editors/loop/DeviceArtwork.h"
#include "editors/loop/DeviceButtons.h"
#include "editors/loop/DeviceSelectionFrame.h"
#include "model/DeviceCatalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QString WriteIni(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath("Protocol_Buttons.ini");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
}

TEST(DeviceToolbarTest, ThreeButtonsAndATypeListedTwice)
{
    QTemporaryDir dir;
    const QString path = WriteIni(dir, "[Hochiki]\nNo_Of_Buttons=3\nType1=136\nType2=152\nType3=254\n"
                                       "[Hochiki Button1]\nNo_Of_Variants=2\nType1=136\nDImage1=1\n"
                                       "Description2=Heat too\nType2=152\nDImage2=7\n"
                                       "[Hochiki Button2]\nType1=152\nDImage1=2\n");
    TDevice_Selection_Frame toolbar;
    toolbar.Build(stHochikiLoop, path);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(toolbar.Button(n)->isVisibleTo(&toolbar), n <= 3) << n;
    EXPECT_EQ(toolbar.IconIndex(152), 2) << "the variant read last gives the icon";
    EXPECT_EQ(toolbar.IconIndex(136), 1);
    EXPECT_EQ(toolbar.IconIndex(0), TDeviceButtons::NoIcon);
    ASSERT_EQ(toolbar.Definition().Buttons().size(), 3);
    EXPECT_EQ(toolbar.Definition().Buttons()[1].Variants.size(), 1) << "no count means one variant";

    EXPECT_FALSE(toolbar.HasSelection());
    toolbar.ChooseVariant(1, 2);
    EXPECT_EQ(toolbar.SelectedType(), 152);
    EXPECT_TRUE(toolbar.Button(1)->isChecked());
    toolbar.PressButton(3);
    EXPECT_EQ(toolbar.SelectedType(), 254);
    EXPECT_FALSE(toolbar.Button(1)->isChecked());

    toolbar.Build(stHochikiLoop, path);
    EXPECT_EQ(toolbar.SelectedType(), 254) << "a rebuild for the same protocol keeps the choice";
    toolbar.Build(stApolloLoop, path);
    EXPECT_FALSE(toolbar.HasSelection());
}

TEST(DeviceToolbarTest, MissingFileTooManyButtonsAndStrayCodes)
{
    QTemporaryDir dir;
    const TDeviceButtons defaults = TDeviceButtons::Load(dir.filePath("none.ini"), stApolloLoop);
    ASSERT_EQ(defaults.Buttons().size(), 6);
    EXPECT_EQ(defaults.Buttons()[0].TypeCode, 1);
    EXPECT_EQ(defaults.Buttons()[0].Variants.size(), 1);
    EXPECT_EQ(defaults.Buttons()[0].Variants[0].TypeCode, 0);
    EXPECT_EQ(defaults.IconIndex(20), TDeviceButtons::NoIcon);

    const QString path =
        WriteIni(dir, "[Nittan]\nNo_Of_Buttons=12\nType1=300\n[Nittan Button1]\nType1=-4\n");
    const TDeviceButtons nittan = TDeviceButtons::Load(path, stNittanLoop);
    EXPECT_EQ(nittan.Buttons().size(), 9);
    EXPECT_EQ(nittan.Buttons()[0].TypeCode, NotFittedCode) << "never a byte the loop cannot hold";
    EXPECT_EQ(nittan.Buttons()[0].Variants[0].TypeCode, NotFittedCode);
    EXPECT_TRUE(TDeviceButtons::Load(path, TSystemType(7)).Buttons().isEmpty());
}

TEST(DeviceToolbarTest, ShippedFileHasAPictureForEveryIndexItNames)
{
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        const TDeviceButtons buttons = TDeviceButtons::Load(ZOL_SHIPPED_BUTTONS_INI, type);
        ASSERT_FALSE(buttons.Buttons().isEmpty()) << int(type);
        for (const TDeviceButton& button : buttons.Buttons()) {
            EXPECT_FALSE(DeviceArtwork::ToolbarPicture(type, button.Image, 1).isNull());
            for (const TDeviceVariant& v : button.Variants) {
                EXPECT_FALSE(DeviceArtwork::DropDownPicture(type, v.Image, 1).isNull());
                if (v.TypeCode < NotFittedCode) {
                    EXPECT_TRUE(DeviceArtwork::HasGridPicture(type, buttons.IconIndex(v.TypeCode)))
                        << int(type) << " " << v.TypeCode;
                }
            }
        }
    }
    EXPECT_EQ(DeviceArtwork::GridIcon(stApolloLoop, -1, true, 1.5).size(), QSize(120, 117));
}

} // namespace
