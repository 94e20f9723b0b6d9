#include "comms/PanelComms.h"

#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int HandshakeRepeats = 10;
// The first bytes of a refused handshake answer that are kept to be reported.
constexpr int KeptAnswerBytes = 32;

// Waits while the event loop keeps running (ticks and other handlers may run meanwhile).
void WaitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

quint8 ZolChecksum(const QByteArray& bytes)
{
    quint8 sum = 0;
    for (char c : bytes)
        sum = static_cast<quint8>(sum + static_cast<quint8>(c));
    return sum;
}

bool PacketChecksumOK(const QByteArray& packet, int lengthOverride)
{
    if (packet.size() < 3)
        return false;
    const int length = lengthOverride >= 0 ? lengthOverride : static_cast<quint8>(packet[1]);
    if (packet.size() < length + 3)
        return false;
    return static_cast<quint8>(packet[length + 2]) == ZolChecksum(packet.left(length + 2));
}

QByteArray HandshakeMessage()
{
    return QByteArray("A\0", 2);
}

TPanelComms::TPanelComms()
{
    SetAutoOpen(false);
    SetAutoAppendCR(false);
    HandshakeStage = 0;
    SetSetupString(QStringLiteral("COM1: 9600, n, 8, 1"));
    SetComPort(pnCOM1);
    SetComPortSpeed(br9600);
    SetComPortDataBits(db8BITS);
    SetComPortStopBits(sb1BITS);
    SetTickInterval(100);
    IsASCIIOnly = false;
}

void TPanelComms::Reopen()
{
    if (IsOpen())
        Close();
    dCharsReceived_ = 0;
    rxBuffer_.clear();
    static constexpr TComPortParity parities[] = {ptNONE, ptNONE, ptSPACE, ptMARK};
    if (HandshakeStage == 0 || HandshakeStage > 3)
        return;
    SetComPortParity(parities[HandshakeStage]);
    // A device that cannot be opened again has gone (unplugged, emulator stopped).
    if (!Open() && OnDeviceLost)
        OnDeviceLost(this);
}

void TPanelComms::ResetLink()
{
    Close();
    HandshakeStage = 0;
    HandshakeDone = false;
    HandshakeFailed = false;
    HandshakeRetries = 0;
    refusedHandshakeAnswers_ = 0;
    refusedHandshakeAnswer_.clear();
    answeredSinceHandshake_ = false;
    DropPartialInput();
}

void TPanelComms::DropPartialInput()
{
    dCharsReceived_ = 0;
    packetLength_ = 0;
    rxBuffer_.clear();
    rawLine_.clear();
    displayLine_.clear();
}

void TPanelComms::SendPacket(const QByteArray& message)
{
    QByteArray framed = message;
    framed.append(static_cast<char>(ZolChecksum(message)));
    dCharsReceived_ = 0;
    switch (HandshakeStage) {
    case 1:
        Send(QByteArray(1, SOH) + framed);
        break;
    case 2:
    case 3: {
        const TComPortParity first = HandshakeStage == 2 ? ptSPACE : ptMARK;
        const TComPortParity second = HandshakeStage == 2 ? ptMARK : ptSPACE;
        WaitMs(50);
        SetComPortParity(first);
        Send(framed.left(1));
        WaitMs(50);
        SetComPortParity(second);
        Send(framed.mid(1));
        break;
    }
    default:
        break;
    }
}

void TPanelComms::HandshakeRetryStep()
{
    // Only a handshake this component started is repeated.
    if (HandshakeStage == 0)
        return;
    if (HandshakeRetries >= 1) {
        --HandshakeRetries;
        SendHandshake();
        return;
    }
    HandshakeRetries = HandshakeRepeats;
    switch (HandshakeStage) {
    case 1:
    case 2:
        ++HandshakeStage;
        Reopen();
        SendHandshake();
        break;
    case 3:
        HandshakeFailed = true;
        HandshakeStage = 0;
        break;
    default:
        break;
    }
}

void TPanelComms::SendHandshake()
{
    answeredSinceHandshake_ = false;
    SendPacket(HandshakeMessage());
}

void TPanelComms::PortTick()
{
    if (Suspended)
        return;
    if (!HandshakeDone && !HandshakeFailed && HandshakeStage == 0) {
        HandshakeStage = 1;
        HandshakeRetries = HandshakeRepeats;
        Reopen();
        SendHandshake();
    }
    if (OnTick)
        OnTick(this);
}

