#include "LinkTestSupport.h"
#include "comms/SerialDeviceFactory.h"
#include "comms/SigComPort.h"

#include <gtest/gtest.h>

namespace {

class SigComPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApp();
        auto device = std::make_unique<TMemorySerialDevice>(panel);
        memory = device.get();
        port.SetDevice(std::move(device));
        port.OnTick = [this](TSigComPort*) { ++ticks; };
        port.OnInputTimeout = [this](TSigComPort*) { timeoutTicks.push_back(ticks + 1); };
    }

    std::shared_ptr<TScriptedPanel> panel = std::make_shared<TScriptedPanel>();
    TMemorySerialDevice* memory = nullptr;
    TSigComPort port;
    int ticks = 0;
    std::vector<int> timeoutTicks;
};

} // namespace

TEST_F(SigComPortTest, DefaultsAndClosedPort)
{
    EXPECT_EQ(port.ComPort(), pnCOM2);
    EXPECT_EQ(port.ComPortSpeed(), br9600);
    EXPECT_EQ(port.ComPortDataBits(), db8BITS);
    EXPECT_EQ(port.ComPortStopBits(), sb1BITS);
    EXPECT_EQ(port.ComPortParity(), ptNONE);
    EXPECT_EQ(port.ComPortInBufSize(), 2048);
    EXPECT_EQ(port.ComPortOutBufSize(), 2048);
    EXPECT_EQ(port.ComPortPollingDelay(), 50);
    EXPECT_TRUE(port.EnableDTROnOpen());
    EXPECT_EQ(port.InputTimeout(), 4000u);
    EXPECT_EQ(port.OutputTimeout(), 4000u);
    EXPECT_EQ(port.ReceiveBufferSize(), 2048);

    EXPECT_EQ(port.FreeOutputSpace(), 65535);
    EXPECT_EQ(port.Write("x", 1), 0);
    EXPECT_EQ(port.Write(nullptr, 0), 0);
    EXPECT_FALSE(port.InputTimeoutArmed());
    EXPECT_TRUE(memory->Written().empty());
}

TEST_F(SigComPortTest, PortNumberAndBufferSizesChangeOnlyWhileClosed)
{
    ASSERT_TRUE(port.Open());
    port.SetComPort(pnCOM3);
    port.SetComPortInBufSize(4096);
    port.SetComPortOutBufSize(100);
    EXPECT_EQ(port.ComPort(), pnCOM2);
    EXPECT_EQ(port.ComPortInBufSize(), 2048);
    EXPECT_EQ(port.ComPortOutBufSize(), 2048);
    EXPECT_EQ(port.PortName(), QString());
    port.Close();

    port.SetComPort(pnCOM3);
    port.SetComPortInBufSize(4096);
    EXPECT_EQ(port.ComPort(), pnCOM3);
    EXPECT_EQ(port.ReceiveBufferSize(), 4096);
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(port.XonLimit(), 1024);
    EXPECT_EQ(memory->Settings().XonLimit, 1024);

    // A single read takes up to the buffer size.
    std::vector<int> sizes;
    port.OnReceiveData = [&](TSigComPort*, const char*, int n) { sizes.push_back(n); };
    panel->Push(QByteArray(5000, 'x'));
    ASSERT_TRUE(PumpUntil([&] { return sizes.size() >= 2; }));
    EXPECT_EQ(sizes[0], 4096);
    EXPECT_EQ(sizes[1], 5000 - 4096);
}

TEST_F(SigComPortTest, LineSettingsApplyAtOnceWhenOpen)
{
    ASSERT_TRUE(port.Open());
    port.SetComPortParity(ptMARK);
    port.SetComPortSpeed(br19200);
    EXPECT_EQ(memory->Settings().Parity, ptMARK);
    EXPECT_EQ(memory->Settings().BaudRate, br19200);
    port.Write("ab", 2);
    port.SetComPortParity(ptSPACE);
    port.Write("c", 1);
    ASSERT_EQ(memory->Written().size(), 3u);
    EXPECT_EQ(memory->Written()[1].Settings.Parity, ptMARK);
    EXPECT_EQ(memory->Written()[2].Settings.Parity, ptSPACE);

    // DTR is not one of the six line settings: it reaches the device with the next open.
    EXPECT_TRUE(memory->Settings().DTR);
    port.SetEnableDTROnOpen(false);
    EXPECT_TRUE(memory->Settings().DTR);
    port.Close();
    ASSERT_TRUE(port.Open());
    EXPECT_FALSE(memory->Settings().DTR);
}

