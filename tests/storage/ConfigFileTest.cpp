#include "ScriptedPrompts.h"
#include "TestFiles.h"

#include "storage/CommentsFile.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigReader.h"
#include "storage/Rtf.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

// A configuration with something other than a default in every part of the file.
void FillDocument(TData& doc)
{
    const int last = doc.NoLoopDevices();
    const int sensor = doc.SystemType() == stHochikiLoop ? 136
                       : doc.SystemType() == stApolloLoop ? 20 : 3;
    for (int loop = 1; loop <= 2; ++loop) {
        for (int p : {1, 2, last}) {
            doc.Loop(loop).PlaceDevice(p, sensor);
            doc.Loop(loop).Devices[p].Name = QStringLiteral("Room %1.%2").arg(loop).arg(p);
            doc.Loop(loop).Devices[p].Zone = 3;
        }
    }
    doc.RebuildNameTable();
    TZone& z7 = doc.ZoneList.Zone(7);
    z7.Name = QStringLiteral("Kitchen \xe9");
    z7.SounderTimer = 120;
    z7.GroupConfig[12] = 1;
    z7.SetConfig[18] = 3;
    z7.EndDelays = true;
    z7.Dependancy = {5, 10, 400, 2, 30, 900};
    doc.ZoneList.SetSilenceable(3, true);
    doc.DelayTimer = 45;
    doc.SiteConfig.ClientName = QStringLiteral("Acme & Sons");
    doc.SiteConfig.InstallerAddress3 = QStringLiteral("Unit 4");
    doc.SiteConfig.MaintenanceDate = QDate(2025, 2, 28);
    doc.SiteConfig.DateEnabled = true;
    doc.SiteConfig.NightBegin = QStringLiteral("22:15");
    doc.SiteConfig.ReSound_Function = true;
    doc.SiteConfig.Detector_Delay = 7;
    doc.SiteConfig.Discovery_Polling_LED = false;
    doc.SiteConfig.MainVersion = QStringLiteral("09A07");
    doc.ContinuousTone = 3;
    doc.PulsedTone = 3;
    doc.RepeaterList.Repeaters[4] = {true, QStringLiteral("Annexe")};
    doc.RepeaterList.Segment = 2;
    doc.Network.AcceptAlarms[4] = true;
    doc.C_ETable.Events[5] = {100, 3, 193, 516, 158, 0};
    doc.C_ETable.Times[16] = QStringLiteral("23:59");
    doc.Comments = QStringLiteral("Keys with caretaker");
}

} // namespace

TEST(ConfigFile, EveryProtocolSurvivesSaveAndOpen)
{
    for (const TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        SCOPED_TRACE(int(type));
        QTemporaryDir dir;
        TScriptedPrompts prompts;
        TData original;
        original.SwitchProtocol(type);
        FillDocument(original);
        original.Edit(dpAll, QStringLiteral("edit"));
        const QString path = dir.filePath("site_Panel4.QEM");
        ASSERT_TRUE(TConfigFile(original, prompts).WriteFile(path));
        EXPECT_FALSE(original.Modified());

        TData reopened;
        ASSERT_TRUE(TConfigFile(reopened, prompts).Open(path)) << prompts.texts().join("|").toStdString();
        EXPECT_TRUE(prompts.Records.isEmpty());
        EXPECT_EQ(reopened.SystemType(), type);
        EXPECT_EQ(reopened.FileName, path);
        EXPECT_EQ(reopened.PanelNumber, 4);
        EXPECT_FALSE(reopened.Modified());
        // The one designed difference: a not-fitted point is read with zone 0.
        for (int loop = 1; loop <= 2; ++loop)
            for (int p = 1; p <= original.NoLoopDevices(); ++p)
                if (original.Loop(loop).Devices[p].TypeCode == NotFittedCode)
                    original.Loop(loop).Devices[p].Zone = 0;
        EXPECT_EQ(FileImage(reopened), FileImage(original));
        EXPECT_EQ(reopened.NameTable.Entries(), original.NameTable.Entries());
        EXPECT_TRUE(reopened.SiteConfig.ReSound_Function);
        EXPECT_TRUE(IsRtf(ReadBytes(dir.filePath("site_Panel4.RTF"))));
        EXPECT_EQ(reopened.Comments, "Keys with caretaker");
    }
}

