#pragma once

#include "comms/SerialDevice.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>

class TSigComPort;

// The communications log a support engineer reads: every byte sent and received, one frame a
// line, with a millisecond timestamp, the direction and the frame decoded. Frames to the panel
// are SOH, panel number, letter, length, payload, checksum; from the panel a packet (letter,
// length, payload, checksum) or a single ACK or NAK. Bytes that make no frame are shown as
// they are, so nothing on the line is left out.
class TCommsTrace {
public:
    TCommsTrace() = default;
    ~TCommsTrace();
    TCommsTrace(const TCommsTrace&) = delete;
    TCommsTrace& operator=(const TCommsTrace&) = delete;

    // Creates or replaces the file; false with the reason in error.
    bool Open(const QString& path, QString* error);
    bool IsOpen() const { return file_.isOpen(); }
    // Writes out what waits for the rest of its frame, and closes the file.
    void Close();

    void Sent(const QByteArray& bytes);
    void Received(const QByteArray& bytes);

    // The clock of the timestamps.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    // The decoded form of one whole frame to the panel, and of one whole packet from it.
    static QString DescribeSent(const QByteArray& frame);
    static QString DescribeReceived(const QByteArray& packet);

private:
    struct TDirection {
        bool Sent = false;
        QByteArray Pending;
        QDateTime Started;
    };
    void Feed(TDirection& direction, const QByteArray& bytes);
    void Line(const TDirection& direction, const QByteArray& bytes, const QString& meaning);
    void FlushPending(TDirection& direction);

    QFile file_;
    TDirection sent_{true, {}, {}};
    TDirection received_{false, {}, {}};
};

// A serial device that hands every byte it writes and reads to a trace, and otherwise is the
// device it wraps.
class TTracingSerialDevice : public TSerialDevice {
public:
    TTracingSerialDevice(std::unique_ptr<TSerialDevice> inner, TCommsTrace& trace);

    bool Open() override;
    void Close() override { inner_->Close(); }
    bool IsOpen() const override { return inner_->IsOpen(); }
    bool ApplySettings(const TLineSettings& settings) override
    {
        return inner_->ApplySettings(settings);
    }
    bool SetQueueSizes(int inputBytes, int outputBytes) override
    {
        return inner_->SetQueueSizes(inputBytes, outputBytes);
    }
    quint32 ErrorCode() const override { return inner_->ErrorCode(); }
    QString OpenErrorText() const override { return inner_->OpenErrorText(); }
    QString DevicePath() const override { return inner_->DevicePath(); }
    void WaitForWritten(int ms) override { inner_->WaitForWritten(ms); }
    void Purge(bool input, bool output) override { inner_->Purge(input, output); }
    qint64 BytesToWrite() override { return inner_->BytesToWrite(); }
    qint64 Write(const char* data, qint64 count) override;
    qint64 Read(char* data, qint64 maxCount) override;

private:
    std::unique_ptr<TSerialDevice> inner_;
    TCommsTrace& trace_;
};

// Makes the (closed) port use the device of portName through a trace. False when there is no
// such device; the port is then left as it was. The trace must outlive the port's use of it.
bool AttachTrace(TSigComPort& port, const QString& portName, TCommsTrace& trace);
// The same for the port the (closed) port names now: its port name, else its COM port.
bool AttachTrace(TSigComPort& port, TCommsTrace& trace);
// Stops tracing a closed port: its next Open makes a plain device for its name again.
void DetachTrace(TSigComPort& port);
