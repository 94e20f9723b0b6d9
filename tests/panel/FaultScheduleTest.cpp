// Load All and Save All against a panel that answers late, refuses, drops and garbles: the
// document loaded and the panel memory saved must be exactly those of a clean transfer.

#include "PanelTestLink.h"
#include "RichConfig.h"

#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

// Every dropped or late answer costs the tool one input time-out.
constexpr int FaultTimeOutMs = 8;

const QDateTime FixedClock(QDate(2026, 3, 4), QTime(10, 20, 30));

// The in-memory line has no wire time and delivers no answer twice; a fast line setting keeps
// the pause after a repeated request (a few character times) short as well.
void FastLine(TPanelTestLink& link)
{
    link.Comms.SetComPortSpeed(br115200);
    link.Comms.SetTickInterval(2);
    link.Sequencer.RepeatWindowMs = 0;
}

QByteArray Image(const TData& data)
{
    TProfileFile file;
    WriteConfiguration(data, file);
    return file.ToBytes();
}

// The panel memory a Save All of the rich configuration leaves, with these faults.
TPanelMemory SavedMemory(TSystemType protocol, const TEmulatorFaults& faults)
{
    TPanelTestLink link(FaultTimeOutMs);
    FastLine(link);
    link.Panel->Memory().Protocol = protocol;
    FillRichConfiguration(link.Data, protocol);
    link.Sequencer.Now = [] { return FixedClock; };
    link.Panel->Faults = faults;
    link.Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), true)
        << link.Prompts.texts().join('|').toStdString();
    return link.Panel->Memory();
}

// The document a Load All from this memory gives, with these faults.
QByteArray LoadedImage(const TPanelMemory& memory, const TEmulatorFaults& faults)
{
    TPanelTestLink link(FaultTimeOutMs);
    FastLine(link);
    link.Panel->Memory() = memory;
    link.Panel->Faults = faults;
    EXPECT_EQ(link.Run([&] { return link.Sequencer.LoadAll(); }), true)
        << link.Prompts.texts().join('|').toStdString();
    return Image(link.Data);
}

struct TCleanTransfer {
    TPanelMemory Memory;
    QByteArray Loaded;
};

// Made once per protocol for all the tests here.
const TCleanTransfer& Clean(TSystemType protocol)
{
    static std::map<TSystemType, TCleanTransfer> made;
    auto found = made.find(protocol);
    if (found == made.end()) {
        TCleanTransfer clean;
        clean.Memory = SavedMemory(protocol, {});
        clean.Loaded = LoadedImage(clean.Memory, {});
        found = made.emplace(protocol, clean).first;
    }
    return found->second;
}

void ExpectSaveAsClean(TSystemType protocol, const TEmulatorFaults& faults)
{
    EXPECT_TRUE(SavedMemory(protocol, faults) == Clean(protocol).Memory)
        << "panel memory after Save All";
}

void ExpectLoadAsClean(TSystemType protocol, const TEmulatorFaults& faults)
{
    EXPECT_EQ(LoadedImage(Clean(protocol).Memory, faults), Clean(protocol).Loaded)
        << "document after Load All";
}

} // namespace

// A busy panel answers every 31st to 37th message after the tool's time-out: the tool has sent
// the request again and gets two answers. Neither a load nor a save may slide a value onto the
// neighbouring point, name, zone or record. Each protocol takes one direction in turn.
TEST(FaultSchedule, LateAnswersLandNowhereElse)
{
    for (TSystemType protocol : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        SCOPED_TRACE(SystemTypeName(protocol).toStdString());
        TEmulatorFaults faults;
        faults.LateEveryAnswer = 31 + protocol * 2;
        if (protocol % 2 == 0)
            ExpectSaveAsClean(protocol, faults);
        else
            ExpectLoadAsClean(protocol, faults);
    }
}

// Random schedules of every fault at once, from a fixed seed, on all four protocols; each
// schedule drives a save or a load.
TEST(FaultSchedule, RandomMixOfEveryFault)
{
    std::mt19937 rng(20261207);
    auto every = [&rng](int low, int high) {
        // About one schedule in four leaves this fault out.
        return std::uniform_int_distribution<int>(0, 3)(rng) == 0
                   ? 0
                   : std::uniform_int_distribution<int>(low, high)(rng);
    };
    for (TSystemType protocol : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        for (int schedule = 0; schedule < 2; ++schedule) {
            TEmulatorFaults faults;
            faults.NakEveryWrite = every(3, 25);
            faults.DropEveryRequest = every(20, 80);
            faults.CorruptEveryReply = every(3, 25);
            faults.LateEveryAnswer = every(20, 80);
            faults.DuplicateEveryAnswer = every(5, 40);
            faults.NoiseEveryAnswer = every(5, 40);
            faults.SilentHandshakes = std::uniform_int_distribution<int>(0, 2)(rng);
            SCOPED_TRACE(QStringLiteral("%1: nak %2 drop %3 corrupt %4 late %5 dup %6 noise %7")
                             .arg(SystemTypeName(protocol))
                             .arg(faults.NakEveryWrite)
                             .arg(faults.DropEveryRequest)
                             .arg(faults.CorruptEveryReply)
                             .arg(faults.LateEveryAnswer)
                             .arg(faults.DuplicateEveryAnswer)
                             .arg(faults.NoiseEveryAnswer)
                             .toStdString());
            if ((schedule + protocol) % 2 == 0)
                ExpectSaveAsClean(protocol, faults);
            else
                ExpectLoadAsClean(protocol, faults);
        }
    }
}

// Two answers to one request (a doubled answer, or a noise byte equal to NAK in front of a good
// ACK) never put the tool one answer out of step: a write is done only on its own ACK. The
// protocols take the three transfers in turn.
TEST(FaultSchedule, DoubledAnswersKeepRequestsAndAnswersInStep)
{
    for (TSystemType protocol : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        SCOPED_TRACE(SystemTypeName(protocol).toStdString());
        TEmulatorFaults noise;
        noise.NoiseEveryAnswer = 3;
        noise.DropEveryRequest = 11;
        TEmulatorFaults doubled;
        doubled.DuplicateEveryAnswer = 4;
        doubled.NakEveryWrite = 7;
        switch (protocol % 3) {
        case 0: ExpectSaveAsClean(protocol, noise); break;
        case 1: ExpectSaveAsClean(protocol, doubled); break;
        default: ExpectLoadAsClean(protocol, doubled); break;
        }
    }
}

// A panel whose first answers arrive twice still gets one handshake and says that its NVM
// program link is not fitted.
TEST(FaultSchedule, DoubledFirstAnswersStillShowTheLinkWarning)
{
    TPanelTestLink link(FaultTimeOutMs);
    FastLine(link);
    link.Panel->Memory().NvmLinkFitted = false;
    link.Panel->Faults.DuplicateFirstAnswers = 3;
    link.Prompts.Answers = {TPromptAnswer::paYes, TPromptAnswer::paAbort};
    EXPECT_EQ(link.Run([&] { return link.Sequencer.SaveAll(); }), false);
    EXPECT_TRUE(link.Prompts.texts().contains(TransferText::NvmLinkNotFitted));
    EXPECT_EQ(link.Panel->HandshakesReceived(), 1);
    EXPECT_LT(link.Panel->FramesReceived(), 10);
    EXPECT_EQ(link.Panel->WritesReceived(), 0);
}
