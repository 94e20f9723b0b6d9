#pragma once

#include <QString>
#include <QtGlobal>

// The loop protocol. The same number goes into the file and onto the wire; files and the
// panel may carry values outside 0..3, which have no points at all.
enum TSystemType : quint8 {
    stApolloLoop = 0,
    stHochikiLoop = 1,
    stSysSensorLoop = 2,
    stNittanLoop = 3,
};

// Points per loop in use by the protocol, including base-sounder slots.
int NoLoopDevicesFor(TSystemType type);
// Cells the loop grid shows for the protocol.
int MaxCellCountFor(TSystemType type);
// "Apollo", "Hochiki", "System Sensor", "Nittan"; empty for an unknown protocol.
QString SystemTypeName(TSystemType type);
