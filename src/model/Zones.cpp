#include "model/Zones.h"

bool TZone::UsesInvestigation() const
{
    return Dependancy[1] == doInvestigation || Dependancy[4] == doInvestigation;
}

TZoneList::TZoneList()
{
    for (int n = 0; n <= MaxZone; ++n)
        Zones[n].Name = QStringLiteral("Zone ") + QString::number(n);
    Zones[0].Name = SpecialCEName;
}

void TZoneList::ResetToNew()
{
    for (int n = 1; n <= MaxZone; ++n) {
        TZone& z = Zones[n];
        for (int g = 1; g <= MaxGroup; ++g)
            z.GroupConfig[g] = g <= 5 ? grContinuous : grOff;
        for (int s = 0; s <= 16; ++s)
            z.SetConfig[s] = srNotTriggered;
        z.SetConfig[17] = srContinuous;
        z.SetConfig[18] = srContinuous;
        z.Name = n <= MaxFireZone ? QStringLiteral("Zone ") + QString::number(n)
                                  : QStringLiteral("Panel ") + QString::number(n - MaxFireZone);
        z.SounderTimer = 0;
        z.RemoteTimer = 0;
        z.Relay1Timer = 0;
        z.Relay2Timer = 0;
        z.Dependancy = {doNormal, 60, 300, doNormal, 60, 300};
        z.SounderEnable = true;
        z.MCPEnable = false;
        z.NonFireEnable = false;
    }
}

void TZoneList::SetAllGroups(int reaction)
{
    for (int n = 1; n <= MaxZone; ++n)
        for (int g = 1; g <= MaxGroup; ++g)
            Zones[n].GroupConfig[g] = reaction;
}

void TZoneList::ClearAllSets()
{
    for (int n = 1; n <= MaxZone; ++n)
        for (int s = 1; s <= MaxSet; ++s)
            Zones[n].SetConfig[s] = srNotTriggered;
}

bool TZoneList::IsSilenceable(int set) const
{
    return Zones[0].SetConfig[set] == 1;
}

void TZoneList::SetSilenceable(int set, bool silenceable)
{
    Zones[0].SetConfig[set] = silenceable ? 1 : 0;
}

TGroupList::TGroupList()
{
    for (int g = 0; g <= MaxGroup; ++g)
        names_[g] = QStringLiteral("Group ") + QString::number(g);
    for (int s = 0; s <= MaxSet; ++s)
        names_[MaxGroup + 1 + s] = QStringLiteral("Set ") + QString::number(s);
    names_[0] = SpecialCEName;
    names_[MaxGroup + 1] = SpecialCEName;
}

QString ZoneCaption(const TZoneList& zones, int zone)
{
    QString caption = zone <= MaxFireZone ? QStringLiteral("Zone ") + QString::number(zone)
                                          : QStringLiteral("Panel ") + QString::number(zone - MaxFireZone);
    if (zone >= 0 && zone <= MaxZone) {
        const QString name = zones.Zone(zone).Name.trimmed();
        // A new document names its zones "Zone 3": that is not said twice.
        if (!name.isEmpty() && name.compare(caption, Qt::CaseInsensitive) != 0)
            caption += QStringLiteral(" \u2013 ") + name;
    }
    return caption;
}

QString DependancyOptionText(int option)
{
    switch (option) {
    case doA: return QStringLiteral("A");
    case doB: return QStringLiteral("B");
    case doC: return QStringLiteral("C");
    case doNormal: return QStringLiteral("Normal");
    case doInvestigation: return QStringLiteral("Investigation");
    }
    return QString();
}

QString DependancyIndication(const TZone& zone)
{
    if (zone.Dependancy[1] == doNormal && zone.Dependancy[4] == doNormal)
        return QStringLiteral("Normal, Click to change...");
    return QStringLiteral("Click for dependency options......");
}

void TDependancyRowLimits::Apply(int option, int& detectorReset, int& alarmReset)
{
    if (option == doA) {
        detectorMax_ = 60;
        if (detectorReset > 60)
            detectorReset = 60;
        if (dayRow_)
            alarmMin_ = 0;
    } else if (option == doB) {
        detectorMax_ = 240;
        alarmMin_ = 300;
        if (alarmReset < 300)
            alarmReset = 300;
    }
}

TOutputDelayCheck CheckOutputDelays(const TZone& zone, int investigationPeriod,
                                    int investigationPeriod1, int maxOutputDelay)
{
    TOutputDelayCheck result;
    if (!zone.UsesInvestigation())
        return result;
    // Wide sums: the values come from files and panels and may be anything an int holds.
    const qint64 periods = qint64(investigationPeriod) + investigationPeriod1;
    result.SounderTooLong = zone.SounderTimer + periods > maxOutputDelay;
    result.RemoteTooLong = zone.RemoteTimer + periods > maxOutputDelay;
    return result;
}
