#include "ScriptedPrompts.h"
#include "TestFiles.h"

#include "storage/ConfigFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
        doc.SetModified(true);
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
    doc.SetModified(true);
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
