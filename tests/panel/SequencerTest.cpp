#include "PanelTestLink.h"
#include "RichConfig.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// The letters of the messages in the order each letter first went out.
QByteArray FirstLetters(const QList<QByteArray>& sent)
{
    QByteArray letters;
    for (const QByteArray& m : sent)
        if (!letters.contains(m.at(0)))
            letters.append(m.at(0));
    return letters;
}

QByteArray Letters(const QList<QByteArray>& sent)
{
    QByteArray letters;
    for (const QByteArray& m : sent)
        letters.append(m.at(0));
    return letters;
}

} // namespace

TEST(Sequencer, LoadAllAndSaveAllRunTheirBlocksInOrder)
{
    TPanelTestLink link;
    FillRichConfiguration(link.Data, stApolloLoop);
    link.Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), true);
    // The panel clock goes with "U" only when its box is ticked.
    EXPECT_EQ(FirstLetters(link.Sent), link.Data.SiteConfig.CopyTime
                                           ? "\\ABVWJD[FlNjHLPRYUTnp^bfvht"
                                           : "\\ABVWJD[FlNjHLPRYTnp^bfvht");
    // Every point of both loops, every name, the empty record and the end of the list.
    EXPECT_EQ(Letters(link.Sent).count('J'), 2 * 253);
    EXPECT_EQ(Letters(link.Sent).count('D'), link.Data.NameTable.Count() + 2);
    EXPECT_EQ(Letters(link.Sent).count('['), 41);
    EXPECT_EQ(Letters(link.Sent).count('j'), 41);
    EXPECT_EQ(Letters(link.Sent).count('t'), 16);

    // The panel's frame hook still records into link.Sent.
    link.Sent.clear();
    TPanelTestLink loader;
    loader.Panel = link.Panel;
    loader.Comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(loader.Panel));
    ASSERT_EQ(loader.Run([&] { return loader.Sequencer.LoadAll(); }), true);
    EXPECT_EQ(FirstLetters(link.Sent), "\\AVICEZMiGKOQXSmo]auegs");
    EXPECT_EQ(link.CountSent(Hex("4D 01 29")), 1);
    EXPECT_EQ(link.CountSent(Hex("69 01 29")), 1);
    EXPECT_EQ(link.CountSent(Hex("73 01 10")), 1);
    EXPECT_EQ(Letters(link.Sent).count('I'), 2 * 253);
}

TEST(Sequencer, StatusTextsAndBarOfAPointRead)
{
    TPanelTestLink link;
    link.Panel->Memory().Protocol = stSysSensorLoop;
    link.Page = ppLoop2;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    const QStringList& s = link.ProgressWindow.Statuses;
    ASSERT_GE(s.size(), 6);
    EXPECT_EQ(s.mid(0, 5), QStringList({"Establishing communications with the ZOL",
                                        "Communications established with ZOL",
                                        "Loading version information", "Loading loop type",
                                        "Loading data for Loop 2 - Point 1"}));
    EXPECT_EQ(s.at(5), "Loading data for Loop 2 - Point S2");
    EXPECT_TRUE(s.contains("Loading data for Loop 2 - Point S99"));
    EXPECT_TRUE(s.contains("Loading data for Loop 2 - Point M1"));
    EXPECT_TRUE(s.contains("Loading data for Loop 2 - Point M99"));
    EXPECT_TRUE(s.contains("Loading Device Names"));
    EXPECT_TRUE(link.Sent.contains(Hex("49 02 65 01")));
    EXPECT_TRUE(link.Sent.contains(Hex("49 02 C7 01")));
    EXPECT_EQ(link.ProgressWindow.Closes, 1);

    // The link is up and the versions known: the next load goes straight to its step.
    link.Sent.clear();
    link.ProgressWindow.Statuses.clear();
    link.Page = ppGroupConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    EXPECT_EQ(link.Sent.first(), Hex("4D 01 01"));
    EXPECT_EQ(link.ProgressWindow.Statuses.first(), "Loading group data for zone 1");
    EXPECT_TRUE(link.ProgressWindow.Statuses.contains("Loading group data for zone 32"));
    EXPECT_TRUE(link.ProgressWindow.Statuses.contains("Loading group data for panel 8"));
    EXPECT_FALSE(link.ProgressWindow.Statuses.contains("Loading group data for zone 33"));
}

TEST(Sequencer, LoopSaveFromTheSummaryGoesOnWithTheZonesAsTheZonePageSavesThem)
{
    TPanelTestLink link;
    link.Page = ppZoneConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    link.Data.NameTable.Empty();
    link.Sent.clear();
    link.Page = ppLoopSummary;
    link.SummaryLoop = 2;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), true);
    EXPECT_EQ(FirstLetters(link.Sent), "B\\VWJD[FlTnp");
    EXPECT_EQ(link.Sent.at(4).left(4), Hex("4A 0B 01 02"));
    EXPECT_EQ(Letters(link.Sent).count('F'), 40);
    EXPECT_EQ(link.Sent.last().at(0), 'p');
    EXPECT_FALSE(link.Sequencer.Busy());
}

