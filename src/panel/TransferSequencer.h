#pragma once

#include "panel/PanelPages.h"
#include "panel/SaveChanges.h"
#include "panel/TransferOutcome.h"
#include "panel/TransferPlan.h"
#include "storage/Prompts.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class TData;
class TTransferEngine;
class TTransferPlanner;
class TTransferProgress;
class TZOLPanelComms;

// Runs every exchange with the panel: Load All, Save All, the load and save of each page, the
// names and the event history. Each operation is a plan (TTransferPlanner) run by one engine
// (TTransferEngine) in a run object of its own, so nothing of one operation reaches the next.
// An operation is a chain of events, not a blocking call (TTransferRunner blocks for zolctl,
// the read-backs and tests). It never shows a window: it talks to the user through TPrompts
// and TTransferProgress.
class TTransferSequencer : public QObject {
    Q_OBJECT

public:
    TTransferSequencer(TData& data, TZOLPanelComms& comms, TPrompts& prompts,
                       TTransferProgress& progress, TTransferContext context,
                       QObject* parent = nullptr);
    ~TTransferSequencer() override;

    // Each returns false when it did not start (an operation is running, an access code
    // fails its check, the user said No, a check refused, or the port did not open).
    bool LoadAll();
    bool SaveAll();
    // Only what differs from the panel's last proven state; refused like Save All (busy,
    // access codes, texts the panel refuses, output delays), without its question.
    bool SaveChanges(const TSaveChangesSetup& setup);
    bool LoadPage();
    bool SavePage();
    // The shared name table on its own (zolctl's name block).
    bool LoadNames();
    bool SaveNames();
    // The event history; clear: each event is deleted from the panel once read.
    bool LoadEvents(bool clear);
    // Ends any operation at once and closes the port.
    void Disconnect();
    // The progress window's Cancel button: asks, and on Yes stops the operation.
    void CancelRequested();
    // Stops the operation without asking (zolctl's Ctrl-C), as a Yes to that question does.
    void Cancel();

    bool Busy() const;
    // The last operation started is (or was) Load All.
    bool LoadingAll() const { return loadingAll_; }
    // True when the last operation was a save that ended before it completed after writing
    // to the panel: the panel holds part old, part new configuration.
    bool LeftPanelPartlySaved() const { return last_.PartlySaved; }
    const TTransferResult& LastResult() const { return last_; }
    // Failed attempts of the request in flight.
    int Retries() const;

    // The Save All question answered Yes beforehand (zolctl --yes): it is not asked.
    bool SaveAllConfirmed = false;
    // zolctl --force: access codes the check calls invalid are sent all the same.
    bool AccessCodesForced = false;
    // Program setting: the longest output delay a zone may have with investigation.
    int MaxOutputDelay = 600;
    // The input time-out while the panel stores the zone flags, and from their ACK on.
    int ZoneFlagsTimeOut = 5000;
    int AfterZoneFlagsTimeOut = 1000;
    // The longest a line (a panel or a repeater) may take to deliver an answer a second time:
    // the line is quiet only after a pause at least this long.
    int RepeatWindowMs = 80;
    // The clock sent to the panel with "U".
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

signals:
    // An operation started (after its questions and checks).
    void Started();
    // Every operation that started ends with exactly one Ended, however it ends.
    void Ended(const TTransferResult& result);
    // An operation ended: completed is false after an error, a refusal by the panel or a cancel.
    void Finished(bool completed);
    // One event of the history, already appended to the document's event log.
    void EventLogLine(const QString& text);
    // A text line the panel printed while the event-log page is shown.
    void TextLine(const QString& text);
    // The loop protocol or the loop count read from the panel changed the editors' shape.
    void LoopTypeChanged();
    // The active page is to be redrawn from the configuration.
    void ActivePageRefresh();
    void StatusMessage(const QString& text);

private:
    bool Run(TTransferPlan plan, bool loadingAll);
    TTransferPlanner& Planner();
    bool SaveChecksPass(bool askConfirmation);
    // No text of these pages (all when empty) is one the panel refuses; else says which.
    bool TextsPass(const QList<TPanelPage>& pages);

    TData& data_;
    TZOLPanelComms& comms_;
    TPrompts& prompts_;
    TTransferContext context_;
    std::unique_ptr<TTransferEngine> engine_;
    std::unique_ptr<TTransferPlanner> planner_;
    TTransferResult last_;
    bool loadingAll_ = false;
};

// The messages the user sees, as the panel layer words them.
namespace TransferText {
inline const QString CannotOpenPort = QStringLiteral("Cannot open serial port");
inline const QString HandshakeFailed = QStringLiteral(
    "An error occured opening the connection to the ZOL. Please check that the correct COM port "
    "is selected, and that nothing else is using the COM port.");
inline const QString CannotCommunicate = QStringLiteral("Error: cannot communicate with ZOL");
inline const QString TimedOut = QStringLiteral("Timed out");
inline const QString CancelQuestion =
    QStringLiteral(" Are you sure that you want to cancel the current operation?");
inline const QString Aborted = QStringLiteral("The current function has been aborted by the user.");
inline const QString SaveAllQuestion =
    QStringLiteral("This will replace ALL data in the Panel. Do you wish to continue?");
inline const QString ClearEventsQuestion =
    QStringLiteral("Do you want to clear the events as we go?");
inline const QString NvmLinkNotFitted = QStringLiteral(
    "The NVM Program link is not fitted in the Fire panel. Please fit the link and select Retry. "
    "Press Abort to exit.");
inline const QString ProtocolMismatch = QStringLiteral("The panel protocol does not match the tools");
// The second line of the mismatch message: "(panel: Apollo, configuration: Hochiki)".
QString ProtocolMismatchDetail(int panelProtocol, int configurationProtocol);
// The output-delay refusal for one zone, naming the configured maximum in minutes.
QString OutputDelaysExceededText(int maxOutputDelaySeconds, int zone);
inline const QString DeviceLost = QStringLiteral("The serial port stopped working: ");
inline const QString InvalidLoopType = QStringLiteral("Error: Invalid loop type");
inline const QString NoLoopTwo = QStringLiteral(
    "The panel has one loop card: loop 2 cannot be saved to it, and nothing was sent.");
inline const QString Disconnected = QStringLiteral("Disconnected");
// Said after any save that ended before it completed (cancel, refusal, lost line, Ctrl-C).
inline const QString PartlySaved = QStringLiteral(
    "The panel now holds a partly saved configuration. Save to the panel again before leaving "
    "site.");
} // namespace TransferText
