#include "model/CauseEffect.h"

namespace {

const TCEChoice Actions[CEActionCount] = {
    {"No Event Here", tkNone},
    {"Trig Loop 1 Device", tkLoop1Devices},
    {"Trig Loop 2 Device", tkLoop2Devices},
    {"Panel Relay", tkRelays},
    {"Sounder Alert", tkGroups},
    {"Sounder Evac", tkGroups},
    {"Silence Panel", tkNone},
    {"Reset Panel", tkNone},
    {"Zone Disable", tkZones},
    {"Output Disable", tkSetsAndRelays},
    {"Trig Output Set", tkSets},
    {"Set to Occupied", tkNone},
    {"Abstract Event", tkNone},
    {"Mute the Panel", tkNone},
    {"Set to Unoccupied", tkNone},
    {"O/P Delays Disable", tkNone},
    {"Group Disable", tkGroups},
    {"Lp 1 Device Disable", tkLoop1Devices},
    {"Lp 2 Device Disable", tkLoop2Devices},
    {"End Phased Evac", tkNone},
    {"End Zone Delays", tkNone},
    {"Put Zone into Alarm", tkZones},
    {"Trig Network Event", tkNetworkEvents},
    {"Trigger Beacons", tkGroups},
};

const TCEChoice Conditions[CEConditionCount] = {
    {"Loop 1 Device Triggered", tkLoop1Devices},
    {"Loop 2 Device Triggered", tkLoop2Devices},
    {"Zone or Panel in Fire", tkZonesAndPanels},
    {"Any Zone in Fire", tkNone},
    {"Panel Silenced", tkNone},
    {"Panel Reset", tkNone},
    {"Any Pre-Alarm", tkNone},
    {"Loop 1 Device Pre-Alarm", tkLoop1Devices},
    {"Loop 2 Device Pre-Alarm", tkLoop2Devices},
    {"Any fault", tkNone},
    {"Panel Input", tkInputs},
    {"Other event Triggered", tkEvents},
    {"Event AND", tkEventPair},
    {"Panel Occupied", tkNone},
    {"Panel Unoccupied", tkNone},
    {"Timer event Tn", tkTimes},
    {"Zone has device in Alarm", tkZonesAndPanels},
    {"Any device in Alarm", tkNone},
    {"Any Remote panel in Fire", tkNone},
    {"Any Disablement", tkNone},
    {">1 Alarm", tkNone},
    {">1 Zone in Alarm", tkNone},
    {"Network Event Trig'd", tkNetworkEvents},
};

const TCEChoice NoChoice = {"", tkNone};

constexpr int FalseTrueBit = 128;

void Numbered(QStringList& list, const char* prefix, int first, int last)
{
    for (int i = first; i <= last; ++i)
        list << QString::fromLatin1(prefix) + QString::number(i);
}

TCECondition DecodeCondition(int code, int target, bool bitMeansTrue)
{
    TCECondition c;
    const bool bit = code >= FalseTrueBit;
    c.IsTrue = bitMeansTrue ? bit : !bit;
    c.Index = ((code & 127) - 1) / 5;
    c.IsAnd = (code & 127) == CEAndConditionCode;
    if (c.IsAnd) {
        c.FirstEvent = target / 256;
        c.SecondEvent = target & 255;
    } else {
        c.Target = target;
    }
    return c;
}

} // namespace

int& TC_EArray::Value(int i)
{
    switch (i) {
    case 1: return Action;
    case 2: return ActionTarget;
    case 3: return Trigger;
    case 4: return TriggerTarget;
    case 5: return Reset;
    case 6: return ResetTarget;
    }
    ZolIndexFailure(i, 1, 6);
}

int TC_EArray::Value(int i) const
{
    return const_cast<TC_EArray*>(this)->Value(i);
}

const TCEChoice& CEAction(int index)
{
    return index >= 0 && index < CEActionCount ? Actions[index] : NoChoice;
}

const TCEChoice& CECondition(int index)
{
    return index >= 0 && index < CEConditionCount ? Conditions[index] : NoChoice;
}

QString CEActionText(int index)
{
    return QString::fromLatin1(CEAction(index).Text);
}

QString CEConditionText(int index)
{
    return QString::fromLatin1(CECondition(index).Text);
}