// A panel that answers every handshake with a packet that fails its checksum: the operation
// ends after the bounded handshake, saying what the panel sent.
TEST(Sequencer, HandshakeAnsweredWithGarbageSaysWhatCame)
{
    TPanelTestLink link(5);
    link.Panel->Faults.CorruptEveryReply = 1;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadAll(); }), false);
    const QStringList lines = link.Prompts.texts().last().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0), TransferText::HandshakeFailed);
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("The panel answered the handshake 33 times")))
        << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral("41 00 BE"))) << lines.at(1).toStdString();
    EXPECT_EQ(link.Panel->HandshakesReceived(), 33);
    EXPECT_FALSE(link.Sequencer.Busy());
}

TEST(Sequencer, HandshakeNeverAnswered)
{
    TPanelTestLink link(5);
    link.Panel->Faults.SilentHandshakes = 1000;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadAll(); }), false);
    EXPECT_EQ(link.Prompts.count(TScriptedPrompts::TKind::mkBeep), 1);
    EXPECT_EQ(link.Prompts.texts().last(), TransferText::HandshakeFailed);
    EXPECT_FALSE(link.Sequencer.Busy());
    EXPECT_FALSE(link.Comms.IsOpen());
    EXPECT_EQ(link.Comms.HandshakeStage, 0);

    link.Panel->Faults = {};
    link.Prompts.clear();
    link.Page = ppSetConfig;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    EXPECT_TRUE(link.Prompts.Records.isEmpty());
}

TEST(Sequencer, StrayPacketsCountAsFailuresOnlyDuringAStep)
{
    TPanelTestLink link;
    link.Page = ppSiteConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);

    // Outside a step an unexpected packet changes nothing.
    link.Sent.clear();
    link.Comms.OnPacketReceived(&link.Comms, 'y', Hex("79 00 79"));
    TPanelTestLink::Settle(20);
    EXPECT_TRUE(link.Sent.isEmpty());
    EXPECT_EQ(link.Sequencer.Retries(), 0);

    // During a step it is a failed attempt: the message in flight goes again.
    link.Panel->Faults.DropEveryRequest = 1;
    link.Page = ppNetworkConfig;
    ASSERT_TRUE(link.Sequencer.LoadPage());
    TPanelTestLink::Settle(20);
    link.Comms.OnPacketReceived(&link.Comms, 'y', Hex("79 00 79"));
    EXPECT_EQ(link.Sequencer.Retries(), 1);
    // It goes once the line has settled.
    TPanelTestLink::Settle(80);
    EXPECT_GE(link.CountSent(Hex("5D 01 01")), 2);
    link.Prompts.Answers = {TPromptAnswer::paYes};
    link.ProgressWindow.OnCancel();
}

TEST(Sequencer, LateAnswersAfterCancelOnlyCloseTheProgressWindow)
{
    TPanelTestLink link;
    link.Page = ppCEConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    link.Panel->Memory().CEEvents[1][0] = 7;
    link.Data.C_ETable.Events[1].Action = 2;
    ASSERT_TRUE(link.Sequencer.LoadPage());
    link.Prompts.Answers = {TPromptAnswer::paYes};
    link.ProgressWindow.OnCancel();
    const int closes = link.ProgressWindow.Closes;
    TPanelTestLink::Settle();
    EXPECT_EQ(link.ProgressWindow.Closes, closes + 1);
    EXPECT_EQ(link.Data.C_ETable.Events[1].Action, 2);
    EXPECT_TRUE(link.Comms.Suspended);
    EXPECT_EQ(link.Sent.last(), Hex("73 01 01"));
}

TEST(Sequencer, TextLinesReachTheEventLogPageOnly)
{
    TPanelTestLink link;
    QStringList lines;
    QObject::connect(&link.Sequencer, &TTransferSequencer::TextLine,
                     [&](const QString& line) { lines.append(line); });
    link.Page = ppViewEventLog;
    link.Comms.OnInput(&link.Comms, QStringLiteral("FIRE ZONE 4\r"));
    link.Comms.OnInput(&link.Comms, QStringLiteral("bad") + QChar(0) + QStringLiteral("line\r"));
    link.Page = ppZoneConfig;
    link.Comms.OnInput(&link.Comms, QStringLiteral("elsewhere\r"));
    EXPECT_EQ(lines, QStringList({"FIRE ZONE 4"}));
}
