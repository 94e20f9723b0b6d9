#include "model/Data.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Zones, NewValues)
{
    TData data;
    const TZoneList& zones = data.ZoneList;
    EXPECT_EQ(zones.Zone(0).Name, "Use in Special C&E");
    EXPECT_EQ(zones.Zone(1).Name, "Zone 1");
    EXPECT_EQ(zones.Zone(32).Name, "Zone 32");
    EXPECT_EQ(zones.Zone(33).Name, "Panel 1");
    EXPECT_EQ(zones.Zone(40).Name, "Panel 8");
    const TZone& z = zones.Zone(12);
    EXPECT_EQ(z.GroupConfig[5], grContinuous);
    EXPECT_EQ(z.GroupConfig[6], grOff);
    EXPECT_EQ(z.SetConfig[16], srNotTriggered);
    EXPECT_EQ(z.SetConfig[17], srContinuous);
    EXPECT_EQ(z.SetConfig[18], srContinuous);
    EXPECT_EQ(z.Dependancy, (TIndexedArray<int, 1, 6>{4, 60, 300, 4, 60, 300}));
    EXPECT_TRUE(z.SounderEnable);
    EXPECT_FALSE(z.MCPEnable);
    EXPECT_EQ(DependancyIndication(z), "Normal, Click to change...");
    EXPECT_EQ(data.GroupList.GroupName(0), "Use in Special C&E");
    EXPECT_EQ(data.GroupList.GroupName(16), "Group 16");
    EXPECT_EQ(data.GroupList.SetName(0), "Use in Special C&E");
    EXPECT_EQ(data.GroupList.SetName(18), "Set 18");
    EXPECT_EQ(data.GroupList.Entry(17 + 3), "Set 3");
}

TEST(Zones, NewKeepsEndDelaysAndOtherSilenceableFlags)
{
    TData data;
    data.ZoneList.Zone(3).EndDelays = true;
    data.ZoneList.SetSilenceable(4, true);
    data.ZoneList.SetSilenceable(17, false);
    data.ZoneList.Zone(0).Name = "Special";
    data.ResetToNew();
    EXPECT_TRUE(data.ZoneList.Zone(3).EndDelays);
    EXPECT_TRUE(data.ZoneList.IsSilenceable(4));
    EXPECT_TRUE(data.ZoneList.IsSilenceable(17));
    EXPECT_FALSE(data.ZoneList.IsSilenceable(18));
    EXPECT_EQ(data.ZoneList.Zone(0).Name, "Special") << "zone 0 is not touched by New";
}

TEST(Zones, WholeGridEdits)
{
    TData data;
    data.ZoneList.SetSilenceable(5, true);
    data.ZoneList.SetAllGroups(grPulsed);
    for (int n = 1; n <= 40; ++n)
        for (int g = 1; g <= 16; ++g)
            ASSERT_EQ(data.ZoneList.Zone(n).GroupConfig[g], grPulsed);
    data.ZoneList.Zone(7).SetConfig[3] = srDelayed;
    data.ZoneList.ClearAllSets();
    for (int n = 1; n <= 40; ++n)
        for (int s = 1; s <= 18; ++s)
            ASSERT_EQ(data.ZoneList.Zone(n).SetConfig[s], srNotTriggered);
    EXPECT_TRUE(data.ZoneList.IsSilenceable(5)) << "Clear All leaves zone 0 alone";
    EXPECT_TRUE(data.ZoneList.IsSilenceable(17));
}

TEST(Zones, DependancyLimits)
{
    int detector = 90;
    int alarm = 120;
    TDependancyRowLimits day(true);
    day.Apply(doA, detector, alarm);
    EXPECT_EQ(detector, 60);
    EXPECT_EQ(alarm, 120) << "option A lets the day alarm reset go down to 0";
    EXPECT_EQ(day.AlarmMin(), 0);
    EXPECT_EQ(day.DetectorMax(), 60);

    day.Apply(doB, detector, alarm);
    EXPECT_EQ(alarm, 300);
    EXPECT_EQ(day.DetectorMax(), 240);
    EXPECT_EQ(day.AlarmMin(), 300);

    TDependancyRowLimits night(false);
    detector = 200;
    alarm = 400;
    night.Apply(doA, detector, alarm);
    EXPECT_EQ(detector, 60);
    EXPECT_EQ(night.AlarmMin(), 300) << "the night alarm minimum stays";

    detector = 200;
    alarm = 100;
    night.Apply(doNormal, detector, alarm);
    EXPECT_EQ(detector, 200);
    EXPECT_EQ(alarm, 100) << "options without times change nothing";
    EXPECT_TRUE(TDependancyRowLimits::DetectorTimeApplies(doA));
    EXPECT_FALSE(TDependancyRowLimits::DetectorTimeApplies(doB));
    EXPECT_TRUE(TDependancyRowLimits::AlarmTimeApplies(doB));
    EXPECT_FALSE(TDependancyRowLimits::AlarmTimeApplies(doInvestigation));
}

TEST(Zones, InvestigationCheck)
{
    TData data;
    TZone& z = data.ZoneList.Zone(9);
    z.SounderTimer = 180;
    z.RemoteTimer = 120;
    EXPECT_TRUE(data.ZonesWithExcessiveSounderDelay(600).isEmpty())
        << "only zones using Investigation are checked";

    z.Dependancy[1] = doInvestigation;
    EXPECT_EQ(DependancyIndication(z), "Click for dependency options......");
    const TOutputDelayCheck check = CheckOutputDelays(z, 300, 180, 600);
    EXPECT_TRUE(check.SounderTooLong);  // 660 s
    EXPECT_FALSE(check.RemoteTooLong);  // 600 s is allowed
    EXPECT_EQ(data.ZonesWithExcessiveSounderDelay(600), QList<int>{9});
    EXPECT_TRUE(data.ZonesWithExcessiveSounderDelay(700).isEmpty());
    EXPECT_EQ(z.SounderTimer, 180) << "the check changes nothing";

    z.Dependancy[1] = doNormal;
    z.Dependancy[4] = doInvestigation;
    data.ZoneList.Zone(40).Dependancy[4] = doInvestigation;
    data.ZoneList.Zone(40).SounderTimer = 600;
    EXPECT_EQ(data.ZonesWithExcessiveSounderDelay(600), (QList<int>{9, 40}));

    // The largest values an int holds add up without wrapping round to "short enough".
    z.SounderTimer = std::numeric_limits<int>::max();
    EXPECT_TRUE(CheckOutputDelays(z, std::numeric_limits<int>::max(), 1, 600).SounderTooLong);
}

TEST(ZonesDeathTest, ZoneAndSetOutsideTheirTables)
{
    TZoneList zones;
    EXPECT_DEATH(zones.Zone(41), "outside 0..40");
    EXPECT_DEATH(zones.Zone(1).SetConfig[19] = 1, "outside 0..18");
    EXPECT_DEATH(zones.Zone(1).GroupConfig[0] = 1, "outside 1..16");
}
