#include "RichConfig.h"

#include <gtest/gtest.h>

namespace {

// A device type the protocol knows, different from point to point.
int CodeFor(const TQEMLoop& loop, int point)
{
    for (int step = 0; step < 254; ++step) {
        const int code = (point * 7 + step) % 254;
        const int k = DeviceClassOf(loop.SystemType, code);
        if (k == dcInvalid || k == dcNotFitted || !loop.PlacementRefusal(point, code).isEmpty())
            continue;
        return code;
    }
    return NotFittedCode;
}

} // namespace

void FillRichConfiguration(TData& data, TSystemType protocol, int loopCount)
{
    data.SwitchProtocol(protocol);
    data.LoopCount = loopCount;
    const int points = data.NoLoopDevices();
    int nameNo = 0;
    for (int l = 1; l <= 2; ++l) {
        TQEMLoop& loop = data.Loop(l);
        for (int p = 1; p <= points; ++p) {
            TDeviceType& d = loop.Devices[p];
            if ((p + l) % 11 == 0)
                continue; // some addresses stay empty
            d.TypeCode = CodeFor(loop, p);
            loop.ResetPointData(p);
            d.Zone = (p + l) % 33;
            d.SharedData[1] = loop.HasChannelNames(p) ? (0x80 | (p % 20)) : d.Zone;
            d.SharedData[3] = 75 + p % 50;
            d.SharedData[5] = p % 3;
            d.SharedData[7] = (p * 3) % 256;
            d.Name = QStringLiteral("Point %1").arg(nameNo++ % 200);
            for (int k = 1; k <= 3; ++k)
                d.SubName(k) = QStringLiteral("Channel %1").arg((p + k) % 7);
        }
    }
    data.RebuildNameTable();

    for (int z = 0; z <= MaxZone; ++z) {
        TZone& zone = data.ZoneList.Zone(z);
        if (z > 0)
            zone.Name = QStringLiteral("Area %1").arg(z);
        zone.SounderTimer = (z * 13) % 300;
        zone.Relay1Timer = (z * 7) % 600;
        zone.Relay2Timer = z;
        zone.RemoteTimer = (z * 11) % 200;
        zone.MCPEnable = z % 2;
        zone.SounderEnable = z % 3;
        zone.EndDelays = z % 5 == 0;
        zone.NonFireEnable = z % 4 == 1;
        zone.Dependancy = {1 + z % 4, 30, 600, 1 + (z + 1) % 4, 45, 900};
        for (int g = 1; g <= MaxGroup; ++g)
            zone.GroupConfig[g] = (z + g) % 3;
        for (int s = 1; s <= MaxSet; ++s)
            zone.SetConfig[s] = (z * s) % 4;
    }
    data.DelayTimer = 120;
    data.PulsedTone = 3;
    data.ContinuousTone = protocol == stHochikiLoop ? 5 : 3;

    TSiteConfig& site = data.SiteConfig;
    site.MaintenanceString = QStringLiteral("Ring 0123 456");
    site.QuiescentString = QStringLiteral("Hotel Fire System");
    site.MaintenanceDate = QDate(2031, 3, 17);
    data.SendMaintenanceDate = true;
    site.AL2Code = QStringLiteral("4321");
    site.AL3Code = QStringLiteral("2413");
    site.Discovery_Polling_LED = false;
    site.MCP_Delay = 3;
    site.Detector_Delay = 20;
    site.IO_Delay = 7;
    site.FaultLockout = 25;
    site.PhasedDelay = 240;
    site.InvestigationPeriod = 120;
    site.InvestigationPeriod1 = 60;
    site.NightBegin = QStringLiteral("22:15");
    site.NightEnd = QStringLiteral("06:45");
    site.ReCalTime = QStringLiteral("03:20");
    site.Day_Enable_Flags = 0x1F;
    site.Night_Enable_Flags = 0x60;
    site.BST_Adjustment = false;
    site.RealTime_Event_Output = true;
    site.PanelSounder1_Group = 7;
    site.PanelSounder2_Group = 12;
    site.ReSound_Function = true;

    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        data.RepeaterList.Repeaters[n].Name = QStringLiteral("Block %1").arg(n);
        data.RepeaterList.Repeaters[n].Fitted = n % 2;
        data.Network.AcceptFaults[n] = n % 2;
        data.Network.AcceptAlarms[n] = n % 3 == 0;
        data.Network.AcceptControls[n] = n > 4;
        data.Network.AcceptDisablements[n] = n == 2;
        data.Network.AcceptOccupied[n] = n == 7;
    }
    data.RepeaterList.PanelName = QStringLiteral("Reception");
    data.RepeaterList.Segment = 3;

    for (int e = 1; e <= CEEventCount; ++e) {
        data.C_ETable.Events[e] = {10 * (e % 5), e, 5 * (e % 7 + 1), e * 3, 133, 256 + e};
        data.C_ETable.Times[e] = QStringLiteral("%1:%2").arg(e % 24, 2, 10, QLatin1Char('0'))
                                     .arg((e * 7) % 60, 2, 10, QLatin1Char('0'));
    }
}

