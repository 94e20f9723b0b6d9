#include "LinkTestSupport.h"
#include "comms/ZOLPanelComms.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The packet link with its receive path opened to the test: bytes arrive as the port would
// hand them over, in chunks of any size.
template <typename TBase>
class TFedComms : public TBase {
public:
    void Feed(const QByteArray& bytes) { this->PortReceiveData(nullptr, bytes.constData(), int(bytes.size())); }
};

template <typename TComms>
void FeedRandomStreams(unsigned seed)
{
    EnsureApp();
    std::mt19937 rng(seed);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    for (int run = 0; run < 12; ++run) {
        TFedComms<TComms> comms;
        comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(std::make_shared<TScriptedPanel>()));
        comms.Suspended = true;
        comms.HandshakeStage = static_cast<quint8>(run % 4);
        comms.HandshakeDone = run % 3 != 0;
        comms.IsASCIIOnly = run % 7 == 0;
        comms.OnPacketReceived = [&comms](TPanelComms*, char letter, const QByteArray& packet) {
            // Only whole packets with a good checksum are handed on.
            ASSERT_GE(packet.size(), 3);
            EXPECT_EQ(packet[0], letter);
            EXPECT_TRUE(PacketChecksumOK(packet, comms.HandshakeStage == 0 ? 0 : -1));
        };
        for (int chunk = 0; chunk < 20; ++chunk) {
            QByteArray bytes;
            const int n = pick(1, 64);
            for (int i = 0; i < n; ++i)
                bytes += static_cast<char>(pick(0, 3) == 0 ? ACK + pick(0, 15) : pick(0, 255));
            comms.Feed(bytes);
            EXPECT_LE(comms.RxBuffer().size(), 258);
        }
    }
}

} // namespace

TEST(Robustness, RandomByteStreamsGiveOnlyCheckedPackets)
{
    FeedRandomStreams<TZOLPanelComms>(11);
    FeedRandomStreams<TPanelComms>(12);
}

// Well-formed packets split at random places arrive whole, in order, whatever noise of
// ACK and NAK bytes sits between them.
TEST(Robustness, PacketsSplitAnywhereArriveWhole)
{
    EnsureApp();
    std::mt19937 rng(2024);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    TFedComms<TZOLPanelComms> comms;
    comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(std::make_shared<TScriptedPanel>()));
    comms.Suspended = true;
    comms.HandshakeStage = 1;
    comms.HandshakeDone = true;
    QList<QByteArray> received;
    comms.OnPacketReceived = [&](TPanelComms*, char, const QByteArray& packet) { received << packet; };
    QList<QByteArray> sent;
    QByteArray stream;
    for (int n = 0; n < 2000; ++n) {
        char letter = static_cast<char>(pick(0x20, 0x7E));
        QByteArray packet(1, letter);
        const int length = pick(0, 3) == 0 ? pick(0, 255) : pick(0, 20);
        packet += static_cast<char>(length);
        for (int i = 0; i < length; ++i)
            packet += static_cast<char>(pick(0, 255));
        packet += static_cast<char>(ZolChecksum(packet));
        sent << packet;
        if (pick(0, 4) == 0)
            stream += pick(0, 1) ? ACK : NAK;
        stream += packet;
    }
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype size = pick(1, 300);
        comms.Feed(stream.mid(at, size));
        at += size;
    }
    EXPECT_EQ(received, sent);
}