TEST(ConfigFile, NewNittanFileMatchesTheHandWrittenLayoutLineByLine)
{
    QTemporaryDir dir;
    TScriptedPrompts prompts;
    TData doc;
    doc.SwitchProtocol(stNittanLoop);
    const QString path = dir.filePath("new.QEM");
    ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    const QList<QByteArray> written = ReadBytes(path).split('\n');
    const QList<QByteArray> expected = ReadBytes(TestData("new_nittan.QEM")).split('\n');
    ASSERT_GT(expected.size(), 5000);
    for (qsizetype i = 0; i < qMin(written.size(), expected.size()); ++i)
        ASSERT_EQ(written.at(i).toStdString(), expected.at(i).toStdString()) << "line " << i + 1;
    EXPECT_EQ(written.size(), expected.size());
}

TEST(ConfigFile, PointKeysHeaderAndMarks)
{
    QTemporaryDir dir;
    TScriptedPrompts prompts;
    TData doc;
    doc.SwitchProtocol(stSysSensorLoop);
    doc.Loop1.PlaceDevice(150, 7);
    doc.Loop1.Devices[150].TypeMismatch = true;
    doc.SiteConfig.MainVersion.clear();
    const QString path = dir.filePath("ss.QEM");
    ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    TProfileFile f;
    f.LoadFromFile(path);
    EXPECT_EQ(f.ReadInteger("Detector Type", "L1D151", 0), 7);
    EXPECT_EQ(f.ReadInteger("Detector Type", "L1D99", 0), 254);
    EXPECT_FALSE(f.ValueExists("Detector Type", "L1D100"));
    EXPECT_EQ(f.ReadString("QEM Header", "Main Version", ""), "09A06");
    EXPECT_EQ(f.ReadString("SiteConfig", "ReSound", ""), "0");
    EXPECT_FALSE(doc.Loop1.Devices[150].TypeMismatch);
}

TEST(ConfigFile, PointsReadAsStoredFilesHaveThem)
{
    QTemporaryDir dir;
    TScriptedPrompts prompts;
    const QString path = dir.filePath("points.QEM");
    WriteBytes(path, "[QEM Header]\nFileType=Prog Tools\nPanel Type=ZOL\n[Loop]\nType=0\n"
                     "[Detector Type]\nL1D1=20\nL1D2=254\nL1D3=8\nL1D4=20\n"
                     "[Detector Zone]\nL1D1=6\nL1D2=9\nL1D3=7\nL1D4=41\n"
                     "[SharedData]\nL1D2SD1=1\nL1D4SD1=0\n");
    TData doc;
    ASSERT_TRUE(TConfigFile(doc, prompts).Open(path));
    const TQEMLoop& loop = doc.Loop1;
    // No panel data: class defaults, with the zone the file gave.
    EXPECT_EQ(loop.Devices[1].Zone, 6);
    EXPECT_EQ(loop.Devices[1].SharedData[3], 100);
    EXPECT_EQ(loop.Devices[3].Zone, 7);
    EXPECT_EQ(loop.Devices[2].Zone, 0); // not fitted
    EXPECT_EQ(loop.Devices[4].Zone, 1); // out of range
    EXPECT_EQ(loop.Devices[4].SharedData[3], 255);
    EXPECT_TRUE(doc.Comments.isEmpty());
    // Defaults that differ from New.
    EXPECT_EQ(doc.SiteConfig.Detector_Delay, 9);
    EXPECT_TRUE(doc.SiteConfig.SoundersPulsed);
    EXPECT_FALSE(doc.SiteConfig.Discovery_Polling_LED);
    EXPECT_EQ(doc.DelayTimer, 0);
    EXPECT_EQ(doc.ZoneList.Zone(5).Dependancy[2], 0);
    EXPECT_EQ(doc.ZoneList.Zone(5).Dependancy[4], 4);
    EXPECT_EQ(doc.RepeaterList.Repeaters[2].Name, "");
    EXPECT_EQ(doc.SiteConfig.MaintenanceDate, QDate::currentDate());
}

