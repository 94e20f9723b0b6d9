#include "PanelTestLink.h"
#include "RichConfig.h"

#include "panel/NameMessages.h"
#include "panel/PointMessages.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// Saves a rich configuration to the emulated panel, then loads it into a fresh document
// over a second link to the same panel.
void RoundTrip(TSystemType protocol, int loopCount, const TEmulatorFaults& faults = {},
               int inputTimeOutMs = 100)
{
    TPanelTestLink saver(inputTimeOutMs);
    // The in-memory line has no wire time: a fast line setting keeps the pause after a request
    // sent again short as well.
    saver.Comms.SetComPortSpeed(br115200);
    saver.Panel->Memory().Protocol = protocol;
    saver.Panel->Memory().LoopCount = static_cast<quint8>(loopCount);
    FillRichConfiguration(saver.Data, protocol, loopCount);
    saver.Panel->Faults = faults;
    saver.Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_EQ(saver.Run([&] { return saver.Sequencer.SaveAll(); }), true)
        << saver.Prompts.texts().join('|').toStdString();

    TPanelTestLink loader(inputTimeOutMs);
    loader.Comms.SetComPortSpeed(br115200);
    loader.Panel = saver.Panel;
    loader.Comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(loader.Panel));
    ASSERT_EQ(loader.Run([&] { return loader.Sequencer.LoadAll(); }), true)
        << loader.Prompts.texts().join('|').toStdString();
    ExpectSameTransferredData(saver.Data, loader.Data);
    EXPECT_TRUE(loader.Prompts.Records.isEmpty());
}

} // namespace

TEST(Transfer, RoundTripEveryProtocolAndOneLoopPanel)
{
    RoundTrip(stApolloLoop, 2);
    RoundTrip(stHochikiLoop, 2);
    RoundTrip(stSysSensorLoop, 2);
    RoundTrip(stNittanLoop, 2);
    RoundTrip(stApolloLoop, 1);
}

TEST(Transfer, CompletesThroughInjectedFaults)
{
    TEmulatorFaults faults;
    faults.NakEveryWrite = 3;
    faults.DropEveryRequest = 7;
    faults.CorruptEveryReply = 5;
    faults.SilentHandshakes = 1;
    RoundTrip(stNittanLoop, 1, faults, 15);
}

TEST(Transfer, WireFramesOfTheWorkedExamples)
{
    TPanelTestLink link;
    link.Page = ppLoop1;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    // Versions as the port opens, handshake, versions, loop type, then loop 1 point 1.
    ASSERT_GE(link.Sent.size(), 5);
    EXPECT_EQ(link.Sent[0], Hex("5C 00"));
    EXPECT_EQ(link.Sent[1], Hex("41 00"));
    EXPECT_EQ(link.Sent[2], Hex("5C 00"));
    EXPECT_EQ(link.Sent[3], Hex("56 00"));
    EXPECT_EQ(link.Sent[4], Hex("49 02 01 00"));
    // The first request after the handshake went out once only.
    EXPECT_EQ(link.CountSent(Hex("5C 00")), 2);
    // Point reads, then the names; a page load of loop 1 stops after the names.
    EXPECT_EQ(link.CountSent(Hex("49 02 FD 00")), 1);
    EXPECT_EQ(link.Sent.last().at(0), 'C');

    link.Sent.clear();
    link.Data.SwitchProtocol(stNittanLoop);
    link.Panel->Memory().Protocol = stNittanLoop;
    link.Data.ZoneList.Zone(5).SounderTimer = 30;
    link.Data.ZoneList.Zone(5).RemoteTimer = 10;
    link.Data.ZoneList.Zone(5).Dependancy = {4, 60, 300, 5, 60, 300};
    link.Data.SiteConfig.InvestigationPeriod = 0;
    link.Data.SiteConfig.InvestigationPeriod1 = 0;
    link.Page = ppLoop1;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), true);
    // The link is still up: no handshake, the NVM link check first.
    EXPECT_EQ(link.Sent.first(), Hex("42 00"));
    EXPECT_EQ(link.CountSent(Hex("41 00")), 0);
    EXPECT_TRUE(link.Sent.contains(Hex("57 01 03")));
    EXPECT_EQ(link.Sent.last(), NameListEndWrite());

    link.Sent.clear();
    link.Page = ppZoneConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), true);
    EXPECT_TRUE(link.Sent.contains(
        Hex("5B 14 05 1E 00 00 00 00 00 0A 00 4E 49 2C 01 3C 00 2C 01 3C 00 01")));
    // The zone page's save goes on with the delays, the quiescent text and the times.
    EXPECT_EQ(link.Sent.last().at(0), 'p');

    link.Sent.clear();
    link.Page = ppViewEventLog;
    link.Panel->Memory().Events = {"Fire Zone 1", "Fault Loop 2"};
    link.Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    // Every event is read (and handed on) before the first request that deletes one.
    const QByteArray clear = Hex("71 03 00 00 01");
    EXPECT_EQ(link.Sent, QList<QByteArray>({Hex("71 03 00 00 00"), Hex("71 03 01 00 00"),
                                            Hex("71 03 02 00 00"), clear, clear}));
    EXPECT_TRUE(link.Panel->Memory().Events.empty());
    EXPECT_EQ(link.Data.EventLog, QStringList({"Fire Zone 1", "Fault Loop 2"}));
    EXPECT_TRUE(link.Comms.IsASCIIOnly);
}

