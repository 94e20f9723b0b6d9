#include "LinkTestSupport.h"
#include "comms/CommPanel.h"

#include <gtest/gtest.h>

namespace {

struct TSetupCase {
    const char* Text;
    TComPortNumber Port;
    TComPortBaudRate Speed;
    TComPortParity Parity;
    TComPortDataBits DataBits;
    TComPortStopBits StopBits;
};

class CommPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApp();
        auto device = std::make_unique<TMemorySerialDevice>(panel);
        memory = device.get();
        line.Port().SetDevice(std::move(device));
    }

    std::shared_ptr<TScriptedPanel> panel = std::make_shared<TScriptedPanel>();
    TMemorySerialDevice* memory = nullptr;
    TCommPanel line;
};

} // namespace

TEST_F(CommPanelTest, SetupStringRules)
{
    EXPECT_EQ(line.SetupString(), "COM1: 9600, e, 7, 1");
    EXPECT_EQ(line.ComPort(), pnCOM1);
    EXPECT_EQ(line.ComPortParity(), ptEVEN);
    EXPECT_EQ(line.ComPortDataBits(), db7BITS);

    const TSetupCase cases[] = {
        // Each case starts from the previous one's settings.
        {"COM2: 19200, o, 7, 2", pnCOM2, br19200, ptODD, db7BITS, sb2BITS},
        {"com1:,9600,N,8,1", pnCOM1, br9600, ptNONE, db8BITS, sb1BITS},
        {"COM5: 4800", pnCOM1, br4800, ptNONE, db8BITS, sb1BITS},
        {"COM3: 9600, e, 6, 1.5", pnCOM3, br9600, ptEVEN, db6BITS, sb1BITS},
        {"COM4: 115200, SPACE, 5, 2", pnCOM4, br115200, ptSPACE, db5BITS, sb2BITS},
        // A leading separator makes the first field empty: 300 is then the bit rate.
        {" 300, 1200, mark", pnCOM4, br300, ptSPACE, db5BITS, sb2BITS},
        {"COM2:  ,, 600 ,none", pnCOM2, br600, ptNONE, db5BITS, sb2BITS},
        {"COM1: 9600x, nONe, 9, 3", pnCOM1, br600, ptNONE, db5BITS, sb2BITS},
        {"", pnCOM1, br600, ptNONE, db5BITS, sb2BITS},
    };
    for (const TSetupCase& c : cases) {
        line.SetSetupString(QString::fromLatin1(c.Text));
        EXPECT_EQ(line.SetupString(), QString::fromLatin1(c.Text));
        EXPECT_EQ(line.ComPort(), c.Port) << c.Text;
        EXPECT_EQ(line.ComPortSpeed(), c.Speed) << c.Text;
        EXPECT_EQ(line.ComPortParity(), c.Parity) << c.Text;
        EXPECT_EQ(line.ComPortDataBits(), c.DataBits) << c.Text;
        EXPECT_EQ(line.ComPortStopBits(), c.StopBits) << c.Text;
    }

    // More than five fields: rejected before any setting changes; the text is kept.
    EXPECT_THROW(line.SetSetupString(QStringLiteral("COM2: 300, o, 7, 1, x")), ERangeError);
    EXPECT_EQ(line.SetupString(), "COM2: 300, o, 7, 1, x");
    EXPECT_EQ(line.ComPortSpeed(), br600);
    EXPECT_EQ(line.ComPortParity(), ptNONE);
    // Separators after the fifth field end it; they do not make a sixth.
    EXPECT_NO_THROW(line.SetSetupString(QStringLiteral("COM1: 300, o, 7, 1, ")));
    EXPECT_EQ(line.ComPortSpeed(), br300);

    // An open port is reconfigured at once, except for the port number.
    ASSERT_TRUE(line.Open());
    line.SetSetupString(QStringLiteral("COM3: 2400, o"));
    EXPECT_EQ(line.ComPort(), pnCOM1);
    EXPECT_EQ(memory->Settings().BaudRate, br2400);
    EXPECT_EQ(memory->Settings().Parity, ptODD);
}

