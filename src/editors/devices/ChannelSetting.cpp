#include "editors/devices/ChannelSetting.h"

#include <algorithm>

namespace ChannelSetting {

namespace {
constexpr int OutputBit = 0x80;
constexpr int InputChannelBit = 0x40;
constexpr int InputNumberMask = 0x3F;
constexpr int OutputChannelMask = 0x60;
constexpr int OutputNumberMask = 0x1F;
} // namespace

TChannelUse Use(int setting)
{
    if (setting == NotUsed)
        return cuNotUsed;
    return (setting & OutputBit) != 0 ? cuOutput : cuInput;
}

int ChannelIndex(int setting)
{
    switch (Use(setting)) {
    case cuInput:
        return (setting & InputChannelBit) != 0 ? 1 : 0;
    case cuOutput:
        return std::max((setting & OutputChannelMask) >> 5, 1) - 1;
    case cuNotUsed:
        break;
    }
    return -1;
}

int Number(int setting)
{
    switch (Use(setting)) {
    case cuInput:
        return setting & InputNumberMask;
    case cuOutput:
        return setting & OutputNumberMask;
    case cuNotUsed:
        break;
    }
    return -1;
}

int WithUse(int setting, TChannelUse use)
{
    const TChannelUse now = Use(setting);
    switch (use) {
    case cuInput:
        return now == cuInput ? setting & ~OutputBit : NewInput;
    case cuOutput:
        return now == cuOutput ? setting | OutputBit : NewOutput;
    case cuNotUsed:
        break;
    }
    return NotUsed;
}

int WithChannel(int setting, int channelIndex)
{
    switch (Use(setting)) {
    case cuInput:
        return (setting & ~InputChannelBit) | (channelIndex == 1 ? InputChannelBit : 0);
    case cuOutput:
        return (setting & ~OutputChannelMask) | (((channelIndex + 1) << 5) & OutputChannelMask);
    case cuNotUsed:
        break;
    }
    return setting;
}

int WithNumber(int setting, int number)
{
    switch (Use(setting)) {
    case cuInput:
        return (setting & ~InputNumberMask) | (number & InputNumberMask);
    case cuOutput:
        return (setting & ~OutputNumberMask) | (number & OutputNumberMask);
    case cuNotUsed:
        break;
    }
    return setting;
}

int ChannelCount(TChannelUse use)
{
    return use == cuInput ? 2 : use == cuOutput ? 3 : 0;
}

} // namespace ChannelSetting