TEST(Transfer, EventHistoryWithoutClearingAsksByNumber)
{
    TPanelTestLink link;
    link.Page = ppViewEventLog;
    link.Panel->Memory().Events = {"one", "two", "three"};
    link.Prompts.Answers = {TPromptAnswer::paNo};
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    const QList<QByteArray> expected = {Hex("71 03 00 00 00"), Hex("71 03 01 00 00"),
                                        Hex("71 03 02 00 00"), Hex("71 03 03 00 00")};
    EXPECT_EQ(link.Sent.mid(link.Sent.size() - 4), expected);
    EXPECT_EQ(link.Data.EventLog.size(), 3);
    EXPECT_EQ(link.Panel->Memory().Events.size(), 3u);
}

TEST(Transfer, SilentPanelGivesUpAfterElevenSendsAndRecovers)
{
    TPanelTestLink link(30);
    link.Page = ppZoneConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    link.Sent.clear();
    link.Panel->Faults.DropEveryRequest = 1;
    link.Page = ppCEConfig;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), false);
    EXPECT_EQ(link.Sent, QList<QByteArray>(11, Hex("73 01 01")));
    EXPECT_EQ(link.Prompts.texts().last(), TransferText::CannotCommunicate);
    EXPECT_FALSE(link.Sequencer.Busy());
    EXPECT_FALSE(link.Comms.IsOpen());
    EXPECT_TRUE(link.Comms.Suspended);

    link.Panel->Faults = {};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
}

TEST(Transfer, CancelStoresNoLateReplyAndTheNextOperationWorks)
{
    TPanelTestLink link;
    link.Panel->Memory().ZoneNames[1] = "Late Zone";
    link.Page = ppGroupConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);

    link.Page = ppZoneConfig;
    ASSERT_TRUE(link.Sequencer.LoadPage());
    // The "E" 1 request is on its way; the user cancels before the reply arrives.
    link.Prompts.Answers = {TPromptAnswer::paYes};
    link.ProgressWindow.OnCancel();
    EXPECT_FALSE(link.Sequencer.Busy());
    TPanelTestLink::Settle();
    EXPECT_EQ(link.Data.ZoneList.Zone(1).Name, "Zone 1");
    EXPECT_EQ(link.Prompts.texts(),
              QStringList({TransferText::CancelQuestion, TransferText::Aborted}));

    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    EXPECT_EQ(link.Data.ZoneList.Zone(1).Name, "Late Zone");
}

TEST(Transfer, PerPageOperationsMoveTheirBlock)
{
    TPanelTestLink link;
    FillRichConfiguration(link.Data, stApolloLoop);
    link.Page = ppNetworkConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), true);
    QByteArray letters;
    for (const QByteArray& m : link.Sent)
        letters.append(m.at(0));
    EXPECT_EQ(letters, "\\AB\\^b^b^b^b^b^b^b^bfvh");
    EXPECT_EQ(link.Panel->Memory().PanelName, "Reception");

    link.Sent.clear();
    link.Page = ppCEConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), true);
    EXPECT_EQ(link.Sent.size(), 1 + 1 + 16);

    TPanelTestLink reader;
    reader.Panel = link.Panel;
    reader.Comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(reader.Panel));
    reader.Page = ppCEConfig;
    ASSERT_EQ(reader.Run([&] { return reader.Sequencer.LoadPage(); }), true);
    for (int e = 1; e <= CEEventCount; ++e)
        EXPECT_EQ(reader.Data.C_ETable.Events[e], link.Data.C_ETable.Events[e]);
    // Nothing else moved: the network is still as New left it.
    EXPECT_EQ(reader.Data.RepeaterList.PanelName, "Main Panel");
}

