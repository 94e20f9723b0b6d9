#pragma once

#include "comms/CommPanel.h"

#include <QByteArray>
#include <functional>

inline constexpr char SOH = 0x01;
inline constexpr char ACK = 0x06;
inline constexpr char CR = 0x0D;
inline constexpr char NAK = 0x15;

// Sum of the byte values modulo 256.
quint8 ZolChecksum(const QByteArray& bytes);
// A packet from the panel: letter, length L, L payload bytes, checksum over all before it.
// lengthOverride replaces the length byte (the link uses 0 before a stage is chosen).
bool PacketChecksumOK(const QByteArray& packet, int lengthOverride = -1);
// The handshake message, "A" 0x00; the panel answers it with the packet "A" 0x00 "A".
QByteArray HandshakeMessage();

// The packet link with the panel: frames and checksums outgoing messages, reassembles and
// checks incoming packets, and runs the handshake over three parity settings (none, space,
// mark), 11 sends in each stage before moving on.
class TPanelComms : public TCommPanel {
public:
    using TPacketReceived = std::function<void(TPanelComms* Sender, char CmdChar, const QByteArray& Packet)>;
    using TPanelNotifyEvent = std::function<void(TPanelComms* Sender)>;

    TPanelComms();

    // message: letter, length N, N payload bytes.
    virtual void SendPacket(const QByteArray& message);
    // Closes the port and forgets the handshake: the next open starts from stage 0.
    void ResetLink();
    // Forgets a packet partly received.
    void DropPartialInput();
    // The bytes received with the one being handled are not looked at: they were on the line
    // before anything sent from the handler.
    void DropRestOfInput() { dropRest_ = true; }

    // 0 idle, 1 no parity, 2 space parity, 3 mark parity; keeps the stage that succeeded.
    quint8 HandshakeStage = 0;
    bool HandshakeDone = false;
    bool HandshakeFailed = false;
    qint32 HandshakeRetries = 0;
    // While set, the tick does nothing (no handshake, no OnTick).
    bool Suspended = false;
    // When set no packets are assembled; only lines are reported.
    bool IsASCIIOnly = false;

    // How many handshake sends got an answer that was not the handshake's, and the last such
    // answer (its first bytes): what a failed handshake reports it heard.
    int RefusedHandshakeAnswers() const { return refusedHandshakeAnswers_; }
    const QByteArray& RefusedHandshakeAnswer() const { return refusedHandshakeAnswer_; }

    quint16 DCharsReceived() const { return dCharsReceived_; }
    const QByteArray& RxBuffer() const { return rxBuffer_; }
    // The length byte of the packet being assembled.
    qint32 PacketLength() const { return packetLength_; }

    TPanelNotifyEvent OnTick;
    TPacketReceived OnPacketReceived;
    TPanelNotifyEvent OnInvalidChecksum;
    TPanelNotifyEvent OnHandshakeReceived;
    TPanelNotifyEvent OnTimeout;
    // Bytes that came with a handled answer were dropped unread: a second answer.
    TPanelNotifyEvent OnInputDiscarded;

protected:
    void PortReceiveData(TSigComPort* sender, const char* data, int size) override;
    void PortInputTimeout() override;
    void PortTick() override;

    // Closes the port, drops any packet in progress, sets the parity of the stage, reopens.
    void Reopen();
    void HandshakeRetryStep();
    void SendHandshake();
    void ReceiveByte(char b);
    void PacketComplete();

    quint16 dCharsReceived_ = 0;
    qint32 packetLength_ = 0;
    QByteArray rxBuffer_;
    bool dropRest_ = false;
    int refusedHandshakeAnswers_ = 0;
    QByteArray refusedHandshakeAnswer_;
    bool answeredSinceHandshake_ = false;
};
