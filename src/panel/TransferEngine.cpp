#include "panel/TransferEngine.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/Message.h"
#include "panel/TransferProgress.h"
#include "panel/TransferRun.h"
#include "panel/TransferSequencer.h"
#include "panel/VersionMessages.h"

#include <algorithm>

namespace {

// A request is sent at most this many times more after its first send.
constexpr int MaxRepeats = 10;
// The settle window: the longest answer time seen, then the wire time of the longest reply
// seen (at least a short one) and this many characters of quiet.
constexpr int SettleChars = 8;
constexpr int ShortestReplyChars = 16;
// Something arriving while the line settles extends the pause this many times at most.
constexpr int MaxSettleExtensions = 4;

bool IsHandshakeAnswer(const QByteArray& packet)
{
    return packet == QByteArray("A\0A", 3);
}

QString Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.left(24).toHex(' ').toUpper())
           + (bytes.size() > 24 ? QStringLiteral(" …") : QString());
}

} // namespace

TTransferEngine::TTransferEngine(TData& data, TZOLPanelComms& comms, TPrompts& prompts,
                                 TTransferProgress& progress, TTransferContext context,
                                 QObject* parent)
    : QObject(parent), data_(data), comms_(comms), prompts_(prompts), progress_(progress),
      context_(std::move(context))
{
    comms_.OnTick = [this](TPanelComms*) { OnTick(); };
    comms_.OnHandshakeReceived = [this](TPanelComms*) { OnHandshakeReceived(); };
    comms_.OnPacketReceived = [this](TPanelComms*, char letter, const QByteArray& packet) {
        OnPacketReceived(letter, packet);
    };
    comms_.OnAck = [this](TCommPanel*) { OnAck(); };
    comms_.OnNak = [this](TCommPanel*) { OnNak(); };
    comms_.OnInvalidChecksum = [this](TPanelComms*) { OnInvalidChecksum(); };
    comms_.OnTimeout = [this](TPanelComms*) { OnTimeout(); };
    comms_.OnOutputTimeout = [this](TCommPanel*) { prompts_.information(TransferText::TimedOut); };
    comms_.OnInput = [this](TCommPanel*, const QString& line) {
        if (!run_ && !line.contains(QChar(0)) && context_.ActivePage() == ppViewEventLog)
            emit Line(line.left(line.size() - 1));
    };
    comms_.OnDeviceLost = [this](TCommPanel*) { OnDeviceLost(); };
    comms_.OnInputDiscarded = [this](TPanelComms*) { OnInputDiscarded(); };
}

TTransferEngine::~TTransferEngine()
{
    comms_.OnTick = nullptr;
    comms_.OnHandshakeReceived = nullptr;
    comms_.OnPacketReceived = nullptr;
    comms_.OnAck = nullptr;
    comms_.OnNak = nullptr;
    comms_.OnInvalidChecksum = nullptr;
    comms_.OnTimeout = nullptr;
    comms_.OnOutputTimeout = nullptr;
    comms_.OnInput = nullptr;
    comms_.OnDeviceLost = nullptr;
    comms_.OnInputDiscarded = nullptr;
    if (run_)
        progress_.OnCancel = nullptr;
}

bool TTransferEngine::LinkUp() const
{
    return lastCompleted_ && comms_.IsOpen() && comms_.HandshakeDone && comms_.HandshakeStage != 0;
}

int TTransferEngine::Retries() const
{
    return run_ ? run_->Failures : 0;
}

void TTransferEngine::ResetLink()
{
    comms_.ResetLink();
}

