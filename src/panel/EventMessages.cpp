#include "panel/EventMessages.h"

#include "panel/Message.h"

QByteArray EventRequest(int index, bool clear)
{
    return TMessage('q').Word(clear ? 0 : index).Byte(clear ? 1 : 0).Bytes();
}

bool IsEventHistoryEnd(const QByteArray& payload)
{
    return payload.isEmpty();
}

QString EventText(const QByteArray& payload)
{
    return QString::fromLatin1(payload);
}