QStringList CETargetList(TCETargetKind kind, int noLoopDevices)
{
    QStringList list;
    switch (kind) {
    case tkNone:
        break;
    case tkLoop1Devices:
    case tkLoop2Devices:
        for (int i = 1; i <= noLoopDevices; ++i)
            list << QString::number(i);
        break;
    case tkRelays:
        Numbered(list, "Relay ", 1, 3);
        break;
    case tkGroups:
        list << QStringLiteral("All Groups");
        Numbered(list, "Group ", 1, 16);
        break;
    case tkZones:
        Numbered(list, "Zone ", 1, 32);
        break;
    case tkSetsAndRelays:
        Numbered(list, "Set ", 1, 16);
        Numbered(list, "Relay ", 1, 3);
        break;
    case tkSets:
        Numbered(list, "Set ", 1, 16);
        break;
    case tkZonesAndPanels:
        Numbered(list, "Zone ", 1, 32);
        Numbered(list, "Panel ", 1, 8);
        break;
    case tkInputs:
        Numbered(list, "Input ", 1, 2);
        break;
    case tkNetworkEvents:
    case tkEvents:
    case tkEventPair:
        Numbered(list, "Event ", 1, 16);
        break;
    case tkTimes:
        Numbered(list, "Time ", 1, 16);
        break;
    }
    return list;
}

TCEDecoded DecodeCEEvent(const TC_EArray& event)
{
    TCEDecoded d;
    d.HasEvent = event.Action != 0;
    if (!d.HasEvent)
        return d;
    d.ActionIndex = event.Action / 10;
    d.ActionTarget = event.ActionTarget;
    d.Trigger = DecodeCondition(event.Trigger, event.TriggerTarget, false);
    d.ResetCondition = DecodeCondition(event.Reset, event.ResetTarget, true);
    return d;
}

int EncodeTrigger(int conditionIndex, bool isTrue)
{
    return 5 * (conditionIndex + 1) + (isTrue ? 0 : FalseTrueBit);
}

int EncodeReset(int conditionIndex, bool isTrue)
{
    return 5 * (conditionIndex + 1) + (isTrue ? FalseTrueBit : 0);
}

bool ActionNeedsFirmwareNotice(int actionIndex)
{
    return actionIndex >= 19 && actionIndex <= 23;
}

bool ConditionNeedsFirmwareNotice(int conditionIndex)
{
    return conditionIndex >= 20 && conditionIndex <= 22;
}

TC_ETable::TC_ETable()
{
    for (QString& t : Times)
        t = QStringLiteral("00:00");
}

void TC_ETable::ResetToNew()
{
    Events.Fill(TC_EArray{});
    Events[1] = TC_EArray{50, 0, 55, 0, 55, 0};
    Events[2] = TC_EArray{40, 0, 55, 1, 55, 1};
    for (QString& t : Times)
        t = QStringLiteral("00:00");
}

void TC_ETable::SetAction(int event, int actionIndex)
{
    TC_EArray& e = Events[event];
    if (actionIndex == 0)
        e = TC_EArray{};
    else
        e.Action = 10 * actionIndex;
    Changed();
}

void TC_ETable::SetActionTarget(int event, int target)
{
    Events[event].ActionTarget = target;
    Changed();
}

void TC_ETable::SetCondition(int event, TCEConditionSlot slot, int conditionIndex, bool isTrue)
{
    TC_EArray& e = Events[event];
    int& code = slot == csTrigger ? e.Trigger : e.Reset;
    int& target = slot == csTrigger ? e.TriggerTarget : e.ResetTarget;
    code = slot == csTrigger ? EncodeTrigger(conditionIndex, isTrue)
                             : EncodeReset(conditionIndex, isTrue);
    if (CECondition(conditionIndex).Targets == tkNone)
        target = 0;
    Changed();
}

void TC_ETable::SetConditionTarget(int event, TCEConditionSlot slot, int first, int second)
{
    TC_EArray& e = Events[event];
    const int code = slot == csTrigger ? e.Trigger : e.Reset;
    int& target = slot == csTrigger ? e.TriggerTarget : e.ResetTarget;
    target = (code & 127) == CEAndConditionCode ? first * 256 + second : second;
    Changed();
}

void TC_ETable::SetTime(int n, const QString& text)
{
    Times[n] = text;
    Changed();
}

void TC_ETable::Changed()
{
    if (OnChange)
        OnChange();
}