bool TTransferEngine::Start(TTransferPlan plan)
{
    if (run_)
        return false;
    run_ = std::make_unique<TTransferRun>(std::move(plan), ++runs_);
    run_->InitialTimeOut = comms_.InputTimeOut();
    connect(&run_->SettleTimer, &QTimer::timeout, this, &TTransferEngine::Settled);
    const int id = run_->Id;
    // The progress window may be shared (the desktop's read-backs use it too): its Cancel
    // belongs to the operation running, and to nothing once it has ended.
    progress_.OnCancel = [this] { CancelRequested(); };
    progress_.SetCancelVisible(true);
    progress_.Show();
    comms_.Suspended = false;
    comms_.IsASCIIOnly = false;
    comms_.Purge(true, true);
    comms_.DropPartialInput();

    // The link of an operation that completed is kept; after any other end the line may
    // still carry its answers, and a fresh handshake clears it.
    if (LinkUp()) {
        run_->Connected = true;
        NextRequest();
        return run_ && run_->Id == id;
    }

    // Connect: the packet layer's tick runs the handshake on the freshly opened port.
    ResetLink();
    SetBar(1, 101);
    progress_.SetStatus(QStringLiteral("Establishing communications with the ZOL"));
    if (!comms_.Open()) {
        const QString reason = comms_.OpenErrorText();
        End(TTransferOutcome::PortNotOpened,
            reason.isEmpty() ? TransferText::CannotOpenPort
                             : TransferText::CannotOpenPort + QLatin1Char('\n') + reason,
            TEndNotice::Error);
        return false;
    }
    // The version request goes out on the freshly opened port; the handshake that the next
    // tick starts reopens the port, and the plan then starts with its own first request.
    comms_.PanelNumber = data_.PanelNumber;
    comms_.SendPacket(VersionRequest());
    return true;
}

void TTransferEngine::OnHandshakeReceived()
{
    if (!run_ || run_->Connected)
        return;
    run_->Connected = true;
    progress_.SetStatus(QStringLiteral("Communications established with ZOL"));
    NextRequest();
}

void TTransferEngine::NextRequest()
{
    const int id = run_->Id;
    run_->InFlight.reset();
    if (run_->Proving) {
        ProveNext();
        return;
    }
    while (run_->Block < run_->Plan.Blocks.size()) {
        TTransferBlock& block = run_->Plan.Blocks[run_->Block];
        std::optional<TExchange> next = block.Next();
        if (!run_ || run_->Id != id)
            return;  // the block ended the operation
        if (next) {
            progress_.SetOverall(static_cast<int>(run_->Block) + 1,
                                 static_cast<int>(run_->Plan.Blocks.size()), block.Title);
            run_->InFlight = std::move(next);
            run_->Failures = run_->Naks = run_->TimeOuts = 0;
            run_->Sends = run_->Answers = 0;
            const TExchange& x = *run_->InFlight;
            if (x.Maximum >= 0)
                progress_.SetMaximum(x.Maximum);
            if (x.Position >= 0)
                progress_.SetPosition(x.Position);
            if (!x.Status.isEmpty())
                progress_.SetStatus(x.Status);
            if (x.TimeOutMs > 0)
                comms_.SetInputTimeOut(x.TimeOutMs);
            SendWhenReady(x.AfterQuiet);
            return;
        }
        ++run_->Block;
        // The blocks that saw faults are proven before the next one starts; a block that
        // deletes starts only once nothing displaced can follow what was read before it.
        const bool deletes = run_->Block < run_->Records.size()
                             && !run_->Plan.Blocks[run_->Block].Repeatable
                             && !std::exchange(run_->Records[run_->Block].QuietChecked, true);
        if (deletes || std::any_of(run_->Records.begin(), run_->Records.end(),
                                   [](const TBlockRecord& r) { return r.Suspect; })) {
            Settle(TSettleReason::BeforeProof);
            return;
        }
    }
    // Nothing may follow the last answer: a displaced answer shows itself now or never.
    if (!run_->FinalChecked) {
        Settle(TSettleReason::Final);
        return;
    }
    Complete(run_->Plan.RefreshAtEnd);
}

void TTransferEngine::SendWhenReady(bool onSettledLine)
{
    TTransferRun& run = *run_;
    if (run.SettleTimer.isActive())
        run.SendAfterSettle = true;
    else if (onSettledLine && !run.LineQuiet)
        Settle(TSettleReason::Resend, true);
    else
        Send();
}

void TTransferEngine::Send()
{
    TTransferRun& run = *run_;
    const QByteArray& request = run.InFlight->Request;
    ++run.Sends;
    run.LineQuiet = false;
    run.SentClock.restart();
    run.LettersSinceQuiet.set(static_cast<quint8>(request.at(0)));
    for (const char letter : run.InFlight->AlsoAccepts)
        run.LettersSinceQuiet.set(static_cast<quint8>(letter));
    comms_.PanelNumber = data_.PanelNumber;
    comms_.SendPacket(request);
}

