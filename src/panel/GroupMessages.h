#pragma once

#include <QByteArray>

class TData;

// Sounder groups of a zone: "M" reads, "N" writes. The reply and the write also carry the
// panel sounder groups, the tones and the re-sound flag.
QByteArray GroupRequest(int zone);
QByteArray GroupWrite(const TData& data, int zone);
// The tones and the re-sound flag are taken only when the reply carries them.
bool ReadGroups(TData& data, int zone, const QByteArray& payload);
