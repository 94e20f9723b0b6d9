#include "safety/ConfigCheck.h"

#include "model/Data.h"
#include "model/Tones.h"
#include "panel/PanelTexts.h"
#include "safety/SentForm.h"

#include <QSet>

#include <algorithm>

namespace {

// The catalogue's long name for a code it has no entry for.
const QString& UnknownDeviceName = UnsupportedTypeName;
const QString DefaultLevel2Code = QStringLiteral("3412");
const QString DefaultLevel3Code = QStringLiteral("1243");
// A channel of a multi-channel point: the low six bits give the zone (63: not used), the top
// bit makes it an output to a set.
constexpr int NotUsedChannel = 63;
constexpr int OutputChannelBit = 128;

class TFindings {
public:
    void Add(TFindingSeverity severity, TPanelPage page, int item, const QString& itemText,
             const QString& text, const QString& field = QString())
    {
        list_.append(TFinding{severity, page, item, field, itemText, text});
    }
    QList<TFinding> Take() { return std::move(list_); }

private:
    QList<TFinding> list_;
};

QString LoopPointText(const TQEMLoop& loop, int l, int p)
{
    return QStringLiteral("Loop %1 point %2").arg(l).arg(loop.PointLabel(p));
}

bool ValidCodeDigits(const QString& code)
{
    return code.size() == 4
        && std::all_of(code.begin(), code.end(),
                       [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('4'); });
}

void CheckAccessCodes(const TSiteConfig& site, TFindings& out)
{
    const QString level2 = QStringLiteral("Access Level 2 Code");
    const QString level3 = QStringLiteral("Access Level 3 Code");
    if (!site.KeyswitchOperated() && !ValidCodeDigits(site.AL2Code))
        out.Add(fsError, ppSiteConfig, 0, level2,
                QStringLiteral("The level 2 access code \"%1\" is not four digits from 1 to 4.")
                    .arg(site.AL2Code),
                QStringLiteral("AL2Code"));
    if (!ValidCodeDigits(site.AL3Code))
        out.Add(fsError, ppSiteConfig, 0, level3,
                QStringLiteral("The level 3 access code \"%1\" is not four digits from 1 to 4.")
                    .arg(site.AL3Code),
                QStringLiteral("AL3Code"));
    if (site.AL2Code == site.AL3Code)
        out.Add(fsError, ppSiteConfig, 0, level3,
                QStringLiteral("The level 2 and level 3 access codes are the same."),
                QStringLiteral("AL3Code"));
    if (site.AL2Code == DefaultLevel2Code || site.AL3Code == DefaultLevel3Code)
        out.Add(fsNote, ppSiteConfig, 0,
                site.AL2Code == DefaultLevel2Code ? level2 : level3,
                QStringLiteral("The access codes of a new configuration are still in use; anyone "
                               "who knows the defaults can operate the panel."),
                site.AL2Code == DefaultLevel2Code ? QStringLiteral("AL2Code")
                                                  : QStringLiteral("AL3Code"));
}

// The name table as a Save All would send it.
void CheckNameTable(const TData& data, TFindings& out)
{
    const TNameTable table = data.NameTableAsSent();
    const int count = table.Count();
    const int chars = table.NoOfChars();
    if (count > TNameTable::MaxNames)
        out.Add(fsError, ppLoopSummary, 0, QStringLiteral("Descriptions"),
                QStringLiteral("The points use %1 different descriptions; the panel holds at most %2.")
                    .arg(count)
                    .arg(TNameTable::MaxNames));
    if (chars > TNameTable::MaxChars)
        out.Add(fsError, ppLoopSummary, 0, QStringLiteral("Descriptions"),
                QStringLiteral("The descriptions take %1 characters; the panel holds at most %2.")
                    .arg(chars)
                    .arg(TNameTable::MaxChars));
    for (const TMergedName& merged : MergedNames(data))
        out.Add(fsNote, ppLoopSummary, 0, QStringLiteral("Descriptions"),
                MergedNameText(merged));
}

void CheckPoints(const TData& data, TFindings& out, QSet<int>& soundedGroups,
                 QSet<int>& zonesWithDevices, QSet<int>& zonesWithDetectors)
{
    for (int l = 1; l <= data.LoopCount && l <= 2; ++l) {
        const TQEMLoop& loop = data.Loop(l);
        const TPanelPage page = l == 1 ? ppLoop1 : ppLoop2;
        for (int p = 1; p <= loop.NoLoopDevices(); ++p) {
            const TDeviceType& d = loop.Devices[p];
            if (!loop.IsFitted(p))
                continue;
            const QString item = LoopPointText(loop, l, p);
            const int deviceClass = loop.DeviceClass(p);
            // A code with a short name but no long name (Apollo 96) is still a device the
            // panel knows.
            const bool named = loop.DeviceLongName(d.TypeCode) != UnknownDeviceName
                || loop.DeviceShortName(d.TypeCode) != UnknownDeviceName;
            if (deviceClass == dcInvalid || deviceClass == dcNotFitted || !named) {
                const QString protocol = SystemTypeName(loop.SystemType);
                const QString article =
                    QStringLiteral("AEIOU").contains(protocol.at(0)) ? QStringLiteral("an")
                                                                      : QStringLiteral("a");
                out.Add(fsError, page, p, item,
                        QStringLiteral("Type code %1 is not %2 %3 device the catalogue knows.")
                            .arg(d.TypeCode)
                            .arg(article, protocol));
                continue;
            }
            if (loop.HasChannelNames(p)) {
                for (int k = 0; k < 3; ++k) {
                    const int u = d.SharedData[2 * k + 1];
                    if ((u & 63) == NotUsedChannel)
                        continue;
                    if (u & OutputChannelBit) {
                        if ((u & 31) > MaxGroup)
                            out.Add(fsError, page, p, item,
                                    QStringLiteral("Channel %1 drives set %2; sets run from 1 to 16.")
                                        .arg(k + 1)
                                        .arg(u & 31));
                    } else if ((u & 63) > MaxFireZone) {
                        out.Add(fsError, page, p, item,
                                QStringLiteral("Channel %1 is on zone %2; fire zones run from 1 to 32.")
                                    .arg(k + 1)
                                    .arg(u & 63));
                    } else {
                        zonesWithDevices.insert(u & 63);
                        zonesWithDetectors.insert(u & 63);
                    }
                }
                continue;
            }
            if (loop.IsSounderClass(p)) {
                if (d.Zone < 0 || d.Zone > MaxGroup)
                    out.Add(fsError, page, p, item,
                            QStringLiteral("The sounder is in group %1; groups run from 1 to 16.")
                                .arg(d.Zone));
                else
                    soundedGroups.insert(d.Zone);
            } else if (loop.IsIOClass(p)) {
                if (d.Zone < 0 || d.Zone > MaxGroup)
                    out.Add(fsError, page, p, item,
                            QStringLiteral("The output drives set %1; sets run from 1 to 16.")
                                .arg(d.Zone));
            } else if (d.Zone < 0 || d.Zone > MaxFireZone) {
                out.Add(fsError, page, p, item,
                        QStringLiteral("The point is on zone %1; fire zones run from 1 to 32.")
                            .arg(d.Zone));
            } else {
                zonesWithDevices.insert(d.Zone);
                if (deviceClass == dcManualCallPoint || loop.IsAnalogueSensor(p)
                    || deviceClass == dcBeam || deviceClass == dcZoneMonitor)
                    zonesWithDetectors.insert(d.Zone);
            }
        }
    }
}

void CheckZones(const TData& data, int maxOutputDelay, const QSet<int>& soundedGroups,
                const QSet<int>& zonesWithDevices, const QSet<int>& zonesWithDetectors,
                TFindings& out)
{
    const TSiteConfig& site = data.SiteConfig;
    for (int z = 1; z <= MaxZone; ++z) {
        const TZone& zone = data.ZoneList.Zone(z);
        const QString item = QStringLiteral("Zone %1").arg(z);
        const TOutputDelayCheck delays = CheckOutputDelays(
            zone, site.InvestigationPeriod, site.InvestigationPeriod1, maxOutputDelay);
        if (delays.SounderTooLong || delays.RemoteTooLong)
            out.Add(fsError, ppZoneConfig, z, item,
                    QStringLiteral("Zone %1 (%2): its %3 delay plus both investigation periods is "
                                   "longer than the maximum output delay of %4 s.")
                        .arg(z)
                        .arg(zone.Name.trimmed(),
                             delays.SounderTooLong ? QStringLiteral("sounder")
                                                   : QStringLiteral("remote"))
                        .arg(maxOutputDelay));
        if (z > MaxFireZone || !zonesWithDevices.contains(z))
            continue;
        bool triggersAny = false;
        for (int g = 1; g <= MaxGroup; ++g) {
            if (zone.GroupConfig[g] == grOff)
                continue;
            triggersAny = true;
            if (!soundedGroups.contains(g))
                out.Add(fsWarning, ppGroupConfig, g, QStringLiteral("Group %1").arg(g),
                        QStringLiteral("Zone %1 triggers sounder group %2, but no sounder on "
                                       "either loop is in that group.")
                            .arg(z)
                            .arg(g));
        }
        for (int s = 1; s <= MaxSet && !triggersAny; ++s)
            triggersAny = zone.SetConfig[s] != srNotTriggered;
        if (!triggersAny && zonesWithDetectors.contains(z))
            out.Add(fsWarning, ppZoneConfig, z, item,
                    QStringLiteral("Zone %1 has detectors or call points but triggers no sounder "
                                   "group and no output set.")
                        .arg(z));
    }
}

void CheckGroupPage(const TData& data, TFindings& out)
{
    const TSiteConfig& site = data.SiteConfig;
    const int panelGroups[] = {site.PanelSounder1_Group, site.PanelSounder2_Group};
    for (int i = 0; i < 2; ++i)
        if (panelGroups[i] < 0 || panelGroups[i] > MaxGroup)
            out.Add(fsError, ppGroupConfig, 0, QStringLiteral("Panel sounder %1").arg(i + 1),
                    QStringLiteral("Panel sounder %1 is in group %2; groups run from 1 to 16.")
                        .arg(i + 1)
                        .arg(panelGroups[i]),
                    i == 0 ? QStringLiteral("PanelSounder1_Group")
                           : QStringLiteral("PanelSounder2_Group"));
    const int continuous = static_cast<int>(data.ContinuousToneNames().size());
    const int pulsed = static_cast<int>(data.PulsedToneNames().size());
    if (data.ContinuousTone < 0 || data.ContinuousTone >= continuous)
        out.Add(fsError, ppGroupConfig, 0, QStringLiteral("Continuous tone"),
                QStringLiteral("Continuous tone %1 is not in the protocol's list of %2 tones.")
                    .arg(data.ContinuousTone + 1)
                    .arg(continuous),
                QStringLiteral("ContinuousTone"));
    if (data.PulsedTone < 0 || data.PulsedTone >= pulsed)
        out.Add(fsError, ppGroupConfig, 0, QStringLiteral("Pulsed tone"),
                QStringLiteral("Pulsed tone %1 is not in the protocol's list of %2 tones.")
                    .arg(data.PulsedTone + 1)
                    .arg(pulsed),
                QStringLiteral("PulsedTone"));
}

int TargetCount(TCETargetKind kind, int noLoopDevices)
{
    switch (kind) {
    case tkNone: return 0;
    case tkLoop1Devices:
    case tkLoop2Devices: return noLoopDevices;
    case tkRelays: return 3;
    case tkGroups: return 17;
    case tkZones: return 32;
    case tkSetsAndRelays: return 19;
    case tkSets: return 16;
    case tkZonesAndPanels: return 40;
    case tkInputs: return 2;
    case tkNetworkEvents:
    case tkEvents:
    case tkEventPair:
    case tkTimes: return 16;
    }
    return 0;
}

// One target of an event: inside its list, and a device target on a fitted point.
void CheckTarget(const TData& data, int event, const QString& what, TCETargetKind kind,
                 int target, TFindings& out)
{
    const QString item = QStringLiteral("Event %1").arg(event);
    const int count = TargetCount(kind, data.NoLoopDevices());
    if (kind == tkNone)
        return;
    if (target < 0 || target >= count) {
        out.Add(fsError, ppCEConfig, event, item,
                QStringLiteral("The %1 target %2 lies beyond its list of %3.")
                    .arg(what)
                    .arg(target + 1)
                    .arg(count));
        return;
    }
    if (kind != tkLoop1Devices && kind != tkLoop2Devices)
        return;
    const int l = kind == tkLoop1Devices ? 1 : 2;
    const int point = target + 1;
    if (l > data.LoopCount || !data.Loop(l).IsFitted(point))
        out.Add(fsError, ppCEConfig, event, item,
                QStringLiteral("The %1 target is loop %2 point %3, where no device is fitted.")
                    .arg(what)
                    .arg(l)
                    .arg(data.Loop(l).PointLabel(point)));
}

void CheckCondition(const TData& data, int event, const QString& what, int code, int target,
                    TFindings& out)
{
    const int value = code & 127;
    if (value == 0)
        return;
    const QString item = QStringLiteral("Event %1").arg(event);
    // Conditions are coded 5 × (index + 1).
    const int index = value / 5 - 1;
    if (value % 5 != 0 || index >= CEConditionCount) {
        out.Add(fsError, ppCEConfig, event, item,
                QStringLiteral("The %1 condition code %2 is not in the list of conditions.")
                    .arg(what)
                    .arg(code));
        return;
    }
    if (CECondition(index).Targets == tkEventPair) {
        const int first = target / 256;
        const int second = target & 255;
        if (target < 0 || first >= CEEventCount || second >= CEEventCount)
            out.Add(fsError, ppCEConfig, event, item,
                    QStringLiteral("The %1 condition joins events beyond the list of 16.")
                        .arg(what));
        return;
    }
    CheckTarget(data, event, what, CECondition(index).Targets, target, out);
}

void CheckCauseEffect(const TData& data, TFindings& out)
{
    for (int e = 1; e <= CEEventCount; ++e) {
        const TC_EArray& ev = data.C_ETable.Events[e];
        if (ev.Action == 0)
            continue;
        const int action = ev.Action / 10;
        if (ev.Action % 10 != 0 || action <= 0 || action >= CEActionCount) {
            out.Add(fsError, ppCEConfig, e, QStringLiteral("Event %1").arg(e),
                    QStringLiteral("The action code %1 is not in the list of actions.")
                        .arg(ev.Action));
            continue;
        }
        CheckTarget(data, e, QStringLiteral("action"), CEAction(action).Targets, ev.ActionTarget,
                    out);
        CheckCondition(data, e, QStringLiteral("trigger"), ev.Trigger, ev.TriggerTarget, out);
        CheckCondition(data, e, QStringLiteral("reset"), ev.Reset, ev.ResetTarget, out);
    }
}

void CheckNetwork(const TData& data, TFindings& out)
{
    const int own = data.PanelNumber;
    if (own < 1 || own > MaxNetworkPanels)
        return;
    bool othersFitted = false;
    for (int n = 1; n <= MaxNetworkPanels; ++n)
        othersFitted = othersFitted || (n != own && data.RepeaterList.Repeaters[n].Fitted);
    if (othersFitted && !data.RepeaterList.Repeaters[own].Fitted)
        out.Add(fsError, ppNetworkConfig, own, QStringLiteral("Panel %1").arg(own),
                QStringLiteral("This configuration is for panel %1, which is not marked fitted "
                               "although other network panels are.")
                    .arg(own));
}

// Texts the panel would refuse: a save would stop part-way.
void CheckPanelTexts(const TData& data, TFindings& out)
{
    for (const TRefusedText& refused : TextsThePanelRefuses(data))
        out.Add(fsError, refused.Page, refused.Item, refused.ItemText,
                QStringLiteral("Holds %1, which the panel refuses.").arg(refused.Reason),
                refused.Field);
}

void CheckMaintenanceDate(const TSiteConfig& site, const QDate& today, TFindings& out)
{
    if (site.MaintenanceDate.isValid() && site.MaintenanceDate < today)
        out.Add(fsNote, ppSiteConfig, 0, QStringLiteral("Maintenance date"),
                QStringLiteral("The maintenance date %1 is already past.")
                    .arg(site.MaintenanceDate.toString(QStringLiteral("dd/MM/yyyy"))),
                QStringLiteral("MaintenanceDate"));
}

} // namespace

