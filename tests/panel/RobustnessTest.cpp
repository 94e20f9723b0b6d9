#include "PanelTestLink.h"
#include "RichConfig.h"

#include "panel/CauseEffectMessages.h"
#include "panel/EventMessages.h"
#include "panel/GroupMessages.h"
#include "panel/NameMessages.h"
#include "panel/NetworkMessages.h"
#include "panel/PointMessages.h"
#include "panel/SetMessages.h"
#include "panel/SiteMessages.h"
#include "panel/VersionMessages.h"
#include "panel/ZoneMessages.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class TRandom {
public:
    explicit TRandom(unsigned seed) : rng_(seed) {}
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    QByteArray Bytes(int n)
    {
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes += static_cast<char>(Pick(0, 255));
        return bytes;
    }
    // Mostly the lengths the replies have, sometimes shorter or longer; bytes biased towards
    // the edges of their ranges.
    QByteArray Payload()
    {
        QByteArray bytes;
        const int n = Pick(0, 3) == 0 ? Pick(0, 3) : Pick(0, 64);
        for (int i = 0; i < n; ++i) {
            static const int edges[] = {0, 1, 2, 3, 4, 16, 17, 18, 19, 32, 33, 40, 41, 127, 128,
                                        253, 254, 255};
            bytes += static_cast<char>(Pick(0, 1) ? Pick(0, 255) : edges[Pick(0, 17)]);
        }
        return bytes;
    }

    std::mt19937 rng_;
};

// Everything that reads document values back out after a reply was stored: the writes of
// every block, the names and the status texts.
void UseEverything(TData& data)
{
    const int points = data.NoLoopDevices();
    for (int loop = 1; loop <= 2; ++loop)
        for (int p = 1; p <= points; ++p) {
            (void)PointWrite(data, loop, p);
            (void)PointStatusText(data, p % 2 == 0, loop, p);
        }
    for (int z = 0; z <= 40; ++z) {
        (void)ZoneNameWrite(data, z);
        (void)ZoneDataWrite(data, z);
        (void)GroupWrite(data, z);
        (void)SetWrite(data, z);
    }
    (void)NonFireFlagsWrite(data);
    for (int e = 1; e <= 16; ++e)
        (void)CauseEffectWrite(data, e);
    for (int n = 0; n <= 300; ++n)
        (void)NameWrite(data, n);
    for (int panel = 1; panel <= 8; ++panel) {
        (void)NetworkNameWrite(data, panel);
        (void)NetworkFittedWrite(data, panel);
    }
    (void)SegmentWrite(data);
    (void)NetworkMatrixWrite(data);
    (void)PanelNameWrite(data);
    (void)MaintenanceTextWrite(data);
    (void)MaintenanceDateWrite(data);
    (void)Level2CodeWrite(data);
    (void)Level3CodeWrite(data);
    (void)FaultLockoutWrite(data);
    (void)DelaysWrite(data);
    (void)QuiescentTextWrite(data);
    (void)TimesWrite(data);
    (void)LoopTypeWrite(data);
    (void)data.ContinuousToneNames();
    (void)data.PulsedToneNames();
    data.ApplyNameIndexes();
    data.RebuildNameTable();
}

// Everything the document holds, as a configuration file lays it out.
QByteArray Image(const TData& data)
{
    TProfileFile file;
    WriteConfiguration(data, file);
    return file.ToBytes();
}

} // namespace

// Every reply decoder, on documents of every protocol, with payloads of random length and
// content: a reply is stored or refused, and nothing it stored makes a later write, a
// name look-up or a status text read outside a table.
TEST(Robustness, ReplyDecodersTakeRandomPayloads)
{
    TRandom r(20240305);
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        TData data;
        FillRichConfiguration(data, type);
        for (int round = 0; round < 6; ++round) {
            const int points = data.NoLoopDevices();
            for (int loop = 1; loop <= 2; ++loop)
                for (int p = 1; p <= points; p += r.Pick(1, 9))
                    ReadPoint(data, loop, p, r.Payload());
            for (int z = 0; z <= 40; ++z) {
                ReadZoneName(data, z, r.Payload());
                ReadZoneData(data, z, r.Payload());
                ReadGroups(data, z, r.Payload());
                ReadSets(data, z, r.Payload());
            }
            ReadNonFireFlags(data, r.Payload());
            for (int e = 1; e <= 16; ++e)
                ReadCauseEffect(data, e, r.Payload());
            for (int panel = 1; panel <= 8; ++panel) {
                ReadNetworkName(data, panel, r.Payload());
                ReadNetworkFitted(data, panel, r.Payload());
            }
            ReadNetworkMatrix(data, r.Payload());
            ReadPanelName(data, r.Payload());
            ReadMaintenanceText(data, r.Payload());
            ReadMaintenanceDate(data, r.Payload());
            ReadLevel2Code(data, r.Payload());
            ReadLevel3Code(data, r.Payload());
            ReadDelays(data, r.Payload());
            ReadQuiescentText(data, r.Payload());
            ReadTimes(data, r.Payload());
            ReadVersions(data, r.Payload());
            (void)ReadLinkCheck(r.Payload());
            (void)ReadLoopType(r.Payload());
            (void)IsNameListEnd(r.Payload());
            (void)NameText(r.Payload());
            (void)IsEventHistoryEnd(r.Payload());
            (void)EventText(r.Payload());
            UseEverything(data);
        }
    }
}

