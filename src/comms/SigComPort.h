#pragma once

#include "comms/ComPortTypes.h"
#include "comms/SerialDevice.h"

#include <QByteArray>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

// Owns one serial port: opens it, applies the line settings, writes with an output time-out and
// polls for received bytes every ComPortPollingDelay ms. Reports only through its events.
// Received bytes are also delivered as soon as the backend reports them; the poll keeps the
// cadence of OnTick and of the input time-out, which is counted in poll periods.
class TSigComPort {
public:
    using TComPortReceiveDataEvent =
        std::function<void(TSigComPort* Sender, const char* DataPtr, int DataSize)>;
    using TNotifyEvent = std::function<void(TSigComPort* Sender)>;

    TSigComPort();
    ~TSigComPort();
    TSigComPort(const TSigComPort&) = delete;
    TSigComPort& operator=(const TSigComPort&) = delete;

    // Published properties (defaults are those the constructor sets).
    TComPortNumber ComPort() const { return comPort_; }
    void SetComPort(TComPortNumber port);  // only while closed
    TComPortBaudRate ComPortSpeed() const { return settings_.BaudRate; }
    void SetComPortSpeed(TComPortBaudRate value);
    TComPortDataBits ComPortDataBits() const { return settings_.DataBits; }
    void SetComPortDataBits(TComPortDataBits value);
    TComPortStopBits ComPortStopBits() const { return settings_.StopBits; }
    void SetComPortStopBits(TComPortStopBits value);
    TComPortParity ComPortParity() const { return settings_.Parity; }
    void SetComPortParity(TComPortParity value);
    TComPortHwHandshaking ComPortHwHandshaking() const { return settings_.HwHandshaking; }
    void SetComPortHwHandshaking(TComPortHwHandshaking value);
    TComPortSwHandshaking ComPortSwHandshaking() const { return settings_.SwHandshaking; }
    void SetComPortSwHandshaking(TComPortSwHandshaking value);
    quint16 ComPortInBufSize() const { return inBufSize_; }
    void SetComPortInBufSize(quint16 size);  // ignored while open
    quint16 ComPortOutBufSize() const { return outBufSize_; }
    void SetComPortOutBufSize(quint16 size);  // only while closed
    quint16 ComPortPollingDelay() const { return pollingDelay_; }
    void SetComPortPollingDelay(quint16 ms);
    bool EnableDTROnOpen() const { return enableDTR_; }
    // Stored only: it reaches the device with the next settings push (Open or a line setting).
    void SetEnableDTROnOpen(bool enable) { enableDTR_ = enable; }
    quint32 OutputTimeout() const { return outputTimeout_; }
    void SetOutputTimeout(quint32 ms) { outputTimeout_ = ms; }
    quint32 InputTimeout() const { return inputTimeout_; }
    void SetInputTimeout(quint32 ms) { inputTimeout_ = ms; }

    TComPortReceiveDataEvent OnReceiveData;
    TNotifyEvent OnInputTimeout;
    TNotifyEvent OnOutputTimeout;
    TNotifyEvent OnTick;
    // The open device stopped working (unplugged, far end closed); the port is closed.
    TNotifyEvent OnDeviceLost;

    // Which device Open uses: empty (the default) means "COMn" from ComPort; otherwise
    // "COM1".."COM8", a full device path or "demo". Changed only while closed.
    QString PortName() const;
    void SetPortName(const QString& name);
    // A ready-made backend used by every Open instead of one made from the port name
    // (tests, an in-process panel) until SetPortName names another port. Only while closed.
    void SetDevice(std::unique_ptr<TSerialDevice> device);
    TSerialDevice* Device() const { return device_.get(); }

    bool Open();
    // Why the last Open failed: "Port COM1 (device /dev/ttyS0): not found - ...".
    QString OpenErrorText() const { return openError_; }
    // The port and the device it maps to, and why it was lost, for messages.
    QString DeviceText() const;
    QString LostReason() const { return lostReason_; }
    void Close();
    bool IsOpen() const;
    void Purge(bool input, bool output);
    quint16 FreeOutputSpace();
    qint32 Write(const char* data, qint32 count);
    bool WriteString(const QByteArray& bytes);

    bool InputTimedOut() const { return elapsedInput_ >= inputTimeout_; }
    bool InputTimeoutArmed() const { return inputArmed_; }
    void SetInputTimeoutArmed(bool armed) { inputArmed_ = armed; }
    quint32 LastError() const { return lastError_; }

    // Test view of the state the time-out arithmetic works on.
    quint32 ElapsedInputTime() const { return elapsedInput_; }
    int ReceiveBufferSize() const { return static_cast<int>(rxBuffer_.size()); }
    int XonLimit() const { return settings_.XonLimit; }

private:
    void ApplySettings();
    void Poll();
    void DataReady();
    void Deliver(qint64 count);
    void DeviceLost(const QString& reason);
    QString EffectivePortName() const;

    TComPortNumber comPort_ = pnCOM2;
    QString portName_;
    TLineSettings settings_;
    quint16 inBufSize_ = 2048;
    quint16 outBufSize_ = 2048;
    quint16 pollingDelay_ = 50;
    bool enableDTR_ = true;
    quint32 outputTimeout_ = 4000;
    quint32 inputTimeout_ = 4000;

    std::unique_ptr<TSerialDevice> device_;
    QString deviceName_;  // the port name device_ was made for
    bool injected_ = false;  // device_ came from SetDevice
    std::unique_ptr<TSerialDevice> retired_;  // a replaced device, kept until it is surely idle
    bool open_ = false;
    std::vector<char> rxBuffer_;
    qint64 lastReadCount_ = 0;
    bool inputArmed_ = false;
    quint32 elapsedInput_ = 0;
    quint32 lastError_ = 0;
    QString openError_;
    QString lostReason_;
    QTimer pollTimer_;
};
