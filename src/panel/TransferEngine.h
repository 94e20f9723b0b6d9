#pragma once

#include "panel/PanelPages.h"
#include "panel/TransferOutcome.h"
#include "panel/TransferPlan.h"
#include "panel/TransferRun.h"
#include "storage/Prompts.h"

#include <QObject>

#include <memory>

class TData;
class TTransferProgress;
class TZOLPanelComms;

// Runs any plan over the packet link: brings the link up (handshake), sends each request,
// takes an answer only for the request in flight, sends again after a NAK, a garbled answer
// or a time-out (ten times at most), lets the line settle after a failure or a repeated
// request so that a late or doubled answer is never taken for the next request, and ends the
// operation with a typed outcome. Everything an operation knows is in its TTransferRun, made
// by Start and dropped by End.
class TTransferEngine : public QObject, public TPlanHost {
    Q_OBJECT

public:
    TTransferEngine(TData& data, TZOLPanelComms& comms, TPrompts& prompts,
                    TTransferProgress& progress, TTransferContext context,
                    QObject* parent = nullptr);
    ~TTransferEngine() override;

    // False when the operation could not start (the port did not open: that end is reported).
    bool Start(TTransferPlan plan);
    bool Busy() const { return run_ != nullptr; }
    // The link is up from an earlier operation that completed: a new one needs no handshake.
    bool LinkUp() const;
    // Failed attempts of the request in flight (0 when idle).
    int Retries() const;
    // The Cancel button: asks, and on Yes ends the operation.
    void CancelRequested();
    // Ends the operation as cancelled, without asking.
    void Cancel();
    // Ends any operation at once and closes the port.
    void Disconnect();

    std::optional<TPromptAnswer> Ask(const QString& text, TPromptButtons buttons,
                                     TPromptKind kind) override;
    void End(TTransferOutcome outcome, const QString& message, TEndNotice notice) override;
    void Complete(bool refreshActivePage) override;
    bool Aside(const std::function<void()>& work) override;

    // The shortest settle: an answer delivered again may come this long after the first.
    int RepeatWindowMs = 80;

signals:
    void Ended(const TTransferResult& result, bool refreshActivePage);
    // A text line the panel printed while no operation runs.
    void Line(const QString& text);

private:
    void OnTick();
    void OnHandshakeReceived();
    void OnPacketReceived(char letter, const QByteArray& packet);
    void OnAck();
    void OnNak();
    void OnInvalidChecksum();
    void OnTimeout();
    void OnDeviceLost();

    void OnInputDiscarded();

    // The link after an operation: nothing of its handshake or settings is left.
    void ResetLink();
    void NextRequest();
    // The request in flight goes now, or once the line has settled: after a settle already
    // running, and, for a read that must take the first answer on a quiet line, after one of
    // its own unless the line was found quiet since anything was sent.
    void SendWhenReady(bool onSettledLine);
    void Send();
    // The answer to the request in flight was taken; payload is kept to prove its block.
    void Taken(int answerBytes, char letter, const QByteArray& payload);
    // A NAK, a garbled, unusable or stray answer (answered) or a time-out.
    // mayBeDisplaced: false for a stray, which cannot be an answer to anything sent.
    void Failure(bool answered, bool mayBeDisplaced = true);
    // The line settles for the window worked out from this run's answers, then goes on;
    // answered: the latest send was answered, so only a repeat of its answer can follow.
    void Settle(TSettleReason reason, bool answered = false);
    void Settled();
    // Something arrived that is not the answer awaited (or came while the line settled).
    void Unexpected();
    // Every block since the line was last known quiet may have taken a displaced answer.
    void SuspectSinceSync();
    void ProveNext();
    void ProofAnswered(const QByteArray& payload);
    bool Listening() const;
    QString BlockTitle() const;
    void SetBar(int position, int maximum);
    TTransferRun* Retire();

    TData& data_;
    TZOLPanelComms& comms_;
    TPrompts& prompts_;
    TTransferProgress& progress_;
    TTransferContext context_;
    std::unique_ptr<TTransferRun> run_;
    std::unique_ptr<TTransferRun> retired_;  // the run just ended, until its handlers return
    int runs_ = 0;
    bool lastCompleted_ = false;
};
