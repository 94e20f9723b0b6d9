#include "model/QEMLoop.h"

namespace {

constexpr int FirstSysSensorModule = 100;

} // namespace

int TQEMLoop::DeviceClass(int point) const
{
    return DeviceClassOf(SystemType, Devices[point].TypeCode);
}

bool TQEMLoop::IsAnalogueSensor(int point) const
{
    return IsAnalogueSensorCode(SystemType, Devices[point].TypeCode);
}

bool TQEMLoop::IsSounderClass(int point) const
{
    return IsSounderCode(SystemType, Devices[point].TypeCode);
}

bool TQEMLoop::IsIOClass(int point) const
{
    return IsIOCode(SystemType, Devices[point].TypeCode);
}

bool TQEMLoop::HasChannelNames(int point) const
{
    return HasChannelNamesCode(SystemType, Devices[point].TypeCode);
}

bool TQEMLoop::IsDiscovery(int point) const
{
    return IsDiscoveryCode(SystemType, Devices[point].TypeCode);
}

bool TQEMLoop::HasDeviceSettings(int point) const
{
    return HasDeviceSettingsCode(SystemType, Devices[point].TypeCode);
}

void TQEMLoop::ClearPoint(int point)
{
    TDeviceType& d = Devices[point];
    d.TypeCode = 0;
    d.Name = NoNameAllocated;
    d.SubName1 = NoNameAllocated;
    d.SubName2 = NoNameAllocated;
    d.SubName3 = NoNameAllocated;
    d.SharedData[TDeviceType::sdZoneOrGroup] = 1;
    d.NameIndex() = 0;
    d.Zone = 1;
    ResetPointData(point);
}

void TQEMLoop::ResetPointData(int point)
{
    TDeviceType& d = Devices[point];
    d.SharedData = {0, 0, 255, 0, 255, 0, 255, 0};
    d.Zone = 1;
    switch (DeviceClass(point)) {
    case 32:
    case dcOptical:
    case dcHeat:
    case dcIonisation:
    case dcMultiSensor: {
        const int sensitivity = IsDiscovery(point) ? 3 : 100;
        d.SharedData[TDeviceType::sdDayLevel] = sensitivity;
        d.SharedData[TDeviceType::sdNightLevel] = sensitivity;
        break;
    }
    case dcBeacon:
    case dcInputOutput:
        d.Zone = 0;
        break;
    case dcSounder: {
        const int volume = d.TypeCode == 48 ? 7 : 8;
        d.SharedData[TDeviceType::sdDayLevel] = volume;
        d.SharedData[TDeviceType::sdNightLevel] = volume;
        break;
    }
    default:
        break;
    }
}

void TQEMLoop::PlaceDevice(int point, int code)
{
    Devices[point].TypeCode = code;
    ResetPointData(point);
    if (OnNamesChanged)
        OnNamesChanged();
}

int TQEMLoop::PointAddress(int point) const
{
    if (SystemType == stSysSensorLoop && point >= FirstSysSensorModule)
        return point + 1;
    return point;
}

int TQEMLoop::PointFromAddress(int address) const
{
    if (SystemType == stSysSensorLoop) {
        if (address >= 1 && address < FirstSysSensorModule)
            return address;
        if (address > FirstSysSensorModule && address <= NoLoopDevices() + 1)
            return address - 1;
        return 0;
    }
    return address >= 1 && address <= NoLoopDevices() ? address : 0;
}

QString TQEMLoop::PointLabel(int point) const
{
    if (SystemType == stSysSensorLoop) {
        if (point < FirstSysSensorModule)
            return QStringLiteral("S") + QString::number(point);
        return QStringLiteral("M") + QString::number(point - (FirstSysSensorModule - 1));
    }
    return QString::number(point);
}

QString TQEMLoop::PlacementRefusal(int point, int code) const
{
    if (SystemType != stSysSensorLoop || code >= NotFittedCode)
        return QString();
    const bool module = code > 4;
    const bool sensor = code >= 1 && code <= 4;
    if (point < FirstSysSensorModule && module)
        return ModuleInSensorSection;
    if (point >= FirstSysSensorModule && sensor)
        return SensorInModuleSection;
    return QString();
}

bool TQEMLoop::NeedsGroupCommandConsent(int point, int code) const
{
    return SystemType == stApolloLoop && point >= 112 && point <= 126 && code < NotFittedCode
        && DeviceClassOf(SystemType, code) != dcSounder;
}

bool TQEMLoop::HasBaseSounderSlot(int point) const
{
    return (SystemType == stApolloLoop || SystemType == stHochikiLoop)
        && point + BaseSounderOffset <= NoLoopDevices();
}

bool TQEMLoop::BaseSounderFitted(int point) const
{
    return HasBaseSounderSlot(point) && DeviceClass(point + BaseSounderOffset) == dcSounder;
}

int TQEMLoop::BaseSounderCode() const
{
    return SystemType == stHochikiLoop ? 94 : 4;
}

int TQEMLoop::BaseSounderOwner(int slot) const
{
    const int owner = slot - BaseSounderOffset;
    if (owner < 1 || !BaseSounderFitted(owner))
        return 0;
    // Apollo slots above the grid are base sounders only; on Hochiki they are addresses of
    // their own, and a sounder there belongs to the detector below it.
    return SystemType == stApolloLoop || IsAnalogueSensor(owner) ? owner : 0;
}

void TQEMLoop::SetBaseSounder(int point, bool fitted, int group)
{
    if (!HasBaseSounderSlot(point))
        return;
    const int slot = point + BaseSounderOffset;
    TDeviceType& s = Devices[slot];
    if (fitted) {
        const int code = BaseSounderCode();
        if (s.TypeCode != code) {
            s.TypeCode = code;
            ResetPointData(slot);
        }
        s.Zone = group;
    } else {
        s.TypeCode = NotFittedCode;
    }
}

bool TQEMLoop::IsFitted(int point) const
{
    const int code = Devices[point].TypeCode;
    return code >= 0 && code < NotFittedCode;
}

int TQEMLoop::FittedCount() const
{
    int fitted = 0;
    for (int p = 1; p <= NoLoopDevices(); ++p)
        fitted += IsFitted(p) ? 1 : 0;
    return fitted;
}

bool TQEMLoop::IsEditable(int point) const
{
    const int code = Devices[point].TypeCode;
    return code < FirstReservedCode && IsKnownDeviceCode(SystemType, code);
}
