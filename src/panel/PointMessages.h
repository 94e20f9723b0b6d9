#pragma once

#include <QByteArray>

class TData;

// Loop points: "I" reads one point, "J" writes one. Points are addressed by their wire number
// (System Sensor modules sit at 101..199).
QByteArray PointRequest(const TData& data, int loop, int point);
QByteArray PointWrite(const TData& data, int loop, int point);

// Stores an "I" reply at the given point whatever address it echoes; sets TypeMismatch when a
// fitted point's type differs from the panel's. False, with nothing stored, when it is short.
bool ReadPoint(TData& data, int loop, int point, const QByteArray& payload);
// Whether an "I" reply echoes the address of this "I" request (a reply for another point, a
// late answer to an earlier request, does not).
bool IsPointAnswerTo(const QByteArray& request, const QByteArray& payload);

// "Loading data for Loop 1 - Point 5", "... - Point S5" / "- Point M1" on System Sensor.
QString PointStatusText(const TData& data, bool saving, int loop, int point);
