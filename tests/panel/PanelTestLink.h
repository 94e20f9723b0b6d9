#pragma once

#include "comms/MemorySerialDevice.h"
#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferProgress.h"
#include "panel/TransferSequencer.h"
#include "sim/PanelEmulator.h"
#include "storage/ScriptedPrompts.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>

// Records what the progress window would show.
class TRecordingProgress : public TTransferProgress {
public:
    QStringList Statuses;
    int Pos = 0;
    int Max = 100;
    bool Visible = false;
    int Closes = 0;

    void SetStatus(const QString& text) override { Statuses.append(text); }
    void SetPosition(int position) override { Pos = position; }
    void SetMaximum(int maximum) override { Max = maximum; }
    int Position() const override { return Pos; }
    int Maximum() const override { return Max; }
    void SetCancelVisible(bool) override {}
    void Show() override { Visible = true; }
    void Hide() override
    {
        Visible = false;
        Pos = 0;
    }
    void Close() override
    {
        Hide();
        ++Closes;
    }
};

inline QCoreApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "tests_panel";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The tool's side (document, packet component, sequencer) joined in memory to an emulated
// panel, with a short poll and input time-out so that faults cost little time.
struct TPanelTestLink {
    std::shared_ptr<TPanelEmulator> Panel = std::make_shared<TPanelEmulator>();
    TData Data;
    TZOLPanelComms Comms;
    TScriptedPrompts Prompts;
    TRecordingProgress ProgressWindow;
    TPanelPage Page = ppLoopSummary;
    int SummaryLoop = 1;
    TTransferSequencer Sequencer;
    // Every message (letter, length, payload) the panel received, in order.
    QList<QByteArray> Sent;

    explicit TPanelTestLink(int inputTimeOutMs = 100)
        : Sequencer((TestApplication(), Data), Comms, Prompts, ProgressWindow,
                    TTransferContext{[this] { return Page; }, [this] { return SummaryLoop; }})
    {
        ApplyPanelLinkSettings(Comms);
        Comms.SetTickInterval(5);
        Comms.SetInputTimeOut(static_cast<quint32>(inputTimeOutMs));
        Sequencer.ZoneFlagsTimeOut = inputTimeOutMs;
        Sequencer.AfterZoneFlagsTimeOut = inputTimeOutMs;
        // The emulated panel delivers an answer twice only when a test's faults tell it to.
        Sequencer.RepeatWindowMs = 0;
        Comms.Port().SetDevice(std::make_unique<TMemorySerialDevice>(Panel));
        Panel->OnFrame = [this](bool fromTool, const QByteArray& bytes) {
            // Frame: SOH, panel number, message, checksum.
            if (fromTool && bytes.size() >= 4)
                Sent.append(bytes.mid(2, bytes.size() - 3));
        };
        Data.PanelNumber = 0;
    }

    // Starts an operation and runs the event loop until it ends. Returns whether it completed;
    // nullopt when it did not start or did not end in time.
    std::optional<bool> Run(const std::function<bool()>& start, int limitMs = 60000)
    {
        std::optional<bool> result;
        QEventLoop loop;
        auto connection = QObject::connect(&Sequencer, &TTransferSequencer::Finished,
                                           [&](bool completed) {
                                               result = completed;
                                               loop.quit();
                                           });
        const bool started = start();
        if (started && !result) {
            QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
        QObject::disconnect(connection);
        return started ? result : std::nullopt;
    }

    // Lets queued answers arrive.
    static void Settle(int ms = 50)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    int CountSent(const QByteArray& message) const { return static_cast<int>(Sent.count(message)); }
};
