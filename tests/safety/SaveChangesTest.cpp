// Save Changes through zolctl against the emulated panel: only what changed goes, the panel
// ends as a Save All of the edited file would leave it, and a panel that is not as proven
// refuses with nothing written.
#include "SafetyTestSupport.h"
#include "panel/RichConfig.h"
#include "safety/ProvenState.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

const QStringList Whole = {"--port", "demo", "--yes", "--send-date", "--force"};
const QStringList Changes = {"--port", "demo", "--changes", "--send-date", "--force"};

struct TSite {
    QTemporaryDir Dir;
    TData Data;
    QString File;
    std::shared_ptr<TPanelEmulator> Panel;

    // The site saved whole (and verified, so proven) to a fresh panel.
    explicit TSite(TSystemType type = stApolloLoop)
    {
        FillRichConfiguration(Data, type);
        Data.ZoneList.Zone(4).Name = QStringLiteral("Store");
        File = WriteConfiguration(Data, Dir.filePath("Hotel_Panel1.QEM"));
        Panel = FreshDemoPanel(type);
        const TRun run = Zolctl(QStringList{"upload", File} + Whole);
        EXPECT_EQ(run.Code, 0) << run.Err.toStdString();
    }

    TRun Edit(const std::function<void(TData&)>& edit, const QStringList& options = Changes)
    {
        edit(Data);
        WriteConfiguration(Data, File);
        return Zolctl(QStringList{"upload", File, "-v"} + options);
    }
};

TPanelMemory WithoutClock(TPanelMemory memory)
{
    memory.Clock = {};
    return memory;
}

int FirstEmptyPoint(const TQEMLoop& loop)
{
    for (int p = 1; p <= loop.NoLoopDevices(); ++p)
        if (loop.Devices[p].TypeCode == NotFittedCode)
            return p;
    return 0;
}

} // namespace

TEST(SaveChanges, EachEditLeavesThePanelAsASaveAllOfTheFileWould)
{
    const std::vector<std::pair<std::string, std::function<void(TData&)>>> edits = {
        {"zone renamed", [](TData& d) { d.ZoneList.Zone(4).Name = QStringLiteral("Plant Room"); }},
        {"device added",
         [](TData& d) {
             const int p = FirstEmptyPoint(d.Loop1);
             d.Loop1.PlaceDevice(p, d.Loop1.Devices[p + 1].TypeCode);
             d.Loop1.Devices[p].Name = QStringLiteral("Boiler House");
             d.RebuildNameTable();
         }},
        {"name inserted in the middle",
         [](TData& d) {
             d.Loop1.Devices[3].Name = QStringLiteral("Atrium");
             d.RebuildNameTable();
         }},
        {"group and C&E changed",
         [](TData& d) {
             d.ZoneList.Zone(7).GroupConfig[2] = d.ZoneList.Zone(7).GroupConfig[2] == 1 ? 2 : 1;
             d.C_ETable.Events[3].Action = d.C_ETable.Events[3].Action == 1 ? 2 : 1;
         }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        TSite site;
        const int writes = site.Panel->WritesReceived();
        const TRun run = site.Edit(edit);
        ASSERT_EQ(run.Code, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.contains("; read back and proven")) << run.Out.toStdString();
        if (name == "zone renamed") {
            EXPECT_EQ(site.Panel->WritesReceived() - writes, 1);
            EXPECT_TRUE(run.Out.contains("Saved 1 change in")) << run.Out.toStdString();
        }
        const auto whole = FreshDemoPanel(site.Data.SystemType());
        ASSERT_EQ(Zolctl(QStringList{"upload", site.File, "--no-verify"} + Whole).Code, 0);
        EXPECT_TRUE(WithoutClock(site.Panel->Memory()) == WithoutClock(whole->Memory()));
    }
}

// Nothing changed writes nothing; a panel edited at its keypad, another panel, or no proven
// state at all refuses with nothing written and points to a whole upload.
TEST(SaveChanges, OnlyAPanelAsProvenIsWrittenTo)
{
    TSite site;
    int writes = site.Panel->WritesReceived();
    TRun run = site.Edit([](TData&) {});
    EXPECT_EQ(run.Code, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains("The panel already holds this configuration, proven ")) << run.Out.toStdString();
    EXPECT_EQ(site.Panel->WritesReceived(), writes);

    site.Panel->Memory().ZoneNames[4] = "Keypad Edit";
    run = site.Edit([](TData& d) { d.ZoneList.Zone(4).Name = QStringLiteral("Stores"); });
    EXPECT_EQ(run.Code, 1);
    EXPECT_TRUE(run.Err.contains("zone 4's name on the panel is 'Keypad Edit', not 'Store' as saved on "))
        << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("Use a whole upload")) << run.Err.toStdString();
    EXPECT_EQ(site.Panel->WritesReceived(), writes);

    site.Panel->Memory().MainVersion = "09A07";
    run = site.Edit([](TData&) {});
    EXPECT_TRUE(run.Err.contains("not the panel last proven")) << run.Err.toStdString();
    EXPECT_EQ(site.Panel->WritesReceived(), writes);
    site.Panel->Memory().MainVersion = "09A06";

    // A block's own save is not proven: what the state says can no longer be trusted.
    ASSERT_EQ(Zolctl({"upload", site.File, "--port", "demo", "--block", "zones"}).Code, 0);
    writes = site.Panel->WritesReceived();
    run = site.Edit([](TData&) {});
    EXPECT_TRUE(run.Err.contains("was written to after its state was last proven")) << run.Err.toStdString();
    EXPECT_EQ(site.Panel->WritesReceived(), writes);

    QFile::remove(ProvenState::PathFor(site.File, 1));
    run = site.Edit([](TData&) {});
    EXPECT_TRUE(run.Err.contains("No proven state of panel 1")) << run.Err.toStdString();
    EXPECT_EQ(site.Panel->WritesReceived(), writes);
}

