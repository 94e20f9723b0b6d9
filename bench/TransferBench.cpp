// Load All and Save All of a full two-loop Apollo configuration against the emulated panel
// with 9600-baud wire time, each compared with the wire-time floor: every byte sent and
// received, 10 bits each, at 9600 bit/s.

#include "comms/MemorySerialDevice.h"
#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferProgress.h"
#include "panel/TransferSequencer.h"
#include "sim/PanelEmulator.h"
#include "storage/Prompts.h"
#include "support/SilentPrompts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <cstdio>

namespace {

constexpr int BitRate = 9600;

class TNoProgress : public TTransferProgress {
public:
    void SetStatus(const QString&) override {}
    void SetPosition(int p) override { pos_ = p; }
    void SetMaximum(int m) override { max_ = m; }
    int Position() const override { return pos_; }
    int Maximum() const override { return max_; }
    void SetCancelVisible(bool) override {}
    void Show() override {}
    void Hide() override {}
    void Close() override {}

private:
    int pos_ = 0;
    int max_ = 100;
};

void FillFullApollo(TData& data)
{
    data.SwitchProtocol(stApolloLoop);
    int n = 0;
    for (int l = 1; l <= 2; ++l)
        for (int p = 1; p <= data.NoLoopDevices(); ++p) {
            TDeviceType& d = data.Loop(l).Devices[p];
            d.TypeCode = p > 126 ? 4 : 20;
            data.Loop(l).ResetPointData(p);
            d.Zone = p % 32 + 1;
            d.Name = QStringLiteral("Location %1").arg(n++ % 200);
        }
    data.RebuildNameTable();
    for (int z = 1; z <= MaxZone; ++z) {
        data.ZoneList.Zone(z).Name = QStringLiteral("Area %1").arg(z);
        data.ZoneList.Zone(z).SounderTimer = z;
    }
    for (int e = 1; e <= CEEventCount; ++e)
        data.C_ETable.Events[e] = {10, e, 10, e, 15, e};
}

struct TRun {
    double Seconds = 0;
    qint64 Bytes = 0;
    bool Completed = false;
    TTransferResult Result;
};

TRun Measure(TPanelEmulator& panel, TData& data, bool save)
{
    TZOLPanelComms comms;
    TSilentPrompts prompts(TPromptAnswer::paYes);
    TNoProgress progress;
    TTransferSequencer sequencer(data, comms, prompts, progress, {});
    ApplyPanelLinkSettings(comms);
    auto shared = std::shared_ptr<TPanelEmulator>(&panel, [](TPanelEmulator*) {});
    comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(shared));

    TRun run;
    QEventLoop loop;
    QObject::connect(&sequencer, &TTransferSequencer::Ended, [&](const TTransferResult& result) {
        run.Completed = result.Completed();
        run.Result = result;
        loop.quit();
    });
    // The link is brought up first so that the handshake's poll wait is not measured.
    sequencer.LoadNames();
    loop.exec();
    panel.OnFrame = [&](bool, const QByteArray& bytes) { run.Bytes += bytes.size(); };
    QElapsedTimer clock;
    clock.start();
    if (save ? sequencer.SaveAll() : sequencer.LoadAll())
        loop.exec();
    run.Seconds = clock.nsecsElapsed() / 1e9;
    panel.OnFrame = nullptr;
    return run;
}

void Report(const char* name, const TRun& run)
{
    const double floor = run.Bytes * 10.0 / BitRate;
    std::printf("%-9s %s %8.2f s  %7lld bytes  floor %8.2f s  ratio %.3f (target 1.15)\n", name,
                run.Completed ? "ok    " : "FAILED", run.Seconds, static_cast<long long>(run.Bytes),
                floor, floor > 0 ? run.Seconds / floor : 0.0);
    // The settle window the run worked out (its last quiet check) from its longest answer.
    std::printf("          longest answer %lld ms, settle window %d ms\n",
                static_cast<long long>(run.Result.LongestAnswerMs), run.Result.SettleMs);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    TPanelEmulator panel;
    panel.SetWireBitRate(BitRate);

    TData source;
    FillFullApollo(source);
    Report("Save All", Measure(panel, source, true));
    TData copy;
    Report("Load All", Measure(panel, copy, false));
    return 0;
}
