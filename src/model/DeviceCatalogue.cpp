#include "model/DeviceCatalogue.h"

#include <array>
#include <initializer_list>

namespace {

struct TNameEntry {
    int code;
    const char* name;
};

const TNameEntry ApolloLongNames[] = {
    {4, "Addressable sounder/Sounder Control Unit"},
    {8, "I/O Unit"},
    {12, "Ionisation smoke detector"},
    {16, "Zone Monitor"},
    {17, "Mini switch monitor"},
    {20, "Optical smoke detector"},
    {21, "Beam detector"},
    {22, "Flame detector"},
    {23, "Multi-Sensor detector"},
    {24, "Temperature monitor"},
    {25, "High temperature monitor"},
    {28, "Series 90 Manual Call-Point"},
    {31, "XP95 Manual Call-Point"},
    {48, "Discovery Sounder Beacon"},
    {63, "Sounder IO Unit"},
    {105, "Discovery CO Detector"},
    {112, "Discovery CO/Heat Detector"},
    {127, "Non-Latch IO"},
    {160, "Discovery Optical Detector"},
    {184, "Discovery Multi Sensor"},
    {192, "Discovery Heat Sensor"},
    {248, "Discovery Manual Call-Point"},
};

const TNameEntry HochikiLongNames[] = {
    {0, "Manual CallPoint"},
    {18, "Addressable Base"},
    {20, "Master Addressable Base"},
    {21, "Mini Zone Monitor"},
    {25, "Dual Zone Monitor"},
    {57, "Switch Module"},
    {65, "Addressable Beacon"},
    {66, "Remote Indicator"},
    {72, "Sounder Controller (Groups)"},
    {79, "Sounder IO Unit"},
    {94, "Base Sounder"},
    {120, "Sounder Controller (Sets)"},
    {124, "Relay Module"},
    {125, "I/O Module"},
    {127, "Non-Latch IO"},
    {136, "Optical detector"},
    {152, "Heat sensor"},
    {168, "Ionisation detector"},
    {216, "Multi sensor"},
};

const std::array<const char*, 8> SysSensorLongNames = {
    "Temperature detector", "Ionisation smoke detector", "Optical smoke detector", "Omni sensor",
    "Manual call point", "Loop powered sounder", "Zone monitor", "Output unit",
};

const std::array<const char*, 8> NittanLongNames = {
    "Addressable sounder", "Output module", "Ionisation smoke detector", "Zone monitor",
    "Optical smoke detector", "Temperature monitor", "Manual call point", "Input module",
};

struct TShortEntry {
    std::initializer_list<int> codes;
    const char* name;
};

const TShortEntry ApolloShortNames[] = {
    {{4, 5, 6, 7, 32, 40, 48, 56}, "Sndr/SCU"},
    {{8, 64}, "I/O Unit"},
    {{9, 29, 72, 232}, "Mini sw"},
    {{10, 80}, "sw Mon"},
    {{12}, "XP95/S90 Ion"},
    {{16, 128}, "Zone Mon"},
    {{17, 136}, "Sw Mon+"},
    {{19, 152}, "Aspiring"},
    {{20}, "XP95/S90 Opt"},
    {{21, 168}, "Beam Det"},
    {{22, 176}, "Flame Det"},
    {{23, 161}, "XP95/S90 Multi"},
    {{24}, "XP95/S90 Heat"},
    {{25, 26, 27, 200, 208, 216}, "Hi Temp"},
    {{28}, "S90 MCP"},
    {{30, 240}, "Pri sw"},
    {{31}, "XP95 MCP"},
    {{63}, "Sounder IO"},
    {{96}, "Disc Ion"},
    {{105}, "Disc CO"},
    {{112}, "Disc CO/Heat"},
    {{127}, "Non-Latch IO"},
    {{160}, "Disc Opt"},
    {{184, 185}, "Disc Multi"},
    {{192}, "Disc Heat"},
    {{248}, "Disc MCP"},
    {{255}, "Not Fitted"},
};

const TShortEntry HochikiShortNames[] = {
    {{0}, "MCP"},
    {{18, 20}, "Add Base"},
    {{21}, "Mini Zone Mon"},
    {{25}, "Dual Zone Mon"},
    {{57}, "Sw Module"},
    {{65}, "Beacon"},
    {{66}, "Remote Indicator"},
    {{72}, "Sounder Cont (Groups)"},
    {{79}, "Sounder IO"},
    {{94}, "Base/Wall Sndr"},
    {{120}, "Sounder Cont(Sets)"},
    {{124}, "Relay Unit"},
    {{125}, "I/O Module"},
    {{127}, "Non-Latch IO"},
    {{136}, "Optical"},
    {{152}, "Heat"},
    {{168}, "Ion"},
    {{216}, "Multi"},
    {{255}, "Not Fitted"},
};

const std::array<const char*, 8> SysSensorShortNames = {
    "Temp", "Ion", "Opt", "Omni", "MCP", "Sounder", "Zone Mon", "O/P Unit",
};

const std::array<const char*, 8> NittanShortNames = {
    "Sounder", "O/P Mod", "Ion", "Zone Mon", "Opt", "Temp", "MCP", "I/P Mod",
};

// Apollo classes by code / 8 (codes below 32 are their own index).
const std::array<int, 32> ApolloClassTable = {
    255, 255, 255, 255, 80,  80,  80,  80,  112, 48,  48,  48,  160, 160, 160, 160,
    16,  48,  48,  16,  128, 176, 128, 208, 144, 144, 144, 144, 0,   0,   0,   0,
};

const QString& UnsupportedType = UnsupportedTypeName;

template <std::size_t N>
QString Lookup(const TNameEntry (&table)[N], int code)
{
    for (const auto& entry : table)
        if (entry.code == code)
            return QString::fromLatin1(entry.name);
    return UnsupportedType;
}

template <std::size_t N>
QString Lookup(const TShortEntry (&table)[N], int code)
{
    for (const auto& entry : table)
        for (int c : entry.codes)
            if (c == code)
                return QString::fromLatin1(entry.name);
    return UnsupportedType;
}

QString LookupNumbered(const std::array<const char*, 8>& names, int code)
{
    if (code >= 1 && code <= 8)
        return QString::fromLatin1(names[static_cast<std::size_t>(code - 1)]);
    return UnsupportedType;
}

} // namespace

