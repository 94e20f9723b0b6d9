#pragma once

#include "model/IndexedArray.h"

#include <QString>

// Zone 0 is "Use in Special C&E" (its SetConfig 1..18 are the silenceable flags of the sets),
// 1..32 are fire zones, 33..40 stand for network panels 1..8.
constexpr int MaxZone = 40;
constexpr int MaxFireZone = 32;
constexpr int MaxGroup = 16;
constexpr int MaxSet = 18;

inline const QString SpecialCEName = QStringLiteral("Use in Special C&E");

enum TGroupReaction : int { grOff = 0, grPulsed = 1, grContinuous = 2 };
enum TSetReaction : int { srNotTriggered = 0, srPulsed = 1, srContinuous = 2, srDelayed = 3 };
enum TDependancyOption : int {
    doA = 1,
    doB = 2,
    doC = 3,
    doNormal = 4,
    doInvestigation = 5,
};

struct TZone {
    QString Name;
    bool MCPEnable = false;
    bool SounderEnable = false;
    int RemoteTimer = 0;
    int SounderTimer = 0;
    int Relay1Timer = 0;
    int Relay2Timer = 0;
    bool NonFireEnable = false;
    bool EndDelays = false;
    TIndexedArray<int, 1, MaxGroup> GroupConfig;
    TIndexedArray<int, 0, MaxSet> SetConfig;
    // Day option, day detector reset, day alarm reset, night option, night detector reset,
    // night alarm reset.
    TIndexedArray<int, 1, 6> Dependancy{1, 0, 0, 1, 0, 0};

    bool UsesInvestigation() const;
};

class TZoneList {
public:
    TZoneList();

    TIndexedArray<TZone, 0, MaxZone> Zones;

    TZone& Zone(int n) { return Zones[n]; }
    const TZone& Zone(int n) const { return Zones[n]; }

    // New values of zones 1..40; zone 0 and EndDelays are left alone.
    void ResetToNew();
    // "Set All Off" / "Set All Pulsed" / "Set All Continuous": groups 1..16 of zones 1..40.
    void SetAllGroups(int reaction);
    // "Clear All": sets 1..18 of zones 1..40 (zone 0 holds the silenceable flags).
    void ClearAllSets();

    bool IsSilenceable(int set) const;
    void SetSilenceable(int set, bool silenceable);
};

// Display names of groups 0..16 and sets 0..18, in one list of 36 entries: groups first.
class TGroupList {
public:
    static constexpr int Count = (MaxGroup + 1) + (MaxSet + 1);
    TGroupList();
    // Entry i of the list as the device dialogs show it (0..16 groups, 17..35 sets).
    QString Entry(int i) const { return names_[i]; }
    QString GroupName(int group) const { return names_[group]; }
    QString SetName(int set) const { return names_[MaxGroup + 1 + set]; }

private:
    TIndexedArray<QString, 0, Count - 1> names_;
};

// Row 1..40 where a zone is chosen or shown: "Zone 3 – Plant Room", "Panel 2 – Annexe", or
// "Zone 3" while the zone has no name of its own.
QString ZoneCaption(const TZoneList& zones, int zone);

QString DependancyOptionText(int option);
// The zone page's indication of a zone's dependency options.
QString DependancyIndication(const TZone& zone);

// The limits of one row (day or night) of the dependency dialog. Limits carry over from one
// option to the next as the dialog's spins do: option A lowers the day alarm minimum to 0,
// option B raises the detector maximum to 240 s and the alarm minimum back to 300 s.
class TDependancyRowLimits {
public:
    explicit TDependancyRowLimits(bool dayRow) : dayRow_(dayRow) {}

    static bool DetectorTimeApplies(int option) { return option == doA; }
    static bool AlarmTimeApplies(int option) { return option == doA || option == doB; }

    // Sets the limits for option and cuts or raises the two stored times to them.
    void Apply(int option, int& detectorReset, int& alarmReset);

    int DetectorMin() const { return 0; }
    int DetectorMax() const { return detectorMax_; }
    int AlarmMin() const { return alarmMin_; }
    int AlarmMax() const { return 1800; }

private:
    bool dayRow_;
    int detectorMax_ = 60;
    int alarmMin_ = 300;
};

// Investigation check of one zone: with a day or night option of Investigation, a delay plus
// both investigation periods above the maximum output delay is too long.
struct TOutputDelayCheck {
    bool SounderTooLong = false;
    bool RemoteTooLong = false;
};
TOutputDelayCheck CheckOutputDelays(const TZone& zone, int investigationPeriod,
                                    int investigationPeriod1, int maxOutputDelay);

constexpr int DefaultMaxOutputDelay = 600;
inline const QString OutputDelaysExceededMessage =
    QStringLiteral("There are output delays exceeding 10 Minutes which MUST be resolved");
