// Every answer belongs to exactly one send: a panel repeating itself, a chattering line and a
// garbled answer to a delete are each seen as what they are.

#include "PanelTestLink.h"
#include "RichConfig.h"

#include "panel/TransferRunner.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"

#include <gtest/gtest.h>

namespace {

QByteArray Image(const TData& data)
{
    TProfileFile file;
    WriteConfiguration(data, file);
    return file.ToBytes();
}

// The groups page loaded from a panel holding the rich configuration, at 9600 bit/s.
TTransferResult LoadGroups(TPanelTestLink& link, const TEmulatorFaults& faults)
{
    TPanelTestLink source;
    FillRichConfiguration(source.Data, stApolloLoop);
    source.Prompts.Answers = {TPromptAnswer::paYes};
    source.Run([&] { return source.Sequencer.SaveAll(); });
    link.Panel->Memory() = source.Panel->Memory();
    link.Panel->SetWireBitRate(9600);
    link.Panel->Faults = faults;
    link.Page = ppGroupConfig;
    return TTransferRunner::Run(link.Sequencer, [&] { return link.Sequencer.LoadPage(); });
}

} // namespace

// Every fifth answer reaches the tool twice, the copy 40 ms later as a delivery of its own
// (after the next request went out): no zone takes its neighbour's groups, and the load
// still completes.
TEST(AnswerMatching, RepeatedAnswersNeverShiftARecord)
{
    TPanelTestLink clean(1000);
    ASSERT_TRUE(LoadGroups(clean, {}).Completed());
    for (int after : {40}) {
        TPanelTestLink link(1000);
        TEmulatorFaults faults;
        faults.RepeatEveryAnswer = 5;
        faults.RepeatAfterMs = after;
        link.Sequencer.RepeatWindowMs = after + 20;
        const TTransferResult result = LoadGroups(link, faults);
        ASSERT_TRUE(result.Completed()) << result.Message.toStdString();
        EXPECT_EQ(Image(link.Data), Image(clean.Data)) << after << " ms";
        // The window the line settled for covers the longest answer seen.
        EXPECT_GT(result.SettleMs, result.LongestAnswerMs);
    }
}

// A line that carries a stray packet every second while answers are lost: the stray packets
// neither hold the request's deadline off nor pass for its answer.
TEST(AnswerMatching, ChatterDoesNotHoldARequestForEver)
{
    TPanelTestLink link(300);
    FillRichConfiguration(link.Data, stApolloLoop);
    link.Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), true);
    TPanelTestLink load(1500); // longer than the gap between stray packets
    load.Panel->Memory() = link.Panel->Memory();
    load.Panel->Faults.ChatterEveryMs = 1000;
    load.Panel->Faults.DropEveryRequest = 4;
    load.Panel->StartChatter();
    load.Page = ppSiteConfig;
    const TTransferResult result =
        TTransferRunner::Run(load.Sequencer, [&] { return load.Sequencer.LoadPage(); }, 40000);
    load.Panel->Faults = {};
    load.Panel->StartChatter();
    ASSERT_TRUE(result.Completed()) << result.Message.toStdString();
    EXPECT_EQ(load.Data.SiteConfig.MaintenanceString, link.Data.SiteConfig.MaintenanceString);
    EXPECT_EQ(load.Data.SiteConfig.AL3Code, link.Data.SiteConfig.AL3Code);
}

// Clearing a history of identical lines over a line that doubles and garbles answers: every
// event is logged exactly once and the panel is left empty; a delete is never sent blind.
TEST(AnswerMatching, ClearingIdenticalEventsLogsEachOnce)
{
    const std::deque<QByteArray> history(12, QByteArray("Fault Loop 1 Point 3 missing"));
    for (const auto& [duplicate, corrupt] : {std::pair{3, 0}, std::pair{0, 4}, std::pair{5, 3}}) {
        TPanelTestLink link(50);
        link.Panel->Memory().Events = history;
        link.Panel->Faults.DuplicateEveryAnswer = duplicate;
        link.Panel->Faults.CorruptEveryReply = corrupt;
        link.Page = ppViewEventLog;
        link.Prompts.Answers = {TPromptAnswer::paYes};
        ASSERT_EQ(link.Run([&] { return link.Sequencer.LoadPage(); }), true)
            << link.Prompts.texts().join('|').toStdString();
        EXPECT_EQ(link.Data.EventLog.size(), 12) << duplicate << "/" << corrupt;
        EXPECT_TRUE(link.Panel->Memory().Events.empty());
    }
}
