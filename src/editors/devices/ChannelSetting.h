#pragma once

// The setting byte of one sub-address of a multi-channel input/output unit:
//   255           not used
//   bit 7 clear   input: bit 6 = channel (0 "Channel 1", 1 "Channel 2"), bits 0..5 = zone
//   bit 7 set     output: bits 5..6 = channel 1..3 (0 reads as channel 1), bits 0..4 = set
//                 (or group on a sounder controller)
enum TChannelUse : int { cuInput = 0, cuOutput = 1, cuNotUsed = 2 };

namespace ChannelSetting {

constexpr int NotUsed = 255;
constexpr int NewInput = 0;     // channel 1, zone 0
constexpr int NewOutput = 160;  // bit 7, channel 1, number 0

TChannelUse Use(int setting);
// The channel list index (0 = "Channel 1").
int ChannelIndex(int setting);
// The zone (input) or set/group (output) number.
int Number(int setting);

// The byte after the engineer chose a use, a channel list index or a number list index.
int WithUse(int setting, TChannelUse use);
int WithChannel(int setting, int channelIndex);
int WithNumber(int setting, int number);

// Channels offered for a use: 2 for inputs, 3 for outputs, none when not used.
int ChannelCount(TChannelUse use);

} // namespace ChannelSetting
