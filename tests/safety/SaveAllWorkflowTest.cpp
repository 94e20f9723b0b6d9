#include "SafetyTestSupport.h"

#include "safety/ChangeRecord.h"

#include <QFile>
#include <QTemporaryDir>

// zolctl upload checks first: an error refuses the Save All before a byte is sent, naming the
// finding, and --force sends it all the same.
TEST(SaveAllWorkflow, UploadRefusesAConfigurationWithErrorsUnlessForced)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData data;
    data.SiteConfig.AL3Code = data.SiteConfig.AL2Code;
    const QString file = WriteConfiguration(data, dir.filePath("Depot.QEM"));

    const TRun refused = Zolctl({"upload", file, "--port", "demo", "--yes"});
    EXPECT_EQ(refused.Code, 1);
    EXPECT_TRUE(refused.Err.contains("access codes are the same")) << refused.Err.toStdString();
    EXPECT_TRUE(refused.Err.contains("--force")) << refused.Err.toStdString();
    EXPECT_EQ(panel->FramesReceived(), 0);

    const TRun forced = Zolctl({"upload", file, "--port", "demo", "--yes", "--force", "--verify"});
    EXPECT_EQ(forced.Code, 0) << forced.Err.toStdString();
    EXPECT_TRUE(forced.Out.contains("verified")) << forced.Out.toStdString();
    EXPECT_GT(panel->FramesReceived(), 0);
}

// Each Save All that reaches the panel adds one entry to the change record beside the file,
// naming what changed since the last one; a Save All refused before sending adds none.
TEST(SaveAllWorkflow, EachCompletedSaveAllIsRecordedWithItsChanges)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData data;
    data.SiteConfig.Engineer = QStringLiteral("A. Engineer");
    data.ZoneList.Zone(3).Name = QStringLiteral("Basement");
    const QString file = WriteConfiguration(data, dir.filePath("Depot.QEM"));
    const QString record = ChangeRecord::CsvPath(file);

    const QString level3 = data.SiteConfig.AL3Code;
    data.SiteConfig.AL3Code = data.SiteConfig.AL2Code;
    const QString faulty = WriteConfiguration(data, dir.filePath("Faulty.QEM"));
    EXPECT_EQ(Zolctl({"upload", faulty, "--port", "demo", "--yes"}).Code, 1);
    EXPECT_FALSE(QFile::exists(ChangeRecord::CsvPath(faulty)));

    const TRun first = Zolctl({"upload", file, "--port", "demo", "--yes", "--verify"});
    ASSERT_EQ(first.Code, 0) << first.Err.toStdString();
    data.SiteConfig.AL3Code = level3;
    data.ZoneList.Zone(3).Name = QStringLiteral("Plant Room");
    WriteConfiguration(data, file);
    const TRun second = Zolctl({"upload", file, "--port", "demo", "--yes"});
    ASSERT_EQ(second.Code, 0) << second.Err.toStdString();
    EXPECT_TRUE(second.Out.contains("change recorded in")) << second.Out.toStdString();

    QList<TChangeEntry> entries;
    QString error;
    ASSERT_TRUE(ChangeRecord::Read(file, entries, &error)) << error.toStdString();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_TRUE(entries[0].Verified);
    EXPECT_EQ(entries[0].Engineer, "A. Engineer");
    EXPECT_EQ(entries[1].Baseline, "the last record");
    QStringList changes;
    for (const TDifference& d : entries[1].Differences)
        changes << TConfigDiff::Describe(d);
    EXPECT_TRUE(changes.contains("Zone Config / Zone 3 / Name: 'Basement' -> 'Plant Room'"))
        << changes.join('\n').toStdString();
}
