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
// The line settles for one more answer and this many characters of quiet.
constexpr int SettleChars = 8;
// A packet still arriving when the pause ends extends it this many times at most.
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
            if (!run_->SettleTimer.isActive())
                Send();
            else
                run_->SendAfterSettle = true;
            return;
        }
        ++run_->Block;
    }
    Complete(run_->Plan.RefreshAtEnd);
}

void TTransferEngine::Send()
{
    TTransferRun& run = *run_;
    const QByteArray& request = run.InFlight->Request;
    ++run.Sends;
    run.Wrote = run.Wrote || !run.InFlight->OnReply;
    comms_.PanelNumber = data_.PanelNumber;
    comms_.SendPacket(request);
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
    if (IsHandshakeAnswer(packet) || !Listening())
        return;
    const TExchange& x = *run_->InFlight;
    static const QByteArray replies("BCEGIKMOQSVXZ\\]aegikmoqsu");
    if (!replies.contains(letter)) {
        run_->LastRefused = packet;
        Failure(true);
        return;
    }
    // A reply to another request (or any reply while a write awaits its ACK) is an answer to
    // an earlier send: dropped.
    if (!x.OnReply || (letter != x.Request.at(0) && !x.AlsoAccepts.contains(letter)))
        return;
    const int id = run_->Id;
    const TReplyVerdict verdict = x.OnReply(letter, PacketPayload(packet));
    if (!run_ || run_->Id != id || verdict == TReplyVerdict::Ended)
        return;
    switch (verdict) {
    case TReplyVerdict::Taken: Taken(static_cast<int>(packet.size())); break;
    case TReplyVerdict::NotAccepted:
        run_->LastRefused = packet;
        Failure(true);
        break;
    case TReplyVerdict::Stale:
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
    if (!Listening() || run_->InFlight->OnReply)
        return;
    const int id = run_->Id;
    if (run_->InFlight->OnAck)
        run_->InFlight->OnAck();
    if (run_ && run_->Id == id)
        Taken(1);
}

void TTransferEngine::Taken(int answerBytes)
{
    TTransferRun& run = *run_;
    ++run.Answers;
    // Whatever came in with this answer was on the line before the next request goes out.
    comms_.DropRestOfInput();
    if (run.Answers < run.Sends) {
        // Sent more than once: the other answers may still be on their way.
        const int bitRate = std::max(BaudRateValue(comms_.ComPortSpeed()), 1);
        const int chars = answerBytes + SettleChars;
        run.SettleMs = (chars * 10 * 1000 + bitRate - 1) / bitRate;
        run.SettleExtensions = 0;
        run.SettleTimer.start(run.SettleMs);
    }
    NextRequest();
}

void TTransferEngine::OnNak()
{
    if (Listening()) {
        ++run_->Naks;
        run_->LastRefused = QByteArray(1, NAK);
        Failure(true);
    }
}

void TTransferEngine::OnInvalidChecksum()
{
    if (Listening()) {
        run_->LastRefused = comms_.RxBuffer();
        Failure(true);
    }
}

void TTransferEngine::OnTimeout()
{
    if (Listening()) {
        ++run_->TimeOuts;
        Failure(false);
    }
}

QString TTransferEngine::BlockTitle() const
{
    const TTransferBlock& block = run_->Plan.Blocks[std::min(run_->Block, run_->Plan.Blocks.size() - 1)];
    return block.Title;
}

void TTransferEngine::Failure(bool answered)
{
    TTransferRun& run = *run_;
    if (answered)
        ++run.Answers;
    ++run.Failures;
    if (run.Failures > MaxRepeats) {
        if (run.TimeOuts == run.Failures) {
            End(TTransferOutcome::PortLost, TransferText::CannotCommunicate, TEndNotice::Error);
        } else if (run.Naks * 2 > run.Failures) {
            End(TTransferOutcome::Refused,
                BlockTitle() + QStringLiteral(": refused by the panel (it answered NAK to ")
                    + QString::number(run.Naks) + QStringLiteral(" of ")
                    + QString::number(run.Sends) + QStringLiteral(" sends of the same message)."),
                TEndNotice::Error);
        } else {
            End(TTransferOutcome::PortLost,
                TransferText::CannotCommunicate + QStringLiteral("\nThe panel answered the ")
                    + BlockTitle() + QStringLiteral(" request ")
                    + QString::number(run.Failures - run.TimeOuts)
                    + QStringLiteral(" times; the answer was not accepted: ")
                    + Hex(run.LastRefused),
                TEndNotice::Error);
        }
        return;
    }
    if (!answered) {
        // Nothing came: send again now; the answer to the first send may still come.
        Send();
        return;
    }
    // The panel answered this send: let anything else it sends for it go by first.
    comms_.DropRestOfInput();
    const int bitRate = std::max(BaudRateValue(comms_.ComPortSpeed()), 1);
    const int chars = static_cast<int>(run.LastRefused.size()) + SettleChars;
    run.SettleMs = (chars * 10 * 1000 + bitRate - 1) / bitRate;
    run.SettleExtensions = 0;
    run.SendAfterSettle = true;
    run.SettleTimer.start(run.SettleMs);
}

void TTransferEngine::Settled()
{
    if (!run_)
        return;
    TTransferRun& run = *run_;
    // A packet still coming in belongs to an earlier send: let it finish.
    if (comms_.DCharsReceived() > 0 && run.SettleExtensions < MaxSettleExtensions) {
        ++run.SettleExtensions;
        run.SettleTimer.start(run.SettleMs);
        return;
    }
    comms_.DropPartialInput();
    if (run.SendAfterSettle && run.InFlight && run.Asking == 0) {
        run.SendAfterSettle = false;
        Send();
    }
}

void TTransferEngine::OnTick()
{
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
    progress_.Close();
    TTransferResult result;
    result.Outcome = TTransferOutcome::Completed;
    result.ElapsedMs = run->Clock.elapsed();
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
    result.PartlySaved = run->Plan.Saves && run->Wrote;
    result.Message = message;
    if (result.PartlySaved)
        result.Message = message.isEmpty()
                             ? TransferText::PartlySaved
                             : message + QLatin1Char('\n') + TransferText::PartlySaved;
    switch (outcome) {
    case TTransferOutcome::PortLost:
    case TTransferOutcome::NoHandshake:
    case TTransferOutcome::Refused:
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
