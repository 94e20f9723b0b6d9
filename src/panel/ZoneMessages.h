#pragma once

#include <QByteArray>

class TData;

// Zones: "E"/"F" the name, "Z"/"[" the 19 bytes of zone data, "l"/"k" the non-fire flags.
QByteArray ZoneNameRequest(int zone);
QByteArray ZoneDataRequest(int zone);
QByteArray ZoneNameWrite(const TData& data, int zone);
QByteArray ZoneDataWrite(const TData& data, int zone);
QByteArray NonFireFlagsWrite(const TData& data);

void ReadZoneName(TData& data, int zone, const QByteArray& payload);
bool ReadZoneData(TData& data, int zone, const QByteArray& payload);
// One byte per zone from zone 1; zones the reply does not reach keep their flag.
void ReadNonFireFlags(TData& data, const QByteArray& payload);

// Dependency options travel as letters: 1 "A", 2 "B", 3 "C", 4 "N", 5 "I".
char DependancyLetter(int option);
int DependancyOptionOf(int letter);

// "Loading data for zone 5" / "Loading data for panel 3" for zones 33..40, and the forms of
// the other blocks ("Saving group data for ...").
QString ZoneStatusText(const QString& prefix, int zone);
