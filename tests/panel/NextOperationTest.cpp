// However an operation ends, the next Save All and Load All in the same program complete and
// move exactly what a clean transfer moves.

#include "PanelTestLink.h"
#include "RichConfig.h"

#include "panel/TransferRunner.h"
#include "sim/PtyPanel.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <random>

namespace {

const QDateTime FixedClock(QDate(2026, 3, 4), QTime(10, 20, 30));

// The program's own poll of 200 ms: answers arrive between two ticks, as on site (a short
// poll hides the hang a lost port once left behind).
void Prepare(TPanelTestLink& link)
{
    link.Comms.SetComPortSpeed(br115200);
    link.Comms.SetTickInterval(200);
    link.Sequencer.Now = [] { return FixedClock; };
    FillRichConfiguration(link.Data, stApolloLoop);
}

TTransferResult SaveAll(TPanelTestLink& link)
{
    link.Prompts.Answers = {TPromptAnswer::paYes};
    return TTransferRunner::Run(link.Sequencer, [&] { return link.Sequencer.SaveAll(); }, 60000);
}

TTransferResult LoadAll(TPanelTestLink& link)
{
    return TTransferRunner::Run(link.Sequencer, [&] { return link.Sequencer.LoadAll(); }, 60000);
}

const TPanelMemory& CleanMemory()
{
    static const TPanelMemory memory = [] {
        TPanelTestLink link(8);
        Prepare(link);
        EXPECT_TRUE(SaveAll(link).Completed());
        return link.Panel->Memory();
    }();
    return memory;
}

// At the n-th frame the panel receives, once, the action runs (after the frame is answered).
void AtFrame(TPanelTestLink& link, int n, std::function<void()> action)
{
    link.Panel->OnFrame = [n, frames = 0, action = std::move(action)](bool fromTool,
                                                                       const QByteArray&) mutable {
        if (fromTool && ++frames == n)
            QTimer::singleShot(0, action);
    };
}

struct TEnding {
    const char* Name;
    bool Saving;  // the operation that ends so is a Save All (else a Load All)
    TTransferOutcome Outcome;
    std::function<void(TPanelTestLink&, int frame)> Arrange;
};

} // namespace

