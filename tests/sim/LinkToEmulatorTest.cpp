#include "comms/LinkTestSupport.h"
#include "comms/SerialDeviceFactory.h"
#include "comms/ZOLPanelComms.h"
#include "sim/DemoPanel.h"
#include "sim/PtyPanel.h"

#include <gtest/gtest.h>

namespace {

class LinkToEmulatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApp();
        comms.SetTickInterval(2);
        comms.SetInputTimeOut(10);
        comms.OnPacketReceived = [this](TPanelComms*, char, const QByteArray& packet) { packets << packet; };
        comms.OnAck = [this](TCommPanel*) { ++acks; };
    }

    void UseMemoryLine()
    {
        auto device = std::make_unique<TMemorySerialDevice>(emulator);
        memory = device.get();
        comms.Port().SetDevice(std::move(device));
    }

    bool Connect()
    {
        return comms.Open() && PumpUntil([&] { return comms.HandshakeDone || comms.HandshakeFailed; }, 8000)
               && comms.HandshakeDone && PumpUntil([&] { return !packets.isEmpty(); });
    }

    // Sends a message and waits for the next packet.
    QByteArray Request(const QByteArray& message, int ms = 3000)
    {
        packets.clear();
        comms.SendPacket(message);
        return PumpUntil([&] { return !packets.isEmpty(); }, ms) ? packets.first() : QByteArray();
    }

    std::shared_ptr<TPanelEmulator> emulator = std::make_shared<TPanelEmulator>();
    TMemorySerialDevice* memory = nullptr;
    TZOLPanelComms comms;
    QList<QByteArray> packets;
    int acks = 0;
};

class LinkStageTest : public LinkToEmulatorTest, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_F(LinkToEmulatorTest, HandshakeThenRequestsAndWrites)
{
    UseMemoryLine();
    ASSERT_TRUE(Connect());
    EXPECT_EQ(comms.HandshakeStage, 1);
    EXPECT_EQ(packets.first(), QByteArray("A\0A", 3));

    comms.PanelNumber = 1;
    EXPECT_EQ(Request(QByteArray("V\0", 2)), B({'V', 2, 0, 2, 0x5A}));
    EXPECT_EQ(Request(QByteArray("\\\0", 2)).mid(2, 5), "09A06");

    comms.SendPacket(B({'P', 2, 0x39, 0x30}));
    ASSERT_TRUE(PumpUntil([&] { return acks == 1; }));
    EXPECT_EQ(Request(QByteArray("O\0", 2)), B({'O', 2, 0x39, 0x30, 0xBA}));
}

TEST_P(LinkStageTest, HandshakeSucceedsAtThePanelsParity)
{
    const int stage = GetParam();
    static constexpr TComPortParity parities[] = {ptNONE, ptNONE, ptSPACE, ptMARK};
    emulator->Faults.ListenParity = parities[stage];
    UseMemoryLine();
    ASSERT_TRUE(Connect());
    EXPECT_EQ(comms.HandshakeStage, stage);
    EXPECT_EQ(emulator->HandshakesReceived(), 1);
    EXPECT_EQ(memory->Written().size(), static_cast<std::size_t>((stage - 1) * 11 + 1) * 5);
    EXPECT_EQ(memory->Written().back().Settings.Parity, parities[stage]);
}

INSTANTIATE_TEST_SUITE_P(Stages, LinkStageTest, ::testing::Values(1, 2, 3));

TEST_F(LinkToEmulatorTest, SilentHandshakesMoveToTheNextStage)
{
    emulator->Faults.SilentHandshakes = 11;
    UseMemoryLine();
    ASSERT_TRUE(Connect());
    EXPECT_EQ(comms.HandshakeStage, 2);
    EXPECT_EQ(emulator->HandshakesReceived(), 12);
}

TEST_F(LinkToEmulatorTest, DemoPortAndWireTime)
{
    RegisterDemoPanel(emulator);
    emulator->SetWireBitRate(9600);
    comms.SetInputTimeOut(200);
    comms.Port().SetPortName(QStringLiteral("demo"));
    ASSERT_TRUE(Connect());

    // "I" request: 7 bytes out, 14 back; at 9600 bit/s each byte costs 10 bit times.
    QElapsedTimer t;
    t.start();
    const QByteArray reply = Request(B({'I', 2, 1, 0}));
    const qint64 us = t.nsecsElapsed() / 1000;
    EXPECT_EQ(reply.size(), 14);
    EXPECT_GE(us, (7 + 14) * 10 * 1000000LL / 9600);
    SetDemoPanelFactory(nullptr);
}

TEST_F(LinkToEmulatorTest, PseudoTerminalThroughTheRealBackend)
{
    TPtyPanel pty(emulator);
    QString error;
    ASSERT_TRUE(pty.Start(&error)) << error.toStdString();
    comms.Port().SetPortName(pty.DeviceName());
    comms.SetInputTimeOut(200);
    ASSERT_TRUE(Connect());
    EXPECT_EQ(comms.HandshakeStage, 1);
    EXPECT_EQ(Request(QByteArray("V\0", 2)), B({'V', 2, 0, 2, 0x5A}));
    comms.Close();
}
