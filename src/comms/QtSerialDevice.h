#pragma once

#include "comms/SerialDevice.h"

#include <QSerialPort>
#include <QString>

// A real serial port (or pseudo-terminal) through QSerialPort.
class TQtSerialDevice : public TSerialDevice {
public:
    // name: a system port name or a full device path.
    explicit TQtSerialDevice(const QString& name);

    bool Open() override;
    void Close() override;
    bool IsOpen() const override { return port_.isOpen(); }
    bool ApplySettings(const TLineSettings& settings) override;
    bool SetQueueSizes(int inputBytes, int outputBytes) override;
    quint32 ErrorCode() const override { return errorCode_; }
    QString OpenErrorText() const override { return openError_; }
    QString DevicePath() const override { return path_; }
    void WaitForWritten(int ms) override;
    void Purge(bool input, bool output) override;
    qint64 BytesToWrite() override;
    qint64 Write(const char* data, qint64 count) override;
    qint64 Read(char* data, qint64 maxCount) override;

    QString Name() const { return port_.portName(); }

private:
    bool Check(bool ok);
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    QString path_;
    quint32 errorCode_ = 0;
    QString openError_;
    bool lost_ = false;
};
