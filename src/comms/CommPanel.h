#pragma once

#include "comms/SigComPort.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <stdexcept>

// A value outside the range a property accepts.
class ERangeError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// Display form of a byte string: each byte 0x00..0x1F becomes its name ("<NUL>" .. "<US>").
QString ControlCharNames(const QByteArray& bytes);

// The line layer: owns one TSigComPort, configures it from a setup string, sends text with an
// optional CR and splits what it receives into lines ended by ACK, CR or NAK.
// It is not a visible control; only its properties, operations and events matter.
class TCommPanel {
public:
    using TNotifyEvent = std::function<void(TCommPanel* Sender)>;
    using TNotifyOnTransferEvent = std::function<void(TCommPanel* Sender, const QString& ConvertedString)>;
    using TNotifyOnCharacter = std::function<void(TCommPanel* Sender, char Character)>;
    using TComPortReceiveDataEvent = TSigComPort::TComPortReceiveDataEvent;

    TCommPanel();
    virtual ~TCommPanel();
    TCommPanel(const TCommPanel&) = delete;
    TCommPanel& operator=(const TCommPanel&) = delete;

    // Loading completion: the owner calls it once its properties are set. Joins the port's
    // events to this component (they always reach the handlers assigned at the time they fire)
    // and opens the port when AutoOpen.
    virtual void Loaded();

    TSigComPort& Port() { return port_; }
    const TSigComPort& Port() const { return port_; }

    QString SetupString() const { return setupString_; }
    // Parses "COM1: 9600, e, 7, 1". More than five fields: ERangeError before any setting changes.
    virtual void SetSetupString(const QString& text);
    virtual qint64 GetSendBufferSize() const;
    virtual void SetSendBufferSize(qint64 size);  // ERangeError outside 0..65535
    virtual qint64 GetRcvBufferSize() const;
    virtual void SetRcvBufferSize(qint64 size);  // ERangeError outside 0..65535
    virtual quint16 GetTickInterval() const;
    virtual void SetTickInterval(quint16 ms);
    virtual bool GetInputTimeoutArmed() const;
    virtual void SetInputTimeoutArmed(bool armed);
    // The property names for reading the values above.
    qint64 SendBufferSize() const { return GetSendBufferSize(); }
    qint64 RcvBufferSize() const { return GetRcvBufferSize(); }
    quint16 TickInterval() const { return GetTickInterval(); }
    bool InputTimeoutArmed() const { return GetInputTimeoutArmed(); }
    bool AutoOpen() const { return autoOpen_; }
    void SetAutoOpen(bool value) { autoOpen_ = value; }
    bool AutoAppendCR() const { return autoAppendCR_; }
    void SetAutoAppendCR(bool value) { autoAppendCR_ = value; }
    // In poll ticks: InputTimeOut div TickInterval; setting it stores value x TickInterval.
    quint32 TimeOut() const;
    void SetTimeOut(quint32 ticks);
    quint32 InputTimeOut() const { return port_.InputTimeout(); }
    void SetInputTimeOut(quint32 ms) { port_.SetInputTimeout(ms); }
    quint32 OutputTimeout() const { return port_.OutputTimeout(); }
    void SetOutputTimeout(quint32 ms) { port_.SetOutputTimeout(ms); }

    TComPortNumber ComPort() const { return port_.ComPort(); }
    void SetComPort(TComPortNumber v) { port_.SetComPort(v); }
    TComPortBaudRate ComPortSpeed() const { return port_.ComPortSpeed(); }
    void SetComPortSpeed(TComPortBaudRate v) { port_.SetComPortSpeed(v); }
    TComPortDataBits ComPortDataBits() const { return port_.ComPortDataBits(); }
    void SetComPortDataBits(TComPortDataBits v) { port_.SetComPortDataBits(v); }
    TComPortStopBits ComPortStopBits() const { return port_.ComPortStopBits(); }
    void SetComPortStopBits(TComPortStopBits v) { port_.SetComPortStopBits(v); }
    TComPortParity ComPortParity() const { return port_.ComPortParity(); }
    void SetComPortParity(TComPortParity v) { port_.SetComPortParity(v); }
    TComPortHwHandshaking ComPortHwHandshaking() const { return port_.ComPortHwHandshaking(); }
    void SetComPortHwHandshaking(TComPortHwHandshaking v) { port_.SetComPortHwHandshaking(v); }
    TComPortSwHandshaking ComPortSwHandshaking() const { return port_.ComPortSwHandshaking(); }
    void SetComPortSwHandshaking(TComPortSwHandshaking v) { port_.SetComPortSwHandshaking(v); }

    virtual bool IsOpen() const;
    virtual bool HandleValid() const { return true; }
    virtual quint32 LastError() const;
    bool Open();
    // Why the last Open failed (port, device and reason); empty when it did not fail.
    QString OpenErrorText() const { return port_.OpenErrorText(); }
    // The port, the device it maps to and, once lost, why: for messages.
    QString DeviceText() const;
    void Close();
    void Purge(bool input, bool output);
    // Shows the text to OnOutput, appends CR when AutoAppendCR, writes it.
    virtual void Send(const QByteArray& text);
    // As Send, but the CR is appended before OnOutput sees the text.
    virtual void SendShowingCR(const QByteArray& text);

    TNotifyEvent OnTick;
    TNotifyEvent OnCreate;
    TNotifyEvent OnTimeOut;
    TNotifyEvent OnCR;
    TNotifyEvent OnAck;
    TNotifyEvent OnNak;
    TNotifyOnCharacter OnCharacter;
    TNotifyOnTransferEvent OnOutput;
    TNotifyOnTransferEvent OnInput;
    TNotifyEvent OnOutputTimeout;
    // The device stopped working while open (unplugged cable, emulator stopped).
    TNotifyEvent OnDeviceLost;
    TComPortReceiveDataEvent OnReceiveData;

protected:
    // The port's events; TPanelComms replaces these.
    virtual void PortReceiveData(TSigComPort* sender, const char* data, int size);
    virtual void PortInputTimeout();
    virtual void PortTick();
    void PortOutputTimeout();
    void SendText(QByteArray text, bool showCR);

    // Received characters between terminators: as shown (terminators by name) and as received.
    QString displayLine_;
    QByteArray rawLine_;

private:
    TSigComPort port_;
    QString setupString_;
    bool autoOpen_ = true;
    bool autoAppendCR_ = true;
};