void TPanelComms::PortInputTimeout()
{
    if (!HandshakeDone && !HandshakeFailed)
        HandshakeRetryStep();
    else if (OnTimeout)
        OnTimeout(this);
}

void TPanelComms::PortReceiveData(TSigComPort* sender, const char* data, int size)
{
    if (TCommPanel::OnReceiveData)
        TCommPanel::OnReceiveData(sender, data, size);
    // The handlers may reopen the port; work on a copy of the bytes.
    const QByteArray bytes(data, size);
    if (!HandshakeDone && HandshakeStage != 0 && size > 0) {
        // Kept until the handshake succeeds; the right answer never reaches a report.
        if (!answeredSinceHandshake_) {
            answeredSinceHandshake_ = true;
            ++refusedHandshakeAnswers_;
            refusedHandshakeAnswer_.clear();
        }
        refusedHandshakeAnswer_.append(bytes.left(KeptAnswerBytes - refusedHandshakeAnswer_.size()));
    }
    dropRest_ = false;
    qsizetype used = 0;
    for (char b : bytes) {
        if (dropRest_)
            break;
        ReceiveByte(b);
        ++used;
    }
    const bool dropped = dropRest_;
    if (dropped)
        DropPartialInput();
    dropRest_ = false;
    if (dropped && used < bytes.size() && OnInputDiscarded)
        OnInputDiscarded(this);
}

void TPanelComms::PacketComplete()
{
    const int length = HandshakeStage == 0 ? 0 : static_cast<quint8>(rxBuffer_.size() > 1 ? rxBuffer_[1] : 0);
    const QByteArray buffer = rxBuffer_;
    if (PacketChecksumOK(buffer, HandshakeStage == 0 ? 0 : -1)) {
        if (!HandshakeDone) {
            // Taken only as the answer to a handshake of the stage running.
            if (buffer.startsWith(QByteArray("A\0A", 3)) && length == 0 && HandshakeStage != 0) {
                HandshakeDone = true;
                HandshakeRetries = 50;
                if (OnHandshakeReceived)
                    OnHandshakeReceived(this);
            } else if (!HandshakeFailed) {
                HandshakeRetryStep();
            }
        }
        const QByteArray packet = buffer.left(length + 3);
        SetInputTimeoutArmed(false);
        if (OnPacketReceived)
            OnPacketReceived(this, packet[0], packet);
    } else if (!HandshakeDone) {
        HandshakeRetryStep();
    } else if (OnInvalidChecksum) {
        OnInvalidChecksum(this);
    }
    dCharsReceived_ = 0;
    rxBuffer_.clear();
    // Writes nothing, but restarts the input time-out: the next reply gets a full InputTimeOut.
    SendShowingCR(QByteArray());
    Send(QByteArray());
}

void TPanelComms::ReceiveByte(char b)
{
    bool partOfPacket = false;
    if (!IsASCIIOnly) {
        if (dCharsReceived_ > 0) {
            ++dCharsReceived_;
            rxBuffer_.append(b);
            partOfPacket = true;
        } else if (b != ACK && b != NAK) {
            dCharsReceived_ = 1;
            rxBuffer_ = QByteArray(1, b);
            partOfPacket = true;
        }
        if (partOfPacket) {
            if (dCharsReceived_ == 2)
                packetLength_ = static_cast<quint8>(b);
            else if (dCharsReceived_ >= packetLength_ + 3)
                PacketComplete();
        }
    }
    if (TCommPanel::OnCharacter)
        TCommPanel::OnCharacter(this, b);
    if (b == ACK || b == CR || b == NAK) {
        rawLine_.append(b);
        displayLine_ += ControlCharNames(QByteArray(1, b));
        if (TCommPanel::OnInput)
            TCommPanel::OnInput(this, QString::fromLatin1(rawLine_));
        if (b == CR || !partOfPacket) {
            const TNotifyEvent& event = b == ACK ? OnAck : b == CR ? OnCR : OnNak;
            if (event)
                event(this);
        }
        rawLine_.clear();
        displayLine_.clear();
    } else {
        rawLine_.append(b);
        displayLine_ += QChar(static_cast<quint8>(b));
    }
}