TEST(ConfigFile, OlderFilesConvertWhenTheUserAgrees)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.QEM");
    WriteBytes(path, "[QEM Header]\nFileType=Prog Tools\n[Loop]\nType=3\n"
                     "[Detector Type]\nL1D1=5\nL1D2=0\nL1D3=20\n[Detector Zone]\nL1D1=35\nL1D3=32\n");
    {
        TScriptedPrompts prompts;
        prompts.Answers = {TPromptAnswer::paYes};
        TData doc;
        ASSERT_TRUE(TConfigFile(doc, prompts).Open(path));
        EXPECT_EQ(prompts.texts(), QStringList{ConvertQuestion});
        EXPECT_EQ(doc.SystemType(), stHochikiLoop);
        EXPECT_EQ(doc.Loop1.Devices[1].TypeCode, 20);
        EXPECT_EQ(doc.Loop1.Devices[1].Zone, 2);
        EXPECT_EQ(doc.Loop1.Devices[2].TypeCode, 254);
        EXPECT_EQ(doc.Loop1.Devices[3].Zone, 32);
        EXPECT_FALSE(doc.ConvertingFile);
    }
    {
        TScriptedPrompts prompts;
        prompts.Answers = {TPromptAnswer::paNo};
        TData doc;
        doc.SwitchProtocol(stHochikiLoop);
        ASSERT_TRUE(TConfigFile(doc, prompts).Open(path));
        EXPECT_EQ(doc.SystemType(), stNittanLoop);
        EXPECT_EQ(doc.Loop1.Devices[1].TypeCode, 5);
    }
    {
        // Type 0 converted is -2: the protocol stays as it was.
        WriteBytes(path, "[QEM Header]\nFileType=Prog Tools\n[Loop]\nType=0\n");
        TScriptedPrompts prompts;
        prompts.Answers = {TPromptAnswer::paYes};
        TData doc;
        doc.SwitchProtocol(stSysSensorLoop);
        ASSERT_TRUE(TConfigFile(doc, prompts).Open(path));
        EXPECT_EQ(doc.SystemType(), stSysSensorLoop);
    }
}

TEST(ConfigFile, FileNamesAndPanelNumbers)
{
    EXPECT_EQ(PanelFileName("/jobs/site.QEM", 3), "/jobs/site_Panel3.QEM");
    EXPECT_EQ(PanelFileName("/jobs/site.v2.QEM", 1), "/jobs/site_Panel1.QEM");
    EXPECT_EQ(PanelFileName("/jobs.d/site", 2), "/jobs.d/site_Panel2");
    EXPECT_EQ(PanelFileName("/jobs/a_Panel7.QEM", 3), "/jobs/a_Panel7.QEM");

    EXPECT_EQ(PanelNumberFromFileName("/j/a_Panel5.QEM", 1), 5);
    EXPECT_EQ(PanelNumberFromFileName("/j/a_Panel9.QEM", 1), 8);
    EXPECT_EQ(PanelNumberFromFileName("/j/a_Panel0.QEM", 4), 1);
    EXPECT_EQ(PanelNumberFromFileName("/j/a_PanelX.QEM", 4), 4);
    EXPECT_EQ(PanelNumberFromFileName("/j/a.QEM", 4), 4);

    EXPECT_EQ(CommentsFileName("/j/site_Panel1.QEM"), "/j/site_Panel1.RTF");
    EXPECT_EQ(CommentsFileName("/j/site.conf"), "/j/site.RTF");
    EXPECT_EQ(CommentsFileName("/j.x/site"), "/j.x/site.RTF");
}

TEST(ConfigFile, SaveAsRenamesAndWritesNewCommentsBesideIt)
{
    QTemporaryDir dir;
    TScriptedPrompts prompts;
    TData doc;
    doc.PanelNumber = 2;
    doc.Comments = QStringLiteral("first");
    TConfigFile file(doc, prompts);
    ASSERT_TRUE(file.SaveAs(dir.filePath("a.QEM")));
    EXPECT_EQ(doc.FileName, dir.filePath("a_Panel2.QEM"));
    EXPECT_TRUE(QFile::exists(dir.filePath("a_Panel2.RTF")));

    doc.Comments = QStringLiteral("second");
    ASSERT_TRUE(file.SaveAs(dir.filePath("b_Panel2.QEM")));
    EXPECT_EQ(ReadRichText(ReadBytes(dir.filePath("a_Panel2.RTF"))).PlainText(), "first");
    EXPECT_EQ(ReadRichText(ReadBytes(dir.filePath("b_Panel2.RTF"))).PlainText(), "second");

    doc.SetAccessCode(3, doc.SiteConfig.AL2Code);
    EXPECT_FALSE(file.Save());
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(prompts.Records.isEmpty());

    // WriteFile without a path writes to the file name, and only when there is one.
    doc.Comments = QStringLiteral("third");
    ASSERT_TRUE(file.WriteFile());
    EXPECT_FALSE(doc.Modified());
    TData reread;
    ASSERT_TRUE(TConfigFile(reread, prompts).ReadFile(dir.filePath("b_Panel2.QEM")));
    EXPECT_EQ(reread.Comments, "third");
    TData fresh;
    fresh.Edit(dpAll, QStringLiteral("edit"));
    EXPECT_FALSE(TConfigFile(fresh, prompts).WriteFile());
    EXPECT_TRUE(fresh.Modified());
    EXPECT_TRUE(prompts.Records.isEmpty());
}
