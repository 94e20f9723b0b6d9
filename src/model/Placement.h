#pragma once

#include "model/QEMLoop.h"

#include <functional>

inline const QString ChangeDeviceQuestion =
    QStringLiteral(" Are you sure that you want to change the current device to this new type ?");
inline const QString RemoveDeviceQuestion =
    QStringLiteral(" Are you sure that you want to remove the current device ?");

// What a new type does to the point's settings.
enum TPlacementSettings {
    // The loop page: the device starts from its class defaults; the description stays with
    // the address, also when the device is removed.
    psClassDefaults,
    // The Loop Summary's type column: a named point keeps its settings unless it moves into
    // or out of the output sets; a removal clears the point.
    psKeepNamed,
};

// The questions a placement may need answered, put by the page to the engineer.
struct TPlacementQuestions {
    std::function<void(const QString& refusal)> Refuse;
    // Asked before a fitted device is replaced or removed; not set, nothing is asked.
    std::function<bool(const QString& question)> ConfirmReplace;
    std::function<bool(const QString& question)> ConfirmGroupCommand;
};

// A device the catalogue does not know (the type before any toolbar choice) is never placed.
bool IsPlaceableCode(const TQEMLoop& loop, int code);

// Placing code at point would first ask to replace the fitted device there.
bool PlacementAsksFirst(const TQEMLoop& loop, int point, int code);

// The one rule for putting a device (or NotFittedCode, removing one) at a point: refusals,
// the replace and group-command questions, the base sounder and remote LED, the settings
// kept or reset, and the name table. True when the point changed; choosing the type the
// point already has only acknowledges a type the panel reported differently.
bool PlaceAtPoint(TQEMLoop& loop, int point, int code, TPlacementSettings settings,
                  const TPlacementQuestions& questions);
