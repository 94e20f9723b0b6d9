// What an engineer is told, and what the document keeps, when a transfer ends early or a
// question is answered while the transfer goes on.

#include "PanelTestLink.h"
#include "RichConfig.h"

#include "panel/TransferRunner.h"

#include <gtest/gtest.h>

namespace {

void RecordFinished(TTransferSequencer& sequencer, QList<bool>& results)
{
    QObject::connect(&sequencer, &TTransferSequencer::Finished,
                     [&results](bool completed) { results.append(completed); });
}

// Runs the event loop until the sequencer is idle (or the limit passes).
void RunUntilIdle(TPanelTestLink& link, int limitMs = 10000)
{
    for (int waited = 0; link.Sequencer.Busy() && waited < limitMs; waited += 5)
        TPanelTestLink::Settle(5);
}

} // namespace

// A loop save interrupted by a panel that stops answering: the points the panel acknowledged
// lose their type-mismatch mark, the others keep it, and the engineer is told the panel is
// now partly saved.
TEST(SaveOutcome, InterruptedSaveKeepsUnwrittenMarksAndSaysPartlySaved)
{
    TPanelTestLink link(20);
    FillRichConfiguration(link.Data, stApolloLoop);
    for (int p = 1; p <= 10; ++p)
        link.Data.Loop1.Devices[p].TypeMismatch = true;
    int pointWrites = 0;
    link.Panel->OnFrame = [&](bool fromTool, const QByteArray& bytes) {
        if (fromTool && bytes.size() > 2 && bytes.at(2) == 'J' && ++pointWrites == 4)
            link.Panel->Faults.DropEveryRequest = 1;
    };
    link.Page = ppLoop1;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), false);
    for (int p = 1; p <= 3; ++p)
        EXPECT_FALSE(link.Data.Loop1.Devices[p].TypeMismatch) << p;
    for (int p = 4; p <= 10; ++p)
        EXPECT_TRUE(link.Data.Loop1.Devices[p].TypeMismatch) << p;
    EXPECT_EQ(link.Prompts.texts(), QStringList({TransferText::CannotCommunicate + "\n"
                                                 + TransferText::PartlySaved}));
    EXPECT_TRUE(link.Sequencer.LeftPanelPartlySaved());

    // Cancelled half-way through a Save All: the same note after the known message.
    link.Panel->Faults = {};
    link.Panel->OnFrame = [&](bool fromTool, const QByteArray& bytes) {
        if (fromTool && bytes.size() > 2 && bytes.at(2) == 'N' && link.Sequencer.Busy()) {
            link.Prompts.Answers = {TPromptAnswer::paYes};
            link.ProgressWindow.OnCancel();
        }
    };
    link.Prompts.clear();
    link.Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), false);
    EXPECT_EQ(link.Prompts.texts().last(), TransferText::Aborted + " " + TransferText::PartlySaved);
    EXPECT_TRUE(link.Sequencer.LeftPanelPartlySaved());

    // A save refused before anything was written leaves the panel as it was: no note.
    link.Panel->OnFrame = nullptr;
    link.Prompts.clear();
    link.Panel->Memory().NvmLinkFitted = false;
    link.Prompts.Answers = {TPromptAnswer::paAbort};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), false);
    EXPECT_EQ(link.Prompts.texts(), QStringList({TransferText::NvmLinkNotFitted}));
    EXPECT_FALSE(link.Sequencer.LeftPanelPartlySaved());

    // And a completed save clears the flag.
    link.Panel->Memory().NvmLinkFitted = true;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SavePage(); }), true);
    EXPECT_FALSE(link.Sequencer.LeftPanelPartlySaved());
}

// A one-character description is a name, on the way to the panel and back.
TEST(SaveOutcome, OneCharacterNameSurvivesUploadAndDownload)
{
    TPanelTestLink saver;
    FillRichConfiguration(saver.Data, stApolloLoop);
    saver.Data.Loop1.Devices[2].Name = "A";
    saver.Data.Loop1.Devices[5].Name = "Hall";
    saver.Data.RebuildNameTable();
    saver.Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_EQ(saver.Run([&] { return saver.Sequencer.SaveAll(); }), true);

    TPanelTestLink loader;
    loader.Panel = saver.Panel;
    loader.Comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(loader.Panel));
    ASSERT_EQ(loader.Run([&] { return loader.Sequencer.LoadAll(); }), true);
    EXPECT_EQ(loader.Data.Loop1.Devices[2].Name, "A");
    EXPECT_EQ(loader.Data.Loop1.Devices[5].Name, "Hall");
    EXPECT_EQ(loader.Data.NameTable.Count(), saver.Data.NameTable.Count());
}

// A load that stored anything marks the document changed; a save does not.
TEST(SaveOutcome, LoadMarksTheDocumentModified)
{
    TPanelTestLink link;
    link.Prompts.Answers = {TPromptAnswer::paYes};
    link.Data.MarkSaved();
    ASSERT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), true);
    EXPECT_FALSE(link.Data.Modified());
    link.Page = ppZoneConfig;
    ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);
    EXPECT_TRUE(link.Data.Modified());
}