TEST(NextOperation, EveryWayOfEndingLeavesTheNextTransfersClean)
{
    auto device = [](TPanelTestLink& link) {
        return dynamic_cast<TMemorySerialDevice*>(link.Comms.Port().Device());
    };
    const std::vector<TEnding> endings = {
        {"completed", true, TTransferOutcome::Completed, [](TPanelTestLink&, int) {}},
        {"cancelled", true, TTransferOutcome::Cancelled,
         [](TPanelTestLink& link, int frame) {
             AtFrame(link, frame, [&link] {
                 link.Prompts.Answers = {TPromptAnswer::paYes};
                 if (link.ProgressWindow.OnCancel)
                     link.ProgressWindow.OnCancel();
             });
         }},
        {"cancelled load", false, TTransferOutcome::Cancelled,
         [](TPanelTestLink& link, int frame) {
             AtFrame(link, frame, [&link] {
                 link.Prompts.Answers = {TPromptAnswer::paYes};
                 if (link.ProgressWindow.OnCancel)
                     link.ProgressWindow.OnCancel();
             });
         }},
        {"port lost", true, TTransferOutcome::PortLost,
         [&](TPanelTestLink& link, int frame) {
             AtFrame(link, frame, [&link, &device] { device(link)->Unplug(); });
         }},
        {"port lost in a load", false, TTransferOutcome::PortLost,
         [&](TPanelTestLink& link, int frame) {
             AtFrame(link, frame, [&link, &device] { device(link)->Unplug(); });
         }},
        {"protocol mismatch", true, TTransferOutcome::ProtocolMismatch,
         [](TPanelTestLink& link, int) { link.Panel->Memory().Protocol = stHochikiLoop; }},
        {"panel stops answering", true, TTransferOutcome::PortLost,
         [](TPanelTestLink& link, int frame) { link.Panel->Faults.StopAfterFrames = frame; }},
        {"panel answers garbage", false, TTransferOutcome::PortLost,
         [](TPanelTestLink& link, int frame) {
             AtFrame(link, frame, [&link] { link.Panel->Faults.CorruptEveryReply = 1; });
         }},
        {"panel refuses every write", true, TTransferOutcome::Refused,
         [](TPanelTestLink& link, int frame) {
             AtFrame(link, frame, [&link] { link.Panel->Faults.NakEveryWrite = 1; });
         }},
    };
    std::mt19937 rng(20261207);
    TData expected;
    FillRichConfiguration(expected, stApolloLoop);
    for (const TEnding& ending : endings) {
        SCOPED_TRACE(ending.Name);
        TPanelTestLink link(8);
        Prepare(link);
        // A completed operation first: the link is up, as on site.
        ASSERT_TRUE(LoadAll(link).Completed());
        FillRichConfiguration(link.Data, stApolloLoop);
        if (!ending.Saving)
            link.Panel->Memory() = CleanMemory();
        link.Panel->Restart();
        const int frame = std::uniform_int_distribution<int>(5, 900)(rng);
        ending.Arrange(link, frame);
        const TTransferResult ended = ending.Saving ? SaveAll(link) : LoadAll(link);
        EXPECT_EQ(ended.Outcome, ending.Outcome) << ended.Message.toStdString();
        EXPECT_FALSE(link.Sequencer.Busy());

        // The panel is back as it was (restarted, cable in, protocol set right).
        link.Panel->OnFrame = nullptr;
        link.Panel->Faults = {};
        link.Panel->Restart();
        link.Panel->Memory().Protocol = stApolloLoop;
        if (!ending.Saving)
            FillRichConfiguration(link.Data, stApolloLoop);
        link.Prompts.clear();
        const TTransferResult saved = SaveAll(link);
        ASSERT_TRUE(saved.Completed()) << saved.Message.toStdString();
        EXPECT_TRUE(link.Panel->Memory() == CleanMemory());
        const TTransferResult loaded = LoadAll(link);
        ASSERT_TRUE(loaded.Completed()) << loaded.Message.toStdString();
        ExpectSameTransferredData(expected, link.Data);
    }
}

// The same over a pseudo-terminal and the real serial backend: the panel restarts part-way
// through a Save All (its end of the line closes and opens again as a new device at the same
// path); the next Save All and Load All in the same program complete.
TEST(NextOperation, ARestartedPanelOnAPseudoTerminalIsUsedAgain)
{
    QTemporaryDir dir;
    TPanelTestLink link(200);
    Prepare(link);
    TPtyPanel pty(link.Panel);
    QString error;
    ASSERT_TRUE(pty.Start(&error)) << error.toStdString();
    const QString path = dir.filePath(QStringLiteral("ttyZOL"));
    ASSERT_TRUE(pty.LinkAt(path, &error)) << error.toStdString();
    link.Comms.Port().SetPortName(path);
    AtFrame(link, 300, [&] { pty.Restart(); });
    const TTransferResult lost = SaveAll(link);
    EXPECT_EQ(lost.Outcome, TTransferOutcome::PortLost) << lost.Message.toStdString();
    EXPECT_TRUE(lost.PartlySaved);

    link.Panel->OnFrame = nullptr;
    const TTransferResult saved = SaveAll(link);
    ASSERT_TRUE(saved.Completed()) << saved.Message.toStdString();
    EXPECT_TRUE(link.Panel->Memory() == CleanMemory());
    TData expected;
    FillRichConfiguration(expected, stApolloLoop);
    const TTransferResult loaded = LoadAll(link);
    ASSERT_TRUE(loaded.Completed()) << loaded.Message.toStdString();
    ExpectSameTransferredData(expected, link.Data);
    link.Comms.Close();
}