namespace {

QString LongNameEntry(TSystemType type, int code)
{
    switch (type) {
    case stApolloLoop: return Lookup(ApolloLongNames, code);
    case stHochikiLoop: return Lookup(HochikiLongNames, code);
    case stSysSensorLoop: return LookupNumbered(SysSensorLongNames, code);
    case stNittanLoop: return LookupNumbered(NittanLongNames, code);
    }
    return UnsupportedType;
}

} // namespace

QString DeviceLongName(TSystemType type, int code)
{
    if (code >= NotFittedCode)
        return QStringLiteral("Not fitted");
    // A device the protocol knows by its short name only is called by that name, so the
    // dialogs, compare, info and the report agree with the check on what is known.
    const QString name = LongNameEntry(type, code);
    return name == UnsupportedType ? DeviceShortName(type, code) : name;
}

QString DeviceShortName(TSystemType type, int code)
{
    if (code == NotFittedCode)
        return QStringLiteral("Not Fitted");
    switch (type) {
    case stApolloLoop: return Lookup(ApolloShortNames, code);
    case stHochikiLoop: return Lookup(HochikiShortNames, code);
    case stSysSensorLoop: return LookupNumbered(SysSensorShortNames, code);
    case stNittanLoop: return LookupNumbered(NittanShortNames, code);
    }
    return QString();
}

int DeviceClassOf(TSystemType type, int code)
{
    switch (type) {
    case stApolloLoop: {
        if (code >= NotFittedCode)
            return dcNotFitted;
        int t = code == 127 ? 8 : code;
        if (t >= 32)
            t /= 8;
        if (t < 0)
            return dcInvalid;
        return ApolloClassTable[static_cast<std::size_t>(t)];
    }
    case stHochikiLoop:
        return code >= NotFittedCode ? dcNotFitted : (code & 240);
    case stSysSensorLoop:
    case stNittanLoop:
        return code;
    }
    return code;
}

bool IsAnalogueSensorClass(int k)
{
    return k == dcOptical || k == dcHeat || k == dcIonisation || k == dcMultiSensor;
}

bool IsSounderClassOf(int k)
{
    return k == dcSounder || k == dcBeacon;
}

bool IsIOClassOf(int k)
{
    return k == dcInputOutput;
}

bool IsAnalogueSensorCode(TSystemType type, int code)
{
    return IsAnalogueSensorClass(DeviceClassOf(type, code));
}

bool IsSounderCode(TSystemType type, int code)
{
    return IsSounderClassOf(DeviceClassOf(type, code));
}

bool IsIOCode(TSystemType type, int code)
{
    return IsIOClassOf(DeviceClassOf(type, code));
}

bool HasChannelNamesCode(TSystemType type, int code)
{
    const int k = DeviceClassOf(type, code);
    const bool channelClass =
        k == dcInputOutput || k == dcZoneMonitor || k == dcSwitchMonitor || k == dcBeacon;
    return channelClass && code != 65 && code != 66;
}

bool IsDiscoveryCode(TSystemType type, int code)
{
    return type == stApolloLoop && code > 31;
}

bool HasDeviceSettingsCode(TSystemType type, int code)
{
    if (type == stHochikiLoop)
        return IsAnalogueSensorCode(type, code) || code == 65 || code == 66;
    return IsAnalogueSensorCode(type, code);
}

bool IsKnownDeviceCode(TSystemType type, int code)
{
    return code >= 0 && code < NotFittedCode && DeviceShortName(type, code) != UnsupportedType;
}
