#include "panel/Message.h"

#include <algorithm>

TMessage& TMessage::Byte(int value)
{
    bytes_.append(static_cast<char>(value & 0xFF));
    return *this;
}

TMessage& TMessage::Word(int value)
{
    return Byte(value).Byte(value >> 8);
}

TMessage& TMessage::Text(const QString& text)
{
    bytes_.append(text.toLatin1());
    return *this;
}

QByteArray TMessage::Bytes() const
{
    QByteArray message = bytes_;
    message[1] = static_cast<char>((message.size() - 2) & 0xFF);
    return message;
}

QString TReply::TrimmedText() const
{
    qsizetype begin = 0;
    qsizetype end = payload_.size();
    auto blank = [this](qsizetype i) { return static_cast<quint8>(payload_.at(i)) <= 0x20; };
    while (begin < end && blank(begin))
        ++begin;
    while (end > begin && blank(end - 1))
        --end;
    return QString::fromLatin1(payload_.mid(begin, end - begin));
}

QByteArray PacketPayload(const QByteArray& packet)
{
    if (packet.size() < 2)
        return {};
    const qsizetype length = static_cast<quint8>(packet.at(1));
    return packet.mid(2, std::min(length, packet.size() - 2));
}

QString FitText(const QString& text, int reserved)
{
    return text.left(255 - reserved);
}

QString TimeText(int hour, int minute)
{
    return QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minute, 2, 10,
                                                                          QLatin1Char('0'));
}

int TimeHour(const QString& text)
{
    return text.section(QLatin1Char(':'), 0, 0).trimmed().toInt();
}

int TimeMinute(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    return colon < 0 ? 0 : text.mid(colon + 1, 2).toInt();
}
