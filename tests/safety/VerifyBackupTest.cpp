#include "SafetyTestSupport.h"
#include "panel/InProcessUpload.h"
#include "panel/RichConfig.h"
#include "support/LargestConfiguration.h"
#include "panel/TransferProgress.h"
#include "safety/ConfigDiff.h"
#include "safety/PanelReadBack.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

namespace {

std::string Describe(const QList<TDifference>& differences)
{
    QStringList lines;
    for (const TDifference& d : differences)
        lines << TConfigDiff::Describe(d);
    return lines.join('\n').toStdString();
}

} // namespace

TEST(Verify, AnHonestPanelIsVerified)
{
    QTemporaryDir dir;
    FreshDemoPanel(stHochikiLoop);
    TData data;
    FillRichConfiguration(data, stHochikiLoop);
    const QString file = WriteConfiguration(data, dir.filePath("Hotel.QEM"));
    // --force: the rich configuration holds codes the check does not know.
    const TRun run = Zolctl({"upload", file, "--port", "demo", "--yes", "--send-date", "--verify",
                             "--force"});
    EXPECT_EQ(run.Code, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains("verified")) << run.Out.toStdString();
}

// After a clean Save All every sample configuration verifies, with what the sending converts
// (the sounder bit, access codes as numbers) and the names the panel merges into one.
TEST(Verify, EverySampleConfigurationIsVerifiedOnACleanLine)
{
    const auto quirks = [](TData& data) {
        // Another spelling of a name in use: the panel keeps one entry for both.
        data.Loop2.Devices[4].Name = data.Loop1.Devices[5].Name.toUpper() + QStringLiteral("  ");
        data.SiteConfig.AL2Code.clear();
        if (data.SystemType() == stHochikiLoop)
            for (const int code : {72, 120}) {
                const int p = code == 72 ? 8 : 9;
                data.Loop1.PlaceDevice(p, code);
                data.Loop1.Devices[p].SharedData[1] = 1; // sent with the sounder bit
            }
        data.RebuildNameTable();
    };
    std::vector<std::pair<std::string, std::function<void(TData&)>>> samples;
    for (const TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop})
        samples.emplace_back(SystemTypeName(type).toStdString(),
                             [type](TData& d) { FillRichConfiguration(d, type); });
    samples.emplace_back("largest", [](TData& d) { FillLargestConfiguration(d); });
    for (const auto& [name, fill] : samples) {
        SCOPED_TRACE(name);
        QTemporaryDir dir;
        TData data;
        fill(data);
        quirks(data);
        FreshDemoPanel(data.SystemType());
        const QString file = WriteConfiguration(data, dir.filePath("Site.QEM"));
        // The rich samples hold every type code the link carries, known or not.
        const TRun run = Zolctl(
            {"upload", file, "--port", "demo", "--yes", "--send-date", "--verify", "--force"});
        EXPECT_EQ(run.Code, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.contains(QStringLiteral("note: The names '%1' and '%2' differ only in "
                                                    "letter case or trailing blanks")
                                         .arg(data.Loop1.Devices[5].Name,
                                              data.Loop1.Devices[5].Name.toUpper())))
            << run.Out.toStdString();
    }
}

TEST(Verify, APanelThatDropsOneWriteIsCaughtAndTheFieldNamed)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    // The panel acknowledges zone 3's name but keeps what it had: every change of its memory
    // is followed by zone 3's old name coming back.
    panel->OnMemoryChanged = [raw = panel.get()] { raw->Memory().ZoneNames[3] = "Zone 3"; };
    TData data;
    FillRichConfiguration(data, stApolloLoop);
    const QString file = WriteConfiguration(data, dir.filePath("Hotel.QEM"));
    const TRun run = Zolctl({"upload", file, "--port", "demo", "--yes", "--verify", "--force"});
    EXPECT_EQ(run.Code, 1);
    EXPECT_TRUE(run.Err.contains("1 difference")) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("Zone Config / Zone 3 / Name: 'Area 3' -> 'Zone 3'"))
        << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("verify failed")) << run.Err.toStdString();
}

