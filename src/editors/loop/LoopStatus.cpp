#include "editors/loop/LoopStatus.h"

#include "model/Data.h"

namespace {

QString LoopTypeText(const TData& data)
{
    const QString name = SystemTypeName(data.SystemType());
    return QStringLiteral("Loop Type=") + (name.isEmpty() ? QString() : name + QLatin1Char(' '))
        + QString::number(data.LoopCount) + QStringLiteral(" Loop");
}

} // namespace

QStringList LoopStatusTexts(const TData& data, int loop, int point)
{
    const TQEMLoop& l = data.Loop(loop);
    if (point < 1 || point > l.NoLoopDevices())
        return {QStringLiteral("Device Type="), QStringLiteral("Name="), QStringLiteral("Zone No="),
                QStringLiteral("Zone Name="), LoopTypeText(data)};

    const TDeviceType& d = l.Devices[point];
    QStringList texts{l.DeviceShortName(d.TypeCode), d.Name, QString(), QString(),
                      LoopTypeText(data)};
    if (l.IsSounderClass(point)) {
        texts[2] = QStringLiteral("Group No=") + QString::number(d.Zone);
        if (d.Zone == 0)
            texts[3] = SpecialCEName;
    } else if (!l.HasChannelNames(point)) {
        texts[2] = QStringLiteral("Zone No=") + QString::number(d.Zone);
        // A zone byte from the panel may name no zone of the list (41..63).
        const QString zoneName = d.Zone >= 0 && d.Zone <= MaxZone
            ? data.ZoneList.Zone(d.Zone).Name
            : QStringLiteral("(unknown)");
        texts[3] = QStringLiteral("Zone Name=") + zoneName;
    }
    return texts;
}
