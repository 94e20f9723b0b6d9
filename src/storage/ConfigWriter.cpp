#include "storage/ConfigWriter.h"

#include "model/Data.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigSections.h"
#include "storage/ProfileFile.h"

using namespace ConfigKeys;

namespace {

void WriteLoop(const TQEMLoop& loop, int loopNumber, int points, TProfileFile& f)
{
    for (int p = 1; p <= points; ++p) {
        const TDeviceType& d = loop.Devices[p];
        const QString& key = PointKey(loop, loopNumber, p);
        f.WriteString(DetectorNames, key, d.Name);
        for (int k = 1; k <= 3; ++k)
            f.WriteString(DetectorSubName(k), key, d.SubName(k));
        f.WriteInteger(DetectorType, key, d.TypeCode);
        f.WriteInteger(DetectorDisabled, key, 0);
        f.WriteInteger(DetectorZone, key, d.Zone);
        for (int i = 1; i <= 8; ++i)
            f.WriteInteger(SharedData, SharedDataKey(loop, loopNumber, p, i), d.SharedData[i]);
    }
}

void WriteZones(const TData& doc, TProfileFile& f)
{
    for (int n = 1; n <= MaxZone; ++n) {
        const TZone& z = doc.ZoneList.Zone(n);
        const QString& key = ZoneKey(n);
        f.WriteString(ZoneConfig, key, z.Name);
        f.WriteInteger(SounderTimers, key, z.SounderTimer);
        f.WriteInteger(RemoteTimers, key, z.RemoteTimer);
        f.WriteInteger(Relay1Timer, key, z.Relay1Timer);
        f.WriteInteger(Relay2Timer, key, z.Relay2Timer);
        for (int i = 1; i <= 6; ++i)
            f.WriteInteger(Dependancy(i), key, z.Dependancy[i]);
        f.WriteBool(SounderEnable, key, z.SounderEnable);
        f.WriteBool(MCPEnable, key, z.MCPEnable);
        f.WriteBool(NonFireEnable, key, z.NonFireEnable);
        f.WriteBool(EndDelays, key, z.EndDelays);
        for (int g = 1; g <= MaxGroup; ++g)
            f.WriteInteger(GroupConfig, GroupKey(n, g), z.GroupConfig[g]);
        for (int s = 1; s <= MaxSet; ++s)
            f.WriteInteger(SetConfig, SetKey(n, s), z.SetConfig[s]);
        f.WriteInteger(SetConfig, DelayTimer, doc.DelayTimer);
    }
    const TZone& special = doc.ZoneList.Zone(0);
    for (int s = 1; s <= MaxSet; ++s)
        f.WriteInteger(SetConfig, SetKey(0, s), special.SetConfig[s]);
}

void WriteSite(const TData& doc, TProfileFile& f)
{
    const TSiteConfig& site = doc.SiteConfig;
    f.WriteString(Maintenance, Text, site.MaintenanceString);
    f.WriteDate(Maintenance, Date, site.MaintenanceDate);
    f.WriteBool(Maintenance, Enabled, site.DateEnabled);
    f.WriteString(Quiescent, Text, site.QuiescentString);
    f.WriteString(AccessCodes, QStringLiteral("L2"), site.AL2Code);
    f.WriteString(AccessCodes, QStringLiteral("L3"), site.AL3Code);
    f.WriteInteger(FaultLockout, Time, site.FaultLockout);
    f.WriteInteger(PhasedDelay, Time, site.PhasedDelay);
    f.WriteBool(PhasedDelay, PulsedOn, site.SoundersPulsed);

    f.WriteString(SiteConfig, QStringLiteral("Client Name"), site.ClientName);
    for (int i = 1; i <= 5; ++i)
        f.WriteString(SiteConfig, QStringLiteral("Client Address ") + QString::number(i),
                      site.ClientAddress(i));
    f.WriteString(SiteConfig, QStringLiteral("Alarm Position"), site.PanelLocation);
    f.WriteString(SiteConfig, QStringLiteral("Installer Name"), site.InstallerName);
    for (int i = 1; i <= 5; ++i)
        f.WriteString(SiteConfig, QStringLiteral("Installer Address ") + QString::number(i),
                      site.InstallerAddress(i));
    f.WriteString(SiteConfig, QStringLiteral("Engineer Name"), site.Engineer);
    f.WriteString(SiteConfig, QStringLiteral("Service Number"), site.EngineerNo);
    f.WriteString(SiteConfig, QStringLiteral("Night Begins"), site.NightBegin);
    f.WriteString(SiteConfig, QStringLiteral("Night Ends"), site.NightEnd);
    f.WriteString(SiteConfig, QStringLiteral("ReCalibrate at"), site.ReCalTime);

    f.WriteInteger(Investigation, QStringLiteral("Period"), site.InvestigationPeriod);
    f.WriteInteger(Investigation, QStringLiteral("Period1"), site.InvestigationPeriod1);
    f.WriteInteger(PanelSounderGroups, QStringLiteral("P1"), site.PanelSounder1_Group);
    f.WriteInteger(PanelSounderGroups, QStringLiteral("P2"), site.PanelSounder2_Group);
    f.WriteInteger(EnableFlags, QStringLiteral("Day"), site.Day_Enable_Flags);
    f.WriteInteger(EnableFlags, QStringLiteral("Night"), site.Night_Enable_Flags);
    f.WriteBool(PollingLed, Enabled, site.Discovery_Polling_LED);
    f.WriteInteger(SiteConfig, QStringLiteral("MCP Delay"), site.MCP_Delay);
    f.WriteInteger(SiteConfig, QStringLiteral("Detector Delay"), site.Detector_Delay);
    f.WriteInteger(SiteConfig, QStringLiteral("IO Delay"), site.IO_Delay);
    f.WriteBool(ReSoundSection, ReSoundKey, site.ReSound_Function);
    f.WriteBool(BstAdjustment, Enabled, site.BST_Adjustment);
    f.WriteBool(RealTimeEventOutput, Enabled, site.RealTime_Event_Output);

    f.WriteInteger(Tone, QStringLiteral("Int"), doc.PulsedTone);
    f.WriteInteger(Tone, QStringLiteral("Cont"), doc.ContinuousTone);
}

void WriteNetwork(const TData& doc, TProfileFile& f)
{
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        f.WriteString(RepeaterName, RepeaterKey(n), doc.RepeaterList.Repeaters[n].Name);
        f.WriteBool(RepeaterFitted, RepeaterKey(n), doc.RepeaterList.Repeaters[n].Fitted);
    }
    const TZOL_Network& net = doc.Network;
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        f.WriteBool(AcceptFaults, PanelKey(n), net.AcceptFaults[n]);
        f.WriteBool(AcceptAlarms, PanelKey(n), net.AcceptAlarms[n]);
        f.WriteBool(AcceptControls, PanelKey(n), net.AcceptControls[n]);
        f.WriteBool(AcceptDisablements, PanelKey(n), net.AcceptDisablements[n]);
        f.WriteBool(AcceptOccupied, PanelKey(n), net.AcceptOccupied[n]);
    }
    f.WriteString(NetworkConfig, NetworkPanelName, doc.RepeaterList.PanelName);
    f.WriteInteger(NetworkConfig, SegmentNumber, doc.RepeaterList.Segment);
}

void WriteCauseAndEffect(const TData& doc, TProfileFile& f)
{
    for (int n = 1; n <= CEEventCount; ++n) {
        QString text;
        for (int i = 1; i <= 6; ++i)
            text += QString::number(doc.C_ETable.Events[n].Value(i)) + QLatin1Char('/');
        f.WriteString(CEEvent, EventKey(n), text);
    }
    for (int n = 1; n <= CETimeCount; ++n)
        f.WriteString(CETimes, EventKey(n), doc.C_ETable.Times[n]);
}

} // namespace

void WriteConfiguration(const TData& doc, TProfileFile& f)
{
    f.WriteString(Header, FileType, FileTypeValue);
    f.WriteString(Header, MainVersion, doc.SiteConfig.GetMainVersion());
    f.WriteString(Header, PanelType, PanelTypeValue);
    f.WriteInteger(Loop, LoopType, doc.SystemType());

    const int points = doc.NoLoopDevices();
    WriteLoop(doc.Loop1, 1, points, f);
    WriteLoop(doc.Loop2, 2, points, f);

    WriteZones(doc, f);
    WriteSite(doc, f);
    WriteNetwork(doc, f);
    WriteCauseAndEffect(doc, f);
}
