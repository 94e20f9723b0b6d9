#include "app/PanelSession.h"

#include "editors/status/CommSelect.h"
#include "editors/status/Status.h"
#include "model/Data.h"
#include "panel/PanelLink.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "safety/PanelReadBack.h"
#include "safety/ProvenState.h"
#include "safety/SaveAllWorkflow.h"
#include "comms/SerialDeviceFactory.h"
#include "sim/DemoPanel.h"
#include "storage/PortSettings.h"
#include "storage/Prompts.h"

#include <QDir>
#include <QTimer>

TPanelSession::TPanelSession(TSetup setup)
    : setup_(std::move(setup)),
      portSettings_(setup_.Settings ? std::make_unique<TPortSettings>(*setup_.Settings)
                                    : std::make_unique<TPortSettings>())
{
    ApplyPanelLinkSettings(comms_);
    status_ = new TfrmStatus(setup_.Window);
    sequencer_ = std::make_unique<TTransferSequencer>(
        setup_.Data, comms_, setup_.Prompts, *status_,
        TTransferContext{setup_.ActivePage, setup_.SummaryLoop});
    connect(sequencer_.get(), &TTransferSequencer::StatusMessage, this,
            [this](const QString& text) {
                // "Disconnected" is news, not a question: the status bar says it.
                if (setup_.ShowStatus)
                    setup_.ShowStatus(text);
                else
                    setup_.Prompts.information(text);
            });
    connect(sequencer_.get(), &TTransferSequencer::Ended, this, &TPanelSession::Ended);
    commSelect_ = new TCommSelectForm(*portSettings_, setup_.Window);
}

TPanelSession::~TPanelSession()
{
    // The sequencer unhooks itself from the packet component and the status window.
    sequencer_.reset();
    comms_.Close();
    delete commSelect_;
    delete status_;
}

bool TPanelSession::Busy() const
{
    return sequencer_->Busy();
}

bool TPanelSession::RefusedWhileBusy(const QString& command)
{
    if (!Busy())
        return false;
    setup_.Prompts.warning(QStringLiteral("%1 is not available while the panel operation runs. "
                                          "Wait until it has ended, or cancel it.")
                               .arg(command));
    return true;
}

bool TPanelSession::LoadAll()
{
    loadAllClock_.start();
    return sequencer_->LoadAll();
}

void TPanelSession::Start(int maxOutputDelay)
{
    const int stored = portSettings_->StoredPort();
    if (const std::optional<int> port = TPortSettings::ComPortForChoice(stored))
        SelectComPort(*port);
    sequencer_->MaxOutputDelay = maxOutputDelay;
    comms_.PanelNumber = setup_.Data.PanelNumber;
    commSelect_->SetChoice(TPortSettings::ComPortForChoice(stored).value_or(1));
}

void TPanelSession::Ended(const TTransferResult& result)
{
    if (sequencer_->LoadingAll() && result.Completed()) {
        const TData& data = setup_.Data;
        // The whole panel was read: Save Changes of this file works from it.
        QString notKept;
        ProvenState::Keep(data, false, &notKept);
        const QString done =
            QStringLiteral("Load All completed in %1 s: %2 loop(s), %3 fitted points.")
                .arg(double(loadAllClock_.elapsed()) / 1000.0, 0, 'f', 0)
                .arg(data.LoopCount)
                .arg(data.Loop1.FittedCount() + (data.LoopCount == 2 ? data.Loop2.FittedCount() : 0));
        setup_.ShowStatus(done);
        // Said in a message too, once the port's event is over.
        QTimer::singleShot(0, this, [this, done, notKept] {
            setup_.Prompts.information(done);
            if (!notKept.isEmpty())
                setup_.Prompts.warning(notKept);
        });
    }
    // A page's own save (and any save until it is proven) leaves the panel's proven state
    // behind: it is marked, not trusted, until a Save All or Save Changes proves the panel.
    QString notMarked;
    if (result.Wrote && !ProvenState::MarkUnsettled(setup_.Data.FileName, setup_.Data.PanelNumber, &notMarked))
        QTimer::singleShot(0, this, [this, notMarked] { setup_.Prompts.warning(notMarked); });
    // Not from inside the port's own event: the port is closed and reopened here.
    QTimer::singleShot(0, this, [this] {
        if (Busy())
            return;
        if (pendingPort_ != 0) {
            SelectComPort(pendingPort_);
            pendingPort_ = 0;
        }
        // An operation that ran while the event log was shown hands the line back to text.
        if (setup_.ActivePage() == ppViewEventLog)
            EnterTextMode();
    });
    emit TransferEnded(result);
}

