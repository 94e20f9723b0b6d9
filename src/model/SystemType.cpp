#include "model/SystemType.h"

int NoLoopDevicesFor(TSystemType type)
{
    switch (type) {
    case stApolloLoop: return 253;
    case stHochikiLoop: return 254;
    case stSysSensorLoop: return 198;
    case stNittanLoop: return 126;
    }
    return 0;
}

int MaxCellCountFor(TSystemType type)
{
    switch (type) {
    case stApolloLoop: return 126;
    case stHochikiLoop: return 254;
    case stSysSensorLoop: return 198;
    case stNittanLoop: return 126;
    }
    return 0;
}

QString SystemTypeName(TSystemType type)
{
    switch (type) {
    case stApolloLoop: return QStringLiteral("Apollo");
    case stHochikiLoop: return QStringLiteral("Hochiki");
    case stSysSensorLoop: return QStringLiteral("System Sensor");
    case stNittanLoop: return QStringLiteral("Nittan");
    }
    return QString();
}