// 200 ms polls against 4000 ms, shortened to 2 against 40: the 20th empty poll fires.
TEST_F(SigComPortTest, InputTimeoutCountsPollPeriods)
{
    for (const auto& [poll, limit] : {std::pair{2, 40u}, std::pair{4, 80u}}) {
        port.Close();
        ticks = 0;
        timeoutTicks.clear();
        port.SetComPortPollingDelay(static_cast<quint16>(poll));
        port.SetInputTimeout(limit);
        ASSERT_TRUE(port.Open());
        EXPECT_EQ(port.Write(nullptr, 0), 0);  // a zero-byte write arms it too
        EXPECT_TRUE(port.InputTimeoutArmed());
        ASSERT_TRUE(PumpUntil([&] { return ticks >= 30; }));
        ASSERT_EQ(timeoutTicks.size(), 1u) << "fires once per arming";
        EXPECT_EQ(timeoutTicks[0], 20);
        EXPECT_FALSE(port.InputTimeoutArmed());
    }

    // A received byte resets the count; after the time-out fired it re-arms nothing.
    ticks = 0;
    timeoutTicks.clear();
    int receivedAt = -1;
    port.OnReceiveData = [&](TSigComPort*, const char*, int) { receivedAt = ticks; };
    port.Write("q", 1);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 10; }));
    panel->Push("r");
    ASSERT_TRUE(PumpUntil([&] { return !timeoutTicks.empty(); }));
    ASSERT_GE(receivedAt, 10);
    EXPECT_EQ(timeoutTicks[0], receivedAt + 20);
    panel->Push("s");
    const int before = ticks;
    ASSERT_TRUE(PumpUntil([&] { return ticks >= before + 30; }));
    EXPECT_EQ(timeoutTicks.size(), 1u);
    EXPECT_FALSE(port.InputTimeoutArmed());
}

TEST_F(SigComPortTest, ReceivedBytesArriveBeforeThePoll)
{
    port.SetComPortPollingDelay(1000);
    ASSERT_TRUE(port.Open());
    QByteArray got;
    port.OnReceiveData = [&](TSigComPort* sender, const char* data, int n) {
        EXPECT_EQ(sender, &port);
        got.append(data, n);
    };
    panel->Push("hello");
    ASSERT_TRUE(PumpUntil([&] { return got == "hello"; }, 500));
    EXPECT_EQ(ticks, 0);
}

TEST_F(SigComPortTest, OutputTimeout)
{
    int outputTimeouts = 0;
    port.OnOutputTimeout = [&](TSigComPort*) { ++outputTimeouts; };
    port.SetOutputTimeout(30);
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(port.FreeOutputSpace(), 2048);

    memory->SetOutputBlocked(true);
    EXPECT_EQ(port.FreeOutputSpace(), 0);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(port.Write("abc", 3), 0);
    EXPECT_GE(t.elapsed(), 30);
    EXPECT_EQ(outputTimeouts, 1);
    EXPECT_FALSE(port.InputTimeoutArmed());
    EXPECT_FALSE(port.WriteString("abc"));

    memory->SetOutputBlocked(false);
    memory->SetAcceptNothing(true);
    EXPECT_EQ(port.Write("abc", 3), 0);
    EXPECT_EQ(outputTimeouts, 3);

    memory->SetAcceptNothing(false);
    EXPECT_TRUE(port.WriteString("abc"));
    EXPECT_TRUE(port.InputTimeoutArmed());
}

TEST_F(SigComPortTest, PortNamesChooseTheBackend)
{
    port.SetPortName(QStringLiteral("/nonexistent/ttyZOL"));
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.FreeOutputSpace(), 65535);

    auto demo = std::make_shared<TScriptedPanel>();
    SetDemoPanelFactory([demo] { return demo; });
    port.SetPortName(QStringLiteral("DEMO"));
    ASSERT_TRUE(port.Open());
    EXPECT_TRUE(port.WriteString("x"));
    EXPECT_TRUE(PumpUntil([&] { return demo->Received == "x"; }));
    port.Close();
    SetDemoPanelFactory(nullptr);
    EXPECT_EQ(CreateSerialDevice(QStringLiteral("demo")), nullptr);
    EXPECT_NE(CreateSerialDevice(QStringLiteral("com4")), nullptr);
}
