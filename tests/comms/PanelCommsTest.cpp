#include "LinkTestSupport.h"
#include "comms/ZOLPanelComms.h"

#include <gtest/gtest.h>

namespace {

const QByteArray HandshakeFrame = B({0x01, 0x00, 0x41, 0x00, 0x41});

template <typename TComms>
class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApp();
        auto device = std::make_unique<TMemorySerialDevice>(panel);
        memory = device.get();
        comms.Port().SetDevice(std::move(device));
        // Short polls and time-outs; the arithmetic is the same as at 200 ms and 4000 ms.
        comms.SetTickInterval(2);
        comms.SetInputTimeOut(6);
        comms.OnPacketReceived = [this](TPanelComms*, char letter, const QByteArray& packet) {
            letters += letter;
            packets << packet;
        };
        comms.OnInput = [this](TCommPanel*, const QString& line) { inputs << line; };
        comms.OnAck = [this](TCommPanel*) { ++acks; };
        comms.OnNak = [this](TCommPanel*) { ++naks; };
        comms.OnCR = [this](TCommPanel*) { ++crs; };
        comms.OnInvalidChecksum = [this](TPanelComms*) { ++badChecksums; };
    }

    // The link as it is once the handshake is over, without running one.
    void LinkUp()
    {
        comms.Suspended = true;  // no handshake from the tick
        comms.HandshakeStage = 1;
        comms.HandshakeDone = true;
        ASSERT_TRUE(comms.Open());
    }

    int Frames(const QByteArray& frame) const { return static_cast<int>(memory->WrittenBytes().count(frame)); }

    std::shared_ptr<TScriptedPanel> panel = std::make_shared<TScriptedPanel>();
    TMemorySerialDevice* memory = nullptr;
    TComms comms;
    QByteArray letters;
    QList<QByteArray> packets;
    QStringList inputs;
    int acks = 0;
    int naks = 0;
    int crs = 0;
    int badChecksums = 0;
};

using ZolLinkTest = LinkFixture<TZOLPanelComms>;
using PlainLinkTest = LinkFixture<TPanelComms>;

} // namespace

TEST(PacketChecksum, WorkedExamples)
{
    EXPECT_TRUE(PacketChecksumOK(QByteArray("A\0A", 3)));
    EXPECT_TRUE(PacketChecksumOK(B({'V', 0x02, 0x10, 0x20, 0x88})));
    EXPECT_FALSE(PacketChecksumOK(B({'V', 0x02, 0x10, 0x20, 0x89})));
    EXPECT_FALSE(PacketChecksumOK(B({'V', 0x02, 0x10, 0x20})));
    EXPECT_FALSE(PacketChecksumOK("A"));
    EXPECT_EQ(ZolChecksum(B({0xFF, 0x02})), 0x01);
    EXPECT_EQ(ZolFrame(0, B({'I', 0x02, 0x01, 0x00})), B({0x01, 0x00, 0x49, 0x02, 0x01, 0x00, 0x4C}));
}

TEST(PanelCommsDefaults, ConstructorSettings)
{
    TZOLPanelComms comms;
    EXPECT_FALSE(comms.AutoOpen());
    EXPECT_FALSE(comms.AutoAppendCR());
    EXPECT_EQ(comms.SetupString(), "COM1: 9600, n, 8, 1");
    EXPECT_EQ(comms.ComPort(), pnCOM1);
    EXPECT_EQ(comms.ComPortSpeed(), br9600);
    EXPECT_EQ(comms.ComPortParity(), ptNONE);
    EXPECT_EQ(comms.ComPortDataBits(), db8BITS);
    EXPECT_EQ(comms.ComPortStopBits(), sb1BITS);
    EXPECT_EQ(comms.TickInterval(), 100);
    EXPECT_EQ(comms.SendBufferSize(), 2048);
    EXPECT_EQ(comms.RcvBufferSize(), 2048);
    EXPECT_EQ(comms.InputTimeOut(), 4000u);
    EXPECT_EQ(comms.TimeOut(), 40u);
    EXPECT_FALSE(comms.IsASCIIOnly);
    EXPECT_EQ(comms.HandshakeStage, 0);
    EXPECT_FALSE(comms.HandshakeDone || comms.HandshakeFailed || comms.Suspended);
    EXPECT_EQ(comms.PanelNumber, 0);
    EXPECT_EQ(comms.DCharsReceived(), 0);
}