TEST(Backup, ThePanelsConfigurationAndTheFileSentAreKeptSideBySide)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData before;
    FillRichConfiguration(before, stApolloLoop);
    QString error;
    ASSERT_TRUE(UploadInProcess(before, panel, &error)) << error.toStdString();

    TData next;
    next.ZoneList.Zone(8).Name = "Plant room";
    const QString file = WriteConfiguration(next, dir.filePath("Hotel_Panel2.QEM"));
    const QString backups = dir.filePath("kept");
    const TRun run = Zolctl({"upload", file, "--port", "demo", "--panel", "1", "--yes", "--force", "--backup",
                             backups});
    ASSERT_EQ(run.Code, 0) << run.Err.toStdString();

    const QStringList files = QDir(backups).entryList({"*.QEM"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 2) << files.join(' ').toStdString();
    const QRegularExpression name("^Hotel_Panel1_\\d{4}-\\d\\d-\\d\\d_\\d{6}(_sent)?\\.QEM$");
    EXPECT_TRUE(name.match(files.at(0)).hasMatch()) << files.at(0).toStdString();
    EXPECT_TRUE(files.at(1).endsWith("_sent.QEM")) << files.at(1).toStdString();

    TData kept;
    ASSERT_TRUE(OpenConfiguration(kept, QDir(backups).filePath(files.at(0))));
    EXPECT_EQ(Describe(TConfigDiff::CompareReadBack(before, kept)), "");
    TData sent;
    ASSERT_TRUE(OpenConfiguration(sent, QDir(backups).filePath(files.at(1))));
    EXPECT_EQ(Describe(TConfigDiff::Compare(next, sent)), "");
}

TEST(Backup, TheFileSentIsKeptBesideTheConfigurationWithoutAsking)
{
    QTemporaryDir dir;
    FreshDemoPanel(stApolloLoop);
    const QString file = WriteConfiguration(TData(), dir.filePath("Depot.QEM"));
    ASSERT_EQ(Zolctl({"upload", file, "--port", "demo", "--yes"}).Code, 0);
    const QStringList files = QDir(dir.filePath("backups")).entryList({"*.QEM"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files.first().startsWith("Depot_Panel1_")) << files.first().toStdString();
}

TEST(CheckCommand, PrintsGroupedFindingsAndExitsOneOnErrors)
{
    QTemporaryDir dir;
    TData data;
    const QString clean = WriteConfiguration(data, dir.filePath("new.QEM"));
    const TRun ok = Zolctl({"check", clean});
    EXPECT_EQ(ok.Code, 0);
    EXPECT_TRUE(ok.Out.contains("Notes (1):")) << ok.Out.toStdString();

    data.SiteConfig.AL3Code = data.SiteConfig.AL2Code;
    data.C_ETable.Events[1] = {40, 30, 15, 0, 148, 0};
    const QString bad = WriteConfiguration(data, dir.filePath("bad.QEM"));
    const TRun run = Zolctl({"check", bad});
    EXPECT_EQ(run.Code, 1);
    EXPECT_TRUE(run.Out.startsWith("Errors (2):\n  Site Config / Access Level 3 Code:"))
        << run.Out.toStdString();
    const TRun json = Zolctl({"check", bad, "--json"});
    EXPECT_EQ(json.Code, 1);
    EXPECT_TRUE(json.Out.contains("\"errors\": 2")) << json.Out.toStdString();
}

namespace {

class TQuietProgress : public TTransferProgress {
public:
    void SetStatus(const QString&) override {}
    void SetPosition(int) override {}
    void SetMaximum(int) override {}
    int Position() const override { return 0; }
    int Maximum() const override { return 100; }
    void SetCancelVisible(bool) override {}
    void Show() override {}
    void Hide() override {}
    void Close() override {}
};

} // namespace

TEST(Verify, TheWindowsReadBackNamesWhatThePanelLost)
{
    auto panel = FreshDemoPanel(stNittanLoop);
    TData sent;
    FillRichConfiguration(sent, stNittanLoop);
    QString error;
    ASSERT_TRUE(UploadInProcess(sent, panel, &error)) << error.toStdString();
    TScriptedPrompts prompts;
    TQuietProgress progress;
    QList<TDifference> differences;
    ASSERT_TRUE(VerifyPanel(sent, {"demo", 1, nullptr}, prompts, progress, differences, &error))
        << error.toStdString();
    EXPECT_EQ(Describe(differences), "");

    panel->Memory().Level2Code = 1111;
    ASSERT_TRUE(VerifyPanel(sent, {"demo", 1, nullptr}, prompts, progress, differences, &error));
    EXPECT_EQ(Describe(differences), "Site Config / Site / Access Level 2 Code: '4321' -> '1111'");
}
