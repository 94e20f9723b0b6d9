#include "reports/CauseEffectTexts.h"

#include <QStringList>

namespace {

QString Entry(const QStringList& list, int index)
{
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

void ConditionTexts(const TCECondition& c, int noLoopDevices, QString& condition,
                    QString& firstEvent, QString& target, QString& truth)
{
    condition = CEConditionText(c.Index);
    const QStringList targets = CETargetList(CECondition(c.Index).Targets, noLoopDevices);
    if (c.IsAnd) {
        firstEvent = Entry(targets, c.FirstEvent);
        target = Entry(targets, c.SecondEvent);
    } else {
        target = Entry(targets, c.Target);
    }
    truth = c.IsTrue ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

} // namespace

TCERowTexts CERowTexts(const TC_EArray& event, int noLoopDevices)
{
    TCERowTexts t;
    const TCEDecoded d = DecodeCEEvent(event);
    if (!d.HasEvent)
        return t;
    t.Action = CEActionText(d.ActionIndex);
    t.ActionTarget =
        Entry(CETargetList(CEAction(d.ActionIndex).Targets, noLoopDevices), d.ActionTarget);
    ConditionTexts(d.Trigger, noLoopDevices, t.Trigger, t.TriggerFirstEvent, t.TriggerTarget,
                   t.TriggerTruth);
    ConditionTexts(d.ResetCondition, noLoopDevices, t.Reset, t.ResetFirstEvent, t.ResetTarget,
                   t.ResetTruth);
    return t;
}
