#pragma once

#include <QByteArray>
#include <QString>

// A panel message: command letter, payload length N, N payload bytes. 16-bit numbers go
// low byte first; texts are Latin-1, one byte per character.
class TMessage {
public:
    explicit TMessage(char letter) { bytes_.append(letter).append('\0'); }

    TMessage& Byte(int value);
    TMessage& Word(int value);
    TMessage& Text(const QString& text);
    // The finished message with its length byte (total length minus 2).
    QByteArray Bytes() const;

private:
    QByteArray bytes_;
};

// Reads the payload of a reply. Every field is checked against the payload's length first, so
// a short reply is refused before anything is stored.
class TReply {
public:
    explicit TReply(const QByteArray& payload) : payload_(payload) {}

    int Size() const { return static_cast<int>(payload_.size()); }
    bool Has(int count) const { return Size() >= count; }
    int Byte(int i) const { return static_cast<quint8>(payload_.at(i)); }
    int Word(int i) const { return Byte(i) | (Byte(i + 1) << 8); }
    // The whole payload as text, with blanks and control bytes removed from both ends.
    QString TrimmedText() const;

private:
    QByteArray payload_;
};

// The payload of a received packet (letter, length, payload, checksum): the length byte says
// how much there is, but never more than the packet holds.
QByteArray PacketPayload(const QByteArray& packet);

// Texts whose length goes into one length byte next to `reserved` other bytes are cut so
// that the message stays well formed.
QString FitText(const QString& text, int reserved);

// Clock times: "hh:mm" from hour and minute, and back. A text without a readable time gives
// 0 for the missing part.
QString TimeText(int hour, int minute);
int TimeHour(const QString& text);
int TimeMinute(const QString& text);
