#include "panel/CauseEffectMessages.h"

#include "model/Data.h"
#include "panel/Message.h"

QByteArray CauseEffectRequest(int event)
{
    return TMessage('s').Byte(event).Bytes();
}

QByteArray CauseEffectWrite(const TData& data, int event)
{
    const TC_EArray& e = data.C_ETable.Events[event];
    const QString& time = data.C_ETable.Times[event];
    return TMessage('t')
        .Byte(event)
        .Byte(e.Action)
        .Word(e.ActionTarget)
        .Byte(e.Trigger)
        .Word(e.TriggerTarget)
        .Byte(e.Reset)
        .Word(e.ResetTarget)
        .Byte(TimeMinute(time))
        .Byte(TimeHour(time))
        .Bytes();
}

bool ReadCauseEffect(TData& data, int event, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(11))
        return false;
    TC_EArray& e = data.C_ETable.Events[event];
    e.Action = reply.Byte(0);
    e.ActionTarget = reply.Word(1);
    e.Trigger = reply.Byte(3);
    e.TriggerTarget = reply.Word(4);
    e.Reset = reply.Byte(6);
    e.ResetTarget = reply.Word(7);
    data.C_ETable.Times[event] = TimeText(reply.Byte(10), reply.Byte(9));
    return true;
}
