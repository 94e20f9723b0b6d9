#include "TestFiles.h"

#include "storage/PortSettings.h"
#include "storage/ProgramSettings.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

TEST(Settings, ProgramSettingsKeysMatchDespiteTheTrailingBlank)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("Protocol_Buttons.ini");
    EXPECT_EQ(LoadProgramSettings(ini).MaxOutputDelay, 600);
    EXPECT_EQ(LoadProgramSettings(ini).HelpFileName, "ZOL.hlp");
    WriteBytes(ini, "[Apollo]\r\nNo_Of_Buttons=3\r\n[program configuration]\r\nMaxOutputDelay=900\r\n"
                    "[Help File]\r\n Filename =  manual.hlp \r\n");
    const TProgramSettings s = LoadProgramSettings(ini);
    EXPECT_EQ(s.MaxOutputDelay, 900);
    EXPECT_EQ(s.HelpFileName, "manual.hlp");
    EXPECT_TRUE(s.HelpFilePath().endsWith("/manual.hlp"));

    const TProgramSettings shipped = LoadProgramSettings(ZOL_TEST_DATA "/../../../resources/Protocol_Buttons.ini");
    EXPECT_EQ(shipped.MaxOutputDelay, 600);
    EXPECT_EQ(shipped.HelpFileName, "ZOL.hlp");
}

TEST(Settings, ProgramSettingsFoundBesideTheProgramFirstThenInTheDataFolder)
{
    QTemporaryDir programDir;
    QTemporaryDir dataDir;
    const QStringList dirs{programDir.path(), dataDir.path()};
    EXPECT_EQ(ProgramSettingsPath(dirs), programDir.filePath("Protocol_Buttons.ini"));

    WriteBytes(dataDir.filePath("Protocol_Buttons.ini"), "[Program Configuration]\r\nMaxOutputDelay=300\r\n");
    EXPECT_EQ(LoadProgramSettings(ProgramSettingsPath(dirs)).MaxOutputDelay, 300);

    WriteBytes(programDir.filePath("Protocol_Buttons.ini"), "[Program Configuration]\r\nMaxOutputDelay=450\r\n");
    EXPECT_EQ(LoadProgramSettings(ProgramSettingsPath(dirs)).MaxOutputDelay, 450);
}

TEST(Settings, PortChoiceAndDevicePaths)
{
    EXPECT_EQ(TPortSettings::ComPortForChoice(1), 1);
    EXPECT_EQ(TPortSettings::ComPortForChoice(3), 3);
    EXPECT_EQ(TPortSettings::ComPortForChoice(5), 4);
    EXPECT_EQ(TPortSettings::ComPortForChoice(6), 4);
    EXPECT_FALSE(TPortSettings::ComPortForChoice(0));
    EXPECT_FALSE(TPortSettings::ComPortForChoice(7));

    QTemporaryDir dir;
    QSettings store(dir.filePath("ports.ini"), QSettings::IniFormat);
    TPortSettings ports(store);
    EXPECT_EQ(ports.StoredPort(), 1);
    ports.SavePortChoice(3);
    EXPECT_EQ(ports.StoredPort(), 3);
    EXPECT_EQ(ports.ResolvePortName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(ports.ResolvePortName("COM8"), "/dev/ttyS7");
    ports.SetDevicePath(2, "/dev/ttyUSB0");
    EXPECT_EQ(ports.ResolvePortName("com2"), "/dev/ttyUSB0");
    EXPECT_EQ(ports.ResolvePortName("COM9"), "COM9");
    EXPECT_EQ(ports.ResolvePortName("demo"), "demo");
    EXPECT_EQ(ports.ResolvePortName("/dev/ttyACM0"), "/dev/ttyACM0");
}
