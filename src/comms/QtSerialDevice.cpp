#include "comms/QtSerialDevice.h"

#include <QFile>
#include <QTimer>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Who holds a port that another program has opened: "picocom (process 4711)", from the lock
// file the serial library leaves beside the port (it names the process); empty when no lock
// file says.
QString PortHolder([[maybe_unused]] const QString& portName)
{
#ifdef Q_OS_UNIX
    // The directories the serial library looks in for "LCK.." files, in its order.
    static const char* const LockDirectories[] = {"/var/lock", "/etc/locks", "/var/spool/locks",
                                                  "/var/spool/uucp", "/tmp", "/var/tmp",
                                                  "/var/lock/lockdev", "/run/lock"};
    QString fileName = portName;
    fileName.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const char* directory : LockDirectories) {
        const QString path = QLatin1String(directory) + QStringLiteral("/LCK..") + fileName;
        // Its first line is the process number (Qt's and the text UUCP format alike); Qt's
        // second line names the program.
        QFile lock(path);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = lock.read(4096).split('\n');
        const qint64 pid = lines.value(0).trimmed().toLongLong();
        if (pid <= 0)
            continue;
        QString program = QString::fromLocal8Bit(lines.value(1).trimmed());
        // The running process's own name beats the one written when the lock was taken.
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (comm.open(QIODevice::ReadOnly)) {
            const QString name = QString::fromLocal8Bit(comm.readAll()).trimmed();
            if (!name.isEmpty())
                program = name;
        }
        if (program.isEmpty())
            program = QStringLiteral("a program");
        return QStringLiteral("%1 (process %2)").arg(program).arg(pid);
    }
#endif
    // Windows keeps no lock file: the port's holder cannot be named there.
    return QString();
}

// The reason an open failed, in the words an engineer needs, then the system's own text.
QString OpenFailure(const QString& path, const QString& portName, QSerialPort::SerialPortError error,
                    const QString& systemText)
{
    const QString permission = QStringLiteral(
        "permission denied (on Linux, join the \"dialout\" group: sudo usermod -a -G dialout "
        "$USER, then log in again)");
    QString reason;
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0)
        reason = errno == EACCES ? permission : QStringLiteral("not found");
    else if (!S_ISCHR(info.st_mode))
        reason = QStringLiteral("not a serial device");
    else if (::access(native.constData(), R_OK | W_OK) != 0)
        reason = permission;
#endif
    if (reason.isEmpty()) {
        switch (error) {
        case QSerialPort::DeviceNotFoundError: reason = QStringLiteral("not found"); break;
        // Where the device may be opened, a refusal means another program holds it.
        case QSerialPort::PermissionError: {
            const QString holder = PortHolder(portName);
            reason = holder.isEmpty() ? QStringLiteral("in use by another program")
                                      : QStringLiteral("in use by ") + holder;
            break;
        }
        case QSerialPort::UnsupportedOperationError:
            reason = QStringLiteral("not a serial device");
            break;
        default: reason = QStringLiteral("cannot be opened"); break;
        }
    }
    return systemText.isEmpty() ? reason : reason + QStringLiteral(" - ") + systemText;
}

} // namespace

TQtSerialDevice::TQtSerialDevice(const QString& name) : path_(name)
{
    port_.setPortName(name);
    QObject::connect(&port_, &QSerialPort::readyRead, [this] {
        if (OnReadyRead)
            OnReadyRead();
    });
    QObject::connect(&port_, &QSerialPort::errorOccurred,
                     [this](QSerialPort::SerialPortError error) { OnError(error); });
}

bool TQtSerialDevice::Open()
{
    lost_ = false;
    openError_.clear();
    const bool ok = port_.open(QIODevice::ReadWrite);
    if (!ok)
        openError_ = OpenFailure(path_, port_.portName(), port_.error(), port_.errorString());
    return Check(ok);
}

void TQtSerialDevice::OnError(QSerialPort::SerialPortError error)
{
    // A device that is gone keeps its descriptor signalling: left open, the port would spin
    // the event loop. Close it (outside Qt's own handler) and say so once.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
                      || error == QSerialPort::WriteError;
    if (!gone || lost_ || !port_.isOpen())
        return;
    lost_ = true;
    // The system's own text here is often a stale one ("Inappropriate ioctl for device").
    const QString reason = QStringLiteral(
        "the device is gone (cable unplugged, or the program at the other end stopped)");
    QTimer::singleShot(0, &port_, [this, reason] {
        Close();
        if (OnLost)
            OnLost(reason);
    });
}

void TQtSerialDevice::WaitForWritten(int ms)
{
    if (port_.isOpen())
        port_.waitForBytesWritten(ms);
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
