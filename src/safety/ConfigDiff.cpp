#include "safety/ConfigDiff.h"

#include "model/Data.h"
#include "safety/ConfigCheck.h"
#include "safety/SentForm.h"

#include <algorithm>
#include <functional>

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

// What a comparison covers: everything (file to file), what the panel holds (read back after a
// save), or only what the panel does not hold (the file-only details, file to file).
enum class TScope { Everything, Panel, FileOnly };

// Walks both documents page by page; values are turned into text only where they differ.
class TDiffer {
public:
    TDiffer(TScope scope, bool summarise) : scope_(scope), summarise_(summarise) {}

    void Item(TPanelPage page, const QString& item)
    {
        page_ = page;
        item_ = item;
    }
    // Fields between FileDetails(true) and FileDetails(false) are ones the panel does not hold.
    void FileDetails(bool on) { fileDetails_ = on; }
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
        if (ReadBack() ? TrimmedEnd(left) != TrimmedEnd(right) : left != right)
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
        if (fileDetails_ ? scope_ == TScope::Panel : scope_ == TScope::FileOnly)
            return;
        list_.append(TDifference{page_, item_, field, left, right});
    }
    // The panel's form: what a read-back gives (trimmed texts, the zone byte sent as the zone).
    bool ReadBack() const { return scope_ == TScope::Panel; }
    bool PanelFields() const { return scope_ != TScope::FileOnly; }
    // A device exchanged for another is one line, not one per setting.
    bool Summarise() const { return summarise_; }
    QList<TDifference> Take() { return std::move(list_); }

private:
    TScope scope_;
    bool summarise_;
    bool fileDetails_ = false;
    TPanelPage page_ = ppLoopSummary;
    QString item_;
    QList<TDifference> list_;
};

// A zone's own name, or empty while it has only its default ("Zone 3").
QString ZoneOwnName(int zone, const TData& data)
{
    const QString name = zone >= 0 && zone <= MaxZone ? data.ZoneList.Zone(zone).Name.trimmed()
                                                      : QString();
    return name == QStringLiteral("Zone %1").arg(zone) ? QString() : name;
}

// "Zone 3 (Kitchen)" when the zone keeps its name, else "Zone 3" (a rename names both).
QString ZoneItem(int zone, const TData& a, const TData& b)
{
    const QString name = ZoneOwnName(zone, a);
    const QString item = QStringLiteral("Zone %1").arg(zone);
    return name.isEmpty() || a.ZoneList.Zone(zone).Name != b.ZoneList.Zone(zone).Name
        ? item
        : QStringLiteral("%1 (%2)").arg(item, name);
}

QString ZoneValue(int zone, const TData& data)
{
    if (zone == 0)
        return QStringLiteral("0 (%1)").arg(SpecialCEName);
    const QString name = ZoneOwnName(zone, data);
    return name.isEmpty() ? QString::number(zone) : QStringLiteral("%1 (%2)").arg(zone).arg(name);
}

// What a point reports to, as the device dialog lists it: a zone with its name, a sounder
// group or an output set.
QString PointZoneValue(const TQEMLoop& loop, int point, int zone, const TData& data)
{
    const int k = loop.DeviceClass(point);
    if (k == dcSounder || k == dcBeacon)
        return zone == 0 ? SpecialCEName : QStringLiteral("Group %1").arg(zone);
    if (k == dcInputOutput && !loop.HasChannelNames(point))
        return zone == 0 ? SpecialCEName : QStringLiteral("Set %1").arg(zone);
    return ZoneValue(zone, data);
}

// A channel setting byte of an input/output unit, as the I/O dialog shows it.
QString ChannelValue(const TQEMLoop& loop, int point, int value, const TData& data)
{
    if (value == 255)
        return QStringLiteral("Not Used");
    if (value & 0x80) {
        const int target = value & 31;
        const QString to = target == 0 ? SpecialCEName
            : QStringLiteral("%1 %2")
                  .arg(loop.Devices[point].TypeCode == 72 ? QStringLiteral("Group")
                                                          : QStringLiteral("Set"))
                  .arg(target);
        return QStringLiteral("Output, Channel %1, %2").arg((value >> 5) & 3).arg(to);
    }
    return QStringLiteral("Input, Channel %1, Zone %2")
        .arg((value >> 6) & 1 ? 2 : 1)
        .arg(ZoneValue(value & 63, data));
}

// "Optical Smoke Detector, zone 3 (Kitchen), 'Office'", or "Not fitted".
QString PointSummary(const TQEMLoop& loop, int point, const TData& data)
{
    const TDeviceType& d = loop.Devices[point];
    if (!loop.IsFitted(point))
        return QStringLiteral("Not fitted");
    return QStringLiteral("%1, %2, '%3'")
        .arg(WithCode(loop.DeviceLongName(d.TypeCode), d.TypeCode),
             PointZoneValue(loop, point, d.Zone, data), d.Name);
}