void ExpectSameTransferredData(const TData& expected, const TData& actual)
{
    ASSERT_EQ(actual.SystemType(), expected.SystemType());
    ASSERT_EQ(actual.Loop2.SystemType, expected.SystemType());
    ASSERT_EQ(actual.LoopCount, expected.LoopCount);
    EXPECT_EQ(actual.NameTable.Entries(), expected.NameTable.Entries());
    for (int l = 1; l <= expected.LoopCount; ++l) {
        for (int p = 1; p <= expected.NoLoopDevices(); ++p) {
            const TQEMLoop& loop = expected.Loop(l);
            const TDeviceType& a = loop.Devices[p];
            const TDeviceType& b = actual.Loop(l).Devices[p];
            SCOPED_TRACE(QStringLiteral("loop %1 point %2").arg(l).arg(p).toStdString());
            ASSERT_EQ(b.TypeCode, a.TypeCode);
            if (loop.HasChannelNames(p)) {
                ASSERT_EQ(b.SharedData[1], a.SharedData[1]);
                ASSERT_EQ(b.Zone, a.SharedData[1] & 0x3F);
            } else {
                ASSERT_EQ(b.Zone, a.Zone);
            }
            for (int i = 2; i <= 8; ++i)
                ASSERT_EQ(b.SharedData[i], a.SharedData[i]) << i;
            ASSERT_EQ(b.Name, a.Name);
            for (int k = 1; k <= 3; ++k)
                ASSERT_EQ(b.SubName(k), loop.HasChannelNames(p) ? a.SubName(k) : NoNameAllocated);
        }
    }
    for (int z = 0; z <= MaxZone; ++z) {
        SCOPED_TRACE(z);
        const TZone& a = expected.ZoneList.Zone(z);
        const TZone& b = actual.ZoneList.Zone(z);
        EXPECT_EQ(b.SetConfig, a.SetConfig);
        if (z == 0)
            continue;
        EXPECT_EQ(b.Name, a.Name);
        EXPECT_EQ(b.SounderTimer, a.SounderTimer);
        EXPECT_EQ(b.Relay1Timer, a.Relay1Timer);
        EXPECT_EQ(b.Relay2Timer, a.Relay2Timer);
        EXPECT_EQ(b.RemoteTimer, a.RemoteTimer);
        EXPECT_EQ(b.MCPEnable, a.MCPEnable);
        EXPECT_EQ(b.SounderEnable, a.SounderEnable);
        EXPECT_EQ(b.EndDelays, a.EndDelays);
        EXPECT_EQ(b.Dependancy, a.Dependancy);
        EXPECT_EQ(b.GroupConfig, a.GroupConfig);
    }
    EXPECT_EQ(actual.DelayTimer, expected.DelayTimer);
    EXPECT_EQ(actual.PulsedTone, expected.PulsedTone);
    EXPECT_EQ(actual.ContinuousTone, expected.ContinuousTone);

    const TSiteConfig& a = expected.SiteConfig;
    const TSiteConfig& b = actual.SiteConfig;
    EXPECT_EQ(b.MaintenanceString, a.MaintenanceString);
    EXPECT_EQ(b.QuiescentString, a.QuiescentString);
    EXPECT_EQ(b.MaintenanceDate, a.MaintenanceDate);
    EXPECT_EQ(b.AL2Code, a.AL2Code);
    EXPECT_EQ(b.AL3Code, a.AL3Code);
    EXPECT_EQ(b.Discovery_Polling_LED, a.Discovery_Polling_LED);
    EXPECT_EQ(b.MCP_Delay, a.MCP_Delay);
    EXPECT_EQ(b.Detector_Delay, a.Detector_Delay);
    EXPECT_EQ(b.IO_Delay, a.IO_Delay);
    EXPECT_EQ(b.PhasedDelay, a.PhasedDelay);
    EXPECT_EQ(b.InvestigationPeriod, a.InvestigationPeriod);
    EXPECT_EQ(b.InvestigationPeriod1, a.InvestigationPeriod1);
    EXPECT_EQ(b.NightBegin, a.NightBegin);
    EXPECT_EQ(b.NightEnd, a.NightEnd);
    EXPECT_EQ(b.ReCalTime, a.ReCalTime);
    EXPECT_EQ(b.Day_Enable_Flags, a.Day_Enable_Flags);
    EXPECT_EQ(b.Night_Enable_Flags, a.Night_Enable_Flags);
    EXPECT_EQ(b.BST_Adjustment, a.BST_Adjustment);
    EXPECT_EQ(b.RealTime_Event_Output, a.RealTime_Event_Output);
    EXPECT_EQ(b.PanelSounder1_Group, a.PanelSounder1_Group);
    EXPECT_EQ(b.PanelSounder2_Group, a.PanelSounder2_Group);
    EXPECT_EQ(b.ReSound_Function, a.ReSound_Function);

    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        EXPECT_EQ(actual.RepeaterList.Repeaters[n].Name, expected.RepeaterList.Repeaters[n].Name);
        EXPECT_EQ(actual.RepeaterList.Repeaters[n].Fitted, expected.RepeaterList.Repeaters[n].Fitted);
    }
    EXPECT_EQ(actual.Network.AcceptFaults, expected.Network.AcceptFaults);
    EXPECT_EQ(actual.Network.AcceptAlarms, expected.Network.AcceptAlarms);
    EXPECT_EQ(actual.Network.AcceptControls, expected.Network.AcceptControls);
    EXPECT_EQ(actual.Network.AcceptDisablements, expected.Network.AcceptDisablements);
    EXPECT_EQ(actual.Network.AcceptOccupied, expected.Network.AcceptOccupied);
    EXPECT_EQ(actual.RepeaterList.PanelName, expected.RepeaterList.PanelName);
    for (int e = 1; e <= CEEventCount; ++e) {
        EXPECT_EQ(actual.C_ETable.Events[e], expected.C_ETable.Events[e]);
        EXPECT_EQ(actual.C_ETable.Times[e], expected.C_ETable.Times[e]);
    }
}
