// Ports that will not open and devices that go away while open, on real system devices.

#include "LinkTestSupport.h"

#include "comms/SigComPort.h"

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
// The emulator stops (the far end of the pseudo-terminal closes): the port reports the loss
// once and closes, instead of leaving a descriptor that keeps the event loop spinning.
TEST(DeviceFailure, ClosedFarEndIsReportedAndClosesThePort)
{
    EnsureApp();
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const QString slave = QString::fromLocal8Bit(::ptsname(master));

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
#endif
