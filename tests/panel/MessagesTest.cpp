#include "model/Data.h"
#include "panel/CauseEffectMessages.h"
#include "panel/EventMessages.h"
#include "panel/GroupMessages.h"
#include "panel/Message.h"
#include "panel/NameMessages.h"
#include "panel/NetworkMessages.h"
#include "panel/PointMessages.h"
#include "panel/SetMessages.h"
#include "panel/SiteMessages.h"
#include "panel/VersionMessages.h"
#include "panel/ZoneMessages.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

} // namespace

TEST(PointMessages, AddressingAndStatus)
{
    TData data;
    EXPECT_EQ(PointRequest(data, 1, 1), Hex("49 02 01 00"));
    EXPECT_EQ(PointRequest(data, 2, 1), Hex("49 02 01 01"));
    data.SwitchProtocol(stSysSensorLoop);
    EXPECT_EQ(PointRequest(data, 2, 100), Hex("49 02 65 01"));
    EXPECT_EQ(PointStatusText(data, false, 2, 100), "Loading data for Loop 2 - Point M1");
    EXPECT_EQ(PointStatusText(data, true, 1, 7), "Saving data for Loop 1 - Point S7");
    data.SwitchProtocol(stApolloLoop);
    EXPECT_EQ(PointStatusText(data, false, 1, 1), "Loading data for Loop 1 - Point 1");
}

TEST(PointMessages, ReadStoresZoneBitsAndMismatch)
{
    TData data;
    data.Loop1.PlaceDevice(3, 20);
    ASSERT_TRUE(ReadPoint(data, 1, 3, Hex("03 00 24 C5 07 64 5A FF 00 FF 01")));
    const TDeviceType& d = data.Loop1.Devices[3];
    EXPECT_EQ(d.TypeCode, 0x24);
    EXPECT_EQ(d.Zone, 5);
    EXPECT_EQ(d.SharedData[1], 0xC5);
    EXPECT_EQ(d.SharedData[2], 7);
    EXPECT_EQ(d.SharedData[8], 1);
    EXPECT_TRUE(d.TypeMismatch);
    // A not-fitted point takes any type without a mismatch; a short reply stores nothing.
    ASSERT_TRUE(ReadPoint(data, 1, 4, Hex("04 00 14 01 00 64 64 FF 00 FF 00")));
    EXPECT_FALSE(data.Loop1.Devices[4].TypeMismatch);
    EXPECT_FALSE(ReadPoint(data, 1, 5, Hex("05 00 14 01 00 64 64 FF 00 FF")));
    EXPECT_EQ(data.Loop1.Devices[5].TypeCode, NotFittedCode);
}

TEST(PointMessages, WriteZoneByte)
{
    TData data;
    data.Loop1.PlaceDevice(2, 20); // optical detector: the zone goes out
    data.Loop1.Devices[2].Zone = 9;
    EXPECT_EQ(PointWrite(data, 1, 2), Hex("4A 0B 02 01 14 09 00 64 64 FF 00 FF 00"));
    data.Loop2.PlaceDevice(5, 4); // sounder: zone (group) with bit 7
    data.Loop2.Devices[5].Zone = 3;
    EXPECT_EQ(PointWrite(data, 2, 5).mid(2, 4), Hex("05 02 04 83"));
    data.Loop1.PlaceDevice(6, 8); // I/O unit: channel 0 byte instead of the zone
    data.Loop1.Devices[6].SharedData[1] = 0x47;
    EXPECT_EQ(PointWrite(data, 1, 6).at(5), char(0x47));
    data.SwitchProtocol(stSysSensorLoop);
    data.Loop1.PlaceDevice(100, 5);
    EXPECT_EQ(static_cast<quint8>(PointWrite(data, 1, 100).at(2)), 101);
}