void TTransferEngine::SuspectSinceSync()
{
    TTransferRun& run = *run_;
    const std::size_t last = std::min(run.Block, run.Records.size() - 1);
    for (std::size_t b = std::min(run.SyncBlock, last); b <= last; ++b)
        run.Records[b].Suspect = true;
}

void TTransferEngine::Unexpected()
{
    TTransferRun& run = *run_;
    run.LineQuiet = false;
    if (run.SettleTimer.isActive()) {
        run.SettleQuiet = false;
        if (run.SettleExtensions < MaxSettleExtensions) {
            ++run.SettleExtensions;
            run.SettleTimer.start(run.SettleMs);
        }
        return;
    }
    // Whatever was taken since the line was last quiet may have been an answer out of step.
    if (!run.Proving && !run.Records.empty())
        SuspectSinceSync();
}

void TTransferEngine::OnInputDiscarded()
{
    if (run_ && run_->Connected)
        Unexpected();
}

void TTransferEngine::ProveNext()
{
    TTransferRun& run = *run_;
    run.Disagreements = 0;
    while (run.ProofBlock < run.Records.size()) {
        TBlockRecord& record = run.Records[run.ProofBlock];
        const bool repeatable = run.Plan.Blocks[run.ProofBlock].Repeatable;
        if (record.Suspect && repeatable && run.ProofItem < record.Taken.size()) {
            run.InFlight = record.Taken[run.ProofItem].Exchange;
            run.Failures = run.Naks = run.TimeOuts = 0;
            run.Sends = run.Answers = 0;
            // A proof's read goes out only on a settled line, so that its answer cannot be
            // an earlier answer delivered again: a displaced read is never taken twice.
            SendWhenReady(true);
            return;
        }
        if (record.Suspect && repeatable && run.ProofChanged) {
            // The second reads differ from the first: the handlers store them, in order.
            const int id = run.Id;
            for (const TTakenExchange& taken : record.Taken)
                if (taken.Exchange.OnReply) {
                    taken.Exchange.OnReply(taken.Letter, taken.Payload);
                    if (!run_ || run_->Id != id)
                        return;
                }
            if (run.Plan.Blocks[run.ProofBlock].OnRestored)
                run.Plan.Blocks[run.ProofBlock].OnRestored();
        }
        run.ProofChanged = false;
        run.ProofItem = 0;
        ++run.ProofBlock;
    }
    // Nothing may follow the proof's last answer either.
    Settle(TSettleReason::AfterProof);
}

void TTransferEngine::ProofAnswered(const QByteArray& payload)
{
    TTransferRun& run = *run_;
    TTakenExchange& taken = run.Records[run.ProofBlock].Taken[run.ProofItem];
    if (taken.Exchange.OnReply && taken.Payload != payload) {
        // Two reads disagree: read again, on a settled line, until two in a row agree.
        taken.Payload = payload;
        run.ProofChanged = true;
        if (++run.Disagreements > MaxRepeats) {
            End(TTransferOutcome::Unproven,
                run.Plan.Blocks[run.ProofBlock].Title
                    + QStringLiteral(": the panel's answers could not be proven; its reads "
                                     "did not agree %1 times in a row, so the block may hold "
                                     "wrong data.")
                          .arg(run.Disagreements),
                TEndNotice::Error);
            return;
        }
        run.Sends = run.Answers = run.Failures = run.Naks = run.TimeOuts = 0;
        Settle(TSettleReason::Resend);
        return;
    }
    ++run.ProofItem;
    ProveNext();
}

bool TTransferEngine::Listening() const
{
    return run_ && run_->Connected && run_->InFlight && !run_->SettleTimer.isActive()
           && run_->Asking == 0 && comms_.HandshakeDone;
}

