#include "ScriptedPrompts.h"
#include "TestFiles.h"

#include "storage/CommentsFile.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigFileNames.h"
#include "storage/SafeFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray ValidStart = "[QEM Header]\r\nFileType=Prog Tools\r\nPanel Type=ZOL\r\n";

// An open document with unsaved work, to check that a failed open leaves it alone.
struct TOpenDocument {
    TData Doc;
    TOpenDocument() { MakeOpenDocument(Doc); }
};

} // namespace

TEST(ConfigFailure, RejectedOrStoppedReadsChangeNothing)
{
    struct TCase {
        const char* Name;
        QByteArray Content;
        QStringList MessageParts;
    };
    const QList<TCase> cases = {
        {"wrong_Panel6.QEM", "[QEM Header]\nFileType=prog tools\n", {InvalidFileMessage}},
        {"noheader_Panel6.QEM", "[Loop]\nType=1\n", {InvalidFileMessage}},
        {"group_Panel6.QEM", ValidStart + "[Loop]\r\nType=0\r\n[GroupConfig]\r\nZ7G12=300\r\n",
         {"GroupConfig", "Z7G12", "300"}},
        {"event_Panel6.QEM", ValidStart + "[C_EEvent]\r\nEvent3=50/0/x/0/55/0/\r\n",
         {"C_EEvent", "Event3", "50/0/x/0/55/0/"}},
        {"short_Panel6.QEM", ValidStart + "[C_EEvent]\r\nEvent16=50/0/55\r\n",
         {"C_EEvent", "Event16", "50/0/55"}},
        // Values the panel's fields cannot hold: nothing may be cut, wrapped or overflow.
        {"tone_Panel6.QEM", ValidStart + "[Tone]\r\nInt=2147483647\r\n", {"Tone", "Int", "2147483647"}},
        {"mcp_Panel6.QEM", ValidStart + "[Site Config]\r\nMCP Delay=-2147483648\r\n",
         {"Site Config", "MCP Delay", "-2147483648"}},
        {"delay_Panel6.QEM", ValidStart + "[SounderTimers]\r\nZone3=2147483647\r\n",
         {"SounderTimers", "Zone3", "2147483647"}},
        {"word_Panel6.QEM", ValidStart + "[Investigation]\r\nPeriod=65536\r\n",
         {"Investigation", "Period", "65536"}},
        {"type_Panel6.QEM", ValidStart + "[Detector Type]\r\nL1D4=-2147483648\r\n",
         {"Detector Type", "L1D4", "-2147483648"}},
        {"huge_Panel6.QEM", ValidStart + "[SharedData]\r\nL1D1SD1=99999999999999999999999\r\n",
         {"SharedData", "L1D1SD1", "99999999999999999999999"}},
        {"target_Panel6.QEM", ValidStart + "[C_EEvent]\r\nEvent2=50/70000/55/0/55/0/\r\n",
         {"C_EEvent", "Event2", "50/70000/55/0/55/0/"}},
        // What is not a configuration at all is named.
        {"empty_Panel6.QEM", "", {InvalidFileMessage, "empty_Panel6.QEM", "empty"}},
        {"binary_Panel6.QEM", QByteArray("\x7f" "ELF\x02\x01\x00\x00", 8), {InvalidFileMessage, "binary"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(c.Name));
        WriteBytes(path, c.Content);
        TOpenDocument open;
        const QByteArray before = FileImage(open.Doc);
        TScriptedPrompts prompts;
        EXPECT_FALSE(TConfigFile(open.Doc, prompts).Open(path));
        ASSERT_EQ(prompts.count(TScriptedPrompts::TKind::mkError), 1);
        for (const QString& part : c.MessageParts)
            EXPECT_TRUE(prompts.Records.first().Text.contains(part))
                << prompts.Records.first().Text.toStdString();
        // Said once, as a sentence, not twice over.
        EXPECT_LE(prompts.Records.first().Text.count("not a valid ZOL Programming Tools file"), 1);
        EXPECT_EQ(FileImage(open.Doc), before);
        EXPECT_EQ(open.Doc.FileName, "/jobs/old_Panel3.QEM");
        EXPECT_EQ(open.Doc.PanelNumber, 3);
        EXPECT_TRUE(open.Doc.Modified());
        EXPECT_EQ(open.Doc.Loop1.Devices[9].Name, "Boiler room");
    }

    TOpenDocument open;
    TScriptedPrompts prompts;
    EXPECT_FALSE(TConfigFile(open.Doc, prompts).Open("/no/such/file.QEM"));
    EXPECT_TRUE(prompts.Records.first().Text.contains("/no/such/file.QEM"));
    QTemporaryDir dir;
    prompts.clear();
    EXPECT_FALSE(TConfigFile(open.Doc, prompts).Open(dir.path()));
    EXPECT_TRUE(prompts.Records.first().Text.contains(dir.path() + " is a folder"));
}

// An older-family file whose loop type and type codes are at the ends of the integer range:
// converting subtracts and multiplies without overflowing.
TEST(ConfigFailure, ConvertingExtremeValuesNeverOverflows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.QEM");
    WriteBytes(path, "[QEM Header]\r\nFileType=Prog Tools\r\n[Loop]\r\nType=-2147483648\r\n"
                     "[Detector Type]\r\nL1D1=7\r\n");
    TData doc;
    TScriptedPrompts prompts;
    prompts.DefaultAnswer = TPromptAnswer::paYes;
    ASSERT_TRUE(TConfigFile(doc, prompts).Open(path));
    EXPECT_EQ(doc.SystemType(), stApolloLoop);
    EXPECT_EQ(doc.Loop1.Devices[1].TypeCode, 28);
}

// Nothing that is not a regular file is ever replaced, and nothing is written beside it.
TEST(ConfigFailure, OnlyRegularFilesAreReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.QEM");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    // A pipe stands for any device (a test never risks replacing a real one).
    for (const QString& target : {fifo, dir.path()}) {
        SCOPED_TRACE(target.toStdString());
        TData doc;
        TScriptedPrompts prompts;
        EXPECT_FALSE(TConfigFile(doc, prompts).WriteFile(target));
        ASSERT_EQ(prompts.count(TScriptedPrompts::TKind::mkError), 1);
        EXPECT_TRUE(prompts.Records.first().Text.contains(target));
        EXPECT_FALSE(QFileInfo::exists(CommentsFileName(target)));
        QString why;
        EXPECT_FALSE(CheckReplaceableFile(target, &why));
        EXPECT_TRUE(why.contains(target));
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_TRUE(CheckReplaceableFile(dir.filePath("new.QEM")));
    QString error;
    EXPECT_FALSE(SaveEventLog(fifo, {"Fire"}, &error));
    EXPECT_TRUE(error.contains(fifo));
    // A comments name taken by a folder stops the save before the configuration is written.
    QDir().mkdir(dir.filePath("site.RTF"));
    TData doc;
    TScriptedPrompts prompts;
    EXPECT_FALSE(TConfigFile(doc, prompts).WriteFile(dir.filePath("site.QEM")));
    EXPECT_FALSE(QFile::exists(dir.filePath("site.QEM")));
}

TEST(ConfigFailure, SavingOverAFileKeepsWhatWeDoNotWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("site.QEM");
    WriteBytes(path, "; made by hand\r\n[QEM Header]\r\nFileType=Prog Tools\r\nEngineer Note=call first\r\n"
                     "[Detector Type]\r\nL1D254=57\r\n\r\n[Custom Section]\r\nfoo = bar\r\n");
    TScriptedPrompts prompts;
    TData doc; // Apollo: 253 points, so L1D254 is not ours
    ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    const QByteArray saved = ReadBytes(path);
    EXPECT_TRUE(saved.startsWith("; made by hand\r\n[QEM Header]\r\nFileType=Prog Tools\r\n"
                                 "Engineer Note=call first\r\nMain Version="));
    EXPECT_TRUE(saved.contains("\r\nL1D254=57\r\nL1D1=254\r\n"));
    EXPECT_TRUE(saved.contains("\r\n[Custom Section]\r\nfoo = bar\r\n[Loop]\r\nType=0\r\n[Detector Names]"));
}

TEST(ConfigFailure, AFailedWriteIsReportedAndLosesNothing)
{
    QTemporaryDir dir;
    {
        // A configuration named like its comments file: the comments would replace it.
        TScriptedPrompts prompts;
        TData doc;
        doc.Edit(dpAll, QStringLiteral("edit"));
        const QString clash = dir.filePath("site.RTF");
        EXPECT_FALSE(TConfigFile(doc, prompts).WriteFile(clash));
        ASSERT_EQ(prompts.count(TScriptedPrompts::TKind::mkError), 1);
        EXPECT_TRUE(prompts.Records.first().Text.contains(clash));
        EXPECT_FALSE(QFile::exists(clash));
        EXPECT_TRUE(doc.Modified());
    }

    // A folder where the file should be: no write can succeed, whoever runs the test.
    WriteBytes(dir.filePath("plain"), "not a folder");
    const QString impossible = dir.filePath("plain/site.QEM");
    TScriptedPrompts prompts;
    TData doc;
    doc.Edit(dpAll, QStringLiteral("edit"));
    TConfigFile file(doc, prompts);
    EXPECT_FALSE(file.SaveAs(impossible));
    ASSERT_EQ(prompts.count(TScriptedPrompts::TKind::mkError), 1);
    EXPECT_TRUE(prompts.Records.first().Text.contains(dir.filePath("plain/site_Panel1.QEM")));
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(doc.FileName.isEmpty());

    // A read-only folder holding the old file: the old file stays as it was.
    const QString folder = dir.filePath("readonly");
    QDir().mkdir(folder);
    const QString old = folder + QStringLiteral("/site_Panel1.QEM");
    WriteBytes(old, ValidStart);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (geteuid() == 0) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running as root: a read-only folder does not stop root writing";
    }
    prompts.clear();
    doc.FileName = old;
    EXPECT_FALSE(file.Save());
    EXPECT_EQ(prompts.count(TScriptedPrompts::TKind::mkError), 1);
    EXPECT_TRUE(prompts.Records.first().Text.contains(old));
    EXPECT_EQ(ReadBytes(old), ValidStart);
    EXPECT_TRUE(doc.Modified());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// What the program itself can hold saves and reopens, even beyond the panel's limits that the
// checks report (more than 256 names give name indexes above 255).
TEST(ConfigFailure, MoreNamesThanThePanelTakesStillReopen)
{
    QTemporaryDir dir;
    TData doc;
    doc.SwitchProtocol(stHochikiLoop);
    for (int p = 1; p <= 200; ++p)
        for (TQEMLoop* loop : {&doc.Loop1, &doc.Loop2}) {
            loop->PlaceDevice(p, 136);
            loop->Devices[p].Name = QStringLiteral("L%1 point %2").arg(loop == &doc.Loop1 ? 1 : 2).arg(p);
        }
    doc.RebuildNameTable();
    doc.ApplyNameIndexes();
    TScriptedPrompts prompts;
    const QString path = dir.filePath("many.QEM");
    ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    TData again;
    ASSERT_TRUE(TConfigFile(again, prompts).Open(path)) << prompts.texts().join('\n').toStdString();
    EXPECT_EQ(again.Loop2.Devices[200].Name, "L2 point 200");
}

// A saved file cut at a line end (here just after a section heading) opens with a warning
// naming what it lacks, and what it lacks takes New's values; a whole file opens silently.
TEST(ConfigFailure, ACutOffFileNamesWhatItLacksAndTakesNewValues)
{
    QTemporaryDir dir;
    TData doc;
    doc.SiteConfig.Discovery_Polling_LED = false;
    doc.SiteConfig.AL2Code = QStringLiteral("1111");
    doc.RepeaterList.PanelName = QStringLiteral("Gatehouse");
    const QString path = dir.filePath("site.QEM");
    TScriptedPrompts prompts;
    ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    TData whole;
    ASSERT_TRUE(TConfigFile(whole, prompts).Open(path));
    EXPECT_TRUE(prompts.Records.isEmpty());

    const QByteArray bytes = ReadBytes(path);
    const qsizetype heading = bytes.indexOf("[Site Config]");
    ASSERT_GT(heading, 0);
    WriteBytes(path, bytes.left(bytes.indexOf('\n', heading) + 1));
    TData cut;
    ASSERT_TRUE(TConfigFile(cut, prompts).Open(path));
    ASSERT_EQ(prompts.Records.size(), 1);
    const QString warning = prompts.Records[0].Text;
    for (const char* part : {"Site Config (", "Polling_LED", "Network Config", "C_EEvent"})
        EXPECT_TRUE(warning.contains(QLatin1String(part))) << part << " in " << warning.toStdString();
    const TData fresh;
    EXPECT_EQ(cut.SiteConfig.AL2Code, "1111") << "what it has is read";
    EXPECT_EQ(cut.SiteConfig.Discovery_Polling_LED, fresh.SiteConfig.Discovery_Polling_LED);
    EXPECT_EQ(cut.RepeaterList.PanelName, fresh.RepeaterList.PanelName);
    EXPECT_EQ(cut.SiteConfig.NightBegin, fresh.SiteConfig.NightBegin);
}
