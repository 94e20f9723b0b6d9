#include "comms/SigComPort.h"

#include "comms/SerialDeviceFactory.h"

#include <QElapsedTimer>
#include <algorithm>

TSigComPort::TSigComPort() : rxBuffer_(inBufSize_)
{
    settings_.XonLimit = inBufSize_ / 4;
    pollTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pollTimer_, &QTimer::timeout, [this] { Poll(); });
}

TSigComPort::~TSigComPort()
{
    Close();
}

void TSigComPort::SetComPort(TComPortNumber port)
{
    if (!IsOpen())
        comPort_ = port;
}

#define ZOL_LINE_SETTER(Name, Field, Type) \
    void TSigComPort::Set##Name(Type value) \
    {                                       \
        settings_.Field = value;            \
        ApplySettings();                    \
    }
ZOL_LINE_SETTER(ComPortSpeed, BaudRate, TComPortBaudRate)
ZOL_LINE_SETTER(ComPortDataBits, DataBits, TComPortDataBits)
ZOL_LINE_SETTER(ComPortStopBits, StopBits, TComPortStopBits)
ZOL_LINE_SETTER(ComPortParity, Parity, TComPortParity)
ZOL_LINE_SETTER(ComPortHwHandshaking, HwHandshaking, TComPortHwHandshaking)
ZOL_LINE_SETTER(ComPortSwHandshaking, SwHandshaking, TComPortSwHandshaking)
#undef ZOL_LINE_SETTER

void TSigComPort::SetComPortInBufSize(quint16 size)
{
    if (IsOpen())
        return;
    inBufSize_ = size;
    rxBuffer_.assign(size, 0);
    rxBuffer_.shrink_to_fit();
}

void TSigComPort::SetComPortOutBufSize(quint16 size)
{
    if (!IsOpen())
        outBufSize_ = size;
}

void TSigComPort::SetComPortPollingDelay(quint16 ms)
{
    if (ms == pollingDelay_)
        return;
    pollingDelay_ = ms;
    if (IsOpen())
        pollTimer_.start(pollingDelay_);
}

QString TSigComPort::PortName() const
{
    return portName_;
}

void TSigComPort::SetPortName(const QString& name)
{
    if (IsOpen() || name == portName_)
        return;
    portName_ = name;
    injected_ = false;
}

QString TSigComPort::EffectivePortName() const
{
    return portName_.isEmpty() ? ComPortName(comPort_) : portName_;
}

void TSigComPort::SetDevice(std::unique_ptr<TSerialDevice> device)
{
    if (IsOpen())
        return;
    retired_ = std::move(device_);
    device_ = std::move(device);
    deviceName_.clear();
    injected_ = true;
}

bool TSigComPort::Open()
{
    if (IsOpen())
        return true;
    const QString name = EffectivePortName();
    // A device handed over by SetDevice stays in use until the port is named again.
    if (!device_ || (!injected_ && deviceName_ != name)) {
        // The old device may be the one whose event we are inside; keep it alive a while.
        retired_ = std::move(device_);
        device_ = CreateSerialDevice(name);
        deviceName_ = name;
    }
    lostReason_.clear();
    if (!device_ || !device_->Open()) {
        open_ = false;
        const QString reason = device_ ? device_->OpenErrorText()
                                       : QStringLiteral("no emulated panel in this program");
        openError_ = QStringLiteral("Port ") + DeviceText()
                     + (reason.isEmpty() ? QString() : QStringLiteral(": ") + reason);
        return false;
    }
    openError_.clear();
    open_ = true;
    device_->OnReadyRead = [this] { DataReady(); };
    device_->OnLost = [this](const QString& reason) { DeviceLost(reason); };
    ApplySettings();
    pollTimer_.start(pollingDelay_);
    return true;
}

void TSigComPort::Close()
{
    if (!IsOpen())
        return;
    pollTimer_.stop();
    device_->OnReadyRead = nullptr;
    device_->OnLost = nullptr;
    device_->Close();
    open_ = false;
}