void TTransferEngine::OnPacketReceived(char letter, const QByteArray& packet)
{
    if (!run_) {
        // A late answer to an aborted operation only closes the progress window.
        if (comms_.Suspended)
            progress_.Close();
        return;
    }
    // The handshake answer is never the reply to a request.
    if (IsHandshakeAnswer(packet) || !run_->Connected)
        return;
    const bool stray = !run_->LettersSinceQuiet.test(static_cast<quint8>(letter));
    if (!Listening()) {
        // A stray says nothing of the line's own answers: the settle goes on as it was.
        if (!stray)
            Unexpected();
        return;
    }
    const TExchange& x = *run_->InFlight;
    // A packet that is not the answer awaited (another letter, or any packet while a write
    // awaits its ACK) belongs to no request in flight: a failure of this one.
    if (!x.OnReply || (letter != x.Request.at(0) && !x.AlsoAccepts.contains(letter))) {
        run_->LastRefused = packet;
        Failure(true, !stray);
        return;
    }
    const QByteArray payload = PacketPayload(packet);
    if (run_->Proving) {
        // A proof's answer is compared with the first read, not stored.
        Taken(static_cast<int>(packet.size()), letter, payload);
        return;
    }
    const int id = run_->Id;
    const TReplyVerdict verdict = x.OnReply(letter, payload);
    if (!run_ || run_->Id != id || verdict == TReplyVerdict::Ended)
        return;
    switch (verdict) {
    case TReplyVerdict::Taken: Taken(static_cast<int>(packet.size()), letter, payload); break;
    case TReplyVerdict::NotAccepted:
    case TReplyVerdict::Stale:
        run_->LastRefused = packet;
        Failure(true);
        break;
    case TReplyVerdict::Ended: break;
    }
}

void TTransferEngine::OnAck()
{
    if (!run_) {
        if (comms_.Suspended)
            progress_.Close();
        return;
    }
    if (!run_->Connected)
        return;
    if (!Listening()) {
        Unexpected();
        return;
    }
    if (run_->InFlight->OnReply) {
        // An ACK while a read awaits its packet answers no request in flight.
        run_->LastRefused = QByteArray(1, ACK);
        Failure(true);
        return;
    }
    const int id = run_->Id;
    if (run_->InFlight->OnAck)
        run_->InFlight->OnAck();
    if (run_ && run_->Id == id) {
        run_->Wrote = true;
        Taken(1, ACK, {});
    }
}

void TTransferEngine::Taken(int answerBytes, char letter, const QByteArray& payload)
{
    TTransferRun& run = *run_;
    ++run.Answers;
    // A request known to take the panel long (the zone flags) says nothing of the line.
    if (run.InFlight->TimeOutMs == 0)
        run.LongestAnswerMs = std::max(run.LongestAnswerMs, run.SentClock.elapsed());
    run.LongestReply = std::max(run.LongestReply, answerBytes);
    // Whatever came in with this answer was on the line before the next request goes out.
    comms_.DropRestOfInput();
    if (run.Proving && !run.InFlight->OnReply) {
        // An ACK says nothing of which write it answers: taken once the line stays quiet.
        Settle(TSettleReason::Confirm);
        return;
    }
    if (run.Proving) {
        if (run.Answers < run.Sends) {
            // Its other answers may still come: compared once the line has settled.
            Settle(TSettleReason::AfterRepeated);
            run.SendAfterSettle = false;
        }
        ProofAnswered(payload);
        return;
    }
    if (run.Block < run.Records.size())
        run.Records[run.Block].Taken.push_back({*run.InFlight, letter, payload});
    // Sent more than once: the other answers may still be on their way.
    if (run.Answers < run.Sends)
        Settle(TSettleReason::AfterRepeated);
    NextRequest();
}

void TTransferEngine::Settle(TSettleReason reason, bool answered)
{
    TTransferRun& run = *run_;
    // Anything still on its way has arrived by then: the answer to the latest send (no later
    // than the longest answer time seen; none when it was answered), then the longest reply
    // seen and some quiet; and an answer the line delivers twice has come again.
    const int bitRate = std::max(BaudRateValue(comms_.ComPortSpeed()), 1);
    const int chars = std::max(run.LongestReply, ShortestReplyChars) + SettleChars;
    const int answerMs = answered ? 0 : static_cast<int>(run.LongestAnswerMs);
    run.SettleMs = std::max(RepeatWindowMs, answerMs + (chars * 10 * 1000 + bitRate - 1) / bitRate);
    run.LongestSettleMs = std::max(run.LongestSettleMs, run.SettleMs);
    run.SettleExtensions = 0;
    run.SettleQuiet = true;
    run.Settling = reason;
    run.SendAfterSettle = reason == TSettleReason::Resend;
    run.SettleTimer.start(run.SettleMs);
}

