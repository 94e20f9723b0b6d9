#include "panel/NameMessages.h"

#include "model/Data.h"
#include "panel/Message.h"

QByteArray NameRequest(int index)
{
    return TMessage('C').Byte(index).Bytes();
}

QByteArray NameWrite(const TData& data, int index)
{
    const QString name =
        data.NameTable.IsValidIndex(index) ? data.NameTable.Entries().at(index) : QString();
    return TMessage('D').Word(index).Text(FitText(name, 3)).Byte(0).Bytes();
}

QByteArray NameListEndWrite()
{
    return TMessage('D').Word(NameListEnd).Byte(0).Bytes();
}

bool IsNameListEnd(const QByteArray& payload)
{
    return payload.isEmpty() || payload == QByteArray(1, '\0') || payload == QByteArray(1, ' ');
}

QString NameText(const QByteArray& payload)
{
    return QString::fromLatin1(payload);
}
