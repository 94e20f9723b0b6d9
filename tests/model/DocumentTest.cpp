#include "model/Data.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

void Scribble(TData& data)
{
    data.Loop1.Devices[3].TypeCode = 20;
    data.Loop2.Devices[3].Zone = 9;
    data.ZoneList.Zone(4).Name = "Changed";
    data.ZoneList.Zone(4).SounderTimer = 120;
    data.SiteConfig.AL2Code = "1111";
    data.SiteConfig.ClientName = "Client";
    data.RepeaterList.PanelName = "Other";
    data.RepeaterList.Repeaters[3].Fitted = true;
    data.Network.AcceptAlarms[2] = true;
    data.C_ETable.Events[7].Action = 60;
    data.C_ETable.Times[3] = "12:30";
    data.EventLog << "line";
    data.Comments = "notes";
    data.LoopCount = 1;
    data.DelayTimer = 90;
    data.SendMaintenanceDate = true;
    data.Edit(dpAll, QStringLiteral("edit"));
}

} // namespace

TEST(Document, StartValues)
{
    TData data;
    EXPECT_EQ(data.SystemType(), stApolloLoop);
    EXPECT_EQ(data.LoopCount, 2);
    EXPECT_TRUE(data.FileName.isEmpty());
    EXPECT_FALSE(data.Modified());
    EXPECT_TRUE(data.AccessCodesValid());
    EXPECT_EQ(data.PanelNumber, 1);
    EXPECT_EQ(data.Comments, "Comments Page");
    EXPECT_EQ(data.NameTable.Count(), 1);
    EXPECT_EQ(data.Loop1.Devices[253].TypeCode, 254);
    EXPECT_EQ(data.Loop1.Devices[254].TypeCode, 0) << "beyond Apollo's points: untouched";
}

TEST(Document, NewOnHochiki)
{
    TData data;
    data.SwitchProtocol(stHochikiLoop);
    Scribble(data);
    data.ResetToNew();
    EXPECT_EQ(data.SystemType(), stHochikiLoop);
    EXPECT_EQ(data.PulsedTone, 1);
    EXPECT_EQ(data.ContinuousTone, 0);
    for (int n = 1; n <= 2; ++n)
        for (int p = 1; p <= 254; ++p) {
            EXPECT_EQ(data.Loop(n).Devices[p].TypeCode, 254);
            EXPECT_EQ(data.Loop(n).Devices[p].Zone, 1);
        }
    EXPECT_FALSE(data.Modified());
    EXPECT_EQ(data.LoopCount, 2);
    EXPECT_EQ(data.Comments, "Comments Page");
    EXPECT_TRUE(data.EventLog.isEmpty());
    EXPECT_FALSE(data.SendMaintenanceDate);
}

TEST(Document, NewLeavesPointsBeyondTheProtocolAlone)
{
    TData data;
    data.SwitchProtocol(stNittanLoop);
    data.Loop1.Devices[127].TypeCode = 20;
    data.Loop1.Devices[127].SharedData[5] = 42;
    data.Loop1.Devices[5].SharedData[5] = 42;
    data.ResetToNew();
    EXPECT_EQ(data.Loop1.Devices[127].TypeCode, 20);
    EXPECT_EQ(data.Loop1.Devices[5].TypeCode, 254);
    EXPECT_EQ(data.Loop1.Devices[5].SharedData[5], 42) << "New leaves SharedData as it was";
    EXPECT_EQ(data.PulsedTone, 0);
}

TEST(Document, ProtocolSwitchClearsTheWholeConfiguration)
{
    TData data;
    Scribble(data);
    data.SwitchProtocol(stHochikiLoop);
    EXPECT_EQ(data.Loop1.SystemType, stHochikiLoop);
    EXPECT_EQ(data.Loop2.SystemType, stHochikiLoop);
    EXPECT_EQ(data.Loop1.Devices[3].TypeCode, 254);
    EXPECT_EQ(data.Loop2.Devices[3].Zone, 1);
    EXPECT_EQ(data.ZoneList.Zone(4).Name, "Zone 4");
    EXPECT_EQ(data.ZoneList.Zone(4).SounderTimer, 0);
    EXPECT_EQ(data.SiteConfig.AL2Code, "3412");
    EXPECT_EQ(data.SiteConfig.AL3Code, "1243");
    EXPECT_EQ(data.SiteConfig.ClientName, "");
    EXPECT_EQ(data.RepeaterList.PanelName, "Main Panel");
    EXPECT_FALSE(data.RepeaterList.Repeaters[3].Fitted);
    EXPECT_TRUE(data.RepeaterList.Repeaters[1].Fitted);
    EXPECT_FALSE(data.Network.AcceptAlarms[2]);
    EXPECT_EQ(data.C_ETable.Events[7].Action, 0);
    EXPECT_EQ(data.C_ETable.Times[3], "00:00");
    EXPECT_EQ(data.DelayTimer, 300);
    EXPECT_FALSE(data.Modified());
    EXPECT_EQ(SwitchProtocolQuestion(stHochikiLoop),
              "You are switching to Hochiki protocol. This will clear your current setup. Do "
              "you wish to continue?");
}