void TTransferEngine::OnNak()
{
    if (!run_ || !run_->Connected)
        return;
    if (!Listening()) {
        Unexpected();
        return;
    }
    ++run_->Naks;
    run_->LastRefused = QByteArray(1, NAK);
    Failure(true);
}

void TTransferEngine::OnInvalidChecksum()
{
    if (!run_ || !run_->Connected)
        return;
    if (!Listening()) {
        Unexpected();
        return;
    }
    run_->LastRefused = comms_.RxBuffer();
    Failure(true);
}

void TTransferEngine::OnTimeout()
{
    // The packet layer's time-out restarts with every byte; each request keeps its own
    // deadline instead (OnTick).
}

QString TTransferEngine::BlockTitle() const
{
    const std::size_t block = run_->Proving ? run_->ProofBlock : run_->Block;
    return run_->Plan.Blocks[std::min(block, run_->Plan.Blocks.size() - 1)].Title;
}

void TTransferEngine::Failure(bool answered, bool mayBeDisplaced)
{
    TTransferRun& run = *run_;
    if (answered)
        ++run.Answers;
    ++run.Failures;
    // A packet that is not the answer may be one displaced from an earlier request, of this
    // block or of one before it that ended since the line was last quiet.
    if (!run.Proving && run.Block < run.Records.size()) {
        if (answered && mayBeDisplaced)
            SuspectSinceSync();
        else if (mayBeDisplaced)
            run.Records[run.Block].Suspect = true;
    }
    if (run.Failures > MaxRepeats) {
        if (run.TimeOuts == run.Failures) {
            End(TTransferOutcome::PortLost, TransferText::CannotCommunicate, TEndNotice::Error);
        } else if (run.Naks * 2 > run.Failures) {
            End(TTransferOutcome::Refused,
                BlockTitle() + QStringLiteral(" was refused by the panel: it answered NAK to ")
                    + QString::number(run.Naks) + QStringLiteral(" of ")
                    + QString::number(run.Sends) + QStringLiteral(" sends of the same message."),
                TEndNotice::Error);
        } else {
            End(run.Proving ? TTransferOutcome::Unproven : TTransferOutcome::PortLost,
                TransferText::CannotCommunicate + QStringLiteral("\nThe panel answered the ")
                    + BlockTitle() + QStringLiteral(" request ")
                    + QString::number(run.Failures - run.TimeOuts)
                    + QStringLiteral(" times; the answer was not accepted: ")
                    + Hex(run.LastRefused),
                TEndNotice::Error);
        }
        return;
    }
    // Whatever else the panel sends for it goes by first; then the request goes again,
    // unless it deletes: its block then reads where the panel stands.
    comms_.DropRestOfInput();
    Settle(run.InFlight && run.InFlight->Deletes ? TSettleReason::Uncertain
                                                 : TSettleReason::Resend);
}

