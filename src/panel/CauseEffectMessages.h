#pragma once

#include <QByteArray>

class TData;

// Cause-and-effect events 1..16: "s" reads one, "t" writes one. The 11 bytes carry the six
// values and the event's timer time (minute, then hour).
QByteArray CauseEffectRequest(int event);
QByteArray CauseEffectWrite(const TData& data, int event);
bool ReadCauseEffect(TData& data, int event, const QByteArray& payload);
