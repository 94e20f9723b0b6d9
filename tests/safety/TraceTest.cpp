#include "SafetyTestSupport.h"
#include "comms/PanelComms.h"
#include "comms/SigComPort.h"
#include "comms/ZOLPanelComms.h"
#include "safety/CommsTrace.h"

#include <QFile>
#include <QTest>
#include <QTemporaryDir>

namespace {

QStringList ReadLines(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& l) { return l.startsWith('#'); });
    return lines;
}

} // namespace

TEST(CommsTrace, AShortExchangeIsLoggedFrameByFrame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("line.log");
    {
        TCommsTrace trace;
        QDateTime clock(QDate(2026, 3, 1), QTime(9, 15, 0, 5));
        trace.Now = [&clock] { return clock; };
        ASSERT_TRUE(trace.Open(path, nullptr));
        trace.Sent(ZolFrame(2, QByteArray("L\x01\x05", 3)));
        clock = clock.addMSecs(40);
        // A packet that arrives in two pieces is one line.
        trace.Received(QByteArray("L\x02\x01", 3));
        trace.Received(QByteArray("\x02\x51", 2));
        trace.Received(QByteArray(1, ACK));
        trace.Received(QByteArray("L\x01\x07\x00", 4));
        trace.Received(QByteArray(1, NAK));
        trace.Received(QByteArray("Z\x05", 2));
    }
    const QStringList lines = ReadLines(path);
    ASSERT_EQ(lines.size(), 6) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0], "09:15:00.005 TX 01 02 4C 01 05 54  | 'L' panel 2, payload 05, checksum OK");
    EXPECT_EQ(lines[1], "09:15:00.045 RX 4C 02 01 02 51  | 'L', payload 01 02, checksum OK");
    EXPECT_EQ(lines[2], "09:15:00.045 RX 06  | ACK");
    EXPECT_EQ(lines[3], "09:15:00.045 RX 4C 01 07 00  | 'L', payload 07, checksum bad");
    EXPECT_EQ(lines[4], "09:15:00.045 RX 15  | NAK");
    // What never completed is still there when the log ends.
    EXPECT_EQ(lines[5], "09:15:00.045 RX 5A 05  | incomplete");
}

TEST(CommsTrace, DownloadWithTraceLogsEveryExchange)
{
    QTemporaryDir dir;
    FreshDemoPanel(stApolloLoop);
    const QString log = dir.filePath("download.log");
    const TRun run = Zolctl({"download", "--port", "demo", "--block", "site", "--trace", log, "-o",
                             dir.filePath("site.QEM")});
    ASSERT_EQ(run.Code, 0) << run.Err.toStdString();
    const QStringList lines = ReadLines(log);
    ASSERT_GT(lines.size(), 4);
    EXPECT_TRUE(lines.filter(" TX 01 00 41 00 41  | 'A' panel 0, no payload, checksum OK").size() >= 1);
    EXPECT_TRUE(lines.filter(" RX 41 00 41  | 'A', no payload, checksum OK").size() >= 1);
    EXPECT_TRUE(lines.filter("checksum bad").isEmpty());
    EXPECT_TRUE(lines.filter("incomplete").isEmpty());
}

TEST(CommsTrace, RecordingStartsAndStopsOnTheProgramsPort)
{
    QTemporaryDir dir;
    FreshDemoPanel(stApolloLoop);
    TSigComPort port;
    port.SetPortName("demo");
    TCommsTrace trace;
    ASSERT_TRUE(trace.Open(dir.filePath("port.log"), nullptr));
    ASSERT_TRUE(AttachTrace(port, trace));
    auto exchange = [&port] {
        ASSERT_TRUE(port.Open());
        port.WriteString(ZolFrame(0, HandshakeMessage()));
        QTest::qWait(100);
        port.Close();
    };
    exchange();
    DetachTrace(port);
    exchange();
    trace.Close();
    const QStringList lines = ReadLines(dir.filePath("port.log"));
    ASSERT_EQ(lines.size(), 2) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines[0].contains(" TX 01 00 41 00 41 "));
    EXPECT_TRUE(lines[1].contains(" RX 41 00 41 "));
}
