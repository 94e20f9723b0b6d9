#include "SafetyTestSupport.h"
#include "panel/RichConfig.h"
#include "safety/ChangeRecord.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

TChangeEntry Entry(const QDateTime& when, QList<TDifference> differences)
{
    TChangeEntry entry;
    entry.When = when;
    entry.Panel = 3;
    entry.Engineer = QStringLiteral("J. Smith, \"Senior\"");
    entry.Configuration = QStringLiteral("/site/Hotel_Panel3.QEM");
    entry.SentCopy = QStringLiteral("/site/backups/Hotel_Panel3_sent.QEM");
    entry.Verified = true;
    entry.Baseline = QStringLiteral("the panel's backup");
    entry.Differences = std::move(differences);
    return entry;
}

} // namespace

TEST(ChangeRecord, EntriesAppendAndReadBackWithTheirChanges)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("Hotel_Panel3.QEM");
    const QDateTime first(QDate(2026, 12, 7), QTime(9, 15, 0));
    const QDateTime second(QDate(2026, 12, 7), QTime(11, 2, 30));
    const QList<TDifference> changes = {
        {ppZoneConfig, "Zone 3", "Name", "Basement", "Plant Room, east"},
        {ppLoop1, "Point 12", "Type", "Optical", "Heat"},
    };
    QString error;
    ASSERT_TRUE(ChangeRecord::Append(config, Entry(first, changes), &error)) << error.toStdString();
    TChangeEntry partial = Entry(second, {});
    partial.PartlySaved = true;
    partial.Verified = false;
    ASSERT_TRUE(ChangeRecord::Append(config, partial, &error)) << error.toStdString();

    QList<TChangeEntry> entries;
    ASSERT_TRUE(ChangeRecord::Read(config, entries, &error)) << error.toStdString();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].When, first);
    EXPECT_EQ(entries[0].Engineer, "J. Smith, \"Senior\"");
    ASSERT_EQ(entries[0].Differences.size(), 2);
    EXPECT_EQ(entries[0].Differences[0].Page, ppZoneConfig);
    EXPECT_EQ(entries[0].Differences[0].Right, "Plant Room, east");
    EXPECT_TRUE(entries[1].PartlySaved);
    EXPECT_TRUE(entries[1].Differences.isEmpty());

    QFile text(ChangeRecord::TextPath(config));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QString shown = QString::fromUtf8(text.readAll());
    EXPECT_TRUE(shown.contains("Zone Config / Zone 3 / Name: 'Basement' -> 'Plant Room, east'"));
    EXPECT_TRUE(shown.contains("partly saved"));
}

TEST(ChangeRecord, ARecordThatIsNotOursIsRefusedWithItsLine)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("Site.QEM");
    QFile csv(ChangeRecord::CsvPath(config));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Date,Time\r\nnot,a,record\r\n");
    csv.close();
    QList<TChangeEntry> entries;
    QString error;
    EXPECT_FALSE(ChangeRecord::Read(config, entries, &error));
    EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
}

namespace {

TRun ZolctlAnswering(const QStringList& args, QString answers)
{
    EnsureApplication();
    TRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    QTextStream in(&answers);
    TCliContext context{out, err, &in};
    run.Code = RunZolctl(args, context);
    return run;
}

QStringList Lines(const QList<TDifference>& differences)
{
    QStringList lines;
    for (const TDifference& d : differences)
        lines << TConfigDiff::Describe(d);
    return lines;
}

} // namespace

// Two Save Alls with one zone renamed in between: the second entry names that zone and nothing
// else, whatever the file holds that the panel does not (site texts, comments, merged names,
// firmware versions, the sounder bit of the settings). The first, with nothing read before,
// says so instead of claiming that nothing changed; zolctl changes shows the same.
TEST(ChangeRecord, ARenamedZoneIsTheOneChangeListed)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData data;
    FillRichConfiguration(data, stApolloLoop);
    data.Loop1.Devices[5].Name = QStringLiteral("Reception");
    data.Loop1.Devices[9].Name = QStringLiteral("RECEPTION");
    data.RebuildNameTable();
    data.SiteConfig.ClientName = QStringLiteral("Acme Distribution Ltd");
    data.Comments = QStringLiteral("Keys at the gatehouse");
    data.ZoneList.Zone(3).Name = QStringLiteral("Kitchen");
    const QString file = WriteConfiguration(data, dir.filePath("Depot_Panel1.QEM"));
    const QString backups = dir.filePath("kept");

    const TRun first = Zolctl({"upload", file, "--port", "demo", "--yes", "--force"});
    ASSERT_EQ(first.Code, 0) << first.Err.toStdString();
    data.ZoneList.Zone(3).Name = QStringLiteral("Store");
    WriteConfiguration(data, file);
    const TRun second =
        Zolctl({"upload", file, "--port", "demo", "--yes", "--force", "--verify", "--backup", backups});
    ASSERT_EQ(second.Code, 0) << second.Err.toStdString();
    // The time runs from the sending to the end of the verify, in its parts.
    EXPECT_TRUE(second.Out.contains(QRegularExpression("in [0-9.]+ s \\(writes [0-9.]+ s, verify [0-9.]+ s\\)")))
        << second.Out.toStdString();

    QList<TChangeEntry> entries;
    QString error;
    ASSERT_TRUE(ChangeRecord::Read(file, entries, &error)) << error.toStdString();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].Baseline, ChangeRecord::NothingRead);
    EXPECT_EQ(Lines(entries[1].Differences).join('\n').toStdString(),
              "Zone Config / Zone 3 / Name: 'Kitchen' -> 'Store'");

    const TRun shown = Zolctl({"changes", file});
    EXPECT_TRUE(shown.Out.contains(ChangeRecord::NothingReadText)) << shown.Out.toStdString();
    EXPECT_FALSE(shown.Out.contains("no differences")) << shown.Out.toStdString();
    EXPECT_TRUE(shown.Out.contains("Zone Config / Zone 3 / Name: 'Kitchen' -> 'Store'"));
}