void TTransferEngine::Settled()
{
    if (!run_)
        return;
    TTransferRun& run = *run_;
    // A packet still coming in belongs to an earlier send: let it finish.
    if (comms_.DCharsReceived() > 0 && run.SettleExtensions < MaxSettleExtensions) {
        ++run.SettleExtensions;
        run.SettleQuiet = false;
        run.SettleTimer.start(run.SettleMs);
        return;
    }
    comms_.DropPartialInput();
    if (run.Asking > 0) {
        // A question is open: the line settles again once it is answered.
        run.SettleTimer.start(run.SettleMs);
        return;
    }
    const bool quiet = run.SettleQuiet;
    // Nothing sent before can still arrive.
    if (quiet)
        run.LettersSinceQuiet.reset();
    run.LineQuiet = quiet;
    if (!run.Proving) {
        // Something displaced may have been taken since the line was last quiet.
        if (!quiet)
            SuspectSinceSync();
        else if (run.Settling != TSettleReason::Final)
            run.SyncBlock = std::min(run.Block, run.Records.size() - 1);
    }
    switch (run.Settling) {
    case TSettleReason::Resend:
    case TSettleReason::AfterRepeated:
        if (run.SendAfterSettle && run.InFlight) {
            run.SendAfterSettle = false;
            Send();
        }
        break;
    case TSettleReason::Confirm:
        if (quiet) {
            ++run.ProofItem;
            ProveNext();
        } else {
            run.LastRefused = QByteArray(1, ACK);
            Failure(true);
        }
        break;
    case TSettleReason::AfterProof:
        // Every proof read went out on a settled line and took the first answer after it:
        // what arrives after the last one (a repeat of it) changes nothing proven.
        for (TBlockRecord& record : run.Records)
            record.Suspect = false;
        run.Proving = false;
        run.SyncBlock = std::min(run.Block, run.Records.size() - 1);
        NextRequest();
        break;
    case TSettleReason::Uncertain: {
        const int id = run.Id;
        if (run.InFlight && run.InFlight->OnUncertain)
            run.InFlight->OnUncertain();
        if (run_ && run_->Id == id)
            NextRequest();
        break;
    }
    case TSettleReason::BeforeProof:
        run.Proving = true;
        run.ProofBlock = 0;
        run.ProofItem = 0;
        run.ProofChanged = false;
        ProveNext();
        break;
    case TSettleReason::Final:
        if (!quiet) {
            if (++run.FinalChecks > MaxRepeats) {
                End(TTransferOutcome::Unproven,
                    BlockTitle() + QStringLiteral(": the panel's answers could not be proven; "
                                                  "the line never fell quiet after them."),
                    TEndNotice::Error);
                break;
            }
            Settle(TSettleReason::BeforeProof);
            break;
        }
        run.FinalChecked = true;
        NextRequest();
        break;
    }
}

void TTransferEngine::OnTick()
{
    if (run_ && run_->Connected && Listening()
        && run_->SentClock.elapsed() >= static_cast<qint64>(comms_.InputTimeOut())) {
        ++run_->TimeOuts;
        Failure(false);
        return;
    }
    if (!run_ || comms_.Suspended || !comms_.IsOpen() || run_->Connected)
        return;
    if (comms_.HandshakeFailed) {
        // A panel that answered something else is told apart from one that said nothing.
        const int answers = comms_.RefusedHandshakeAnswers();
        End(TTransferOutcome::NoHandshake,
            answers == 0 ? TransferText::HandshakeFailed
                         : TransferText::HandshakeFailed + QStringLiteral("\nThe panel answered the handshake ")
                               + QString::number(answers)
                               + QStringLiteral(" times; the answer was not accepted: ")
                               + Hex(comms_.RefusedHandshakeAnswer()),
            TEndNotice::ErrorWithBeep);
        return;
    }
    const int next = progress_.Position() + 1;
    switch (comms_.HandshakeStage) {
    case 1:
    case 2:
        if (next >= progress_.Maximum())
            SetBar(0, comms_.HandshakeStage == 1 ? 101 : 130);
        else
            progress_.SetPosition(next);
        break;
    case 3:
        progress_.SetPosition(next);
        if (next >= progress_.Maximum())
            comms_.HandshakeFailed = true;
        break;
    default:
        break;
    }
}

void TTransferEngine::OnDeviceLost()
{
    if (run_)
        End(TTransferOutcome::PortLost, TransferText::CannotCommunicate + QLatin1Char('\n')
                                            + TransferText::DeviceLost + comms_.DeviceText(),
            TEndNotice::Error);
    else
        ResetLink();
}

std::optional<TPromptAnswer> TTransferEngine::Ask(const QString& text, TPromptButtons buttons,
                                                  TPromptKind kind)
{
    const int id = run_->Id;
    ++run_->Asking;
    const TPromptAnswer answer = prompts_.confirm(text, buttons, kind);
    if (!run_ || run_->Id != id)
        return std::nullopt;
    --run_->Asking;
    run_->SentClock.restart();
    return answer;
}

bool TTransferEngine::Aside(const std::function<void()>& work)
{
    const int id = run_->Id;
    ++run_->Asking;
    work();
    if (!run_ || run_->Id != id)
        return false;
    --run_->Asking;
    run_->SentClock.restart();
    return true;
}

void TTransferEngine::CancelRequested()
{
    if (!run_)
        return;
    // The operation goes on while the question is open, and may end meanwhile.
    const int id = run_->Id;
    const TPromptAnswer answer =
        prompts_.confirm(TransferText::CancelQuestion, TPromptButtons::pbYesNo);
    if (!run_ || run_->Id != id || answer != TPromptAnswer::paYes)
        return;
    Cancel();
}

