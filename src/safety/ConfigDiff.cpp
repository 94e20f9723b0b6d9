#include "safety/ConfigDiff.h"

#include "model/Data.h"
#include "safety/ConfigCheck.h"
#include "safety/SentForm.h"

#include <algorithm>

namespace {

QString Text(bool value) { return value ? QStringLiteral("Yes") : QStringLiteral("No"); }
QString Text(int value) { return QString::number(value); }
QString Text(const QDate& value) { return value.toString(QStringLiteral("dd/MM/yyyy")); }

QString GroupReactionText(int value)
{
    switch (value) {
    case grOff: return QStringLiteral("Off");
    case grPulsed: return QStringLiteral("Pulsed");
    case grContinuous: return QStringLiteral("Continuous");
    }
    return QString::number(value);
}

QString SetReactionText(int value)
{
    switch (value) {
    case srNotTriggered: return QStringLiteral("Not triggered");
    case srPulsed: return QStringLiteral("Pulsed");
    case srContinuous: return QStringLiteral("Continuous");
    case srDelayed: return QStringLiteral("Delayed");
    }
    return QString::number(value);
}

QString WithCode(const QString& text, int code)
{
    return text.isEmpty() ? QString::number(code)
                          : QStringLiteral("%1 (%2)").arg(text).arg(code);
}

QString TrimmedEnd(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

// Walks both documents page by page; values are turned into text only where they differ.
class TDiffer {
public:
    explicit TDiffer(bool readBack) : readBack_(readBack) {}

    void Item(TPanelPage page, const QString& item)
    {
        page_ = page;
        item_ = item;
    }
    template <typename T>
    void Field(const char* field, const T& left, const T& right)
    {
        if (!(left == right))
            Add(QString::fromLatin1(field), Text(left), Text(right));
    }
    template <typename T>
    void Field(const QString& field, const T& left, const T& right)
    {
        if (!(left == right))
            Add(field, Text(left), Text(right));
    }
    // Texts: the panel keeps them without trailing blanks.
    void TextField(const QString& field, const QString& left, const QString& right)
    {
        if (readBack_ ? TrimmedEnd(left) != TrimmedEnd(right) : left != right)
            Add(field, left, right);
    }
    void TextField(const char* field, const QString& left, const QString& right)
    {
        TextField(QString::fromLatin1(field), left, right);
    }
    template <typename F>
    void Coded(const QString& field, int left, int right, F describe)
    {
        if (left != right)
            Add(field, describe(left), describe(right));
    }
    void Add(const QString& field, const QString& left, const QString& right)
    {
        list_.append(TDifference{page_, item_, field, left, right});
    }
    bool ReadBack() const { return readBack_; }
    QList<TDifference> Take() { return std::move(list_); }

private:
    bool readBack_;
    TPanelPage page_ = ppLoopSummary;
    QString item_;
    QList<TDifference> list_;
};

void ComparePanel(TDiffer& d, const TData& a, const TData& b)
{
    d.Item(ppLoopSummary, QStringLiteral("Panel"));
    d.Coded(QStringLiteral("Protocol"), a.SystemType(), b.SystemType(), [](int t) {
        return WithCode(SystemTypeName(static_cast<TSystemType>(t)), t);
    });
    d.Field("Loop count", a.LoopCount, b.LoopCount);
}

void ComparePoints(TDiffer& d, const TData& a, const TData& b)
{
    const int loops = d.ReadBack() ? a.LoopCount : std::max(a.LoopCount, b.LoopCount);
    for (int l = 1; l <= std::min(loops, 2); ++l) {
        const TQEMLoop& la = a.Loop(l);
        const TQEMLoop& lb = b.Loop(l);
        const int points = std::max(la.NoLoopDevices(), d.ReadBack() ? 0 : lb.NoLoopDevices());
        const TPanelPage page = l == 1 ? ppLoop1 : ppLoop2;
        for (int p = 1; p <= points; ++p) {
            const TDeviceType& pa = la.Devices[p];
            const TDeviceType& pb = lb.Devices[p];
            d.Item(page, QStringLiteral("Point ") + la.PointLabel(p));
            d.Coded(QStringLiteral("Type"), pa.TypeCode, pb.TypeCode, [&la](int code) {
                return WithCode(la.DeviceLongName(code), code);
            });
            // An empty address has no zone, settings or names worth comparing.
            if (pa.TypeCode == NotFittedCode && pb.TypeCode == NotFittedCode)
                continue;
            const bool channels = la.HasChannelNames(p);
            // A multi-channel point's zone is its first channel's; the settings carry it.
            if (!(channels && d.ReadBack()))
                d.Field("Zone", pa.Zone, pb.Zone);
            for (int i = 1; i <= 8; ++i) {
                // Name indexes differ with the table's order; the names themselves count.
                const bool nameIndex = i == 2 || (channels && (i == 4 || i == 6 || i == 8));
                // A single-channel point's first byte goes to the panel as its zone.
                const bool sentAsZone = i == 1 && !channels && d.ReadBack();
                if (!nameIndex && !sentAsZone && pa.SharedData[i] != pb.SharedData[i])
                    d.Add(QStringLiteral("Setting %1").arg(i), Text(pa.SharedData[i]),
                          Text(pb.SharedData[i]));
            }
            d.TextField("Name", pa.Name, pb.Name);
            if (channels || (!d.ReadBack() && lb.HasChannelNames(p)))
                for (int k = 1; k <= 3; ++k)
                    d.TextField(QStringLiteral("Channel %1 name").arg(k), pa.SubName(k),
                                pb.SubName(k));
        }
    }
}

void CompareZones(TDiffer& d, const TData& a, const TData& b)
{
    static const char* const dependancy[] = {"Day option",   "Day detector reset",
                                             "Day alarm reset", "Night option",
                                             "Night detector reset", "Night alarm reset"};
    for (int z = d.ReadBack() ? 1 : 0; z <= MaxZone; ++z) {
        const TZone& za = a.ZoneList.Zone(z);
        const TZone& zb = b.ZoneList.Zone(z);
        d.Item(ppZoneConfig, QStringLiteral("Zone %1").arg(z));
        d.TextField("Name", za.Name, zb.Name);
        d.Field("Sounder delay", za.SounderTimer, zb.SounderTimer);
        d.Field("Remote delay", za.RemoteTimer, zb.RemoteTimer);
        d.Field("Relay 1 delay", za.Relay1Timer, zb.Relay1Timer);
        d.Field("Relay 2 delay", za.Relay2Timer, zb.Relay2Timer);
        d.Field("Call points", za.MCPEnable, zb.MCPEnable);
        d.Field("Sounders", za.SounderEnable, zb.SounderEnable);
        if (!d.ReadBack())
            d.Field("Non-fire", za.NonFireEnable, zb.NonFireEnable);
        d.Field("End delays", za.EndDelays, zb.EndDelays);
        for (int i = 1; i <= 6; ++i) {
            if (za.Dependancy[i] == zb.Dependancy[i])
                continue;
            const bool option = i == 1 || i == 4;
            d.Add(QString::fromLatin1(dependancy[i - 1]),
                  option ? DependancyOptionText(za.Dependancy[i]) : Text(za.Dependancy[i]),
                  option ? DependancyOptionText(zb.Dependancy[i]) : Text(zb.Dependancy[i]));
        }
    }
}

void CompareGroups(TDiffer& d, const TData& a, const TData& b)
{
    for (int z = d.ReadBack() ? 1 : 0; z <= MaxZone; ++z) {
        d.Item(ppGroupConfig, QStringLiteral("Zone %1").arg(z));
        for (int g = 1; g <= MaxGroup; ++g)
            d.Coded(QStringLiteral("Group %1").arg(g), a.ZoneList.Zone(z).GroupConfig[g],
                    b.ZoneList.Zone(z).GroupConfig[g], GroupReactionText);
    }
    const TSiteConfig& sa = a.SiteConfig;
    const TSiteConfig& sb = b.SiteConfig;
    d.Item(ppGroupConfig, QStringLiteral("Panel"));
    d.Field("Panel sounder 1 group", sa.PanelSounder1_Group, sb.PanelSounder1_Group);
    d.Field("Panel sounder 2 group", sa.PanelSounder2_Group, sb.PanelSounder2_Group);
    d.Field("Phased delay", sa.PhasedDelay, sb.PhasedDelay);
    const QStringList continuous = a.ContinuousToneNames();
    const QStringList pulsed = a.PulsedToneNames();
    d.Coded(QStringLiteral("Continuous tone"), a.ContinuousTone, b.ContinuousTone,
            [&continuous](int t) { return WithCode(continuous.value(t), t); });
    d.Coded(QStringLiteral("Pulsed tone"), a.PulsedTone, b.PulsedTone,
            [&pulsed](int t) { return WithCode(pulsed.value(t), t); });
    d.Field("Resound", sa.ReSound_Function, sb.ReSound_Function);
    if (!d.ReadBack())
        d.Field("Sounders pulsed", sa.SoundersPulsed, sb.SoundersPulsed);
}

void CompareSets(TDiffer& d, const TData& a, const TData& b)
{
    for (int z = 0; z <= MaxZone; ++z) {
        d.Item(ppSetConfig, QStringLiteral("Zone %1").arg(z));
        for (int s = 1; s <= MaxSet; ++s) {
            const int va = a.ZoneList.Zone(z).SetConfig[s];
            const int vb = b.ZoneList.Zone(z).SetConfig[s];
            if (z == 0 && (va == 1) != (vb == 1))
                d.Field(QStringLiteral("Set %1 silenceable").arg(s), va == 1, vb == 1);
            else
                d.Coded(QStringLiteral("Set %1").arg(s), va, vb, SetReactionText);
        }
    }
    d.Item(ppSetConfig, QStringLiteral("Panel"));
    d.Field("Set delay", a.DelayTimer, b.DelayTimer);
}

void CompareSite(TDiffer& d, const TData& a, const TData& b, bool dateSent)
{
    const TSiteConfig& sa = a.SiteConfig;
    const TSiteConfig& sb = b.SiteConfig;
    d.Item(ppSiteConfig, QStringLiteral("Site"));
    if (!d.ReadBack()) {
        d.TextField("Client name", sa.ClientName, sb.ClientName);
        for (int i = 1; i <= 5; ++i)
            d.TextField(QStringLiteral("Client address %1").arg(i), sa.ClientAddress(i),
                        sb.ClientAddress(i));
        d.TextField("Installer name", sa.InstallerName, sb.InstallerName);
        for (int i = 1; i <= 5; ++i)
            d.TextField(QStringLiteral("Installer address %1").arg(i), sa.InstallerAddress(i),
                        sb.InstallerAddress(i));
        d.TextField("Panel location", sa.PanelLocation, sb.PanelLocation);
        d.TextField("Engineer", sa.Engineer, sb.Engineer);
        d.TextField("Engineer number", sa.EngineerNo, sb.EngineerNo);
        d.Field("Date enabled", sa.DateEnabled, sb.DateEnabled);
        d.Field("Fault lockout", sa.FaultLockout, sb.FaultLockout);
        d.Field("Copy time", sa.CopyTime, sb.CopyTime);
        d.TextField("Main version", sa.MainVersion, sb.MainVersion);
        d.TextField("Front panel version", sa.FrontPanelVersion, sb.FrontPanelVersion);
        d.TextField("Loop 1 version", sa.Loop1Version, sb.Loop1Version);
        d.TextField("Loop 2 version", sa.Loop2Version, sb.Loop2Version);
    }
    d.TextField("Maintenance message", sa.MaintenanceString, sb.MaintenanceString);
    d.TextField("Quiescent message", sa.QuiescentString, sb.QuiescentString);
    if (!d.ReadBack() || dateSent)
        d.Field("Maintenance date", sa.MaintenanceDate, sb.MaintenanceDate);
    d.TextField("Access Level 2 Code", sa.AL2Code, sb.AL2Code);
    d.TextField("Access Level 3 Code", sa.AL3Code, sb.AL3Code);
    d.Field("Polling LED", sa.Discovery_Polling_LED, sb.Discovery_Polling_LED);
    d.Field("Call point delay", sa.MCP_Delay, sb.MCP_Delay);
    d.Field("Detector delay", sa.Detector_Delay, sb.Detector_Delay);
    d.Field("I/O delay", sa.IO_Delay, sb.IO_Delay);
    d.Field("Investigation period 1", sa.InvestigationPeriod, sb.InvestigationPeriod);
    d.Field("Investigation period 2", sa.InvestigationPeriod1, sb.InvestigationPeriod1);
    d.TextField("Night begins", sa.NightBegin, sb.NightBegin);
    d.TextField("Night ends", sa.NightEnd, sb.NightEnd);
    d.TextField("Recalibration time", sa.ReCalTime, sb.ReCalTime);
    d.Field("Day enable flags", sa.Day_Enable_Flags, sb.Day_Enable_Flags);
    d.Field("Night enable flags", sa.Night_Enable_Flags, sb.Night_Enable_Flags);
    d.Field("Daylight saving", sa.BST_Adjustment, sb.BST_Adjustment);
    d.Field("Real-time event output", sa.RealTime_Event_Output, sb.RealTime_Event_Output);
}

void CompareCauseEffect(TDiffer& d, const TData& a, const TData& b)
{
    auto condition = [](int code) {
        return WithCode(CEConditionText(((code & 127) - 1) / 5), code);
    };
    for (int e = 1; e <= CEEventCount; ++e) {
        const TC_EArray& ea = a.C_ETable.Events[e];
        const TC_EArray& eb = b.C_ETable.Events[e];
        d.Item(ppCEConfig, QStringLiteral("Event %1").arg(e));
        d.Coded(QStringLiteral("Action"), ea.Action, eb.Action,
                [](int code) { return WithCode(CEActionText(code / 10), code); });
        d.Field("Action target", ea.ActionTarget, eb.ActionTarget);
        d.Coded(QStringLiteral("Trigger"), ea.Trigger, eb.Trigger, condition);
        d.Field("Trigger target", ea.TriggerTarget, eb.TriggerTarget);
        d.Coded(QStringLiteral("Reset"), ea.Reset, eb.Reset, condition);
        d.Field("Reset target", ea.ResetTarget, eb.ResetTarget);
    }
    for (int t = 1; t <= CETimeCount; ++t) {
        d.Item(ppCEConfig, QStringLiteral("Time %1").arg(t));
        d.TextField("Time", a.C_ETable.Times[t], b.C_ETable.Times[t]);
    }
}

void CompareNetwork(TDiffer& d, const TData& a, const TData& b)
{
    d.Item(ppNetworkConfig, QStringLiteral("This panel"));
    d.TextField("Panel name", a.RepeaterList.PanelName, b.RepeaterList.PanelName);
    if (!d.ReadBack())
        d.Field("Segment", a.RepeaterList.Segment, b.RepeaterList.Segment);
    for (int n = 1; n <= MaxNetworkPanels; ++n) {
        const TNetwork& ra = a.RepeaterList.Repeaters[n];
        const TNetwork& rb = b.RepeaterList.Repeaters[n];
        d.Item(ppNetworkConfig, QStringLiteral("Panel %1").arg(n));
        d.TextField("Name", ra.Name, rb.Name);
        d.Field("Fitted", ra.Fitted, rb.Fitted);
        d.Field("Accept faults", a.Network.AcceptFaults[n], b.Network.AcceptFaults[n]);
        d.Field("Accept alarms", a.Network.AcceptAlarms[n], b.Network.AcceptAlarms[n]);
        d.Field("Accept controls", a.Network.AcceptControls[n], b.Network.AcceptControls[n]);
        d.Field("Accept disablements", a.Network.AcceptDisablements[n],
                b.Network.AcceptDisablements[n]);
        d.Field("Accept occupied", a.Network.AcceptOccupied[n], b.Network.AcceptOccupied[n]);
    }
}

QList<TDifference> Run(const TData& a, const TData& b, bool readBack)
{
    TDiffer d(readBack);
    ComparePanel(d, a, b);
    ComparePoints(d, a, b);
    CompareZones(d, a, b);
    CompareGroups(d, a, b);
    CompareSets(d, a, b);
    CompareSite(d, a, b, a.SendMaintenanceDate);
    CompareCauseEffect(d, a, b);
    CompareNetwork(d, a, b);
    if (!readBack) {
        d.Item(ppComments, QStringLiteral("Comments"));
        d.TextField("Text", a.Comments, b.Comments);
    }
    return d.Take();
}

} // namespace

QList<TDifference> TConfigDiff::Compare(const TData& left, const TData& right)
{
    return Run(left, right, false);
}

QList<TDifference> TConfigDiff::CompareReadBack(const TData& sent, const TData& readBack)
{
    TData expected;
    expected.AssignContent(sent);
    ToSentForm(expected);
    return Run(expected, readBack, true);
}

QStringList TConfigDiff::ReadBackNotes(const TData& sent)
{
    QStringList notes;
    for (const TMergedName& merged : MergedNames(sent))
        notes << MergedNameText(merged);
    return notes;
}

QStringList TConfigDiff::FieldsNotReadBack()
{
    return {
        QStringLiteral("client and installer names and addresses, panel location, engineer and "
                       "engineer number"),
        QStringLiteral("\"Date enabled\", \"Copy time\", fault lockout and \"Sounders pulsed\""),
        QStringLiteral("the maintenance date, unless it was sent"),
        QStringLiteral("the firmware versions (the panel reports its own)"),
        QStringLiteral("the network segment"),
        QStringLiteral("zone 0 (\"Use in Special C&E\"): everything but its silenceable sets"),
        QStringLiteral("the zones' non-fire flags (a Load All does not read them)"),
        QStringLiteral("the first setting byte of a single-channel point (it goes as the zone)"),
        QStringLiteral("loop 2 when the configuration has one loop"),
        QStringLiteral("the comments and the event log"),
    };
}

QString TConfigDiff::Describe(const TDifference& difference)
{
    return QStringLiteral("%1 / %2 / %3: '%4' -> '%5'")
        .arg(PageCaption(difference.Page), difference.Item, difference.Field, difference.Left,
             difference.Right);
}

QString TConfigDiff::VerifyFailedText(const QList<TDifference>& differences)
{
    QString text = QStringLiteral("The panel does not hold what was sent: %1 %2 (sent -> read back):")
                       .arg(differences.size())
                       .arg(differences.size() == 1 ? QStringLiteral("difference")
                                                    : QStringLiteral("differences"));
    for (const TDifference& d : differences)
        text += QLatin1Char('\n') + Describe(d);
    return text;
}
