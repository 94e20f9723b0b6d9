#pragma once

#include "model/CauseEffect.h"

#include <QString>

// What the cause-and-effect page shows for one event, decoded from the model. An empty text
// stands for a control the page hides (or a selection beyond its list).
struct TCERowTexts {
    QString Action;
    QString ActionTarget;
    QString Trigger;
    QString TriggerFirstEvent; // the first event of an AND condition
    QString TriggerTarget;     // for an AND condition, its second event
    QString TriggerTruth;      // "TRUE" or "FALSE"
    QString Reset;
    QString ResetFirstEvent;
    QString ResetTarget;
    QString ResetTruth;
};

TCERowTexts CERowTexts(const TC_EArray& event, int noLoopDevices);