QString TSigComPort::DeviceText() const
{
    const QString name = EffectivePortName();
    const QString path = device_ ? device_->DevicePath() : QString();
    if (path.isEmpty() || path == name)
        return name;
    return name + QStringLiteral(" (device ") + path + QLatin1Char(')');
}

void TSigComPort::DeviceLost(const QString& reason)
{
    lostReason_ = reason;
    Close();
    if (OnDeviceLost)
        OnDeviceLost(this);
}

bool TSigComPort::IsOpen() const
{
    return open_ && device_;
}

void TSigComPort::ApplySettings()
{
    if (!IsOpen())
        return;
    settings_.DTR = enableDTR_;
    settings_.XonLimit = inBufSize_ / 4;
    settings_.XoffLimit = 1;
    if (!device_->ApplySettings(settings_)) {
        lastError_ = device_->ErrorCode();
        return;
    }
    Purge(true, true);
    lastError_ = device_->SetQueueSizes(inBufSize_, outBufSize_) ? 0 : device_->ErrorCode();
}

void TSigComPort::Purge(bool input, bool output)
{
    if (IsOpen())
        device_->Purge(input, output);
}

quint16 TSigComPort::FreeOutputSpace()
{
    if (!IsOpen())
        return 65535;
    const qint64 queued = device_->BytesToWrite();
    return static_cast<quint16>(std::clamp<qint64>(outBufSize_ - queued, 0, outBufSize_));
}

qint32 TSigComPort::Write(const char* data, qint32 count)
{
    if (!IsOpen())
        return 0;
    QElapsedTimer start;
    start.start();
    qint32 total = 0;
    while (count > 0) {
        const quint16 free = FreeOutputSpace();
        if (free > 0) {
            const qint64 accepted = device_->Write(data + total, std::min<qint32>(count, free));
            if (accepted <= 0) {
                if (OnOutputTimeout)
                    OnOutputTimeout(this);
                return total;
            }
            total += static_cast<qint32>(accepted);
            count -= static_cast<qint32>(accepted);
            start.restart();
        } else if (start.elapsed() > static_cast<qint64>(outputTimeout_)) {
            if (OnOutputTimeout)
                OnOutputTimeout(this);
            return -total;
        } else {
            // A full queue drains at the line's pace: wait for it rather than spin.
            device_->WaitForWritten(
                static_cast<int>(std::max<qint64>(1, outputTimeout_ - start.elapsed())));
            if (!IsOpen())
                return -total;
        }
    }
    inputArmed_ = true;
    elapsedInput_ = 0;
    return total;
}

bool TSigComPort::WriteString(const QByteArray& bytes)
{
    return Write(bytes.constData(), static_cast<qint32>(bytes.size())) == bytes.size();
}

void TSigComPort::Deliver(qint64 count)
{
    elapsedInput_ = 0;
    if (OnReceiveData)
        OnReceiveData(this, rxBuffer_.data(), static_cast<int>(count));
}

void TSigComPort::DataReady()
{
    // Bytes are handed up at once; the poll still counts the time-out and fires OnTick.
    if (!IsOpen() || rxBuffer_.empty())
        return;
    const qint64 n = device_->Read(rxBuffer_.data(), static_cast<qint64>(rxBuffer_.size()));
    if (n > 0) {
        lastReadCount_ = n;
        Deliver(n);
    }
}

void TSigComPort::Poll()
{
    if (!IsOpen())
        return;
    const qint64 n = rxBuffer_.empty() ? 0 : device_->Read(rxBuffer_.data(), static_cast<qint64>(rxBuffer_.size()));
    lastReadCount_ = std::max<qint64>(n, 0);
    if (n > 0) {
        Deliver(n);
    } else if (inputArmed_) {
        // A read that failed brought nothing either: the answer time runs on.
        elapsedInput_ += pollingDelay_;
        if (InputTimedOut() && OnInputTimeout) {
            inputArmed_ = false;
            OnInputTimeout(this);
        }
    }
    if (OnTick)
        OnTick(this);
}