TEST_F(CommPanelTest, ForwardedPropertiesAndRanges)
{
    line.SetSendBufferSize(1000);
    line.SetRcvBufferSize(65535);
    EXPECT_EQ(line.Port().ComPortOutBufSize(), 1000);
    EXPECT_EQ(line.GetRcvBufferSize(), 65535);
    EXPECT_THROW(line.SetSendBufferSize(65536), ERangeError);
    EXPECT_THROW(line.SetRcvBufferSize(-1), ERangeError);
    EXPECT_EQ(line.GetSendBufferSize(), 1000);

    line.SetTickInterval(200);
    line.SetTimeOut(20);
    EXPECT_EQ(line.InputTimeOut(), 4000u);
    EXPECT_EQ(line.TimeOut(), 20u);
    line.SetInputTimeOut(4100);
    EXPECT_EQ(line.TimeOut(), 20u);
}

TEST_F(CommPanelTest, ControlCharacterNames)
{
    EXPECT_EQ(ControlCharNames(B({0x00, 0x01, 'A', 0x0D, 0x15, 0x1F, 0x20, 0xE9})),
              QString::fromLatin1("<NUL><SOH>A<CR><NAK><US> \xE9"));
}

TEST_F(CommPanelTest, SendShowsAndWrites)
{
    QStringList shown;
    line.OnOutput = [&](TCommPanel*, const QString& text) { shown << text; };
    ASSERT_TRUE(line.Open());
    line.Send("X");
    line.SendShowingCR("X");
    line.SetAutoAppendCR(false);
    line.Send(B({0x01, 'Y'}));
    EXPECT_EQ(shown, QStringList({"X", "X<CR>", "<SOH>Y"}));
    EXPECT_EQ(memory->WrittenBytes(), QByteArray("X\rX\r\x01Y"));
}

TEST_F(CommPanelTest, LinesSplitAtAckCrNak)
{
    QStringList events;
    line.OnCharacter = [&](TCommPanel*, char c) { events << QStringLiteral("char %1").arg(QChar(c)); };
    line.OnInput = [&](TCommPanel*, const QString& text) { events << "input " + text; };
    line.OnCR = [&](TCommPanel*) { events << "cr"; };
    line.OnAck = [&](TCommPanel*) { events << "ack"; };
    line.OnNak = [&](TCommPanel*) { events << "nak"; };
    int received = 0;
    line.OnReceiveData = [&](TSigComPort*, const char*, int n) { received += n; };
    ASSERT_TRUE(line.Open());

    panel->Push("OK\r");
    ASSERT_TRUE(PumpUntil([&] { return events.contains("cr"); }));
    EXPECT_EQ(events, QStringList({"char O", "char K", "char \r", "input OK<CR>", "cr"}));

    events.clear();
    line.Port().Write("p", 1);
    panel->Push(B({0x06, 'a', 0x15}));
    ASSERT_TRUE(PumpUntil([&] { return events.contains("nak"); }));
    EXPECT_EQ(events.filter("input"), QStringList({"input <ACK>", "input a<NAK>"}));
    EXPECT_TRUE(events.contains("ack"));
    EXPECT_FALSE(line.GetInputTimeoutArmed()) << "a terminator disarms the input time-out";
    EXPECT_EQ(received, 6);
}

TEST_F(CommPanelTest, CloseDisarmsAndEventsAssignedLateStillArrive)
{
    line.Loaded();  // AutoOpen
    ASSERT_TRUE(line.IsOpen());
    int ticks = 0;
    line.OnTick = [&](TCommPanel*) { ++ticks; };
    line.SetTickInterval(5);
    ASSERT_TRUE(PumpUntil([&] { return ticks > 2; }));
    line.Port().Write("x", 1);
    line.Close();
    EXPECT_FALSE(line.IsOpen());
    EXPECT_FALSE(line.GetInputTimeoutArmed());
}
