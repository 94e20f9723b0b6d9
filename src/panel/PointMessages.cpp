#include "panel/PointMessages.h"

#include "model/Data.h"
#include "panel/Message.h"
#include "panel/SentValues.h"

QByteArray PointRequest(const TData& data, int loop, int point)
{
    const int address = (loop - 1) * 256 + data.Loop(loop).PointAddress(point);
    return TMessage('I').Word(address).Bytes();
}

QByteArray PointWrite(const TData& data, int loop, int point)
{
    const TQEMLoop& l = data.Loop(loop);
    const TDeviceType& d = l.Devices[point];
    TMessage message('J');
    message.Byte(l.PointAddress(point)).Byte(loop).Byte(d.TypeCode).Byte(SentZoneByte(l, point));
    for (int i = 2; i <= 8; ++i)
        message.Byte(d.SharedData[i]);
    return message.Bytes();
}

bool ReadPoint(TData& data, int loop, int point, const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(11))
        return false;
    TDeviceType& d = data.Loop(loop).Devices[point];
    const int code = reply.Byte(2);
    d.TypeMismatch = d.TypeCode < NotFittedCode && d.TypeCode != code;
    d.TypeCode = code;
    d.Zone = reply.Byte(3) & 0x3F;
    d.SharedData[1] = reply.Byte(3);
    for (int i = 2; i <= 8; ++i)
        d.SharedData[i] = reply.Byte(i + 2);
    return true;
}

bool IsPointAnswerTo(const QByteArray& request, const QByteArray& payload)
{
    // Request: letter, length, address low, address high; the reply starts with the address.
    return request.size() == 4 && payload.size() >= 2 && payload.startsWith(request.mid(2, 2));
}

QString PointStatusText(const TData& data, bool saving, int loop, int point)
{
    QString text = saving ? QStringLiteral("Saving data for Loop ")
                          : QStringLiteral("Loading data for Loop ");
    text += QString::number(loop) + QStringLiteral(" - Point ") + data.Loop(loop).PointLabel(point);
    return text;
}