// A download proves the panel for the file it writes: that file's edit goes alone.
TEST(SaveChanges, ADownloadedFileSavesItsChangesAlone)
{
    TSite site;
    const QString copy = site.Dir.filePath("Copy_Panel1.QEM");
    ASSERT_EQ(Zolctl({"download", "--port", "demo", "-o", copy}).Code, 0);
    TData data;
    ASSERT_TRUE(OpenConfiguration(data, copy));
    data.ZoneList.Zone(9).Name = QStringLiteral("Laundry");
    WriteConfiguration(data, copy);
    const int writes = site.Panel->WritesReceived();
    const TRun run = Zolctl({"upload", copy, "--port", "demo", "--changes", "--force"});
    EXPECT_EQ(run.Code, 0) << run.Err.toStdString();
    EXPECT_EQ(site.Panel->WritesReceived() - writes, 1);
    EXPECT_EQ(site.Panel->Memory().ZoneNames[9], "Laundry");
}

// A write the panel acknowledges but does not keep is caught by the read-back: not proven, the
// state stays as it was and is no longer trusted.
TEST(SaveChanges, AWriteThePanelDidNotKeepIsNotProven)
{
    TSite site;
    QFile proven(ProvenState::PathFor(site.File, 1));
    ASSERT_TRUE(proven.open(QIODevice::ReadOnly));
    const QByteArray before = proven.readAll();
    proven.close();
    site.Panel->Faults.ForgetEveryWrite = 1;
    TRun run = site.Edit([](TData& d) { d.ZoneList.Zone(4).Name = QStringLiteral("Plant Room"); });
    EXPECT_EQ(run.Code, 1);
    EXPECT_TRUE(run.Err.contains("zone 4's name read back from the panel is 'Store', not 'Plant Room'"))
        << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("partly saved")) << run.Err.toStdString();
    ASSERT_TRUE(proven.open(QIODevice::ReadOnly));
    EXPECT_EQ(proven.readAll(), before);

    site.Panel->Faults.ForgetEveryWrite = 0;
    run = site.Edit([](TData&) {});
    EXPECT_TRUE(run.Err.contains("was written to after its state was last proven")) << run.Err.toStdString();
}
