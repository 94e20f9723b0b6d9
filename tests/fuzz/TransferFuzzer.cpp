// Load All and Save All under a fault schedule taken from the input (NAKs, dropped requests,
// bad checksums, late, doubled, repeated and noisy answers, stray packets, writes lost on the
// line, ignored handshakes, a panel that stops answering, a line lost and a panel restarted
// part-way): a transfer that reports success has
// moved exactly what a clean transfer moves (the same panel memory after Save All, the same
// configuration after Load All), and however it ended the next one in the same program does.
#include "FuzzSupport.h"

#include "comms/MemorySerialDevice.h"
#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferProgress.h"
#include "panel/TransferSequencer.h"
#include "sim/PanelEmulator.h"
#include "storage/ConfigWriter.h"
#include "storage/ProfileFile.h"

#include <QEventLoop>
#include <QTimer>

#include <array>
#include <optional>

namespace {

class TQuietProgress : public TTransferProgress {
public:
    void SetStatus(const QString&) override {}
    void SetPosition(int position) override { position_ = position; }
    void SetMaximum(int maximum) override { maximum_ = maximum; }
    int Position() const override { return position_; }
    int Maximum() const override { return maximum_; }
    void SetCancelVisible(bool) override {}
    void Show() override {}
    void Hide() override {}
    void Close() override {}

private:
    int position_ = 0;
    int maximum_ = 100;
};

// A configuration with points, names, zones and events that differ from New.
void FillSource(TData& data, TSystemType protocol)
{
    data.SwitchProtocol(protocol);
    const int codes[] = {0, 8, 20, 48, 64, 80, 112, 136, 160, 208};
    int point = 1;
    for (int code : codes) {
        if (data.Loop1.PlacementRefusal(point, code).isEmpty()) {
            data.Loop1.PlaceDevice(point, code);
            data.Loop1.Devices[point].Name = QStringLiteral("Point %1").arg(point);
            data.Loop1.Devices[point].Zone = 1 + point % 30;
        }
        if (data.Loop2.PlacementRefusal(point + 1, code).isEmpty())
            data.Loop2.PlaceDevice(point + 1, code);
        point += 3;
    }
    data.RebuildNameTable();
    data.ApplyNameIndexes();
    for (int z = 1; z <= 5; ++z)
        data.ZoneList.Zone(z).Name = QStringLiteral("Area %1").arg(z);
    data.ZoneList.Zone(3).GroupConfig[2] = grContinuous;
    data.SiteConfig.ClientName = QStringLiteral("Harbour");
}

QByteArray Image(const TData& data)
{
    TProfileFile file;
    WriteConfiguration(data, file);
    return file.ToBytes();
}

// The tool's side joined in memory to an emulated panel, with a short poll and time-out.
struct TLink {
    std::shared_ptr<TPanelEmulator> Panel = std::make_shared<TPanelEmulator>();
    TData Data;
    TZOLPanelComms Comms;
    TFuzzPrompts Prompts{TPromptAnswer::paYes};
    TQuietProgress Progress;
    TTransferSequencer Sequencer{Data, Comms, Prompts, Progress,
                                 TTransferContext{[] { return ppLoopSummary; }, [] { return 1; }}};

    TLink()
    {
        ApplyPanelLinkSettings(Comms);
        Comms.SetTickInterval(1);
        Comms.SetInputTimeOut(20);
        Sequencer.ZoneFlagsTimeOut = 20;
        Sequencer.AfterZoneFlagsTimeOut = 20;
        // The emulated panel delivers an answer again within 15 ms.
        Sequencer.RepeatWindowMs = 20;
        Comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(Panel));
        Data.PanelNumber = 0;
    }

