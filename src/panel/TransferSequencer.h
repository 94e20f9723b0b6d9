#pragma once

#include "panel/PanelPages.h"
#include "storage/Prompts.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class TData;
class TTransferProgress;
class TZOLPanelComms;

// Runs every exchange with the panel: Load All, Save All, the load and save of each page and
// the event history. An operation is a chain of events, not a blocking call: each reply or ACK
// from the panel runs the next step, a NAK, a bad checksum or a time-out sends the same message
// again, and the eleventh failure of one message ends the operation. An answer is only ever
// taken for the request in flight: a point answer must echo the address asked for, and after
// a request that went out again on a time-out the line settles before the next request, so
// that the second answer to it is dropped rather than taken for the next one.
// It never shows a window: it talks to the user through TPrompts and TTransferProgress.
class TTransferSequencer : public QObject {
    Q_OBJECT

public:
    TTransferSequencer(TData& data, TZOLPanelComms& comms, TPrompts& prompts,
                       TTransferProgress& progress, TTransferContext context,
                       QObject* parent = nullptr);
    ~TTransferSequencer() override;

    // Each returns false when it did not start (an operation is running, an access code
    // fails its check, the user said No, or a check refused).
    bool LoadAll();
    bool SaveAll();
    bool LoadPage();
    bool SavePage();
    // The shared name table on its own (zolctl's name block).
    bool LoadNames();
    bool SaveNames();
    void Disconnect();
    // The progress window's Cancel button: asks, and on Yes stops the operation.
    void CancelRequested();

    bool Busy() const { return TransferStep != 0; }
    // True when the last operation was a save that ended before it completed after writing
    // to the panel: the panel holds part old, part new configuration.
    bool LeftPanelPartlySaved() const { return partlySaved_; }

    // Program setting: the longest output delay a zone may have with investigation.
    int MaxOutputDelay = 600;
    // The input time-out while the panel stores the zone flags, and from their ACK on.
    int ZoneFlagsTimeOut = 5000;
    int AfterZoneFlagsTimeOut = 1000;
    // The clock sent to the panel with "U".
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    // Sequencer state (see the class comment).
    int TransferStep = 0;
    int TransferIndex = 0;
    int RetryCount = 0;
    QByteArray LastMessage;
    bool LoadingAll = false;
    bool SavingAll = false;
    bool ReadProtocolFirst = false;
    bool WriteProtocolFirst = false;
    bool CheckLinkFirst = false;
    int CurrentLoop = 1;
    // The answer to "Do you want to clear the events as we go?".
    TPromptAnswer ClearEventsAnswer = TPromptAnswer::paNo;
    int CEEventCount = 16;

signals:
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
    // Starting and the link.
    bool Begin(int step);
    // Clears the flags of the previous operation for a per-page load or save; the loop pages
    // move the loop protocol first. Returns the loop the page stands for (0 for other pages).
    int ResetPageFlags(TPanelPage page, bool saving);
    void StartOperation();
    void StepStart();
    // The first action of TransferStep once the protocol is read or written.
    void StartStep();
    void GoToStep(int step);
    void Send(const QByteArray& message);
    void Resend();
    // Accepts the answer to the request in flight and runs its handler. A request sent again
    // after a time-out may be answered twice: the next request then waits until the line has
    // settled, and what arrives meanwhile is dropped.
    void Answered(int answerBytes, const std::function<void()>& handler);
    void SettleDone();
    bool Settling() const { return settleTimer_.isActive(); }
    // answered: the panel did answer the last send (NAK, garbled); false after a time-out.
    void Retry(int n, bool answered);
    void EndOperation(bool refreshActivePage);
    void Abandon();
    void Fail(const QString& error);
    // The message of an operation that ends before it completed; after a save that wrote to
    // the panel it says that the panel is now partly saved.
    QString EndedText(const QString& text);
    // A message box or question runs a nested event loop; meanwhile the operation's own
    // events are left alone (Ask) and afterwards the caller checks that the operation it
    // belongs to is still running (Still).
    TPromptAnswer Ask(const QString& text, TPromptButtons buttons, TPromptKind kind);
    bool Still(int operation) const { return Busy() && operation == operation_; }
    void MarkStored();
    bool SaveChecksPass(bool askConfirmation);
    void StartZoneSave();

    // Events of the packet component.
    void OnTick();
    void OnHandshakeReceived();
    void OnPacketReceived(char letter, const QByteArray& packet);
    void OnAck();
    void OnInput(const QString& line);
    void OnDeviceLost();

    // Replies (read steps).
    void HandleReply(char letter, const QByteArray& payload);
    void ReplyLinkCheck(const QByteArray& payload);
    void ReplyVersions(const QByteArray& payload);
    void ReplyLoopType(const QByteArray& payload);
    void ReplyPoint(const QByteArray& payload);
    void ReplyName(const QByteArray& payload);
    void ReplyZoneName(const QByteArray& payload);
    void ReplyZoneData(const QByteArray& payload);
    void ReplyNonFire(const QByteArray& payload);
    void ReplyGroups(const QByteArray& payload);
    void ReplySets(const QByteArray& payload);
    void ReplySite(char letter, const QByteArray& payload);
    void ReplyNetwork(char letter, const QByteArray& payload);
    void ReplyCauseEffect(const QByteArray& payload);
    void ReplyEvent(const QByteArray& payload);
    void StartPointRead(int loop);
    void NamesReadDone();

    // ACK chains (save steps).
    void ContinueSave();
    void WriteNextPoint();
    void WriteNextName();
    void WriteNextGroup();
    void WriteNextSet();
    void WriteNextEvent();
    void WriteNextNetworkPanel();
    void NextSaveStep(int step, const QByteArray& message);
    void Progress(int position, const QString& status);
    void SetBar(int position, int maximum);

    TData& data_;
    TZOLPanelComms& comms_;
    TPrompts& prompts_;
    TTransferProgress& progress_;
    TTransferContext context_;
    bool awaitingAck_ = false;
    // Sends of the request in flight whose answer may still come; more than one after it was
    // sent again on a time-out.
    int unanswered_ = 0;
    bool answeringRepeated_ = false;
    QByteArray pending_;  // the next request, held back while the line settles
    QTimer settleTimer_;
    int settleMs_ = 0;
    int settleExtensions_ = 0;
    int operation_ = 0;  // counts the operations started, to tell them apart
    int asking_ = 0;     // questions open that the operation waits on
    bool saving_ = false;
    bool wrote_ = false;
    bool partlySaved_ = false;
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
inline const QString Disconnected = QStringLiteral("Disconnected");
// Said after any save that ended before it completed (cancel, refusal, lost line, Ctrl-C).
inline const QString PartlySaved = QStringLiteral(
    "The panel now holds a partly saved configuration. Save to the panel again before leaving "
    "site.");
} // namespace TransferText