TEST(Transfer, SaveAllChecks)
{
    TPanelTestLink link;
    link.Prompts.Answers = {TPromptAnswer::paNo};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), std::nullopt);
    EXPECT_EQ(link.Prompts.texts(), QStringList({TransferText::SaveAllQuestion}));
    // Its Yes overwrites the panel, as the clear-events question's empties its history: No
    // is the default of both.
    EXPECT_EQ(link.Prompts.Records.at(0).PromptKind, TPromptKind::pkDestructive);
    link.Prompts.clear();
    link.Page = ppViewEventLog;
    link.Run([&] { return link.Sequencer.LoadPage(); });
    ASSERT_FALSE(link.Prompts.Records.isEmpty());
    EXPECT_EQ(link.Prompts.Records.at(0).Text, TransferText::ClearEventsQuestion);
    EXPECT_EQ(link.Prompts.Records.at(0).PromptKind, TPromptKind::pkDestructive);
    link.Page = ppLoopSummary;
    link.Sent.clear();

    link.Prompts.clear();
    link.Data.ZoneList.Zone(3).Dependancy[1] = doInvestigation;
    link.Data.ZoneList.Zone(9).Dependancy[4] = doInvestigation;
    link.Data.ZoneList.Zone(3).SounderTimer = 300;
    link.Data.ZoneList.Zone(9).SounderTimer = 300;
    link.Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), std::nullopt);
    EXPECT_EQ(link.Prompts.count(TScriptedPrompts::TKind::mkError), 2);
    // The known text first, then the zone; the maximum is the configured one.
    EXPECT_EQ(link.Prompts.texts().last(), OutputDelaysExceededMessage + "\nZone 9");
    EXPECT_TRUE(link.Sent.isEmpty());
    link.Prompts.clear();
    link.Sequencer.MaxOutputDelay = 200;
    link.Data.ZoneList.Zone(3).SounderTimer = 250;
    link.Data.ZoneList.Zone(9).SounderTimer = 0;
    link.Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), std::nullopt);
    EXPECT_TRUE(link.Prompts.texts().contains(
        "There are output delays exceeding 3.33 Minutes which MUST be resolved\nZone 3"));

    link.Data.SiteConfig.AL3Code = link.Data.SiteConfig.AL2Code;
    EXPECT_FALSE(link.Sequencer.LoadAll());
}

TEST(Transfer, PanelRefusals)
{
    TPanelTestLink link;
    link.Panel->Memory().NvmLinkFitted = false;
    link.Prompts.Answers = {TPromptAnswer::paRetry, TPromptAnswer::paAbort};
    link.Page = ppGroupConfig;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), false);
    EXPECT_EQ(link.Prompts.texts(), QStringList(2, TransferText::NvmLinkNotFitted));
    EXPECT_EQ(link.CountSent(Hex("42 00")), 2);
    EXPECT_TRUE(link.Comms.Suspended);

    link.Prompts.clear();
    link.Panel->Memory().NvmLinkFitted = true;
    link.Panel->Memory().Protocol = stHochikiLoop;
    link.Page = ppLoop2;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), false);
    EXPECT_EQ(link.Prompts.texts(),
              QStringList({TransferText::ProtocolMismatch
                           + "\n(panel: Hochiki, configuration: Apollo)"}));

    link.Prompts.clear();
    link.Panel->Memory().Protocol = 9;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), false);
    EXPECT_EQ(link.Prompts.texts(), QStringList({TransferText::InvalidLoopType}));
    EXPECT_EQ(link.Data.SystemType(), stApolloLoop);
}

TEST(Transfer, PortThatWillNotOpen)
{
    TPanelTestLink link;
    link.Comms.Port().SetDevice(nullptr);
    link.Comms.Port().SetPortName("/nonexistent/ttyZOL");
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadAll(); }), std::nullopt);
    ASSERT_EQ(link.Prompts.texts().size(), 1);
    EXPECT_TRUE(link.Prompts.texts().first().startsWith(
        TransferText::CannotOpenPort + "\nPort /nonexistent/ttyZOL: not found"));
    EXPECT_FALSE(link.Sequencer.Busy());
}

TEST(Transfer, FullNameTableEndsAt256)
{
    TPanelTestLink link;
    auto& names = link.Panel->Memory().Names;
    names.clear();
    for (int i = 0; i < 256; ++i)
        names.push_back(QByteArray("Name ") + QByteArray::number(i));
    link.Page = ppLoop2;
    link.Panel->Memory().Protocol = stNittanLoop;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    EXPECT_EQ(link.Data.NameTable.Count(), 256);
    EXPECT_EQ(link.Data.NameTable.Entries().last(), "Name 255");
    EXPECT_EQ(link.CountSent(Hex("43 01 00")), 1);
}