void TTransferEngine::Cancel()
{
    End(TTransferOutcome::Cancelled, TransferText::Aborted, TEndNotice::Information);
}

void TTransferEngine::Disconnect()
{
    if (run_)
        End(TTransferOutcome::Cancelled, QString(), TEndNotice::WarnIfPartlySaved);
    ResetLink();
}

void TTransferEngine::Complete(bool refreshActivePage)
{
    if (!run_)
        return;
    TTransferRun* run = Retire();
    lastCompleted_ = true;
    comms_.SetInputTimeOut(run->InitialTimeOut);
    if (run->Plan.OnCompleted)
        run->Plan.OnCompleted();
    progress_.Close();
    TTransferResult result;
    result.Outcome = TTransferOutcome::Completed;
    result.Wrote = run->Wrote;
    result.ElapsedMs = run->Clock.elapsed();
    result.LongestAnswerMs = run->LongestAnswerMs;
    result.SettleMs = run->LongestSettleMs;
    result.Message = run->Plan.Name + QStringLiteral(" completed in ")
                     + QString::number((result.ElapsedMs + 500) / 1000) + QStringLiteral(" s.");
    emit Ended(result, refreshActivePage);
}

void TTransferEngine::End(TTransferOutcome outcome, const QString& message, TEndNotice notice)
{
    if (!run_)
        return;
    // The operation is over before any message box opens: nothing that arrives while it is
    // shown is taken for a step of it, and nothing more is sent.
    TTransferRun* run = Retire();
    lastCompleted_ = false;
    comms_.SetInputTimeOut(run->InitialTimeOut);
    TTransferResult result;
    result.Outcome = outcome;
    result.ElapsedMs = run->Clock.elapsed();
    result.LongestAnswerMs = run->LongestAnswerMs;
    result.SettleMs = run->LongestSettleMs;
    result.PartlySaved = run->Plan.Saves && run->Wrote;
    result.Wrote = run->Wrote;
    result.Message = message;
    if (result.PartlySaved)
        // A message that ends its sentence is followed by the next one on its line.
        result.Message = message.isEmpty() ? TransferText::PartlySaved
                         : message.endsWith(QLatin1Char('.'))
                             ? message + QLatin1Char(' ') + TransferText::PartlySaved
                             : message + QLatin1Char('\n') + TransferText::PartlySaved;
    switch (outcome) {
    case TTransferOutcome::PortLost:
    case TTransferOutcome::NoHandshake:
    case TTransferOutcome::Refused:
    case TTransferOutcome::Unproven:
    case TTransferOutcome::PortNotOpened:
        // The port is closed; the next operation opens it afresh with a new handshake.
        ResetLink();
        comms_.Suspended = true;
        break;
    case TTransferOutcome::Cancelled:
        // Late answers to what was in flight only close the progress window.
        comms_.Suspended = true;
        if (!run->Connected)
            ResetLink();
        break;
    default:
        break;
    }
    if (outcome == TTransferOutcome::Cancelled && notice == TEndNotice::Information)
        progress_.Hide();
    else
        progress_.Close();
    switch (notice) {
    case TEndNotice::None: break;
    case TEndNotice::Information: prompts_.information(result.Message); break;
    case TEndNotice::Warning: prompts_.warning(result.Message); break;
    case TEndNotice::ErrorWithBeep: prompts_.beep(); [[fallthrough]];
    case TEndNotice::Error: prompts_.error(result.Message); break;
    case TEndNotice::WarnIfPartlySaved:
        if (!result.Message.isEmpty())
            prompts_.warning(result.Message);
        break;
    }
    emit Ended(result, false);
}

TTransferRun* TTransferEngine::Retire()
{
    // The run may be ended from inside one of its own handlers: it is dropped once control
    // is back in the event loop, and nothing reaches it from now on.
    retired_ = std::move(run_);
    retired_->SettleTimer.stop();
    progress_.OnCancel = nullptr;
    QTimer::singleShot(0, this, [this] { retired_.reset(); });
    return retired_.get();
}

void TTransferEngine::SetBar(int position, int maximum)
{
    progress_.SetMaximum(maximum);
    progress_.SetPosition(position);
}
