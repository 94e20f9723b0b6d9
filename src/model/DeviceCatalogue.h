#pragma once

#include "model/SystemType.h"

#include <QString>

// Device classes: what settings a point has and how they default.
enum TDeviceClass : int {
    dcManualCallPoint = 0,
    dcZoneMonitor = 16,
    dcSwitchMonitor = 48,
    dcBeacon = 64,
    dcSounder = 80,
    dcInputOutput = 112,
    dcOptical = 128,
    dcHeat = 144,
    dcIonisation = 160,
    dcBeam = 176,
    dcMultiSensor = 208,
    dcNotFitted = 254,
    dcInvalid = 255,
};

constexpr int NotFittedCode = 254;
// Codes from here up are no device the engineer can set up (253 is reserved by the panel).
constexpr int FirstReservedCode = 253;
// The sounder controller (Hochiki) that drives sounder groups rather than output sets.
constexpr int SounderControllerGroupsCode = 72;
// The catalogue's name for a code it does not know.
inline const QString UnsupportedTypeName = QStringLiteral("Un-supported type");

// The catalogue is stateless: every answer follows from the protocol and the type code.
QString DeviceLongName(TSystemType type, int code);
QString DeviceShortName(TSystemType type, int code);
int DeviceClassOf(TSystemType type, int code);

bool IsAnalogueSensorClass(int deviceClass);
bool IsSounderClassOf(int deviceClass);
bool IsIOClassOf(int deviceClass);

bool IsAnalogueSensorCode(TSystemType type, int code);
bool IsSounderCode(TSystemType type, int code);
bool IsIOCode(TSystemType type, int code);
bool HasChannelNamesCode(TSystemType type, int code);
bool IsDiscoveryCode(TSystemType type, int code);
bool HasDeviceSettingsCode(TSystemType type, int code);
// A device type the protocol knows: a code below 254 with a short name.
bool IsKnownDeviceCode(TSystemType type, int code);
