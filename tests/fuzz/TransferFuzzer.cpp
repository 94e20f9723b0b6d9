// Load All and Save All under a fault schedule taken from the input (NAKs, dropped requests,
// bad checksums): a transfer that reports success has moved exactly what a clean transfer
// moves: the same panel memory after Save All, the same configuration after Load All.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzApplication();
    if (size < 4)
        return 0;
    const auto protocol = static_cast<TSystemType>(data[0] % 4);
    const TClean& clean = CleanTransfer(protocol);
    TEmulatorFaults faults;
    faults.NakEveryWrite = Every(data[1]);
    faults.DropEveryRequest = Every(data[2]);
    faults.CorruptEveryReply = Every(data[3]);

    TLink save;
    save.Panel->Memory().Protocol = static_cast<quint8>(protocol);
    save.Panel->Faults = faults;
    FillSource(save.Data, protocol);
    if (save.Run(true).value_or(false))
        FUZZ_CHECK(save.Panel->Memory() == clean.Memory);

    TLink load;
    load.Panel->Memory() = clean.Memory;
    load.Panel->Faults = faults;
    if (load.Run(false).value_or(false))
        FUZZ_CHECK(Image(load.Data) == clean.Loaded);
    return 0;
}
