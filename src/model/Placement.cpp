#include "model/Placement.h"

namespace {

// Writes the new type and its settings, without any question.
void Put(TQEMLoop& loop, int point, int code, TPlacementSettings settings)
{
    TDeviceType& d = loop.Devices[point];
    const bool wasDetector = loop.IsAnalogueSensor(point);
    const bool wasIO = loop.IsIOClass(point);
    const int remoteLed = d.RemoteLed();
    if (settings == psClassDefaults) {
        d.TypeCode = code;
        loop.ResetPointData(point);
    } else {
        if (code >= NotFittedCode)
            loop.ClearPoint(point);
        d.TypeCode = code;
        if (d.NameIndex() == 0 || loop.IsIOClass(point) != wasIO)
            loop.ResetPointData(point);
    }
    if (!loop.IsAnalogueSensor(point) || !wasDetector) {
        // On Hochiki the slot is a device address of its own: only a sounder there is this
        // point's base sounder, anything else is left alone.
        if (loop.HasBaseSounderSlot(point)
            && (loop.SystemType == stApolloLoop || loop.BaseSounderFitted(point)))
            loop.Devices[point + TQEMLoop::BaseSounderOffset].TypeCode = NotFittedCode;
    } else {
        d.RemoteLed() = remoteLed > 0 ? 1 : 0;
    }
    d.TypeMismatch = false;
}

} // namespace

bool IsPlaceableCode(const TQEMLoop& loop, int code)
{
    return code >= NotFittedCode || IsKnownDeviceCode(loop.SystemType, code);
}

bool PlacementAsksFirst(const TQEMLoop& loop, int point, int code)
{
    return loop.IsFitted(point) && loop.Devices[point].TypeCode != code
        && IsPlaceableCode(loop, code) && loop.PlacementRefusal(point, code).isEmpty();
}

bool PlaceAtPoint(TQEMLoop& loop, int point, int code, TPlacementSettings settings,
                  const TPlacementQuestions& questions)
{
    if (!IsPlaceableCode(loop, code))
        return false;
    const QString refusal = loop.PlacementRefusal(point, code);
    if (!refusal.isEmpty()) {
        if (questions.Refuse)
            questions.Refuse(refusal);
        return false;
    }
    TDeviceType& d = loop.Devices[point];
    if (d.TypeCode == code) {
        const bool acknowledged = d.TypeMismatch;
        d.TypeMismatch = false;
        return acknowledged;
    }
    if (questions.ConfirmReplace && loop.IsFitted(point)
        && !questions.ConfirmReplace(code < NotFittedCode ? ChangeDeviceQuestion
                                                          : RemoveDeviceQuestion))
        return false;
    Put(loop, point, code, settings);
    if (loop.NeedsGroupCommandConsent(point, code)
        && !(questions.ConfirmGroupCommand && questions.ConfirmGroupCommand(GroupCommandQuestion)))
        Put(loop, point, NotFittedCode, settings);
    if (loop.OnNamesChanged)
        loop.OnNamesChanged();
    return true;
}