// A short reply is refused before anything is stored.
TEST(Robustness, ShortRepliesStoreNothing)
{
    TRandom r(77);
    for (TSystemType type : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        TData data;
        FillRichConfiguration(data, type);
        const QByteArray before = Image(data);
        for (int n = 0; n < 300; ++n) {
            const QByteArray shortReply = r.Bytes(r.Pick(0, 1));
            const int p = r.Pick(1, data.NoLoopDevices());
            EXPECT_FALSE(ReadPoint(data, r.Pick(1, 2), p, shortReply));
            EXPECT_FALSE(ReadZoneData(data, r.Pick(0, 40), shortReply));
            EXPECT_FALSE(ReadGroups(data, r.Pick(0, 40), shortReply));
            EXPECT_FALSE(ReadSets(data, r.Pick(0, 40), shortReply));
            EXPECT_FALSE(ReadCauseEffect(data, r.Pick(1, 16), shortReply));
        }
        EXPECT_EQ(Image(data), before);
    }
}

// Load All from a panel whose memory holds random bytes everywhere: every reply is well
// framed but its values are whatever the panel holds. The transfer ends, and the document
// it leaves can be written back.
TEST(Robustness, LoadAllFromAPanelFullOfRandomBytes)
{
    TRandom r(31337);
    for (int run = 0; run < 4; ++run) {
        SCOPED_TRACE(run);
        TPanelTestLink link(50);
        TPanelMemory& m = link.Panel->Memory();
        m.Protocol = static_cast<quint8>(run);
        m.LoopCount = static_cast<quint8>(r.Pick(0, 255));
        auto fill = [&r](auto& block) {
            for (auto& b : block)
                b = static_cast<quint8>(r.Pick(0, 255));
        };
        for (int loop = 1; loop <= 2; ++loop)
            for (int p = 0; p <= 255; ++p)
                fill(m.Points[loop][p]);
        for (int z = 0; z <= 40; ++z) {
            fill(m.ZoneData[z]);
            fill(m.Groups[z]);
            fill(m.Sets[z]);
            m.ZoneNames[z] = r.Bytes(r.Pick(0, 40));
        }
        fill(m.NonFireFlags);
        for (int e = 1; e <= 16; ++e)
            fill(m.CEEvents[e]);
        fill(m.MaintenanceDate);
        fill(m.Level3);
        fill(m.PhasedDelays);
        fill(m.Times);
        fill(m.NetworkMatrix);
        m.PulsedTone = static_cast<quint8>(r.Pick(0, 255));
        m.ContinuousTone = static_cast<quint8>(r.Pick(0, 255));
        m.ReSound = static_cast<quint8>(r.Pick(0, 255));
        m.SetDelay = static_cast<quint16>(r.Pick(0, 65535));
        m.FaultLockout = static_cast<quint8>(r.Pick(0, 255));
        m.Segment = static_cast<quint8>(r.Pick(0, 255));
        m.Names.resize(static_cast<size_t>(r.Pick(1, 256)));
        for (size_t i = 1; i < m.Names.size(); ++i)
            m.Names[i] = r.Bytes(r.Pick(0, 40));
        link.Data.SwitchProtocol(static_cast<TSystemType>(run));
        link.Prompts.DefaultAnswer = TPromptAnswer::paYes;
        const std::optional<bool> result = link.Run([&] { return link.Sequencer.LoadAll(); });
        ASSERT_TRUE(result.has_value());
        EXPECT_TRUE(*result) << link.Prompts.texts().join('\n').toStdString();
        EXPECT_GT(link.Sent.size(), 300);
        UseEverything(link.Data);
    }
}