TEST(VersionMessages, LinkVersionsAndLoopType)
{
    TData data;
    EXPECT_EQ(LinkCheckRequest(), Hex("42 00"));
    EXPECT_EQ(VersionRequest(), Hex("5C 00"));
    EXPECT_EQ(ReadLinkCheck(Hex("FF")), true);
    EXPECT_EQ(ReadLinkCheck(Hex("00")), false);
    EXPECT_FALSE(ReadLinkCheck({}).has_value());
    ASSERT_TRUE(ReadVersions(data, "09A0708L0108L0207F01"));
    EXPECT_EQ(data.SiteConfig.MainVersion, "09A07");
    EXPECT_EQ(data.SiteConfig.Loop1Version, "08L01");
    EXPECT_EQ(data.SiteConfig.Loop2Version, "08L02");
    EXPECT_EQ(data.SiteConfig.FrontPanelVersion, "07F01");
    EXPECT_FALSE(ReadVersions(data, "09A08"));
    EXPECT_EQ(data.SiteConfig.MainVersion, "09A07");
    EXPECT_EQ(ReadLoopType(Hex("01"))->LoopCount, 2);
    EXPECT_EQ(ReadLoopType(Hex("03 01"))->LoopCount, 1);
    EXPECT_EQ(ReadLoopType(Hex("03 01"))->Protocol, 3);
    data.SwitchProtocol(stNittanLoop);
    EXPECT_EQ(LoopTypeWrite(data), Hex("57 01 03"));
}

TEST(NameMessages, RequestsWritesAndEnd)
{
    TData data;
    data.NameTable.Append("Hall");
    data.NameTable.Append("Stairs");
    EXPECT_EQ(NameRequest(0), Hex("43 01 00"));
    EXPECT_EQ(NameRequest(257), Hex("43 01 01"));
    EXPECT_EQ(NameWrite(data, 1), QByteArray("D\x07\x01\x00Hall\x00", 9));
    EXPECT_EQ(NameWrite(data, 3), Hex("44 03 03 00 00"));
    EXPECT_EQ(NameListEndWrite(), Hex("44 03 E7 03 00"));
    // One printable character is a name; nothing, a NUL or a blank ends the list.
    EXPECT_FALSE(IsNameListEnd(Hex("41")));
    EXPECT_TRUE(IsNameListEnd(QByteArray()));
    EXPECT_TRUE(IsNameListEnd(Hex("00")));
    EXPECT_TRUE(IsNameListEnd(" "));
    EXPECT_FALSE(IsNameListEnd("Hall"));
}

TEST(ZoneMessages, ZoneFiveWorkedExample)
{
    TData data;
    TZone& z = data.ZoneList.Zone(5);
    z.SounderTimer = 30;
    z.Relay1Timer = z.Relay2Timer = 0;
    z.RemoteTimer = 10;
    z.Dependancy = {4, 60, 300, 5, 60, 300};
    z.SounderEnable = true;
    z.MCPEnable = z.EndDelays = false;
    const QByteArray expected =
        Hex("5B 14 05 1E 00 00 00 00 00 0A 00 4E 49 2C 01 3C 00 2C 01 3C 00 01");
    EXPECT_EQ(ZoneDataWrite(data, 5), expected);

    TData back;
    ASSERT_TRUE(ReadZoneData(back, 7, expected.mid(3)));
    const TZone& r = back.ZoneList.Zone(7);
    EXPECT_EQ(r.SounderTimer, 30);
    EXPECT_EQ(r.RemoteTimer, 10);
    EXPECT_EQ(r.Dependancy, z.Dependancy);
    EXPECT_TRUE(r.SounderEnable);
    EXPECT_FALSE(r.MCPEnable);

    QByteArray odd = expected.mid(3);
    odd[8] = 'Q';
    ASSERT_TRUE(ReadZoneData(back, 8, odd));
    EXPECT_EQ(back.ZoneList.Zone(8).Dependancy[1], doNormal);
    back.ZoneList.Zone(9).SounderTimer = 77;
    EXPECT_FALSE(ReadZoneData(back, 9, expected.mid(3, 18)));
    EXPECT_EQ(back.ZoneList.Zone(9).SounderTimer, 77);
}

TEST(ZoneMessages, NamesFlagsAndStatus)
{
    TData data;
    data.ZoneList.Zone(3).Name = "Kitchen";
    EXPECT_EQ(ZoneNameWrite(data, 3), QByteArray("F\x09\x03Kitchen\x00", 11));
    ReadZoneName(data, 4, QByteArray("  Boiler \x00", 10));
    EXPECT_EQ(data.ZoneList.Zone(4).Name, "Boiler");
    data.ZoneList.Zone(2).NonFireEnable = true;
    const QByteArray flags = NonFireFlagsWrite(data);
    EXPECT_EQ(flags.size(), 42);
    EXPECT_EQ(flags.mid(0, 4), QByteArray("l\x28" "FT", 4));
    ReadNonFireFlags(data, "FFT");
    EXPECT_FALSE(data.ZoneList.Zone(2).NonFireEnable);
    EXPECT_TRUE(data.ZoneList.Zone(3).NonFireEnable);
    EXPECT_EQ(ZoneStatusText("Loading data for ", 32), "Loading data for zone 32");
    EXPECT_EQ(ZoneStatusText("Saving group data for ", 33), "Saving group data for panel 1");
}

