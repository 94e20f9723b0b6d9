#include "comms/QtSerialDevice.h"

#include <algorithm>

TQtSerialDevice::TQtSerialDevice(const QString& name)
{
    port_.setPortName(name);
    QObject::connect(&port_, &QSerialPort::readyRead, [this] {
        if (OnReadyRead)
            OnReadyRead();
    });
}

bool TQtSerialDevice::Open()
{
    return Check(port_.open(QIODevice::ReadWrite));
}

void TQtSerialDevice::Close()
{
    if (port_.isOpen())
        port_.close();
}

bool TQtSerialDevice::Check(bool ok)
{
    errorCode_ = ok ? 0 : static_cast<quint32>(port_.error());
    if (!ok)
        port_.clearError();
    return ok;
}

bool TQtSerialDevice::ApplySettings(const TLineSettings& s)
{
    static constexpr QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                       QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                       QSerialPort::SpaceParity};
    static constexpr QSerialPort::StopBits stops[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                      QSerialPort::TwoStop};
    const auto flow = s.HwHandshaking == hhRTSCTS   ? QSerialPort::HardwareControl
                      : s.SwHandshaking == shXONXOFF ? QSerialPort::SoftwareControl
                                                     : QSerialPort::NoFlowControl;
    bool ok = port_.setBaudRate(BaudRateValue(s.BaudRate))
              && port_.setDataBits(static_cast<QSerialPort::DataBits>(s.DataBits + 5))
              && port_.setParity(parities[std::min<int>(s.Parity, ptSPACE)])
              && port_.setFlowControl(flow);
    // 1.5 stop bits exist only on some systems; a refusal there is reported like any other.
    ok = ok && port_.setStopBits(stops[std::min<int>(s.StopBits, sb2BITS)]);
    // Pseudo-terminals have no modem lines: DTR is raised where the device has one.
    if (ok)
        port_.setDataTerminalReady(s.DTR);
    return Check(ok);
}

bool TQtSerialDevice::SetQueueSizes(int inputBytes, int)
{
    // The system keeps its own queues; Qt's read buffer is the one size we can set.
    port_.setReadBufferSize(inputBytes);
    return Check(true);
}

void TQtSerialDevice::Purge(bool input, bool output)
{
    QSerialPort::Directions d;
    if (input)
        d |= QSerialPort::Input;
    if (output)
        d |= QSerialPort::Output;
    if (d && port_.isOpen())
        port_.clear(d);
}

qint64 TQtSerialDevice::BytesToWrite()
{
    // Move what Qt buffered into the system queue; the write loop waits on this without an
    // event loop.
    if (port_.isOpen() && port_.bytesToWrite() > 0)
        port_.flush();
    return port_.bytesToWrite();
}

qint64 TQtSerialDevice::Write(const char* data, qint64 count)
{
    const qint64 n = port_.write(data, count);
    if (n > 0)
        port_.flush();
    return n;
}

qint64 TQtSerialDevice::Read(char* data, qint64 maxCount)
{
    return port_.read(data, maxCount);
}
