#include "panel/SetMessages.h"

#include "model/Data.h"
#include "panel/Message.h"

QByteArray SetRequest(int index)
{
    return TMessage('i').Byte(index).Bytes();
}

QByteArray SetWrite(const TData& data, int index)
{
    const TZone& z = data.ZoneList.Zone(index);
    TMessage message('j');
    message.Byte(index).Byte(z.SetConfig[17]).Byte(z.SetConfig[18]);
    for (int s = 1; s <= 16; ++s)
        message.Byte(z.SetConfig[s]);
    message.Word(data.DelayTimer);
    return message.Bytes();
}

bool ReadSets(TData& data, int index, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(MaxSet))
        return false;
    TZone& z = data.ZoneList.Zone(index);
    for (int s = 1; s <= MaxSet; ++s)
        z.SetConfig[s] = reply.Byte(s - 1);
    if (reply.Has(MaxSet + 2))
        data.DelayTimer = reply.Word(MaxSet);
    return true;
}
