#pragma once

#include "model/Zones.h"

#include <QString>

#include <functional>

class TData;
class TPrompts;

// What every page and dialog of the desktop program is given by the main window: the one
// document, the way to talk to the user, and the few program-wide settings and services a
// page cannot reach on its own.
struct TEditorContext {
    TData& Data;
    TPrompts& Prompts;

    // Protocol_Buttons.ini "Program Configuration" / MaxOutputDelay, in seconds.
    int MaxOutputDelay = DefaultMaxOutputDelay;
    // Protocol_Buttons.ini: the device toolbar's definition.
    QString ButtonsIniPath;

    // "Device Selection": lets the user pick a fitted address on loop 1 or 2; 0 when the
    // window was cancelled. Set by the main window.
    std::function<int(int loop)> ChooseDevice;
};