TEST(GroupAndSetMessages, LayoutsAndOrder)
{
    TData data;
    data.SwitchProtocol(stHochikiLoop);
    TZone& z = data.ZoneList.Zone(1);
    for (int g = 1; g <= 16; ++g)
        z.GroupConfig[g] = g % 3;
    data.SiteConfig.PanelSounder1_Group = 4;
    data.SiteConfig.PanelSounder2_Group = 16;
    data.PulsedTone = 2;
    data.ContinuousTone = 5;
    data.SiteConfig.ReSound_Function = true;
    const QByteArray n = GroupWrite(data, 1);
    EXPECT_EQ(n.size(), 24);
    EXPECT_EQ(n.mid(0, 4), Hex("4E 16 01 01"));
    EXPECT_EQ(n.mid(19), Hex("04 10 03 06 01"));

    TData back;
    ASSERT_TRUE(ReadGroups(back, 1, n.mid(3)));
    EXPECT_EQ(back.ZoneList.Zone(1).GroupConfig, z.GroupConfig);
    EXPECT_EQ(back.PulsedTone, 2);
    EXPECT_EQ(back.ContinuousTone, 5);
    EXPECT_TRUE(back.SiteConfig.ReSound_Function);
    // Without the optional bytes the tones stay.
    back.PulsedTone = 9;
    ASSERT_TRUE(ReadGroups(back, 2, n.mid(3, 18)));
    EXPECT_EQ(back.PulsedTone, 9);
    EXPECT_FALSE(ReadGroups(back, 3, n.mid(3, 17)));

    for (int s = 1; s <= 18; ++s)
        data.ZoneList.Zone(4).SetConfig[s] = s % 4;
    data.DelayTimer = 450;
    const QByteArray j = SetWrite(data, 4);
    EXPECT_EQ(j.size(), 23);
    EXPECT_EQ(j.mid(0, 6), Hex("6A 15 04 01 02 01"));
    EXPECT_EQ(j.mid(21), Hex("C2 01"));
    QByteArray reply;
    for (int s = 1; s <= 18; ++s)
        reply.append(char(s % 4));
    ASSERT_TRUE(ReadSets(back, 4, reply + Hex("C2 01")));
    EXPECT_EQ(back.ZoneList.Zone(4).SetConfig, data.ZoneList.Zone(4).SetConfig);
    EXPECT_EQ(back.DelayTimer, 450);
}

