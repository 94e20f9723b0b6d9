#pragma once

#include <QByteArray>
#include <QDateTime>

class TData;

// The site block. Reads, in the order the panel is asked: "G" maintenance text, "K"
// maintenance date, "O" level-2 code, "Q" level-3 code and verification delays, "X" (its
// reply carries nothing we keep), "S" phased delay and investigation periods, "m" quiescent
// text, "o" times and day/night flags.
QByteArray SiteRequest(char letter);

void ReadMaintenanceText(TData& data, const QByteArray& payload);
// A date the calendar rejects is not stored; the reply still counts as answered.
bool ReadMaintenanceDate(TData& data, const QByteArray& payload);
bool ReadLevel2Code(TData& data, const QByteArray& payload);
bool ReadLevel3Code(TData& data, const QByteArray& payload);
bool ReadDelays(TData& data, const QByteArray& payload);
void ReadQuiescentText(TData& data, const QByteArray& payload);
bool ReadTimes(TData& data, const QByteArray& payload);

// Writes: "H", "L", "P", "R", "Y", "U", "T", "n", "p".
QByteArray MaintenanceTextWrite(const TData& data);
// Empty when the maintenance date is not a valid date (the write is then skipped).
QByteArray MaintenanceDateWrite(const TData& data);
QByteArray Level2CodeWrite(const TData& data);
QByteArray Level3CodeWrite(const TData& data);
QByteArray FaultLockoutWrite(const TData& data);
QByteArray ClockWrite(const QDateTime& now);
QByteArray DelaysWrite(const TData& data);
QByteArray QuiescentTextWrite(const TData& data);
QByteArray TimesWrite(const TData& data);