TEST(Document, NewValuesOfSiteRepeatersAndVersions)
{
    TData data;
    const TSiteConfig& s = data.SiteConfig;
    EXPECT_EQ(s.MaintenanceString, "Call the Engineer");
    EXPECT_EQ(s.QuiescentString, "ZOL Fire Panel");
    EXPECT_EQ(s.MaintenanceDate, QDate(2099, 1, 1));
    EXPECT_EQ(s.PhasedDelay, 65535);
    EXPECT_EQ(s.FaultLockout, 10);
    EXPECT_EQ(s.InvestigationPeriod, 300);
    EXPECT_EQ(s.InvestigationPeriod1, 180);
    EXPECT_EQ(s.ReCalTime, "04:00");
    EXPECT_EQ(s.NightBegin, "00:00");
    EXPECT_EQ(s.Detector_Delay, 5);
    EXPECT_TRUE(s.Discovery_Polling_LED);
    EXPECT_TRUE(s.BST_Adjustment);
    EXPECT_FALSE(s.RealTime_Event_Output);
    EXPECT_EQ(s.MainVersion, "Not Available");
    EXPECT_EQ(s.Loop2Version, "Not Available");
    EXPECT_EQ(data.RepeaterList.Repeaters[8].Name, "Panel 8");
    EXPECT_EQ(data.RepeaterList.Segment, 1);
}

TEST(Document, ModifiedSignal)
{
    TData data;
    QSignalSpy spy(&data, &TData::ModifiedChanged);
    data.Edit(dpAll, QStringLiteral("edit"));
    data.Edit(dpAll, QStringLiteral("edit"));
    data.MarkSaved();
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toBool(), true);
    EXPECT_EQ(spy.at(1).at(0).toBool(), false);

    data.C_ETable.SetTime(2, "01:00");
    EXPECT_TRUE(data.Modified()) << "cause-and-effect edits mark the document";
}

// Views follow the document through two announcements: an edit names the parts it touched
// (once per edit), a replacement (Open's hand-over, New, protocol switch) says so.
TEST(Document, EditsNameTheirPartsAndReplacementsAnnounceThemselves)
{
    TData data;
    QSignalSpy changed(&data, &TData::Changed);
    QSignalSpy reset(&data, &TData::Reset);
    data.C_ETable.SetTime(2, "01:00");
    data.SetContinuousTone(1);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(0).at(0).value<TDocParts>(), TDocParts(dpCauseEffect));
    EXPECT_EQ(changed.at(1).at(0).value<TDocParts>(), TDocParts(dpSite));
    EXPECT_EQ(reset.count(), 0);

    TData opened;
    opened.ZoneList.Zone(3).Name = "Boiler";
    data.AssignContent(opened);
    data.ResetToNew();
    data.SwitchProtocol(stHochikiLoop);
    EXPECT_EQ(reset.count(), 3);
    EXPECT_EQ(changed.count(), 2) << "a replacement is no edit";
}

// The check counts the table a Save All sends: names that differ only by a trailing tab are
// two entries, as in the name table itself.
TEST(Document, TheNameTableAsSentIsTheOneTheDocumentKeeps)
{
    TData data;
    data.Loop1.PlaceDevice(1, 20);
    data.Loop1.Devices[1].Name = "Hall";
    data.Loop1.PlaceDevice(2, 20);
    data.Loop1.Devices[2].Name = "hall  ";
    data.Loop2.PlaceDevice(1, 20);
    data.Loop2.Devices[1].Name = "Hall\t";
    data.RebuildNameTable();
    const TNameTable sent = data.NameTableAsSent();
    EXPECT_EQ(sent.Entries(), data.NameTable.Entries());
    EXPECT_EQ(sent.Count(), 3);
    EXPECT_EQ(data.Loop1.Devices[2].NameIndex(), data.Loop1.Devices[1].NameIndex());
}

TEST(Document, PlacingADeviceRebuildsTheNameTable)
{
    TData data;
    data.Loop2.Devices[9].Name = "Plant room";
    data.Loop2.PlaceDevice(9, 20);
    EXPECT_EQ(data.NameTable.FindName("plant room"), 1);
    EXPECT_EQ(data.Loop2.Devices[9].SharedData[2], 1);
}

TEST(Document, Tones)
{
    TData data;
    EXPECT_EQ(data.ContinuousToneNames().size(), 14);
    EXPECT_EQ(data.PulsedToneNames().at(13), "970Hz Intermittent 1s on, 1s off");
    data.SetContinuousTone(6);
    EXPECT_EQ(data.PulsedTone, 6) << "the pulsed tone follows in the 14-entry family";
    EXPECT_TRUE(data.Modified());

    data.SwitchProtocol(stHochikiLoop);
    EXPECT_EQ(data.ContinuousToneNames().size(), 7);
    EXPECT_EQ(data.ContinuousToneNames(), data.PulsedToneNames());
    data.SetContinuousTone(4);
    EXPECT_EQ(data.PulsedTone, 1);
    EXPECT_EQ(data.ContinuousTone, 4);
}

TEST(DocumentDeathTest, LoopNumberOutsideOneAndTwo)
{
    TData data;
    EXPECT_DEATH(data.Loop(3), "outside 1..2");
}
