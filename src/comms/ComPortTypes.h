#pragma once

#include <QString>
#include <QtGlobal>

// Serial line settings. The ordinal order is fixed: settings are stored and compared by ordinal.
enum TComPortNumber : quint8 { pnCOM1, pnCOM2, pnCOM3, pnCOM4, pnCOM5, pnCOM6, pnCOM7, pnCOM8 };
enum TComPortBaudRate : quint8 {
    br110, br300, br600, br1200, br2400, br4800, br9600,
    br14400, br19200, br38400, br56000, br57600, br115200
};
enum TComPortDataBits : quint8 { db5BITS, db6BITS, db7BITS, db8BITS };
enum TComPortStopBits : quint8 { sb1BITS, sb1HALFBITS, sb2BITS };
enum TComPortParity : quint8 { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum TComPortHwHandshaking : quint8 { hhNONE, hhRTSCTS };
enum TComPortSwHandshaking : quint8 { shNONE, shXONXOFF };

// Bits per second of a bit-rate choice (110 .. 115200).
int BaudRateValue(TComPortBaudRate rate);
// "COM1" .. "COM8".
QString ComPortName(TComPortNumber port);

// The line settings a backend applies to its device.
struct TLineSettings {
    TComPortBaudRate BaudRate = br9600;
    TComPortDataBits DataBits = db8BITS;
    TComPortStopBits StopBits = sb1BITS;
    TComPortParity Parity = ptNONE;
    TComPortHwHandshaking HwHandshaking = hhNONE;
    TComPortSwHandshaking SwHandshaking = shNONE;
    bool DTR = true;
    int XonLimit = 512;
    int XoffLimit = 1;

    bool operator==(const TLineSettings&) const = default;
};
