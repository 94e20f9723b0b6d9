#include "LargestConfiguration.h"

#include "model/Data.h"

void FillLargestConfiguration(TData& doc)
{
    doc.SwitchProtocol(stHochikiLoop);
    const int codes[] = {136, 152, 168, 216, 0, 94, 125, 21};
    int nameNo = 0;
    auto nextName = [&nameNo] {
        return QStringLiteral("Corridor east point %1").arg(nameNo++ % 255 + 1);
    };
    for (int l = 1; l <= 2; ++l) {
        TQEMLoop& loop = doc.Loop(l);
        for (int p = 1; p <= loop.NoLoopDevices(); ++p) {
            loop.PlaceDevice(p, codes[p % 8]);
            TDeviceType& d = loop.Devices[p];
            d.Zone = 1 + p % 32;
            d.Name = nextName();
            if (loop.HasChannelNames(p))
                for (int k = 1; k <= 3; ++k)
                    d.SubName(k) = nextName();
        }
    }
    doc.RebuildNameTable();
    for (int z = 1; z <= MaxZone; ++z) {
        TZone& zone = doc.ZoneList.Zone(z);
        zone.Name = QStringLiteral("Zone name %1").arg(z);
        zone.SounderTimer = z * 3;
        for (int g = 1; g <= MaxGroup; ++g)
            zone.GroupConfig[g] = (z + g) % 3;
        for (int s = 1; s <= MaxSet; ++s)
            zone.SetConfig[s] = (z + s) % 4;
    }
    doc.SiteConfig.ClientName = QStringLiteral("Client of the largest site");
    doc.SiteConfig.MainVersion = QStringLiteral("09A07");
    for (int i = 1; i <= 5; ++i)
        doc.SiteConfig.ClientAddress(i) = QStringLiteral("Address line %1").arg(i);
    for (int n = 1; n <= MaxNetworkPanels; ++n)
        doc.RepeaterList.Repeaters[n] = {true, QStringLiteral("Panel %1").arg(n)};
    for (int e = 1; e <= CEEventCount; ++e)
        doc.C_ETable.Events[e] = {50, e, 55, 1, 55, 1};
    doc.Comments = QStringLiteral("Comments of the largest site");
}
