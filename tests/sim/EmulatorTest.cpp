#include "comms/PanelComms.h"
#include "comms/ZOLPanelComms.h"
#include "sim/PanelEmulator.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray B(std::initializer_list<int> bytes)
{
    QByteArray out;
    for (int b : bytes)
        out += static_cast<char>(b);
    return out;
}

QByteArray Msg(char letter, const QByteArray& payload = {})
{
    return QByteArray(1, letter) + static_cast<char>(payload.size()) + payload;
}

class EmulatorTest : public ::testing::Test {
protected:
    // Writes and expects ACK.
    void Write(char letter, const QByteArray& payload)
    {
        EXPECT_EQ(emu.Answer(Msg(letter, payload)), QByteArray(1, ACK)) << "write " << letter;
    }
    // Reads and returns the reply's payload after checking letter, length and checksum.
    QByteArray Read(char letter, const QByteArray& payload = {})
    {
        const QByteArray reply = emu.Answer(Msg(letter, payload));
        EXPECT_TRUE(PacketChecksumOK(reply)) << "read " << letter;
        EXPECT_EQ(reply.left(1), QByteArray(1, letter));
        return reply.mid(2, reply.size() - 3);
    }

    TPanelEmulator emu;
};

} // namespace

TEST_F(EmulatorTest, HandshakeVersionsLoopTypeAndLink)
{
    EXPECT_EQ(emu.Answer(Msg('A')), QByteArray("A\0A", 3));
    emu.Memory().MainVersion = "09A07";
    EXPECT_EQ(Read('\\'), "09A0703B0103B0102A04");
    EXPECT_EQ(Read('V'), B({0, 2}));
    Write('W', B({3}));
    emu.Memory().LoopCount = 1;
    EXPECT_EQ(Read('V'), B({3, 1}));
    EXPECT_EQ(Read('B'), B({0xFF}));
    emu.Memory().NvmLinkFitted = false;
    EXPECT_EQ(Read('B'), B({0x00}));
}

