#pragma once

#include "model/IndexedArray.h"

#include <QString>
#include <QStringList>

#include <functional>

constexpr int CEEventCount = 16;
constexpr int CETimeCount = 16;

// One special cause-and-effect event: six integers shared by the page, the file and the panel.
//   Action       10 × action index; 0 = no event
//   ActionTarget index into the action's target list
//   Trigger      5 × (condition index + 1), + 128 when the condition must be FALSE
//   TriggerTarget index into the condition's target list; AND: first × 256 + second
//   Reset        5 × (condition index + 1), + 128 when the condition must be TRUE
//   ResetTarget  as TriggerTarget
struct TC_EArray {
    int Action = 0;
    int ActionTarget = 0;
    int Trigger = 0;
    int TriggerTarget = 0;
    int Reset = 0;
    int ResetTarget = 0;

    // Values 1..6 in the order above, as the file and the panel carry them.
    int& Value(int i);
    int Value(int i) const;
    bool operator==(const TC_EArray&) const = default;
};

// What a target list holds.
enum TCETargetKind {
    tkNone,
    tkLoop1Devices,
    tkLoop2Devices,
    tkRelays,          // "Relay 1".."Relay 3"
    tkGroups,          // "All Groups", "Group 1".."Group 16"
    tkZones,           // "Zone 1".."Zone 32"
    tkSetsAndRelays,   // "Set 1".."Set 16", "Relay 1".."Relay 3"
    tkSets,            // "Set 1".."Set 16"
    tkNetworkEvents,   // "Event 1".."Event 16"
    tkZonesAndPanels,  // "Zone 1".."Zone 32", "Panel 1".."Panel 8"
    tkInputs,          // "Input 1", "Input 2"
    tkEvents,          // "Event 1".."Event 16"
    tkEventPair,       // two lists "Event 1".."Event 16"
    tkTimes,           // "Time 1".."Time 16"
};

struct TCEChoice {
    const char* Text;
    TCETargetKind Targets;
};

constexpr int CEActionCount = 24;
constexpr int CEConditionCount = 23;
constexpr int CEAndConditionIndex = 12;
constexpr int CEAndConditionCode = 65;

const TCEChoice& CEAction(int index);
const TCEChoice& CECondition(int index);
QString CEActionText(int index);      // empty outside the table
QString CEConditionText(int index);   // empty outside the table
// The texts of a target list; device lists run 1..noLoopDevices.
QStringList CETargetList(TCETargetKind kind, int noLoopDevices);

// An event decoded for display.
struct TCECondition {
    bool IsTrue = true;   // "= TRUE" / "= FALSE"
    int Index = 0;        // condition index (table C)
    bool IsAnd = false;
    int Target = 0;       // ordinary conditions
    int FirstEvent = 0;   // AND conditions: event indexes 0..15
    int SecondEvent = 0;
};
struct TCEDecoded {
    bool HasEvent = false;
    int ActionIndex = 0;
    int ActionTarget = 0;
    TCECondition Trigger;
    TCECondition ResetCondition;
};
TCEDecoded DecodeCEEvent(const TC_EArray& event);

// Conditions code: 5 × (index + 1) plus the TRUE/FALSE bit. The bit has opposite meanings in
// the two conditions: set means "= FALSE" for the trigger and "= TRUE" for the reset.
int EncodeTrigger(int conditionIndex, bool isTrue);
int EncodeReset(int conditionIndex, bool isTrue);

// Actions 19..23 and conditions 20..22 need panel firmware 9A07 or later.
bool ActionNeedsFirmwareNotice(int actionIndex);
bool ConditionNeedsFirmwareNotice(int conditionIndex);
inline const QString CEFirmwareNotice =
    QStringLiteral("These C&E Equations require Panel firmware 9A07 or higher");

enum TCEConditionSlot { csTrigger, csReset };

class TC_ETable {
public:
    TIndexedArray<TC_EArray, 1, CEEventCount> Events;
    TIndexedArray<QString, 1, CETimeCount> Times;

    // Called after every edit, so the document can mark itself modified.
    std::function<void()> OnChange;

    TC_ETable();
    void ResetToNew();

    // Index 0 ("No Event Here") clears all six values.
    void SetAction(int event, int actionIndex);
    void SetActionTarget(int event, int target);
    // A condition without a target list also sets its target to 0.
    void SetCondition(int event, TCEConditionSlot slot, int conditionIndex, bool isTrue);
    // Ordinary conditions take second; AND conditions first × 256 + second.
    void SetConditionTarget(int event, TCEConditionSlot slot, int first, int second);
    void SetTime(int n, const QString& text);

private:
    void Changed();
};