QList<TFinding> TConfigCheck::Run(const TData& data, int maxOutputDelay, const QDate& today)
{
    TFindings out;
    QSet<int> soundedGroups;
    QSet<int> zonesWithDevices;
    QSet<int> zonesWithDetectors;
    CheckNameTable(data, out);
    CheckPoints(data, out, soundedGroups, zonesWithDevices, zonesWithDetectors);
    CheckZones(data, maxOutputDelay, soundedGroups, zonesWithDevices, zonesWithDetectors, out);
    CheckGroupPage(data, out);
    CheckAccessCodes(data.SiteConfig, out);
    CheckMaintenanceDate(data.SiteConfig, today, out);
    CheckCauseEffect(data, out);
    CheckNetwork(data, out);
    CheckPanelTexts(data, out);
    QList<TFinding> findings = out.Take();
    std::stable_sort(findings.begin(), findings.end(), [](const TFinding& a, const TFinding& b) {
        return a.Page != b.Page ? a.Page < b.Page : a.Item < b.Item;
    });
    return findings;
}

bool TConfigCheck::HasErrors(const QList<TFinding>& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const TFinding& f) { return f.Severity == fsError; });
}

QString TConfigCheck::SeverityText(TFindingSeverity severity)
{
    switch (severity) {
    case fsError: return QStringLiteral("error");
    case fsWarning: return QStringLiteral("warning");
    case fsNote: return QStringLiteral("note");
    }
    return QString();
}