// Values are named as the pages show them: a point's zone with its name, a sounder's group,
// a detector's sensitivity; a device exchanged for another is one line.
TEST(ChangeRecord, PointChangesAreNamedAsTheDialogsShowThem)
{
    TData before;
    before.SwitchProtocol(stApolloLoop);
    before.ZoneList.Zone(2).Name = QStringLiteral("Office");
    before.ZoneList.Zone(4).Name = QStringLiteral("Plant room");
    before.Loop1.PlaceDevice(3, 20);
    before.Loop1.PlaceDevice(8, 20);
    TData after;
    after.AssignContent(before);
    after.Loop1.Devices[3].Zone = 4;
    after.Loop1.Devices[3].SharedData[1] = 4;
    after.Loop1.Devices[3].SharedData[TDeviceType::sdDayLevel] = 110;
    after.Loop1.PlaceDevice(8, NotFittedCode);
    const QStringList lines = Lines(TConfigDiff::CompareChanges(&before, &before, after));
    ASSERT_EQ(lines.size(), 3) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].endsWith("Zone: '1' -> '4 (Plant room)'")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("sensitivity: '100' -> '110'")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains("Point 8 / Device:")) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].endsWith("-> 'Not fitted'")) << lines[2].toStdString();
}

// A Save All answered No sends nothing, so it keeps no copy and records nothing.
TEST(ChangeRecord, ASaveAnsweredNoLeavesNoCopyAndNoEntry)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData data;
    const QString file = WriteConfiguration(data, dir.filePath("Depot.QEM"));
    const TRun run = ZolctlAnswering({"upload", file, "--port", "demo"}, "n\n");
    EXPECT_NE(run.Code, 0);
    EXPECT_FALSE(run.Out.contains("kept as")) << run.Out.toStdString();
    EXPECT_FALSE(QFile::exists(ChangeRecord::CsvPath(file)));
    EXPECT_TRUE(QDir(dir.filePath("backups")).entryList(QDir::Files).isEmpty());
}

// Entries of the same second stay two entries; a record holding only a byte-order mark gets
// its heading back and loses no row; cells a spreadsheet would take as a formula are
// written inert and read back as they were.
TEST(ChangeRecord, SameSecondBomOnlyAndFormulaCells)
{
    QTemporaryDir dir;
    const QString config = dir.filePath("Site.QEM");
    QFile csv(ChangeRecord::CsvPath(config));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("\xEF\xBB\xBF");
    csv.close();
    const QDateTime when(QDate(2026, 12, 7), QTime(9, 15, 0));
    const QString formula = QStringLiteral("=HYPERLINK(\"http://x\",\"Fire\")");
    QString error;
    ASSERT_TRUE(ChangeRecord::Append(config, Entry(when, {{ppZoneConfig, "Zone 1", "Name", "A", formula}}), &error));
    ASSERT_TRUE(ChangeRecord::Append(config, Entry(when, {{ppZoneConfig, "Zone 1", "Name", formula, "-B"}}), &error));

    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF" "Date,Time,")) << bytes.constData();
    EXPECT_FALSE(bytes.contains(",=HYPERLINK")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("09:15:00-2,")) << bytes.constData();
    QList<TChangeEntry> entries;
    ASSERT_TRUE(ChangeRecord::Read(config, entries, &error)) << error.toStdString();
    ASSERT_EQ(entries.size(), 2);
    ASSERT_EQ(entries[0].Differences.size(), 1);
    EXPECT_EQ(entries[0].Differences[0].Right, formula);
    EXPECT_EQ(entries[1].Differences[0].Right, "-B");
}