TEST(SiteMessages, CodesDelaysAndTimes)
{
    TData data;
    TSiteConfig& site = data.SiteConfig;
    site.AL3Code = "1243";
    site.Discovery_Polling_LED = true;
    site.MCP_Delay = 2;
    site.Detector_Delay = 5;
    site.IO_Delay = 1;
    EXPECT_EQ(Level3CodeWrite(data), Hex("52 06 DB 04 01 01 04 00"));
    EXPECT_EQ(Level2CodeWrite(data), Hex("50 02 54 0D"));

    TData back;
    ASSERT_TRUE(ReadLevel3Code(back, Hex("DB 04 01 01 04 00")));
    EXPECT_EQ(back.SiteConfig.AL3Code, "1243");
    EXPECT_EQ(back.SiteConfig.MCP_Delay, 2);
    EXPECT_EQ(back.SiteConfig.Detector_Delay, 5);
    EXPECT_EQ(back.SiteConfig.IO_Delay, 1);

    site.NightEnd = "07:15";
    site.NightBegin = "19:45";
    site.ReCalTime = "04:30";
    site.Day_Enable_Flags = 0x1F;
    site.Night_Enable_Flags = 0x7F;
    site.BST_Adjustment = true;
    site.RealTime_Event_Output = false;
    EXPECT_EQ(TimesWrite(data), Hex("70 0A 0F 07 2D 13 04 1E 1F 7F 01 00"));
    ASSERT_TRUE(ReadTimes(back, Hex("0F 07 2D 13 1E 04 1F 7F 01 00")));
    EXPECT_EQ(back.SiteConfig.NightEnd, "07:15");
    EXPECT_EQ(back.SiteConfig.NightBegin, "19:45");
    EXPECT_EQ(back.SiteConfig.ReCalTime, "04:30");
    EXPECT_EQ(back.SiteConfig.Night_Enable_Flags, 0x7F);

    site.MaintenanceDate = QDate(2031, 2, 28);
    EXPECT_EQ(MaintenanceDateWrite(data), Hex("4C 06 1F 02 1C 00 00 00"));
    site.MaintenanceDate = QDate();
    EXPECT_TRUE(MaintenanceDateWrite(data).isEmpty());
    const QDate before = back.SiteConfig.MaintenanceDate;
    EXPECT_TRUE(ReadMaintenanceDate(back, Hex("1F 02 1E")));
    EXPECT_EQ(back.SiteConfig.MaintenanceDate, before);
    EXPECT_TRUE(ReadMaintenanceDate(back, Hex("1F 02 1C")));
    EXPECT_EQ(back.SiteConfig.MaintenanceDate, QDate(2031, 2, 28));

    site.MaintenanceString = "Call us";
    EXPECT_EQ(MaintenanceTextWrite(data), QByteArray("H\x08" "Call us\x00", 10));
    EXPECT_EQ(ClockWrite(QDateTime(QDate(2026, 12, 7), QTime(8, 9, 10))),
              Hex("55 06 1A 0C 07 08 09 0A"));
    EXPECT_FALSE(ReadDelays(back, Hex("1E 00 2C 01 B4")));
}

TEST(NetworkMessages, MatrixNamesAndSegment)
{
    TData data;
    ASSERT_TRUE(ReadNetworkMatrix(data, Hex("23 13 00 00 00 00 00 00")));
    EXPECT_TRUE(data.RepeaterList.Repeaters[1].Fitted);
    EXPECT_TRUE(data.Network.AcceptFaults[1]);
    EXPECT_TRUE(data.Network.AcceptOccupied[1]);
    EXPECT_FALSE(data.Network.AcceptDisablements[1]);
    EXPECT_TRUE(data.Network.AcceptDisablements[2]);
    EXPECT_FALSE(data.Network.AcceptAlarms[2]);
    EXPECT_FALSE(data.RepeaterList.Repeaters[3].Fitted);
    EXPECT_EQ(NetworkMatrixWrite(data), Hex("76 08 23 13 00 00 00 00 00 00"));

    data.RepeaterList.Repeaters[2].Name = "Annex";
    EXPECT_EQ(NetworkNameWrite(data, 2), QByteArray("^\x07\x02" "Annex\x00", 9));
    EXPECT_EQ(NetworkFittedWrite(data, 2), Hex("62 02 02 FF"));
    data.RepeaterList.PanelName = "Main";
    EXPECT_EQ(PanelNameWrite(data), QByteArray("h\x04Main"));
    EXPECT_EQ(SegmentWrite(data), Hex("66 01 01"));
    ASSERT_TRUE(ReadNetworkFitted(data, 4, Hex("FF")));
    EXPECT_TRUE(data.RepeaterList.Repeaters[4].Fitted);
    EXPECT_FALSE(ReadNetworkFitted(data, 4, {}));
}

TEST(CauseEffectAndEvents, LayoutsAndHistoryRequests)
{
    TData data;
    data.C_ETable.Events[3] = {20, 5, 133, 0x0102, 10, 7};
    data.C_ETable.Times[3] = "13:05";
    const QByteArray t = CauseEffectWrite(data, 3);
    EXPECT_EQ(t, Hex("74 0C 03 14 05 00 85 02 01 0A 07 00 05 0D"));
    TData back;
    ASSERT_TRUE(ReadCauseEffect(back, 3, t.mid(3)));
    EXPECT_EQ(back.C_ETable.Events[3], data.C_ETable.Events[3]);
    EXPECT_EQ(back.C_ETable.Times[3], "13:05");
    EXPECT_FALSE(ReadCauseEffect(back, 4, t.mid(3, 10)));

    EXPECT_EQ(EventRequest(0, true), Hex("71 03 00 00 01"));
    EXPECT_EQ(EventRequest(5, true), Hex("71 03 00 00 01"));
    EXPECT_EQ(EventRequest(0, false), Hex("71 03 00 00 00"));
    EXPECT_EQ(EventRequest(258, false), Hex("71 03 02 01 00"));
    EXPECT_TRUE(IsEventHistoryEnd({}));
}

