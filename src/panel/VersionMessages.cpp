#include "panel/VersionMessages.h"

#include "model/Data.h"
#include "panel/Message.h"

QByteArray LinkCheckRequest()
{
    return TMessage('B').Bytes();
}

QByteArray VersionRequest()
{
    return TMessage('\\').Bytes();
}

QByteArray LoopTypeRequest()
{
    return TMessage('V').Bytes();
}

QByteArray LoopTypeWrite(const TData& data)
{
    return TMessage('W').Byte(data.Loop1.SystemType).Bytes();
}

std::optional<bool> ReadLinkCheck(const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(1))
        return std::nullopt;
    return reply.Byte(0) == 0xFF;
}

bool ReadVersions(TData& data, const QByteArray& payload)
{
    if (payload.size() < 20)
        return false;
    auto text = [&payload](int i) { return QString::fromLatin1(payload.mid(5 * i, 5)); };
    data.SiteConfig.MainVersion = text(0);
    data.SiteConfig.Loop1Version = text(1);
    data.SiteConfig.Loop2Version = text(2);
    data.SiteConfig.FrontPanelVersion = text(3);
    return true;
}

std::optional<TLoopTypeReply> ReadLoopType(const QByteArray& payload)
{
    const TReply reply(payload);
    if (!reply.Has(1))
        return std::nullopt;
    TLoopTypeReply result;
    result.Protocol = reply.Byte(0);
    if (reply.Has(2))
        result.LoopCount = reply.Byte(1);
    return result;
}