void TPanelSession::SelectSerialPort()
{
    commSelect_->Reload();
    if (commSelect_->exec() != QDialog::Accepted)
        return;
    // A running operation keeps its port; the new one is taken when it ends.
    if (Busy())
        pendingPort_ = commSelect_->Choice();
    else
        SelectComPort(commSelect_->Choice());
}

void TPanelSession::SelectComPort(int port)
{
    port = qBound(1, port, TCommSelectForm::Choices);
    CloseLink();
    comms_.SetComPort(static_cast<TComPortNumber>(port - 1));
    const QString device = portSettings_->ResolvePortName(QStringLiteral("COM%1").arg(port));
    if (device.compare(TPortSettings::DemoPort, Qt::CaseInsensitive) == 0 && !HasDemoPanel())
        RegisterDemoPanel();
    comms_.Port().SetPortName(device);
    // A communications log being recorded follows the link to its new port.
    if (Recording())
        AttachTrace(comms_.Port(), *trace_);
}

void TPanelSession::Disconnect()
{
    // Closing the port under a running operation would leave it waiting for ever: it is
    // cancelled first, with the usual question.
    if (Busy()) {
        sequencer_->CancelRequested();
        if (Busy())
            return;
    }
    sequencer_->Disconnect();
}

void TPanelSession::PageShown(TPanelPage page)
{
    // A running operation keeps its packet mode: text mode would stop its replies.
    if (Busy())
        return;
    comms_.IsASCIIOnly = false;
    if (page == ppViewEventLog)
        EnterTextMode();
}

// The event log page shows the lines the panel prints: the port open, in text mode, with
// nothing old in its buffers.
void TPanelSession::EnterTextMode()
{
    if (!comms_.IsOpen())
        comms_.Open();
    comms_.IsASCIIOnly = true;
    comms_.Purge(true, false);
}

QString TPanelSession::PortName() const
{
    const TSigComPort& port = comms_.Port();
    return port.PortName().isEmpty() ? ComPortName(port.ComPort()) : port.PortName();
}

void TPanelSession::CloseLink()
{
    // The link lets go of the port, and greets the panel again on its next use.
    comms_.Close();
    comms_.HandshakeDone = false;
    comms_.HandshakeStage = 0;
}

bool TPanelSession::ReadPanel(TData& scratch, QString* error)
{
    // A scratch load talks on a link of its own.
    CloseLink();
    const TPanelReadRequest request{PortName(), setup_.Data.PanelNumber,
                                    Recording() ? trace_.get() : nullptr};
    const bool read = LoadAllFromPanel(scratch, request, setup_.Prompts, *status_, error);
    if (setup_.ActivePage() == ppViewEventLog)
        EnterTextMode();
    return read;
}

bool TPanelSession::Recording() const
{
    return trace_ && trace_->IsOpen();
}

bool TPanelSession::RecordCommsLog(bool record)
{
    const bool recording = Recording();
    if (!record || recording || Busy()) {
        // A second choice stops it; the line is not changed under a running operation.
        if (recording && !Busy()) {
            CloseLink();
            DetachTrace(comms_.Port());
            trace_->Close();
            setup_.ShowStatus(QStringLiteral("Communications log stopped."));
        } else if (Busy()) {
            setup_.Prompts.warning(QStringLiteral("The communications log can be started or "
                                                  "stopped when the panel operation has ended."));
        }
        return Recording();
    }
    const QString path = setup_.AskCommsLogFile ? setup_.AskCommsLogFile() : QString();
    auto trace = std::make_unique<TCommsTrace>();
    QString error;
    bool started = !path.isEmpty() && trace->Open(path, &error);
    if (started) {
        CloseLink();
        started = AttachTrace(comms_.Port(), *trace);
        if (!started)
            error = QStringLiteral("The port %1 could not be found.").arg(PortName());
    }
    if (!error.isEmpty())
        setup_.Prompts.error(QStringLiteral("The communications log could not be started: ") + error);
    if (started) {
        trace_ = std::move(trace);
        setup_.ShowStatus(QStringLiteral("Recording the communications log in %1.")
                              .arg(QDir::toNativeSeparators(path)));
    }
    if (setup_.ActivePage() == ppViewEventLog)
        EnterTextMode();
    return started;
}
