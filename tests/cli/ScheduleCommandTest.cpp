#include "cli/Cli.h"
#include "storage/ConfigFile.h"
#include "storage/ScriptedPrompts.h"

#include "model/Data.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

struct TRun {
    int Code = -1;
    QString Out;
    QString Err;
};

TRun Zolctl(const QStringList& args)
{
    TRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    TCliContext context{out, err, nullptr};
    run.Code = RunZolctl(args, context);
    return run;
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString MakeSite(const QTemporaryDir& dir)
{
    TData doc;
    doc.SwitchProtocol(stHochikiLoop);
    doc.Loop1.PlaceDevice(1, 136);
    doc.Loop1.PlaceDevice(2, 136);
    doc.Loop1.Devices[2].Name = QStringLiteral("Hall");
    doc.Loop2.PlaceDevice(5, 0);
    TScriptedPrompts prompts;
    const QString path = dir.filePath("site_Panel1.QEM");
    TConfigFile(doc, prompts).WriteFile(path);
    return path;
}

} // namespace

TEST(ZolctlSchedule, ExportEditImportWritesOnlyWhatWasAsked)
{
    QTemporaryDir dir;
    const QString site = MakeSite(dir);
    const QString csv = dir.filePath("schedule.csv");
    ASSERT_EQ(Zolctl({"export-devices", site, "-o", csv, "--separator", ";"}).Code, ecSuccess);
    QByteArray schedule = Read(csv);
    ASSERT_TRUE(schedule.startsWith("\xEF\xBB\xBFLoop;Address;"));
    EXPECT_EQ(schedule.count('\n'), 4) << "a heading and three devices";
    EXPECT_EQ(Zolctl({"export-devices", site, "-o", dir.filePath("schedule.xlsx")}).Code, ecSuccess);
    EXPECT_TRUE(Read(dir.filePath("schedule.xlsx")).startsWith("PK"));
    // Both exports get the permissions any new file of the user gets.
    Write(dir.filePath("plain.txt"), "x");
    EXPECT_EQ(QFile::permissions(dir.filePath("schedule.xlsx")), QFile::permissions(dir.filePath("plain.txt")));
    EXPECT_EQ(QFile::permissions(csv), QFile::permissions(dir.filePath("plain.txt")));

    schedule.replace(";Hall;", ";Main hall;");
    Write(csv, schedule);
    const QByteArray before = Read(site);
    const TRun dry = Zolctl({"import-devices", site, csv, "--dry-run"});
    EXPECT_EQ(dry.Code, ecSuccess) << dry.Err.toStdString();
    EXPECT_TRUE(dry.Out.contains("changed Loop 1 address 2 (Optical) (line 3)")) << dry.Out.toStdString();
    EXPECT_TRUE(dry.Out.contains("0 added, 1 changed, 0 removed, 2 untouched"));
    EXPECT_EQ(Read(site), before);

    const QString out = dir.filePath("out.QEM");
    ASSERT_EQ(Zolctl({"import-devices", site, csv, "-o", out}).Code, ecSuccess);
    TData reread;
    TScriptedPrompts prompts;
    ASSERT_TRUE(TConfigFile(reread, prompts).Open(out));
    EXPECT_EQ(reread.Loop1.Devices[2].Name, QStringLiteral("Main hall"));
    EXPECT_EQ(reread.Loop1.Devices[1].TypeCode, 136);
}

TEST(ZolctlSchedule, ARefusedRowFailsAndWritesNothing)
{
    QTemporaryDir dir;
    const QString site = MakeSite(dir);
    const QString csv = dir.filePath("schedule.csv");
    Write(csv, "Loop,Address,Description\n1,1,Fine\n1,999,Nowhere\n");
    const QByteArray before = Read(site);
    const TRun run = Zolctl({"import-devices", site, csv});
    EXPECT_EQ(run.Code, ecFailure);
    EXPECT_TRUE(run.Err.contains("Line 3, column 2 (Address)")) << run.Err.toStdString();
    EXPECT_EQ(Read(site), before);
    EXPECT_EQ(Zolctl({"export-devices", site, "-o", csv, "--separator", "ab"}).Code, ecUsage);
}
