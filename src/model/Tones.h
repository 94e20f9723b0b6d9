#pragma once

#include "model/SystemType.h"

#include <QStringList>

// Panel sounder tones. Hochiki panels offer one 7-entry list for both tones; every other
// protocol offers a 14-entry continuous list whose pulsed list holds each tone's companion.
QStringList ContinuousToneNames(TSystemType type);
QStringList PulsedToneNames(TSystemType type);
// In the 14-entry family the pulsed tone follows the continuous tone.
bool PulsedToneFollowsContinuous(TSystemType type);