void ComparePanel(TDiffer& d, const TData& a, const TData& b)
{
    d.Item(ppLoopSummary, QStringLiteral("Panel"));
    d.Coded(QStringLiteral("Protocol"), a.SystemType(), b.SystemType(), [](int t) {
        return WithCode(SystemTypeName(static_cast<TSystemType>(t)), t);
    });
    d.Field("Loop count", a.LoopCount, b.LoopCount);
}

// The name and the shown value of setting byte i of a point, as the device dialogs show it;
// an empty name for a byte the point's class does not use.
struct TSettingName {
    QString Field;
    std::function<QString(int)> Value;
};

TSettingName SettingName(const TQEMLoop& loop, int point, int i, const TData& data)
{
    auto number = [](int v) { return QString::number(v); };
    if (loop.HasChannelNames(point)) {
        if (i % 2 == 0)
            return {};
        return {QStringLiteral("Channel %1 setting").arg(i / 2),
                [&loop, point, &data](int v) { return ChannelValue(loop, point, v, data); }};
    }
    const int k = loop.DeviceClass(point);
    const bool sensor = loop.IsAnalogueSensor(point) || k == 32;
    if (k == dcSounder && (i == TDeviceType::sdDayLevel || i == TDeviceType::sdNightLevel))
        return {i == TDeviceType::sdDayLevel ? QStringLiteral("Day (Occupied) volume")
                                             : QStringLiteral("Night (Unoccupied) volume"),
                number};
    if (!sensor)
        return {};
    switch (i) {
    case TDeviceType::sdDayLevel:
        return {QStringLiteral("Day (Occupied) sensitivity"), number};
    case TDeviceType::sdNightLevel:
        return {QStringLiteral("Night (Unoccupied) sensitivity"), number};
    case TDeviceType::sdMode:
        return {QStringLiteral("Day (Occupied) Mode"), [](int v) {
                    static const char* const modes[] = {"Multi", "Optical", "Heat"};
                    return v >= 0 && v <= 2 ? QString::fromLatin1(modes[v])
                                            : QStringLiteral("(none)");
                }};
    case TDeviceType::sdRemoteLed:
        return {QStringLiteral("Remote LED Enabled"), [](int v) { return Text(v > 0); }};
    }
    return {};
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
            if (d.Summarise() && pa.TypeCode != pb.TypeCode) {
                const QString left = PointSummary(la, p, a);
                const QString right = PointSummary(lb, p, b);
                if (left != right)
                    d.Add(QStringLiteral("Device"), left, right);
                continue;
            }
            d.Coded(QStringLiteral("Type"), pa.TypeCode, pb.TypeCode, [&la](int code) {
                return WithCode(la.DeviceLongName(code), code);
            });
            // An empty address has no zone, settings or names worth comparing.
            if (pa.TypeCode == NotFittedCode && pb.TypeCode == NotFittedCode)
                continue;
            const bool channels = la.HasChannelNames(p);
            // A multi-channel point's zone is its first channel's; the settings carry it.
            if (!(channels && d.ReadBack()) && pa.Zone != pb.Zone)
                d.Add(QStringLiteral("Zone"), PointZoneValue(la, p, pa.Zone, a),
                      PointZoneValue(lb, p, pb.Zone, b));
            for (int i = 1; i <= 8; ++i) {
                if (pa.SharedData[i] == pb.SharedData[i])
                    continue;
                // Name indexes differ with the table's order; the names themselves count.
                const bool nameIndex = i == 2 || (channels && (i == 4 || i == 6 || i == 8));
                // A single-channel point's first byte is a copy of its zone (sent as the zone).
                const bool zoneCopy = i == 1 && !channels;
                if (nameIndex || (zoneCopy && (d.ReadBack() || d.Summarise())))
                    continue;
                const TSettingName name = SettingName(la, p, i, a);
                if (name.Field.isEmpty()) {
                    // A byte the class does not use: only a comparison of files shows it.
                    if (!d.Summarise())
                        d.Add(QStringLiteral("Setting %1").arg(i), Text(pa.SharedData[i]),
                              Text(pb.SharedData[i]));
                    continue;
                }
                const TSettingName nameB = SettingName(lb, p, i, b);
                d.Add(name.Field, name.Value(pa.SharedData[i]),
                      nameB.Value ? nameB.Value(pb.SharedData[i]) : Text(pb.SharedData[i]));
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
        // Zone 0 ("Use in Special C&E") is not a zone the panel holds settings for.
        d.FileDetails(z == 0);
        d.Item(ppZoneConfig, ZoneItem(z, a, b));
        d.TextField("Name", za.Name, zb.Name);
        d.Field("Sounder delay", za.SounderTimer, zb.SounderTimer);
        d.Field("Remote delay", za.RemoteTimer, zb.RemoteTimer);
        d.Field("Relay 1 delay", za.Relay1Timer, zb.Relay1Timer);
        d.Field("Relay 2 delay", za.Relay2Timer, zb.Relay2Timer);
        d.Field("Call points", za.MCPEnable, zb.MCPEnable);
        d.Field("Sounders", za.SounderEnable, zb.SounderEnable);
        d.Field("End delays", za.EndDelays, zb.EndDelays);
        for (int i = 1; i <= 6; ++i) {
            if (za.Dependancy[i] == zb.Dependancy[i])
                continue;
            const bool option = i == 1 || i == 4;
            d.Add(QString::fromLatin1(dependancy[i - 1]),
                  option ? DependancyOptionText(za.Dependancy[i]) : Text(za.Dependancy[i]),
                  option ? DependancyOptionText(zb.Dependancy[i]) : Text(zb.Dependancy[i]));
        }
        // A Load All does not read the non-fire flags.
        d.FileDetails(true);
        d.Field("Non-fire", za.NonFireEnable, zb.NonFireEnable);
        d.FileDetails(false);
    }
}