TEST(Message, PayloadNeverReadsPastThePacket)
{
    EXPECT_EQ(PacketPayload(Hex("56 02 10 20 88")), Hex("10 20"));
    EXPECT_EQ(PacketPayload(Hex("56 09 10")), Hex("10"));
    EXPECT_TRUE(PacketPayload(Hex("56")).isEmpty());
    EXPECT_EQ(TimeHour("7:05"), 7);
    EXPECT_EQ(TimeMinute("bad"), 0);
    EXPECT_EQ(FitText(QString(300, 'x'), 2).size(), 253);
}

TEST(Messages, RequestsAndRemainingWritesByteForByte)
{
    TData data;
    EXPECT_EQ(ZoneNameRequest(40), Hex("45 01 28"));
    EXPECT_EQ(ZoneDataRequest(1), Hex("5A 01 01"));
    EXPECT_EQ(GroupRequest(41), Hex("4D 01 29"));
    EXPECT_EQ(SetRequest(0), Hex("69 01 00"));
    EXPECT_EQ(CauseEffectRequest(16), Hex("73 01 10"));
    EXPECT_EQ(NetworkNameRequest(8), Hex("5D 01 08"));
    EXPECT_EQ(NetworkFittedRequest(1), Hex("61 01 01"));
    EXPECT_EQ(NetworkMatrixRequest(), Hex("75 00"));
    EXPECT_EQ(NetworkSummaryRequest(), Hex("65 00"));
    EXPECT_EQ(PanelNameRequest(), Hex("67 00"));
    EXPECT_EQ(LoopTypeRequest(), Hex("56 00"));
    for (char letter : QByteArray("GKOQXSmo"))
        EXPECT_EQ(SiteRequest(letter), QByteArray(1, letter) + '\0');

    TSiteConfig& site = data.SiteConfig;
    site.FaultLockout = 10;
    EXPECT_EQ(FaultLockoutWrite(data), Hex("59 01 0A"));
    site.PhasedDelay = 65535;
    site.InvestigationPeriod = 300;
    site.InvestigationPeriod1 = 180;
    EXPECT_EQ(DelaysWrite(data), Hex("54 06 FF FF 2C 01 B4 00"));
    site.QuiescentString = "ZOL";
    EXPECT_EQ(QuiescentTextWrite(data), QByteArray("n\x04ZOL\x00", 6));

    // Phased delay and the investigation periods come back in the order they went.
    TData back;
    ASSERT_TRUE(ReadDelays(back, Hex("FF FF 2C 01 B4 00")));
    EXPECT_EQ(back.SiteConfig.PhasedDelay, 65535);
    EXPECT_EQ(back.SiteConfig.InvestigationPeriod, 300);
    EXPECT_EQ(back.SiteConfig.InvestigationPeriod1, 180);

    // Older panels leave out the optional bytes: what they do not send stays as it was.
    back.SiteConfig.MCP_Delay = 3;
    back.SiteConfig.Discovery_Polling_LED = true;
    ASSERT_TRUE(ReadLevel3Code(back, Hex("39 30")));
    EXPECT_EQ(back.SiteConfig.AL3Code, "12345");
    EXPECT_TRUE(back.SiteConfig.Discovery_Polling_LED);
    EXPECT_EQ(back.SiteConfig.MCP_Delay, 3);
    EXPECT_FALSE(ReadLevel3Code(back, Hex("39")));
    back.SiteConfig.BST_Adjustment = true;
    ASSERT_TRUE(ReadTimes(back, Hex("00 06 00 16 00 03")));
    EXPECT_EQ(back.SiteConfig.ReCalTime, "03:00");
    EXPECT_TRUE(back.SiteConfig.BST_Adjustment);
    EXPECT_FALSE(ReadTimes(back, Hex("00 06 00 16 00")));
    ASSERT_TRUE(ReadLevel2Code(back, Hex("54 0D")));
    EXPECT_EQ(back.SiteConfig.AL2Code, "3412");
}
