#pragma once

#include "model/SystemType.h"

#include <QByteArray>
#include <optional>

class TData;

// The link checks: the NVM program link ("B"), the firmware versions ("\") and the loop
// protocol ("V" read, "W" write).
QByteArray LinkCheckRequest();
QByteArray VersionRequest();
QByteArray LoopTypeRequest();
QByteArray LoopTypeWrite(const TData& data);

// "B": the link is fitted when the first byte is 0xFF. Nothing when the reply is empty.
std::optional<bool> ReadLinkCheck(const QByteArray& payload);
// "\": main, loop 1, loop 2 and front panel versions, five characters each.
bool ReadVersions(TData& data, const QByteArray& payload);

struct TLoopTypeReply {
    int Protocol = 0;
    int LoopCount = 2;
};
// "V": the protocol, and the loop count when the panel sends it (2 otherwise).
std::optional<TLoopTypeReply> ReadLoopType(const QByteArray& payload);
