#include "panel/ZoneMessages.h"

#include "model/Data.h"
#include "panel/Message.h"

namespace {

constexpr int ZoneDataSize = 19;

} // namespace

QByteArray ZoneNameRequest(int zone)
{
    return TMessage('E').Byte(zone).Bytes();
}

QByteArray ZoneDataRequest(int zone)
{
    return TMessage('Z').Byte(zone).Bytes();
}

QByteArray ZoneNameWrite(const TData& data, int zone)
{
    const QString name = FitText(data.ZoneList.Zone(zone).Name, 2);
    return TMessage('F').Byte(zone).Text(name).Byte(0).Bytes();
}

QByteArray ZoneDataWrite(const TData& data, int zone)
{
    const TZone& z = data.ZoneList.Zone(zone);
    TMessage message('[');
    message.Byte(zone)
        .Word(z.SounderTimer)
        .Word(z.Relay1Timer)
        .Word(z.Relay2Timer)
        .Word(z.RemoteTimer)
        .Byte(DependancyLetter(z.Dependancy[1]))
        .Byte(DependancyLetter(z.Dependancy[4]))
        .Word(z.Dependancy[3])
        .Word(z.Dependancy[2])
        .Word(z.Dependancy[6])
        .Word(z.Dependancy[5])
        .Byte((z.SounderEnable ? 1 : 0) | (z.MCPEnable ? 2 : 0) | (z.EndDelays ? 4 : 0));
    return message.Bytes();
}

QByteArray NonFireFlagsWrite(const TData& data)
{
    TMessage message('l');
    for (int n = 1; n <= MaxZone; ++n)
        message.Byte(data.ZoneList.Zone(n).NonFireEnable ? 'T' : 'F');
    return message.Bytes();
}

void ReadZoneName(TData& data, int zone, const QByteArray& payload)
{
    data.ZoneList.Zone(zone).Name = TReply(payload).TrimmedText();
}

bool ReadZoneData(TData& data, int zone, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(ZoneDataSize))
        return false;
    TZone& z = data.ZoneList.Zone(zone);
    z.SounderTimer = reply.Word(0);
    z.Relay1Timer = reply.Word(2);
    z.Relay2Timer = reply.Word(4);
    z.RemoteTimer = reply.Word(6);
    z.Dependancy[1] = DependancyOptionOf(reply.Byte(8));
    z.Dependancy[4] = DependancyOptionOf(reply.Byte(9));
    z.Dependancy[3] = reply.Word(10);
    z.Dependancy[2] = reply.Word(12);
    z.Dependancy[6] = reply.Word(14);
    z.Dependancy[5] = reply.Word(16);
    const int flags = reply.Byte(18);
    z.SounderEnable = flags & 1;
    z.MCPEnable = flags & 2;
    z.EndDelays = flags & 4;
    return true;
}

void ReadNonFireFlags(TData& data, const QByteArray& payload)
{
    const TReply reply(payload);
    for (int n = 1; n <= MaxZone && reply.Has(n); ++n)
        data.ZoneList.Zone(n).NonFireEnable = reply.Byte(n - 1) == 'T';
}

char DependancyLetter(int option)
{
    switch (option) {
    case doA: return 'A';
    case doB: return 'B';
    case doC: return 'C';
    case doInvestigation: return 'I';
    default: return 'N';
    }
}

int DependancyOptionOf(int letter)
{
    switch (letter) {
    case 'A': return doA;
    case 'B': return doB;
    case 'C': return doC;
    case 'I': return doInvestigation;
    default: return doNormal;
    }
}

QString ZoneStatusText(const QString& prefix, int zone)
{
    if (zone > MaxFireZone)
        return prefix + QStringLiteral("panel ") + QString::number(zone - MaxFireZone);
    return prefix + QStringLiteral("zone ") + QString::number(zone);
}