// The cancel question runs a nested event loop; when the operation completes meanwhile, a
// Yes changes nothing: no "aborted" message, no suspended link, one report of the end.
TEST(SaveOutcome, YesToCancelAfterTheOperationCompletedDoesNothing)
{
    TPanelTestLink link;
    QList<bool> results;
    RecordFinished(link.Sequencer, results);
    link.Prompts.OnConfirm = [&](const QString& text) {
        if (text == TransferText::CancelQuestion)
            RunUntilIdle(link);
    };
    link.Page = ppCEConfig;
    ASSERT_TRUE(link.Sequencer.LoadPage());
    link.Prompts.Answers = {TPromptAnswer::paYes};
    link.ProgressWindow.OnCancel();
    TPanelTestLink::Settle(20);
    EXPECT_EQ(results, QList<bool>({true}));
    EXPECT_EQ(link.Prompts.texts(), QStringList({TransferText::CancelQuestion}));
    EXPECT_FALSE(link.Comms.Suspended);
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true);

    // Cancelled from inside the NVM-link question: answering Retry afterwards sends nothing.
    results.clear();
    link.Prompts.clear();
    link.Panel->Memory().NvmLinkFitted = false;
    link.Prompts.OnConfirm = [&](const QString& text) {
        if (text == TransferText::NvmLinkNotFitted) {
            link.Prompts.Answers = {TPromptAnswer::paYes, TPromptAnswer::paRetry};
            link.ProgressWindow.OnCancel();
        }
    };
    link.Page = ppGroupConfig;
    ASSERT_TRUE(link.Sequencer.SavePage());
    RunUntilIdle(link);
    link.Sent.clear();
    TPanelTestLink::Settle(50);
    EXPECT_TRUE(link.Sent.isEmpty());
    EXPECT_EQ(results, QList<bool>({false}));
    EXPECT_EQ(link.Prompts.texts(), QStringList({TransferText::NvmLinkNotFitted,
                                                 TransferText::CancelQuestion,
                                                 TransferText::Aborted}));
}

// A device that disappears during an operation ends it at once, naming the port.
TEST(SaveOutcome, UnpluggedDeviceEndsTheOperationAtOnce)
{
    // With a 20 s input time-out, only the loss of the device can end the load in time.
    TPanelTestLink link(20000);
    auto* device = dynamic_cast<TMemorySerialDevice*>(link.Comms.Port().Device());
    ASSERT_NE(device, nullptr);
    link.Panel->OnFrame = [&](bool fromTool, const QByteArray& bytes) {
        if (fromTool && bytes.size() > 2 && bytes.at(2) == 'E'
            && link.Panel->Faults.DropEveryRequest == 0) {
            link.Panel->Faults.DropEveryRequest = 1;
            QTimer::singleShot(0, [device] { device->Unplug(); });
        }
    };
    link.Page = ppZoneConfig;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }, 5000), false);
    ASSERT_EQ(link.Prompts.texts().size(), 1);
    EXPECT_TRUE(link.Prompts.texts().first().startsWith(TransferText::CannotCommunicate + "\n"));
    EXPECT_TRUE(link.Prompts.texts().first().contains("COM1: device removed"));
    EXPECT_FALSE(link.Sequencer.Busy());
}

// A text the panel refuses stops Save All before anything is sent; a write the panel refuses
// again and again ends the save as refused, naming the block, not as a line fault.
TEST(SaveOutcome, RefusedTextsAndRefusedWrites)
{
    TPanelTestLink link;
    FillRichConfiguration(link.Data, stApolloLoop);
    link.Data.SiteConfig.MaintenanceString = QStringLiteral("Call") + QChar(0) + QStringLiteral("us");
    link.Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), std::nullopt);
    EXPECT_EQ(link.Panel->FramesReceived(), 0);
    ASSERT_EQ(link.Prompts.texts().size(), 1);
    EXPECT_TRUE(link.Prompts.texts().first().startsWith("Maintenance text holds a control character (NUL)"));

    link.Data.SiteConfig.MaintenanceString = QStringLiteral("Call us");
    link.Prompts.clear();
    link.Panel->OnFrame = [&](bool fromTool, const QByteArray& frame) {
        if (fromTool && frame.size() > 2 && frame.at(2) == 'H')
            link.Panel->Faults.NakEveryWrite = 1;
    };
    const TTransferResult result =
        TTransferRunner::Run(link.Sequencer, [&] { return link.Sequencer.SaveAll(); });
    EXPECT_EQ(result.Outcome, TTransferOutcome::Refused);
    EXPECT_TRUE(result.PartlySaved);
    // One sentence, then the partly saved note as a sentence of its own.
    EXPECT_TRUE(result.Message.startsWith("Site Config was refused by the panel: it answered NAK to 11 of 11 sends of the same message. The panel now holds"))
        << result.Message.toStdString();
}

// Loop 2 saved to a panel with one loop card is refused before anything is written; a save
// whose only write was refused did not leave the panel partly saved.
TEST(SaveOutcome, LoopTwoOnOneLoopPanelAndRefusedFirstWrite)
{
    TPanelTestLink link;
    FillRichConfiguration(link.Data, stApolloLoop);
    link.Panel->Memory().LoopCount = 1;
    link.Page = ppLoop2;
    const TTransferResult loop2 =
        TTransferRunner::Run(link.Sequencer, [&] { return link.Sequencer.SavePage(); });
    EXPECT_EQ(loop2.Outcome, TTransferOutcome::Refused);
    EXPECT_EQ(loop2.Message, TransferText::NoLoopTwo);
    EXPECT_EQ(link.Panel->WritesReceived(), 0);
    EXPECT_FALSE(loop2.PartlySaved);

    link.Panel->Faults.NakEveryWrite = 1;
    link.Page = ppSetConfig;
    const TTransferResult sets =
        TTransferRunner::Run(link.Sequencer, [&] { return link.Sequencer.SavePage(); });
    EXPECT_EQ(sets.Outcome, TTransferOutcome::Refused);
    EXPECT_FALSE(sets.PartlySaved);
    EXPECT_FALSE(sets.Message.contains(TransferText::PartlySaved));
}
