#include "panel/GroupMessages.h"

#include "model/Data.h"
#include "panel/Message.h"

QByteArray GroupRequest(int zone)
{
    return TMessage('M').Byte(zone).Bytes();
}

QByteArray GroupWrite(const TData& data, int zone)
{
    const TZone& z = data.ZoneList.Zone(zone);
    TMessage message('N');
    message.Byte(zone);
    for (int g = 1; g <= MaxGroup; ++g)
        message.Byte(z.GroupConfig[g]);
    message.Byte(data.SiteConfig.PanelSounder1_Group)
        .Byte(data.SiteConfig.PanelSounder2_Group)
        .Byte(data.PulsedTone + 1)
        .Byte(data.ContinuousTone + 1)
        .Byte(data.SiteConfig.ReSound_Function ? 1 : 0);
    return message.Bytes();
}

bool ReadGroups(TData& data, int zone, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(MaxGroup + 2))
        return false;
    TZone& z = data.ZoneList.Zone(zone);
    for (int g = 1; g <= MaxGroup; ++g)
        z.GroupConfig[g] = reply.Byte(g - 1);
    data.SiteConfig.PanelSounder1_Group = reply.Byte(16);
    data.SiteConfig.PanelSounder2_Group = reply.Byte(17);
    if (reply.Has(19))
        data.PulsedTone = reply.Byte(18) - 1;
    if (reply.Has(20))
        data.ContinuousTone = reply.Byte(19) - 1;
    if (reply.Has(21))
        data.SiteConfig.ReSound_Function = reply.Byte(20) == 1;
    return true;
}