    std::optional<bool> Run(bool save)
    {
        std::optional<bool> result;
        QEventLoop loop;
        QObject::connect(&Sequencer, &TTransferSequencer::Finished, &loop, [&](bool completed) {
            result = completed;
            loop.quit();
        });
        const bool started = save ? Sequencer.SaveAll() : Sequencer.LoadAll();
        if (started && !result) {
            QTimer::singleShot(60000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return result;
    }
};

struct TClean {
    TPanelMemory Memory;
    QByteArray Loaded;
};

const TClean& CleanTransfer(TSystemType protocol)
{
    static std::array<std::optional<TClean>, 4> clean;
    auto& entry = clean[static_cast<std::size_t>(protocol)];
    if (!entry) {
        TLink save;
        save.Panel->Memory().Protocol = static_cast<quint8>(protocol);
        FillSource(save.Data, protocol);
        FUZZ_CHECK(save.Run(true).value_or(false));
        TLink load;
        load.Panel->Memory() = save.Panel->Memory();
        FUZZ_CHECK(load.Run(false).value_or(false));
        entry = TClean{save.Panel->Memory(), Image(load.Data)};
    }
    return *entry;
}

int Every(uint8_t byte)
{
    return byte < 128 ? 0 : 2 + byte % 40;
}

// One line fault at a frame of the transfer, from two bytes of the input.
void Arrange(TLink& link, uint8_t at, uint8_t kind)
{
    if (kind < 160)
        return;
    const int frame = 4 + at * 4;
    auto* device = dynamic_cast<TMemorySerialDevice*>(link.Comms.Port().Device());
    link.Panel->OnFrame = [&link, device, frame, kind, frames = 0](bool fromTool,
                                                                    const QByteArray&) mutable {
        if (!fromTool || ++frames != frame)
            return;
        if (kind < 200)
            link.Panel->Faults.StopAfterFrames = frames;
        else if (kind < 240)
            QTimer::singleShot(0, [device] { device->Unplug(); });
        else
            link.Panel->Restart();
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzApplication();
    if (size < 15)
        return 0;
    const auto protocol = static_cast<TSystemType>(data[0] % 4);
    const TClean& clean = CleanTransfer(protocol);
    TEmulatorFaults faults;
    faults.NakEveryWrite = Every(data[1]);
    faults.DropEveryRequest = Every(data[2]);
    faults.CorruptEveryReply = Every(data[3]);
    faults.LateEveryAnswer = Every(data[4]);
    faults.DuplicateEveryAnswer = Every(data[5]);
    faults.NoiseEveryAnswer = Every(data[6]);
    faults.NoiseByte = data[7];
    faults.SilentHandshakes = data[8] % 4;
    faults.DuplicateFirstAnswers = data[9] % 3;
    faults.RepeatEveryAnswer = Every(data[12]);
    faults.RepeatAfterMs = data[13] % 16;
    faults.ChatterEveryMs = data[14] < 200 ? 0 : 10 + data[14] % 50;
    faults.LoseEveryWrite = Every(static_cast<uint8_t>(data[1] ^ data[14]));

    TLink save;
    save.Panel->Memory().Protocol = static_cast<quint8>(protocol);
    save.Panel->Faults = faults;
    FillSource(save.Data, protocol);
    Arrange(save, data[10], data[11]);
    save.Panel->StartChatter();
    if (save.Run(true).value_or(false))
        FUZZ_CHECK(save.Panel->Memory() == clean.Memory);
    // The panel back to health: the next Save All in the same program is a clean one.
    save.Panel->OnFrame = nullptr;
    save.Panel->Faults = {};
    save.Panel->StartChatter();
    save.Panel->Restart();
    FUZZ_CHECK(save.Run(true).value_or(false));
    FUZZ_CHECK(save.Panel->Memory() == clean.Memory);

    TLink load;
    load.Panel->Memory() = clean.Memory;
    load.Panel->Faults = faults;
    Arrange(load, data[11], data[10]);
    load.Panel->StartChatter();
    if (load.Run(false).value_or(false))
        FUZZ_CHECK(Image(load.Data) == clean.Loaded);
    load.Panel->Faults = {};
    load.Panel->StartChatter();
    return 0;
}