TEST_F(ZolLinkTest, FramesCarryThePanelNumberAndZeroForTheHandshake)
{
    LinkUp();
    comms.PanelNumber = 3;
    comms.SendPacket(QByteArray("V\0", 2));
    EXPECT_EQ(memory->WrittenBytes(), B({0x01, 0x03, 0x56, 0x00, 0x59}));
    memory->ClearWritten();
    comms.SendPacket(HandshakeMessage());
    EXPECT_EQ(memory->WrittenBytes(), HandshakeFrame);
    EXPECT_EQ(comms.PanelNumber, 0);
    comms.PanelNumber = 0x105;  // only the low byte goes on the wire
    memory->ClearWritten();
    comms.SendPacket(QByteArray("V\0", 2));
    EXPECT_EQ(memory->WrittenBytes(), B({0x01, 0x05, 0x56, 0x00, 0x5B}));
}

TEST_F(ZolLinkTest, PacketsAcksAndLines)
{
    LinkUp();
    // Two packets in one read, an ACK between packets, a packet holding ACK, one holding CR.
    panel->Push(B({'V', 0x02, 0x10, 0x20, 0x88, 'A', 0x00, 'A', 0x06, 'I', 0x01, 0x06, 0x50, 'm', 0x01, 0x0D, 0x7B}));
    ASSERT_TRUE(PumpUntil([&] { return packets.size() == 4; }));
    EXPECT_EQ(letters, "VAIm");
    EXPECT_EQ(packets[0], B({'V', 0x02, 0x10, 0x20, 0x88}));
    EXPECT_EQ(packets[2], B({'I', 0x01, 0x06, 0x50}));
    EXPECT_EQ(acks, 1) << "only the ACK outside a packet";
    EXPECT_EQ(crs, 1) << "a CR inside a packet is reported all the same";
    // OnInput gets the raw line (packet bytes included) with its terminator.
    EXPECT_EQ(inputs, QStringList({QString::fromLatin1(B({'V', 0x02, 0x10, 0x20, 0x88, 'A', 0x00, 'A', 0x06})),
                                   QString::fromLatin1(B({'I', 0x01, 0x06})),
                                   QString::fromLatin1(B({0x50, 'm', 0x01, 0x0D}))}));
    EXPECT_EQ(comms.DCharsReceived(), 0);

    // NAK outside a packet; a bad checksum once the link is up.
    panel->Push(B({0x15, 'V', 0x02, 0x10, 0x20, 0x89}));
    ASSERT_TRUE(PumpUntil([&] { return badChecksums == 1; }));
    EXPECT_EQ(naks, 1);
    EXPECT_EQ(packets.size(), 4);
}

TEST_F(ZolLinkTest, EachPacketRestartsTheInputTimeout)
{
    LinkUp();
    int timeouts = 0;
    comms.OnTimeout = [&](TPanelComms*) { ++timeouts; };
    EXPECT_FALSE(comms.GetInputTimeoutArmed());
    panel->Push(QByteArray("A\0A", 3));
    ASSERT_TRUE(PumpUntil([&] { return packets.size() == 1; }));
    EXPECT_TRUE(comms.GetInputTimeoutArmed());
    EXPECT_EQ(comms.Port().ElapsedInputTime(), 0u);
    EXPECT_TRUE(memory->WrittenBytes().isEmpty()) << "nothing is written";
    // After the link is up, silence is reported through OnTimeout.
    ASSERT_TRUE(PumpUntil([&] { return timeouts == 1; }));
}

TEST_F(ZolLinkTest, AsciiOnlyAssemblesNoPackets)
{
    LinkUp();
    comms.IsASCIIOnly = true;
    panel->Push(QByteArray("A\0A", 3) + "Fire Zone 3\r");
    ASSERT_TRUE(PumpUntil([&] { return crs == 1; }));
    EXPECT_TRUE(packets.isEmpty());
    EXPECT_EQ(inputs, QStringList({QString::fromLatin1("A\0AFire Zone 3\r", 15)}));
}

// The scripted panel answers the handshake after a given number of handshake frames.
class HandshakeStageTest : public ZolLinkTest, public ::testing::WithParamInterface<int> {};

TEST_P(HandshakeStageTest, SucceedsInTheStageThatGetsAnAnswer)
{
    const int stage = GetParam();
    const int answerOnFrame = (stage - 1) * 11 + 1;
    int handshakes = 0;
    panel->AnswerWith = [&](const QByteArray&) {
        if (panel->Received.count(HandshakeFrame) == answerOnFrame)
            panel->Push(QByteArray("A\0A", 3));
    };
    comms.OnHandshakeReceived = [&](TPanelComms*) { ++handshakes; };
    ASSERT_TRUE(comms.Open());
    ASSERT_TRUE(PumpUntil([&] { return comms.HandshakeDone || comms.HandshakeFailed; }, 5000));
    EXPECT_TRUE(comms.HandshakeDone);
    EXPECT_EQ(comms.HandshakeStage, stage);
    EXPECT_EQ(comms.HandshakeRetries, 50);
    EXPECT_EQ(handshakes, 1);
    EXPECT_EQ(Frames(HandshakeFrame), answerOnFrame);
    // Every byte of the last frame went out at the stage's parity.
    static constexpr TComPortParity parities[] = {ptNONE, ptNONE, ptSPACE, ptMARK};
    ASSERT_FALSE(memory->Written().empty());
    EXPECT_EQ(memory->Written().back().Settings.Parity, parities[stage]);
    EXPECT_EQ(memory->Written().front().Settings.Parity, ptNONE);
}