TEST_F(EmulatorTest, PointsAndNamesReadBackAsWritten)
{
    // Loop 2, wire address 101 (System Sensor module M1), zone byte 0xC5.
    Write('J', B({101, 2, 0x41, 0xC5, 7, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Read('I', B({0x65, 0x01})), B({0x65, 0x01, 0x41, 0xC5, 7, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Read('I', B({0x65, 0x00})).mid(2, 1), B({254})) << "loop 1 is untouched";
    EXPECT_EQ(emu.Answer(Msg('J', B({1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}))), QByteArray(1, NAK));
    EXPECT_EQ(emu.Answer(Msg('I', B({1, 2}))), QByteArray(1, NAK));

    // Three names, then the empty entry and the end record.
    for (int i = 0; i < 3; ++i)
        Write('D', B({i, 0}) + QByteArray("Name ") + char('0' + i) + '\0');
    Write('D', B({3, 0, 0}));
    Write('D', B({0xE7, 0x03, 0}));
    EXPECT_EQ(Read('C', B({0})), "Name 0");
    EXPECT_EQ(Read('C', B({2})), "Name 2");
    EXPECT_EQ(Read('C', B({3})), "");
    // A shorter table written later drops the old tail.
    Write('D', B({0, 0}) + QByteArray("Only", 5));
    Write('D', B({1, 0, 0}));
    Write('D', B({0xE7, 0x03, 0}));
    EXPECT_EQ(emu.Memory().Names.size(), 2u);
    EXPECT_EQ(Read('C', B({2})), "");

    // A full table of 256 names: its empty closing record (index 256) is accepted too, and
    // every name reads back; a real name beyond the table is refused.
    for (int i = 0; i < 256; ++i)
        Write('D', B({i & 0xFF, i >> 8}) + QByteArray("N") + QByteArray::number(i) + '\0');
    Write('D', B({0x00, 0x01, 0}));
    Write('D', B({0xE7, 0x03, 0}));
    EXPECT_EQ(emu.Memory().Names.size(), 256u);
    EXPECT_EQ(Read('C', B({255})), "N255");
    EXPECT_EQ(emu.Answer(Msg('D', B({0x00, 0x01}) + QByteArray("X", 2))), QByteArray(1, NAK));
}

TEST_F(EmulatorTest, ZonesGroupsAndSetsReadBackAsWritten)
{
    const QByteArray zone = B({0x1E, 0, 0, 0, 0, 0, 0x0A, 0, 0x4E, 0x49, 0x2C, 1, 0x3C, 0, 0x2C, 1, 0x3C, 0, 1});
    Write('[', B({5}) + zone);
    EXPECT_EQ(Read('Z', B({5})), zone);
    Write('F', B({5}) + QByteArray("Stairs", 7));
    EXPECT_EQ(Read('E', B({5})), "Stairs");
    EXPECT_EQ(emu.Answer(Msg('[', B({41}) + zone)), QByteArray(1, NAK));

    QByteArray groups;
    for (int g = 1; g <= 18; ++g)
        groups += static_cast<char>(g);
    Write('N', B({7}) + groups + B({3, 4, 1}));
    EXPECT_EQ(Read('M', B({7})), groups + B({3, 4, 1}));
    EXPECT_EQ(Read('M', B({41})).size(), 21);

    // Written as 17, 18, 1..16 and the delay; read as 1..18 and the delay.
    QByteArray sets;
    for (int s = 1; s <= 16; ++s)
        sets += static_cast<char>(0x10 + s);
    Write('j', B({0, 0xA1, 0xA2}) + sets + B({0x2C, 0x01}));
    EXPECT_EQ(Read('i', B({0})), sets + B({0xA1, 0xA2, 0x2C, 0x01}));
    EXPECT_EQ(Read('i', B({41})).size(), 20);

    QByteArray flags(40, 'F');
    flags[2] = 'T';
    Write('l', flags);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(emu.Memory().NonFireFlags.data()), 40), flags);
}

TEST_F(EmulatorTest, SiteNetworkAndCauseEffectReadBackAsWritten)
{
    Write('H', QByteArray("Service due", 12));
    EXPECT_EQ(Read('G'), "Service due");
    Write('L', B({24, 3, 12, 0, 0, 0}));
    EXPECT_EQ(Read('K'), B({24, 3, 12}));
    Write('P', B({0x39, 0x30}));
    EXPECT_EQ(Read('O'), B({0x39, 0x30}));
    Write('R', B({0xD2, 0x04, 1, 2, 3, 4}));
    EXPECT_EQ(Read('Q'), B({0xD2, 0x04, 1, 2, 3, 4}));
    Write('T', B({60, 0, 0x2C, 1, 30, 0}));
    EXPECT_EQ(Read('S'), B({60, 0, 0x2C, 1, 30, 0}));
    Write('n', QByteArray("ZOL Quiescent", 14));
    EXPECT_EQ(Read('m'), "ZOL Quiescent");
    Write('Y', B({1}));
    Write('U', B({24, 3, 12, 9, 30, 15}));
    EXPECT_EQ(emu.Memory().FaultLockout, 1);
    EXPECT_EQ(emu.Memory().Clock[4], 30);
    EXPECT_EQ(Read('X'), "");

    // The recalibration time 04:30 is written hour first and read minute first.
    Write('p', B({0, 7, 30, 22, 0x04, 0x1E, 0x7F, 0x03, 1, 0}));
    EXPECT_EQ(Read('o'), B({0, 7, 30, 22, 0x1E, 0x04, 0x7F, 0x03, 1, 0}));

    Write('^', B({2}) + QByteArray("Annexe", 7));
    EXPECT_EQ(Read(']', B({2})), "Annexe");
    Write('b', B({2, 0xFF}));
    EXPECT_EQ(Read('a', B({2})), B({0xFF}));
    EXPECT_EQ(Read('a', B({3})), B({0x00}));
    Write('v', B({0x23, 0x13, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(Read('u'), B({0x23, 0x13, 0, 0, 0, 0, 0, 1}));
    Write('h', "Main building");
    EXPECT_EQ(Read('g'), "Main building");
    Write('f', B({4}));
    EXPECT_EQ(emu.Memory().Segment, 4);
    EXPECT_EQ(Read('e'), "");

    const QByteArray event = B({2, 5, 0, 1, 3, 0, 4, 0, 0, 45, 17});
    Write('t', B({16}) + event);
    EXPECT_EQ(Read('s', B({16})), event);
    EXPECT_EQ(emu.Answer(Msg('s', B({17}))), QByteArray(1, NAK));
}

TEST_F(EmulatorTest, EventHistoryWithAndWithoutClearing)
{
    emu.Memory().Events = {"first", "second"};
    EXPECT_EQ(Read('q', B({0, 0, 0})), "first");
    EXPECT_EQ(Read('q', B({1, 0, 0})), "second");
    EXPECT_EQ(Read('q', B({2, 0, 0})), "");
    EXPECT_EQ(emu.Memory().Events.size(), 2u);
    EXPECT_EQ(Read('q', B({0, 0, 1})), "first");
    EXPECT_EQ(Read('q', B({0, 0, 1})), "second");
    EXPECT_EQ(Read('q', B({0, 0, 1})), "");
    EXPECT_TRUE(emu.Memory().Events.empty());
}

TEST_F(EmulatorTest, MalformedMessagesAreRefused)
{
    EXPECT_EQ(emu.Answer(B({'V', 3, 0})), QByteArray(1, NAK)) << "length byte disagrees";
    EXPECT_EQ(emu.Answer(Msg('P', B({1}))), QByteArray(1, NAK));
    EXPECT_EQ(emu.Answer(Msg('?')), QByteArray(1, NAK));
    EXPECT_EQ(emu.Answer(Msg('Z', B({200}))), QByteArray(1, NAK));
}

TEST_F(EmulatorTest, FaultInjection)
{
    emu.Faults.NakEveryWrite = 2;
    Write('Y', B({1}));
    EXPECT_EQ(emu.Answer(Msg('Y', B({2}))), QByteArray(1, NAK));
    EXPECT_EQ(emu.Memory().FaultLockout, 1) << "a refused write stores nothing";
    emu.Faults.NakEveryWrite = 0;

    emu.Faults.CorruptEveryReply = 3;
    int bad = 0;
    for (int i = 0; i < 6; ++i)
        bad += PacketChecksumOK(emu.Answer(Msg('V'))) ? 0 : 1;
    EXPECT_EQ(bad, 2);
    emu.Faults.CorruptEveryReply = 0;

    emu.Faults.DropEveryRequest = 2;
    EXPECT_FALSE(emu.Answer(Msg('V')).isEmpty());
    EXPECT_TRUE(emu.Answer(Msg('V')).isEmpty());
    emu.Faults.DropEveryRequest = 0;

    emu.Faults.SilentHandshakes = 2;
    EXPECT_TRUE(emu.Answer(Msg('A')).isEmpty());
    EXPECT_TRUE(emu.Answer(Msg('A')).isEmpty());
    EXPECT_EQ(emu.Answer(Msg('A')), QByteArray("A\0A", 3));

    // A late answer comes just before the answer to the next message.
    emu.Faults.LateEveryAnswer = 1;
    EXPECT_TRUE(emu.Answer(Msg('Y', B({4}))).isEmpty());
    EXPECT_EQ(emu.Memory().FaultLockout, 4) << "the late write was stored";
    emu.Faults.LateEveryAnswer = 0;
    EXPECT_EQ(emu.Answer(Msg('Y', B({4}))), QByteArray(2, ACK));

    // Frames on the line: a given panel number only, the handshake always; bad checksums NAKed.
    QByteArray sent;
    emu.SendToTool = [&](const QByteArray& b) { sent += b; };
    emu.Faults.OnlyPanelNumber = 2;
    emu.ReceiveFromTool(ZolFrame(1, Msg('V')), {});
    EXPECT_TRUE(sent.isEmpty());
    emu.ReceiveFromTool(ZolFrame(0, Msg('A')) + ZolFrame(2, Msg('V')), {});
    EXPECT_EQ(sent, QByteArray("A\0A", 3) + B({'V', 2, 0, 2, 0x5A}));
    sent.clear();
    QByteArray corrupt = ZolFrame(2, Msg('V'));
    corrupt[corrupt.size() - 1] = 0;
    emu.ReceiveFromTool(corrupt, {});
    EXPECT_EQ(sent, QByteArray(1, NAK));

    // Bytes at a parity the panel does not listen at are lost.
    sent.clear();
    emu.Faults.ListenParity = ptMARK;
    TLineSettings none;
    emu.ReceiveFromTool(ZolFrame(2, Msg('V')), none);
    EXPECT_TRUE(sent.isEmpty());
    TLineSettings mark;
    mark.Parity = ptMARK;
    emu.ReceiveFromTool(ZolFrame(2, Msg('V')), mark);
    EXPECT_FALSE(sent.isEmpty());
    emu.Faults = {};

    // Line faults: an answer doubled, a noise byte in front, a panel that stops answering
    // until it restarts.
    const QByteArray loopType = B({'V', 2, 0, 2, 0x5A});
    sent.clear();
    emu.Faults.DuplicateEveryAnswer = 1;
    emu.ReceiveFromTool(ZolFrame(2, Msg('V')), {});
    EXPECT_EQ(sent, loopType + loopType);
    emu.Faults = {};
    sent.clear();
    emu.Faults.NoiseEveryAnswer = 1;
    emu.ReceiveFromTool(ZolFrame(2, Msg('V')), {});
    EXPECT_EQ(sent, QByteArray(1, NAK) + loopType);
    emu.Faults = {};
    sent.clear();
    emu.Restart();
    emu.Faults.StopAfterFrames = 1;
    emu.ReceiveFromTool(ZolFrame(2, Msg('V')) + ZolFrame(2, Msg('V')), {});
    EXPECT_EQ(sent, loopType);
    emu.Restart();
    emu.ReceiveFromTool(ZolFrame(2, Msg('V')), {});
    EXPECT_EQ(sent, loopType + loopType);
}

TEST_F(EmulatorTest, MemoryFileRoundTripAndBadFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("panel.mem");
    TPanelMemory& m = emu.Memory();
    m.Points[2][101] = {0x41, 0xC5, 7, 1, 2, 3, 4, 5, 6};
    m.Names = {"No name allocated", "Hall\\way \xE9\n"};
    m.ZoneNames[40] = "  padded  ";
    m.Sets[3][17] = 9;
    m.Times[4] = 30;
    m.Events = {"one", "two"};
    m.NetworkFitted[8] = 0xFF;
    m.NvmLinkFitted = false;
    ASSERT_TRUE(m.Save(path));

    TPanelMemory loaded;
    QString error;
    ASSERT_TRUE(loaded.Load(path, &error)) << error.toStdString();
    EXPECT_TRUE(loaded == m);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("sets.3 = 01 02\n");
    file.close();
    const TPanelMemory before = loaded;
    EXPECT_FALSE(loaded.Load(path, &error));
    EXPECT_TRUE(error.contains("sets.3")) << error.toStdString();
    EXPECT_TRUE(loaded == before) << "a bad file changes nothing";
    EXPECT_FALSE(loaded.Load(dir.filePath("missing"), &error));
}
