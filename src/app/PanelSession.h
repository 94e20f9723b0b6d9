#pragma once

#include "comms/ZOLPanelComms.h"
#include "panel/PanelPages.h"
#include "panel/TransferOutcome.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSettings;
class QWidget;
class TCommSelectForm;
class TCommsTrace;
class TData;
class TfrmStatus;
class TPortSettings;
class TPrompts;
class TTransferSequencer;

// The main window's link to the panel: the port and its choice, the packet link, the
// transfers with their status window, the communications log, and one helper that reads the
// whole panel into a scratch document. Knows nothing of pages or menus.
class TPanelSession : public QObject {
    Q_OBJECT

public:
    // What the session asks its window: the shown page and the Loop Summary's loop (the
    // per-page transfers move them), and where to record a communications log (empty: none).
    struct TSetup {
        TData& Data;
        TPrompts& Prompts;
        QWidget* Window;
        QSettings* Settings = nullptr;
        std::function<TPanelPage()> ActivePage;
        std::function<int()> SummaryLoop;
        std::function<QString()> AskCommsLogFile;
        std::function<void(const QString&)> ShowStatus;
    };

    explicit TPanelSession(TSetup setup);
    ~TPanelSession() override;

    TZOLPanelComms& Comms() { return comms_; }
    TTransferSequencer& Sequencer() { return *sequencer_; }
    TfrmStatus& StatusWindow() { return *status_; }
    bool Busy() const;
    // A command that would replace or reshape the document waits for a running transfer:
    // true (and the user is told why) while one runs.
    bool RefusedWhileBusy(const QString& command);
    // Load All, with what it brought said when it completes; whether it started.
    bool LoadAll();
    // The port remembered from the last run, and the program settings' limits.
    void Start(int maxOutputDelay);

    void SelectSerialPort();
    // Points the packet component at COM1..COM4 as the settings map it.
    void SelectComPort(int port);
    void Disconnect();
    // The page shown decides the line's mode: the event log page shows the panel's lines.
    void PageShown(TPanelPage page);
    // Reads the whole panel into scratch on a link of its own; false with the reason in error.
    bool ReadPanel(TData& scratch, QString* error);
    // Starts recording into a file it asks for, or stops; whether it records now.
    bool RecordCommsLog(bool record);
    bool Recording() const;
    QString PortName() const;

signals:
    // A transfer ended, with its typed outcome.
    void TransferEnded(const TTransferResult& result);

private:
    void CloseLink();
    void EnterTextMode();
    void Ended(const TTransferResult& result);

    TSetup setup_;
    std::unique_ptr<TPortSettings> portSettings_;
    TZOLPanelComms comms_;
    TfrmStatus* status_ = nullptr;
    TCommSelectForm* commSelect_ = nullptr;
    std::unique_ptr<TTransferSequencer> sequencer_;
    // Since the start of the last Load All.
    QElapsedTimer loadAllClock_;
    // The port chosen while an operation ran (0: none).
    int pendingPort_ = 0;
    // Declared last: the link's tracing device refers to it until the session closes the link.
    std::unique_ptr<TCommsTrace> trace_;
};
