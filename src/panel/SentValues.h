#pragma once

#include "model/QEMLoop.h"

#include <QString>

// Values a Save All converts on the way to the panel. The messages and the verify after a
// save both use them, so verify expects exactly what was sent.

// A point's first byte: a multi-channel point's first channel, otherwise its zone; a
// sounder carries the sounder bit.
inline int SentZoneByte(const TQEMLoop& loop, int point)
{
    const TDeviceType& d = loop.Devices[point];
    int zoneByte = loop.HasChannelNames(point) ? d.SharedData[1] : d.Zone;
    if (loop.IsSounderClass(point))
        zoneByte |= 0x80;
    return zoneByte;
}

// Access codes are kept as the digits the engineer typed; the panel holds a number (an
// empty code goes as 0).
inline int SentAccessCode(const QString& code)
{
    return code.trimmed().toInt();
}
