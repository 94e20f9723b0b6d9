#include "safety/CommsTrace.h"

#include "comms/PanelComms.h"
#include "comms/SerialDeviceFactory.h"
#include "comms/SigComPort.h"

#include <algorithm>

namespace {

// A frame still incomplete after this long is written out as it is before new bytes start
// another: the rest is not coming.
constexpr qint64 StaleMs = 1000;

QString Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString Letter(char letter)
{
    const uchar c = static_cast<uchar>(letter);
    return c >= 0x20 && c < 0x7F ? QStringLiteral("'%1'").arg(QLatin1Char(letter))
                                 : QStringLiteral("0x%1").arg(c, 2, 16, QLatin1Char('0'));
}

// The payload in hex and, when it reads as text, as text too.
QString Payload(const QByteArray& payload)
{
    if (payload.isEmpty())
        return QStringLiteral("no payload");
    QString text = QStringLiteral("payload ") + Hex(payload);
    QByteArray printable = payload;
    while (printable.endsWith('\0'))
        printable.chop(1);
    const bool isText = printable.size() >= 2
        && std::all_of(printable.begin(), printable.end(),
                       [](char c) { return static_cast<uchar>(c) >= 0x20 && static_cast<uchar>(c) < 0x7F; });
    if (isText)
        text += QStringLiteral(" \"%1\"").arg(QString::fromLatin1(printable));
    return text;
}

QString Checksum(bool ok)
{
    return ok ? QStringLiteral("checksum OK") : QStringLiteral("checksum bad");
}

} // namespace

TCommsTrace::~TCommsTrace()
{
    Close();
}

bool TCommsTrace::Open(const QString& path, QString* error)
{
    Close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("Cannot write the communications log %1: %2")
                         .arg(path, file_.errorString());
        return false;
    }
    const QString head = QStringLiteral(
        "# ZOL communications log, started %1\n"
        "# time, TX (to the panel) or RX (from the panel), bytes in hex, the frame decoded\n")
                             .arg(Now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    file_.write(head.toLatin1());
    file_.flush();
    return true;
}

void TCommsTrace::Close()
{
    if (!file_.isOpen())
        return;
    FlushPending(sent_);
    FlushPending(received_);
    file_.close();
}

void TCommsTrace::Sent(const QByteArray& bytes)
{
    Feed(sent_, bytes);
}

void TCommsTrace::Received(const QByteArray& bytes)
{
    Feed(received_, bytes);
}

QString TCommsTrace::DescribeSent(const QByteArray& frame)
{
    if (frame.size() < 5 || frame.at(0) != SOH)
        return QStringLiteral("not a frame");
    const QByteArray body = frame.mid(1, frame.size() - 2);
    const bool ok = static_cast<quint8>(frame.back()) == ZolChecksum(body);
    return QStringLiteral("%1 panel %2, %3, %4")
        .arg(Letter(frame.at(2)))
        .arg(static_cast<quint8>(frame.at(1)))
        .arg(Payload(frame.mid(4, frame.size() - 5)), Checksum(ok));
}

QString TCommsTrace::DescribeReceived(const QByteArray& packet)
{
    if (packet.size() == 1 && packet.at(0) == ACK)
        return QStringLiteral("ACK");
    if (packet.size() == 1 && packet.at(0) == NAK)
        return QStringLiteral("NAK");
    if (packet.size() < 3)
        return QStringLiteral("not a packet");
    return QStringLiteral("%1, %2, %3")
        .arg(Letter(packet.at(0)))
        .arg(Payload(packet.mid(2, packet.size() - 3)), Checksum(PacketChecksumOK(packet)));
}

void TCommsTrace::Feed(TDirection& direction, const QByteArray& bytes)
{
    if (!file_.isOpen() || bytes.isEmpty())
        return;
    const QDateTime now = Now();
    if (!direction.Pending.isEmpty() && direction.Started.msecsTo(now) > StaleMs)
        FlushPending(direction);
    if (direction.Pending.isEmpty())
        direction.Started = now;
    direction.Pending += bytes;

    QByteArray& p = direction.Pending;
    while (!p.isEmpty()) {
        qsizetype whole = 0;
        if (direction.Sent) {
            if (p.at(0) != SOH) {
                // Bytes outside a frame, up to the next frame's start.
                const qsizetype next = p.indexOf(SOH);
                const QByteArray stray = p.left(next < 0 ? p.size() : next);
                Line(direction, stray, QStringLiteral("bytes outside a frame"));
                p.remove(0, stray.size());
                continue;
            }
            if (p.size() >= 4)
                whole = 5 + static_cast<quint8>(p.at(3));
        } else if (p.at(0) == ACK || p.at(0) == NAK) {
            whole = 1;
        } else if (p.size() >= 2) {
            whole = 3 + static_cast<quint8>(p.at(1));
        }
        if (whole == 0 || p.size() < whole)
            break;
        const QByteArray frame = p.left(whole);
        Line(direction, frame, direction.Sent ? DescribeSent(frame) : DescribeReceived(frame));
        p.remove(0, whole);
        direction.Started = now;
    }
}

void TCommsTrace::FlushPending(TDirection& direction)
{
    if (direction.Pending.isEmpty())
        return;
    Line(direction, direction.Pending, QStringLiteral("incomplete"));
    direction.Pending.clear();
}

void TCommsTrace::Line(const TDirection& direction, const QByteArray& bytes, const QString& meaning)
{
    const QString line = QStringLiteral("%1 %2 %3  | %4\n")
                             .arg(Now().toString(QStringLiteral("HH:mm:ss.zzz")),
                                  direction.Sent ? QStringLiteral("TX") : QStringLiteral("RX"),
                                  Hex(bytes), meaning);
    file_.write(line.toLatin1());
    // A log that ends with a crash or a pulled cable still holds everything up to it.
    file_.flush();
}

TTracingSerialDevice::TTracingSerialDevice(std::unique_ptr<TSerialDevice> inner, TCommsTrace& trace)
    : inner_(std::move(inner)), trace_(trace)
{
}

bool TTracingSerialDevice::Open()
{
    // Every event of the device reaches the port: a lost device must end the operation.
    inner_->OnReadyRead = [this] {
        if (OnReadyRead)
            OnReadyRead();
    };
    inner_->OnLost = [this](const QString& reason) {
        if (OnLost)
            OnLost(reason);
    };
    return inner_->Open();
}

qint64 TTracingSerialDevice::Write(const char* data, qint64 count)
{
    const qint64 written = inner_->Write(data, count);
    if (written > 0)
        trace_.Sent(QByteArray(data, written));
    return written;
}

qint64 TTracingSerialDevice::Read(char* data, qint64 maxCount)
{
    const qint64 read = inner_->Read(data, maxCount);
    if (read > 0)
        trace_.Received(QByteArray(data, read));
    return read;
}

bool AttachTrace(TSigComPort& port, const QString& portName, TCommsTrace& trace)
{
    if (port.IsOpen())
        return false;
    std::unique_ptr<TSerialDevice> device = CreateSerialDevice(portName);
    if (!device)
        return false;
    port.SetDevice(std::make_unique<TTracingSerialDevice>(std::move(device), trace));
    return true;
}

bool AttachTrace(TSigComPort& port, TCommsTrace& trace)
{
    const QString name = port.PortName().isEmpty() ? ComPortName(port.ComPort()) : port.PortName();
    return !port.IsOpen() && AttachTrace(port, name, trace);
}

void DetachTrace(TSigComPort& port)
{
    if (!port.IsOpen())
        port.SetDevice(nullptr);
}
