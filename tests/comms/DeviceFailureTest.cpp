// Ports that will not open and devices that go away while open, on real system devices.

#include "LinkTestSupport.h"

#include "comms/SigComPort.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace {

QString OpenFailure(const QString& name)
{
    TSigComPort port;
    port.SetPortName(name);
    EXPECT_FALSE(port.Open()) << name.toStdString();
    return port.OpenErrorText();
}

} // namespace

TEST(DeviceFailure, OpenFailureNamesPortAndReason)
{
    EnsureApp();
    EXPECT_TRUE(OpenFailure("/nonexistent/ttyZOL").startsWith("Port /nonexistent/ttyZOL: not found"));
#ifdef Q_OS_UNIX
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    EXPECT_TRUE(OpenFailure(file.fileName()).contains(": not a serial device"));
    EXPECT_TRUE(OpenFailure("/dev/null").contains(": not a serial device"));
#endif
    EXPECT_EQ(OpenFailure("demo"), "Port demo: no emulated panel in this program");
}

#ifdef Q_OS_UNIX
// A pseudo-terminal: its master end, and the name of the end a port opens.
void OpenPseudoTerminal(int& master, QString& slave)
{
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    slave = QString::fromLocal8Bit(::ptsname(master));
}

// The emulator stops (the far end of the pseudo-terminal closes): the port reports the loss
// once and closes, instead of leaving a descriptor that keeps the event loop spinning.
TEST(DeviceFailure, ClosedFarEndIsReportedAndClosesThePort)
{
    EnsureApp();
    int master = -1;
    QString slave;
    ASSERT_NO_FATAL_FAILURE(OpenPseudoTerminal(master, slave));

    TSigComPort port;
    port.SetPortName(slave);
    int lost = 0;
    port.OnDeviceLost = [&](TSigComPort*) { ++lost; };
    ASSERT_TRUE(port.Open()) << port.OpenErrorText().toStdString();
    PumpFor(30);
    ::close(master);
    EXPECT_TRUE(PumpUntil([&] { return lost > 0; }, 2000));
    PumpFor(50);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.LostReason().isEmpty());
    EXPECT_TRUE(port.DeviceText().startsWith(slave));
}

// A port another program holds names that program and its process, from the port's lock file.
TEST(DeviceFailure, LockedPortNamesItsHolder)
{
    EnsureApp();
    int master = -1;
    QString slave;
    ASSERT_NO_FATAL_FAILURE(OpenPseudoTerminal(master, slave));
    TSigComPort holder;
    holder.SetPortName(slave);
    ASSERT_TRUE(holder.Open()) << holder.OpenErrorText().toStdString();
    QFile comm(QStringLiteral("/proc/self/comm"));
    const QString self = comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed()
                                                        : QCoreApplication::applicationName();
    const QString text = OpenFailure(slave);
    EXPECT_TRUE(text.contains(QStringLiteral("in use by %1 (process %2)").arg(self).arg(::getpid())))
        << text.toStdString();
    holder.Close();
    ::close(master);
}
#endif

// A device whose reads fail brings nothing either: the input time-out still runs out.
TEST(DeviceFailure, FailedReadsCountTowardTheTimeOut)
{
    EnsureApp();
    class TFailingReads : public TMemorySerialDevice {
    public:
        using TMemorySerialDevice::TMemorySerialDevice;
        qint64 Read(char*, qint64) override { return -1; }
    };
    TSigComPort port;
    port.SetDevice(std::make_unique<TFailingReads>(std::make_shared<TScriptedPanel>()));
    port.SetComPortPollingDelay(5);
    port.SetInputTimeout(40);
    int timeouts = 0;
    port.OnInputTimeout = [&](TSigComPort*) { ++timeouts; };
    ASSERT_TRUE(port.Open());
    port.WriteString("x");
    EXPECT_TRUE(PumpUntil([&] { return timeouts > 0; }, 2000));
}
