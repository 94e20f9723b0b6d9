#include "SafetyTestSupport.h"
#include "panel/RichConfig.h"
#include "panel/InProcessUpload.h"
#include "safety/ConfigDiff.h"

#include <QTemporaryDir>

#include <functional>

namespace {

struct TCase {
    TPanelPage Page;
    const char* Item;
    const char* Field;
    std::function<void(TData&)> Change;
};

} // namespace

TEST(ConfigDiff, EqualDocumentsHaveNoDifference)
{
    TData a;
    TData b;
    EXPECT_TRUE(TConfigDiff::Compare(a, b).isEmpty());
    FillRichConfiguration(a, stHochikiLoop);
    b.AssignContent(a);
    EXPECT_TRUE(TConfigDiff::Compare(a, b).isEmpty());
}

TEST(ConfigDiff, EachPageYieldsItsDifference)
{
    const TCase cases[] = {
        {ppLoopSummary, "Panel", "Loop count", [](TData& d) { d.LoopCount = 1; }},
        {ppLoop1, "Point 3", "Name", [](TData& d) { d.Loop1.Devices[3].Name = "Plant room"; }},
        {ppLoop2, "Point 7", "Zone", [](TData& d) { d.Loop2.Devices[7].Zone = 9; }},
        {ppZoneConfig, "Zone 4", "Name", [](TData& d) { d.ZoneList.Zone(4).Name = "Kitchen"; }},
        {ppGroupConfig, "Zone 2", "Group 6",
         [](TData& d) { d.ZoneList.Zone(2).GroupConfig[6] = grPulsed; }},
        {ppSetConfig, "Zone 5", "Set 3",
         [](TData& d) { d.ZoneList.Zone(5).SetConfig[3] = srDelayed; }},
        {ppSiteConfig, "Site", "Access Level 3 Code", [](TData& d) { d.SiteConfig.AL3Code = "4444"; }},
        {ppCEConfig, "Time 2", "Time", [](TData& d) { d.C_ETable.Times[2] = "07:30"; }},
        {ppNetworkConfig, "Panel 4", "Fitted", [](TData& d) { d.RepeaterList.Repeaters[4].Fitted = true; }},
        {ppComments, "Comments", "Text", [](TData& d) { d.Comments = "Keys at reception"; }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Field);
        TData left;
        TData right;
        // Points that are fitted: an empty address has nothing but its type to compare.
        for (TData* d : {&left, &right}) {
            d->Loop1.PlaceDevice(3, 0);
            d->Loop2.PlaceDevice(7, 0);
        }
        c.Change(right);
        const QList<TDifference> differences = TConfigDiff::Compare(left, right);
        ASSERT_EQ(differences.size(), 1);
        EXPECT_EQ(differences.first().Page, c.Page);
        EXPECT_EQ(differences.first().Item, c.Item);
        EXPECT_EQ(differences.first().Field, c.Field);
        EXPECT_NE(differences.first().Left, differences.first().Right);
    }
}

TEST(ConfigDiff, ReadBackLeavesOutWhatThePanelDoesNotKeep)
{
    TData sent;
    TData back;
    sent.SiteConfig.ClientName = "Acme";
    sent.SiteConfig.FaultLockout = 30;
    sent.RepeaterList.Segment = 4;
    sent.SiteConfig.MaintenanceDate = QDate(2030, 1, 1);
    sent.ZoneList.Zone(5).Name = "Stores  ";
    back.ZoneList.Zone(5).Name = "Stores";
    EXPECT_TRUE(TConfigDiff::CompareReadBack(sent, back).isEmpty());
    // A maintenance date that was sent must come back.
    sent.SendMaintenanceDate = true;
    ASSERT_EQ(TConfigDiff::CompareReadBack(sent, back).size(), 1);
}

TEST(ConfigDiff, FileAgainstThePanelAfterAnUploadIsEqual)
{
    QTemporaryDir dir;
    auto panel = FreshDemoPanel(stApolloLoop);
    TData data;
    FillRichConfiguration(data, stApolloLoop);
    const QString file = WriteConfiguration(data, dir.filePath("Hotel_Panel1.QEM"));
    TData sent;
    ASSERT_TRUE(OpenConfiguration(sent, file));
    QString error;
    ASSERT_TRUE(UploadInProcess(sent, panel, &error)) << error.toStdString();

    const TRun same = Zolctl({"diff", file, "--port", "demo"});
    EXPECT_EQ(same.Code, 0) << same.Out.toStdString() << same.Err.toStdString();
    EXPECT_TRUE(same.Out.contains("0 differences"));

    panel->Memory().ZoneNames[12] = "Boiler House";
    const TRun changed = Zolctl({"diff", file, "--port", "demo"});
    EXPECT_EQ(changed.Code, 1);
    EXPECT_TRUE(changed.Out.contains("Zone 12 / Name: 'Area 12' | 'Boiler House'"))
        << changed.Out.toStdString();
}

TEST(ConfigDiff, CommandComparesTwoFilesAndTellsTroubleApart)
{
    QTemporaryDir dir;
    TData a;
    const QString left = WriteConfiguration(a, dir.filePath("a.QEM"));
    a.ZoneList.Zone(9).Name = "Lab";
    const QString right = WriteConfiguration(a, dir.filePath("b.QEM"));
    EXPECT_EQ(Zolctl({"diff", left, left}).Code, 0);
    const TRun different = Zolctl({"diff", left, right});
    EXPECT_EQ(different.Code, 1);
    EXPECT_TRUE(different.Out.startsWith("Zone Config\n  Zone 9 / Name: 'Zone 9' | 'Lab'\n"))
        << different.Out.toStdString();
    EXPECT_EQ(Zolctl({"diff", left, dir.filePath("missing.QEM")}).Code, 2);
}
