#include "model/Data.h"

#include <gtest/gtest.h>

TEST(CauseEffect, NewValues)
{
    TData data;
    const TC_ETable& t = data.C_ETable;
    EXPECT_EQ(t.Events[1], (TC_EArray{50, 0, 55, 0, 55, 0}));
    EXPECT_EQ(t.Events[2], (TC_EArray{40, 0, 55, 1, 55, 1}));
    for (int e = 3; e <= 16; ++e)
        EXPECT_EQ(t.Events[e], TC_EArray{});
    EXPECT_EQ(t.Times[16], "00:00");

    const TCEDecoded d = DecodeCEEvent(t.Events[2]);
    EXPECT_EQ(CEActionText(d.ActionIndex), "Sounder Alert");
    EXPECT_EQ(CEConditionText(d.Trigger.Index), "Panel Input");
    EXPECT_TRUE(d.Trigger.IsTrue);
    EXPECT_EQ(d.Trigger.Target, 1);
    EXPECT_FALSE(d.ResetCondition.IsTrue);
}

TEST(CauseEffect, TrueFalseEncoding)
{
    EXPECT_EQ(EncodeTrigger(9, false), 178) << "Any fault = FALSE";
    EXPECT_EQ(EncodeReset(5, true), 158) << "Panel Reset = TRUE";
    EXPECT_EQ(EncodeTrigger(9, true), 50);
    EXPECT_EQ(EncodeReset(5, false), 30);

    TC_EArray e{100, 3, 178, 0, 158, 0};
    const TCEDecoded d = DecodeCEEvent(e);
    EXPECT_FALSE(d.Trigger.IsTrue);
    EXPECT_EQ(d.Trigger.Index, 9);
    EXPECT_TRUE(d.ResetCondition.IsTrue);
    EXPECT_EQ(d.ResetCondition.Index, 5);
}

TEST(CauseEffect, AndTargets)
{
    TData data;
    TC_ETable& t = data.C_ETable;
    t.SetAction(5, 12);
    t.SetCondition(5, csTrigger, CEAndConditionIndex, true);
    t.SetConditionTarget(5, csTrigger, 2, 4);
    EXPECT_EQ(t.Events[5].Trigger, 65);
    EXPECT_EQ(t.Events[5].TriggerTarget, 516);

    t.SetCondition(5, csTrigger, CEAndConditionIndex, false);
    EXPECT_EQ(t.Events[5].Trigger, 193);
    EXPECT_EQ(t.Events[5].TriggerTarget, 516) << "an AND condition keeps its target";
    TCEDecoded d = DecodeCEEvent(t.Events[5]);
    EXPECT_TRUE(d.Trigger.IsAnd);
    EXPECT_FALSE(d.Trigger.IsTrue);
    EXPECT_EQ(d.Trigger.FirstEvent, 2);
    EXPECT_EQ(d.Trigger.SecondEvent, 4);

    t.SetCondition(5, csReset, CEAndConditionIndex, true);
    t.SetConditionTarget(5, csReset, 15, 0);
    EXPECT_EQ(t.Events[5].Reset, 193);
    EXPECT_EQ(t.Events[5].ResetTarget, 15 * 256);
    d = DecodeCEEvent(t.Events[5]);
    EXPECT_TRUE(d.ResetCondition.IsTrue);
    EXPECT_EQ(d.ResetCondition.FirstEvent, 15);
}

TEST(CauseEffect, Edits)
{
    TData data;
    TC_ETable& t = data.C_ETable;
    t.SetAction(1, 0);
    EXPECT_EQ(t.Events[1], TC_EArray{}) << "No Event Here keeps no condition";
    EXPECT_TRUE(data.Modified());

    t.SetAction(3, 9);
    t.SetActionTarget(3, 17);
    EXPECT_EQ(t.Events[3].Action, 90);
    EXPECT_EQ(CETargetList(CEAction(9).Targets, 253).at(17), "Relay 2");

    t.SetCondition(3, csTrigger, 0, true);
    t.SetConditionTarget(3, csTrigger, 0, 41);
    EXPECT_EQ(t.Events[3].TriggerTarget, 41);
    t.SetCondition(3, csTrigger, 3, true); // Any Zone in Fire: no target list
    EXPECT_EQ(t.Events[3].TriggerTarget, 0);
    EXPECT_FALSE(DecodeCEEvent(TC_EArray{}).HasEvent);
}

TEST(CauseEffect, TablesAndTargetLists)
{
    EXPECT_EQ(CEActionText(23), "Trigger Beacons");
    EXPECT_EQ(CEActionText(24), "");
    EXPECT_EQ(CEConditionText(22), "Network Event Trig'd");
    EXPECT_EQ(CEConditionText(-1), "");
    EXPECT_EQ(CETargetList(tkGroups, 0).size(), 17);
    EXPECT_EQ(CETargetList(tkGroups, 0).first(), "All Groups");
    const QStringList zonesAndPanels = CETargetList(CECondition(2).Targets, 0);
    EXPECT_EQ(zonesAndPanels.size(), 40);
    EXPECT_EQ(zonesAndPanels.at(32), "Panel 1");
    EXPECT_EQ(CETargetList(CECondition(15).Targets, 0).at(0), "Time 1");
    EXPECT_EQ(CETargetList(tkLoop1Devices, 198).size(), 198);
    EXPECT_EQ(CETargetList(tkLoop1Devices, 198).last(), "198");
}

TEST(CauseEffect, FirmwareNotice)
{
    EXPECT_FALSE(ActionNeedsFirmwareNotice(18));
    EXPECT_TRUE(ActionNeedsFirmwareNotice(19));
    EXPECT_TRUE(ActionNeedsFirmwareNotice(23));
    EXPECT_FALSE(ConditionNeedsFirmwareNotice(19));
    EXPECT_TRUE(ConditionNeedsFirmwareNotice(20));
    EXPECT_TRUE(ConditionNeedsFirmwareNotice(22));
    EXPECT_EQ(CEFirmwareNotice, "These C&E Equations require Panel firmware 9A07 or higher");
}