void CompareGroups(TDiffer& d, const TData& a, const TData& b)
{
    for (int z = d.ReadBack() ? 1 : 0; z <= MaxZone; ++z) {
        d.FileDetails(z == 0);
        d.Item(ppGroupConfig, ZoneItem(z, a, b));
        for (int g = 1; g <= MaxGroup; ++g)
            d.Coded(QStringLiteral("Group %1").arg(g), a.ZoneList.Zone(z).GroupConfig[g],
                    b.ZoneList.Zone(z).GroupConfig[g], GroupReactionText);
    }
    d.FileDetails(false);
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
    d.FileDetails(true);
    d.Field("Sounders pulsed", sa.SoundersPulsed, sb.SoundersPulsed);
    d.FileDetails(false);
}

void CompareSets(TDiffer& d, const TData& a, const TData& b)
{
    for (int z = 0; z <= MaxZone; ++z) {
        d.Item(ppSetConfig, ZoneItem(z, a, b));
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
    {
        d.FileDetails(true);
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
        // A version read for the first time is no change; only one known on both sides is.
        auto version = [&d](const char* field, const QString& left, const QString& right) {
            auto known = [](const QString& v) {
                return !v.trimmed().isEmpty() && v != NotAvailableVersion;
            };
            if (!d.Summarise() || (known(left) && known(right)))
                d.TextField(field, left, right);
        };
        version("Main version", sa.MainVersion, sb.MainVersion);
        version("Front panel version", sa.FrontPanelVersion, sb.FrontPanelVersion);
        version("Loop 1 version", sa.Loop1Version, sb.Loop1Version);
        version("Loop 2 version", sa.Loop2Version, sb.Loop2Version);
        d.FileDetails(false);
    }
    d.TextField("Maintenance message", sa.MaintenanceString, sb.MaintenanceString);
    d.TextField("Quiescent message", sa.QuiescentString, sb.QuiescentString);
    d.FileDetails(!dateSent);
    d.Field("Maintenance date", sa.MaintenanceDate, sb.MaintenanceDate);
    d.FileDetails(false);
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
    d.FileDetails(true);
    d.Field("Segment", a.RepeaterList.Segment, b.RepeaterList.Segment);
    d.FileDetails(false);
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

QList<TDifference> Run(const TData& a, const TData& b, TScope scope, bool summarise = false)
{
    TDiffer d(scope, summarise);
    ComparePanel(d, a, b);
    if (d.PanelFields())
        ComparePoints(d, a, b);
    CompareZones(d, a, b);
    CompareGroups(d, a, b);
    CompareSets(d, a, b);
    CompareSite(d, a, b, a.SendMaintenanceDate);
    CompareCauseEffect(d, a, b);
    CompareNetwork(d, a, b);
    d.Item(ppComments, QStringLiteral("Comments"));
    d.FileDetails(true);
    d.TextField("Text", a.Comments, b.Comments);
    return d.Take();
}

} // namespace

QList<TDifference> TConfigDiff::Compare(const TData& left, const TData& right)
{
    return Run(left, right, TScope::Everything);
}

QList<TDifference> TConfigDiff::CompareReadBack(const TData& sent, const TData& readBack)
{
    TData expected;
    expected.AssignContent(sent);
    ToSentForm(expected);
    return Run(expected, readBack, TScope::Panel);
}

QList<TDifference> TConfigDiff::CompareChanges(const TData* panelBefore, const TData* fileBefore,
                                              const TData& after)
{
    QList<TDifference> changes;
    if (panelBefore) {
        TData expected;
        expected.AssignContent(after);
        ToSentForm(expected);
        TData held;
        held.AssignContent(*panelBefore);
        ToSentForm(held);
        // Walked from what is sent, as verify does; listed as before -> after.
        for (TDifference& d : Run(expected, held, TScope::Panel, true)) {
            std::swap(d.Left, d.Right);
            changes.append(std::move(d));
        }
    }
    if (fileBefore)
        changes += Run(*fileBefore, after, TScope::FileOnly, true);
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TDifference& x, const TDifference& y) { return x.Page < y.Page; });
    return changes;
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