INSTANTIATE_TEST_SUITE_P(Stages, HandshakeStageTest, ::testing::Values(1, 2, 3));

TEST_F(ZolLinkTest, HandshakeFailsAfter33Sends)
{
    comms.OnTick = [&](TPanelComms*) {};
    ASSERT_TRUE(comms.Open());
    ASSERT_TRUE(PumpUntil([&] { return comms.HandshakeFailed; }, 8000));
    EXPECT_EQ(comms.HandshakeStage, 0);
    EXPECT_FALSE(comms.HandshakeDone);
    PumpFor(60);
    EXPECT_EQ(Frames(HandshakeFrame), 33);
    int noneParity = 0, space = 0, mark = 0;
    for (const auto& w : memory->Written())
        (w.Settings.Parity == ptNONE ? noneParity : w.Settings.Parity == ptSPACE ? space : mark) += 1;
    EXPECT_EQ(noneParity, 55);
    EXPECT_EQ(space, 55);
    EXPECT_EQ(mark, 55);
}

TEST_F(ZolLinkTest, AWrongOrBadAnswerCountsAsNoAnswerWhileHandshaking)
{
    int handshakes = 0;
    comms.OnHandshakeReceived = [&](TPanelComms*) { ++handshakes; };
    panel->AnswerWith = [&](const QByteArray&) {
        const qsizetype n = panel->Received.count(HandshakeFrame);
        if (n == 1)
            panel->Push(B({'V', 0x02, 0x10, 0x20, 0x89}));  // bad checksum
        else if (n == 2)
            panel->Push(B({'V', 0x00, 'V'}));  // good, but not the answer
        else if (n == 3)
            panel->Push(QByteArray("A\0A", 3));
    };
    ASSERT_TRUE(comms.Open());
    ASSERT_TRUE(PumpUntil([&] { return comms.HandshakeDone; }));
    EXPECT_EQ(handshakes, 1);
    EXPECT_EQ(comms.HandshakeStage, 1);
    EXPECT_EQ(badChecksums, 0);
    EXPECT_EQ(letters, "VA") << "good packets are passed on";
}

TEST_F(ZolLinkTest, SuspendedStopsTheTick)
{
    int ticks = 0;
    comms.OnTick = [&](TPanelComms*) { ++ticks; };
    comms.Suspended = true;
    ASSERT_TRUE(comms.Open());
    PumpFor(40);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(comms.HandshakeStage, 0);
    EXPECT_TRUE(memory->WrittenBytes().isEmpty());
    comms.Suspended = false;
    ASSERT_TRUE(PumpUntil([&] { return ticks > 0; }));
    EXPECT_EQ(comms.HandshakeStage, 1);
}

TEST_F(PlainLinkTest, StageFramesAndParitySwitching)
{
    // Link up and a long time-out: the ticks during the 50 ms waits must not send anything.
    comms.HandshakeDone = true;
    comms.SetInputTimeOut(10000);
    comms.HandshakeStage = 0;
    ASSERT_TRUE(comms.Open());
    comms.SendPacket(HandshakeMessage());
    EXPECT_TRUE(memory->Written().empty()) << "stage 0 sends nothing";

    comms.HandshakeStage = 1;
    comms.SendPacket(HandshakeMessage());
    EXPECT_EQ(memory->WrittenBytes(), B({0x01, 'A', 0x00, 'A'}));

    for (int stage : {2, 3}) {
        memory->ClearWritten();
        comms.HandshakeStage = static_cast<quint8>(stage);
        comms.SendPacket(HandshakeMessage());
        const auto& w = memory->Written();
        ASSERT_EQ(w.size(), 3u);
        EXPECT_EQ(memory->WrittenBytes(), B({'A', 0x00, 'A'})) << "no SOH";
        const TComPortParity first = stage == 2 ? ptSPACE : ptMARK;
        const TComPortParity second = stage == 2 ? ptMARK : ptSPACE;
        EXPECT_EQ(w[0].Settings.Parity, first);
        EXPECT_EQ(w[1].Settings.Parity, second);
        EXPECT_EQ(w[2].Settings.Parity, second);
    }
}
