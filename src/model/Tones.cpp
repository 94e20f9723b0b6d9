#include "model/Tones.h"

namespace {

QStringList HochikiTones()
{
    return {
        QStringLiteral("925Hz/628Hz @ 2Hz"),
        QStringLiteral("925Hz Continous"),
        QStringLiteral("628Hz Continous"),
        QStringLiteral("French 554Hz 100ms/440Hz 400ms"),
        QStringLiteral("Swedish 660Hz 150ms On/Off"),
        QStringLiteral("925Hz 150ms On/600ms Off"),
        QStringLiteral("670Hz 250ms/845Hz 375ms"),
    };
}

} // namespace

QStringList ContinuousToneNames(TSystemType type)
{
    if (type == stHochikiLoop)
        return HochikiTones();
    return {
        QStringLiteral("Apollo Standard 550Hz/825Hz"),
        QStringLiteral("Hochiki/Fulleon 925Hz/626Hz"),
        QStringLiteral("Medium Sweep 800Hz to 970Hz"),
        QStringLiteral("Fast Sweep 2500Hz to 2850Hz"),
        QStringLiteral("Dutch slow whoop 500Hz to 1200Hz"),
        QStringLiteral("Sweep-DIN 1200Hz to 500Hz"),
        QStringLiteral("Swedish Fire 660Hz/silent"),
        QStringLiteral("Australian (fast rise)"),
        QStringLiteral("New Zealand (slow rise)"),
        QStringLiteral("US Temporal LF (ISO 8201)"),
        QStringLiteral("US Temporal HF (ISO 8201)"),
        QStringLiteral("Simulated Bell"),
        QStringLiteral("Emergency Warning Siren"),
        QStringLiteral("970Hz Continuous"),
    };
}

QStringList PulsedToneNames(TSystemType type)
{
    if (type == stHochikiLoop)
        return HochikiTones();
    return {
        QStringLiteral("Apollo Standard 825Hz/Silent"),
        QStringLiteral("925Hz Continuous"),
        QStringLiteral("970Hz Continuous"),
        QStringLiteral("2850Hz Continuous"),
        QStringLiteral("825Hz Continuous"),
        QStringLiteral("825Hz Continuous"),
        QStringLiteral("Swedish All clear 660Hz Continuous"),
        QStringLiteral("Australian Alert"),
        QStringLiteral("New Zealand Alert"),
        QStringLiteral("970Hz Continuous"),
        QStringLiteral("2850Hz Continuous"),
        QStringLiteral("Simulated Bell intermittent"),
        QStringLiteral("Emergency Warning Siren All Clear"),
        QStringLiteral("970Hz Intermittent 1s on, 1s off"),
    };
}

bool PulsedToneFollowsContinuous(TSystemType type)
{
    return type != stHochikiLoop;
}
