#include "panel/TransferSequencer.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/Message.h"
#include "panel/PointMessages.h"
#include "panel/TransferProgress.h"
#include "panel/VersionMessages.h"
#include "storage/Prompts.h"

#include <algorithm>

namespace {

// A message is sent at most this many times more after its first send.
constexpr int MaxRepeats = 10;

// Messages that carry data to the panel; the panel answers them with ACK or NAK.
bool IsWrite(char letter)
{
    return QByteArray("WJDF[lNjHLPRYUTnp^bvhft").contains(letter);
}

// After an answer to a request that went out more than once, the line is given the time of
// one more such answer and this many characters before the next request goes out.
constexpr int SettleChars = 8;
// A packet still arriving when the pause ends extends it this many times at most.
constexpr int MaxSettleExtensions = 4;

// The first steps of the operations that write to the panel.
bool IsSaveStart(int step)
{
    static constexpr int starts[] = {11, 12, 14, 17, 20, 21, 22, 30, 39};
    return std::find(std::begin(starts), std::end(starts), step) != std::end(starts);
}

} // namespace

QString TransferText::ProtocolMismatchDetail(int panelProtocol, int configurationProtocol)
{
    auto name = [](int protocol) {
        const QString text = SystemTypeName(static_cast<TSystemType>(protocol));
        return text.isEmpty() ? QString::number(protocol) : text;
    };
    return QStringLiteral("(panel: %1, configuration: %2)")
        .arg(name(panelProtocol), name(configurationProtocol));
}

QString TransferText::OutputDelaysExceededText(int maxOutputDelaySeconds, int zone)
{
    QString text = OutputDelaysExceededMessage;
    text.replace(QStringLiteral(" 10 "),
                 QStringLiteral(" %1 ").arg(QString::number(maxOutputDelaySeconds / 60.0, 'g', 3)));
    return text + QStringLiteral("\nZone ") + QString::number(zone);
}

TTransferSequencer::TTransferSequencer(TData& data, TZOLPanelComms& comms, TPrompts& prompts,
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
    comms_.OnNak = [this](TCommPanel*) { Retry(RetryCount + 1, true); };
    comms_.OnInvalidChecksum = [this](TPanelComms*) { Retry(RetryCount + 1, true); };
    comms_.OnTimeout = [this](TPanelComms*) { Retry(RetryCount + 1, false); };
    comms_.OnOutputTimeout = [this](TCommPanel*) { prompts_.information(TransferText::TimedOut); };
    comms_.OnInput = [this](TCommPanel*, const QString& line) { OnInput(line); };
    comms_.OnDeviceLost = [this](TCommPanel*) { OnDeviceLost(); };
    progress_.OnCancel = [this] { CancelRequested(); };
    settleTimer_.setSingleShot(true);
    settleTimer_.setTimerType(Qt::PreciseTimer);
    connect(&settleTimer_, &QTimer::timeout, this, &TTransferSequencer::SettleDone);
}

TTransferSequencer::~TTransferSequencer()
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
    progress_.OnCancel = nullptr;
}

bool TTransferSequencer::LoadAll()
{
    if (Busy() || !data_.AccessCodesValid)
        return false;
    LoadingAll = true;
    SavingAll = false;
    ReadProtocolFirst = true;
    WriteProtocolFirst = false;
    CheckLinkFirst = false;
    return Begin(1);
}

bool TTransferSequencer::SaveAll()
{
    if (Busy() || !data_.AccessCodesValid || !SaveChecksPass(true))
        return false;
    LoadingAll = false;
    SavingAll = true;
    ReadProtocolFirst = true;
    WriteProtocolFirst = true;
    CheckLinkFirst = true;
    CurrentLoop = 1;
    return Begin(12);
}

int TTransferSequencer::ResetPageFlags(TPanelPage page, bool saving)
{
    LoadingAll = false;
    SavingAll = false;
    CheckLinkFirst = saving;
    const bool loopPage = page == ppLoopSummary || page == ppLoop1 || page == ppLoop2;
    ReadProtocolFirst = loopPage;
    WriteProtocolFirst = loopPage && saving;
    if (!loopPage)
        return 0;
    return page == ppLoopSummary ? context_.SummaryLoop() : page == ppLoop1 ? 1 : 2;
}

bool TTransferSequencer::LoadPage()
{
    const TPanelPage page = context_.ActivePage();
    if (Busy() || (page == ppSiteConfig && !data_.AccessCodesValid))
        return false;
    const int loop = ResetPageFlags(page, false);
    switch (page) {
    case ppLoopSummary:
    case ppLoop1:
    case ppLoop2: return Begin(loop == 2 ? 2 : 1);
    case ppZoneConfig: return Begin(3);
    case ppGroupConfig: return Begin(6);
    case ppSetConfig: return Begin(7);
    case ppSiteConfig: return Begin(8);
    case ppCEConfig: return Begin(40);
    case ppNetworkConfig: return Begin(9);
    case ppViewEventLog:
        ClearEventsAnswer =
            prompts_.confirm(TransferText::ClearEventsQuestion, TPromptButtons::pbYesNo);
        comms_.IsASCIIOnly = false;
        return Begin(35);
    case ppComments: return false;
    }
    return false;
}

bool TTransferSequencer::SavePage()
{
    const TPanelPage page = context_.ActivePage();
    if (Busy() || (page == ppSiteConfig && !data_.AccessCodesValid))
        return false;
    const int loop = ResetPageFlags(page, true);
    switch (page) {
    case ppLoopSummary:
    case ppLoop1:
    case ppLoop2: return Begin(loop == 2 ? 14 : 12);
    case ppZoneConfig:
        if (!SaveChecksPass(false))
            return false;
        return Begin(17);
    case ppGroupConfig: return Begin(20);
    case ppSetConfig: return Begin(21);
    case ppSiteConfig: return Begin(22);
    case ppCEConfig: return Begin(39);
    case ppNetworkConfig: return Begin(30);
    case ppViewEventLog:
    case ppComments: return false;
    }
    return false;
}

bool TTransferSequencer::LoadNames()
{
    if (Busy())
        return false;
    LoadingAll = SavingAll = ReadProtocolFirst = WriteProtocolFirst = CheckLinkFirst = false;
    return Begin(38);
}

bool TTransferSequencer::SaveNames()
{
    if (Busy())
        return false;
    LoadingAll = SavingAll = ReadProtocolFirst = WriteProtocolFirst = false;
    CheckLinkFirst = true;
    return Begin(11);
}

bool TTransferSequencer::SaveChecksPass(bool askConfirmation)
{
    if (askConfirmation
        && prompts_.confirm(TransferText::SaveAllQuestion, TPromptButtons::pbYesNo)
            != TPromptAnswer::paYes)
        return false;
    const QList<int> zones = data_.ZonesWithExcessiveSounderDelay(MaxOutputDelay);
    for (int zone : zones)
        prompts_.error(TransferText::OutputDelaysExceededText(MaxOutputDelay, zone));
    return zones.isEmpty();
}

void TTransferSequencer::Disconnect()
{
    comms_.Close();
    comms_.HandshakeDone = false;
    comms_.HandshakeStage = 0;
    emit StatusMessage(TransferText::Disconnected);
}

bool TTransferSequencer::Begin(int step)
{
    ++operation_;
    TransferStep = step;
    TransferIndex = 0;
    RetryCount = 0;
    settleTimer_.stop();
    pending_.clear();
    saving_ = IsSaveStart(step);
    wrote_ = false;
    partlySaved_ = false;
    StartOperation();
    return TransferStep != 0;
}

void TTransferSequencer::StartOperation()
{
    progress_.SetCancelVisible(true);
    comms_.Suspended = false;
    progress_.Show();
    comms_.Purge(true, true);
    if (comms_.IsOpen() && !comms_.HandshakeDone)
        comms_.Close();

    if (comms_.IsOpen()) {
        // The link is still up from an earlier operation: no new handshake.
        if (CheckLinkFirst) {
            CheckLinkFirst = false;
            Send(LinkCheckRequest());
        } else if (data_.SiteConfig.MainVersion != NotAvailableVersion) {
            StepStart();
        } else {
            Send(VersionRequest());
        }
        return;
    }

    // Connect: the packet layer's tick starts the handshake on the open port.
    comms_.HandshakeStage = 0;
    SetBar(1, 101);
    progress_.SetStatus(QStringLiteral("Establishing communications with the ZOL"));
    comms_.HandshakeFailed = false;
    comms_.HandshakeDone = false;
    LastMessage.clear();
    awaitingAck_ = false;
    if (!comms_.Open()) {
        progress_.Close();
        TransferStep = 0;
        saving_ = false;
        comms_.HandshakeFailed = true;
        const QString reason = comms_.OpenErrorText();
        prompts_.error(reason.isEmpty() ? TransferText::CannotOpenPort
                                        : TransferText::CannotOpenPort + QLatin1Char('\n') + reason);
        emit Finished(false);
        return;
    }
    // The version request goes out on the freshly opened port; the handshake that the next
    // tick starts reopens the port, and the handshake answer sends the first request again.
    Send(VersionRequest());
}

void TTransferSequencer::Send(const QByteArray& message)
{
    LastMessage = message;
    RetryCount = 0;
    unanswered_ = 0;
    if (answeringRepeated_) {
        // The answer just taken was to a request sent more than once: its other answers may
        // still be on their way. They must not be taken for answers to this request.
        answeringRepeated_ = false;
        pending_ = message;
        awaitingAck_ = false;
        settleExtensions_ = 0;
        settleTimer_.start(settleMs_);
        return;
    }
    Resend();
}

void TTransferSequencer::Resend()
{
    awaitingAck_ = IsWrite(LastMessage.at(0));
    wrote_ = wrote_ || awaitingAck_;
    ++unanswered_;
    comms_.PanelNumber = data_.PanelNumber;
    comms_.SendPacket(LastMessage);
}

void TTransferSequencer::Answered(int answerBytes, const std::function<void()>& handler)
{
    const int operation = operation_;
    if (unanswered_ > 1) {
        // One more answer of this size and a few characters of quiet.
        const int bitRate = std::max(BaudRateValue(comms_.ComPortSpeed()), 1);
        const int chars = answerBytes + SettleChars;
        settleMs_ = (chars * 10 * 1000 + bitRate - 1) / bitRate;
        answeringRepeated_ = true;
    }
    handler();
    if (operation == operation_)
        answeringRepeated_ = false;
}

void TTransferSequencer::SettleDone()
{
    if (!Busy() || comms_.Suspended || pending_.isEmpty())
        return;
    // A packet still coming in belongs to the request just answered: let it finish.
    if (comms_.DCharsReceived() > 0 && settleExtensions_ < MaxSettleExtensions) {
        ++settleExtensions_;
        settleTimer_.start(settleMs_);
        return;
    }
    pending_.clear();
    Resend();
}

void TTransferSequencer::Retry(int n, bool answered)
{
    // Late failures of an operation that has already ended change nothing, and neither do
    // the other answers to a request already answered.
    if (TransferStep == 0 || comms_.Suspended || Settling() || asking_ > 0)
        return;
    if (comms_.HandshakeStage == 0) {
        comms_.Close();
        comms_.HandshakeDone = false;
        StartOperation();
        return;
    }
    // While the link is coming up the packet layer repeats the handshake itself.
    if (!comms_.HandshakeDone || LastMessage.isEmpty())
        return;
    RetryCount = n;
    // A NAK or a garbled answer is the panel's answer to one send; after a time-out the
    // answer to that send may still come.
    if (answered && unanswered_ > 0)
        --unanswered_;
    if (n > MaxRepeats)
        Fail(TransferText::CannotCommunicate);
    else if (n > 0)
        Resend();
}

QString TTransferSequencer::EndedText(const QString& text)
{
    // Called once the operation has stopped: from here on nothing more is sent.
    partlySaved_ = saving_ && wrote_;
    saving_ = false;
    settleTimer_.stop();
    pending_.clear();
    awaitingAck_ = false;
    if (!partlySaved_)
        return text;
    return text.isEmpty() ? TransferText::PartlySaved
                          : text + QLatin1Char('\n') + TransferText::PartlySaved;
}

void TTransferSequencer::MarkStored()
{
    // Something read from the panel is now in the document: it differs from the file.
    data_.SetModified(true);
}

TPromptAnswer TTransferSequencer::Ask(const QString& text, TPromptButtons buttons,
                                      TPromptKind kind)
{
    ++asking_;
    const TPromptAnswer answer = prompts_.confirm(text, buttons, kind);
    --asking_;
    return answer;
}

void TTransferSequencer::Fail(const QString& error)
{
    // The operation is over before the message box opens: nothing that arrives while it is
    // shown is taken for a step of it.
    comms_.Suspended = true;
    RetryCount = 0;
    progress_.Close();
    TransferStep = 0;
    const QString text = EndedText(error);
    comms_.HandshakeStage = 0;
    comms_.Close();
    comms_.HandshakeDone = false;
    prompts_.error(text);
    emit Finished(false);
}

void TTransferSequencer::EndOperation(bool refreshActivePage)
{
    progress_.Close();
    TransferStep = 0;
    EndedText(QString());
    partlySaved_ = false;
    if (refreshActivePage)
        emit ActivePageRefresh();
    emit Finished(true);
}

void TTransferSequencer::Abandon()
{
    comms_.Suspended = true;
    progress_.Close();
    TransferStep = 0;
    const QString text = EndedText(QString());
    if (!text.isEmpty())
        prompts_.warning(text);
    emit Finished(false);
}

void TTransferSequencer::CancelRequested()
{
    if (!Busy())
        return;
    // The question runs a nested event loop in which the operation goes on and may end.
    const int operation = operation_;
    if (prompts_.confirm(TransferText::CancelQuestion, TPromptButtons::pbYesNo)
            != TPromptAnswer::paYes
        || !Still(operation))
        return;
    comms_.Suspended = true;
    TransferStep = 0;
    progress_.Hide();
    prompts_.information(EndedText(TransferText::Aborted));
    emit Finished(false);
}

void TTransferSequencer::OnDeviceLost()
{
    if (!Busy())
        return;
    Fail(TransferText::CannotCommunicate + QLatin1Char('\n') + TransferText::DeviceLost
         + comms_.DeviceText());
}

void TTransferSequencer::OnTick()
{
    // The handshake clock and its failure report run on every page while an operation runs.
    if (comms_.Suspended || !comms_.IsOpen())
        return;
    if (TransferStep == 0 && context_.ActivePage() == ppViewEventLog)
        return;
    if (comms_.HandshakeFailed) {
        comms_.Close();
        progress_.Close();
        const bool running = TransferStep != 0;
        TransferStep = 0;
        comms_.HandshakeStage = 0;
        const QString text = EndedText(TransferText::HandshakeFailed);
        prompts_.beep();
        prompts_.error(text);
        if (running)
            emit Finished(false);
        return;
    }
    if (comms_.HandshakeDone)
        return;
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

void TTransferSequencer::OnHandshakeReceived()
{
    if (TransferStep == 0)
        return;
    progress_.SetStatus(QStringLiteral("Communications established with ZOL"));
    if (CheckLinkFirst) {
        CheckLinkFirst = false;
        Send(LinkCheckRequest());
    } else {
        progress_.SetStatus(QStringLiteral("Loading version information"));
        Send(VersionRequest());
    }
}

void TTransferSequencer::OnPacketReceived(char letter, const QByteArray& packet)
{
    // A late answer to an aborted operation only closes the progress window.
    if (comms_.Suspended) {
        progress_.Close();
        TransferStep = 0;
        return;
    }
    // The handshake answer is not a reply to any request: the first request has already gone
    // out from OnHandshakeReceived and is not sent again.
    if (packet == QByteArray("A\0A", 3))
        return;
    if (!comms_.HandshakeDone || TransferStep == 0 || Settling() || asking_ > 0)
        return;
    static const QByteArray replies("BCEGIKMOQSVXZ\\]aegikmoqsu");
    if (!replies.contains(letter)) {
        Retry(RetryCount + 1, true);
        return;
    }
    // A reply to anything but the request in flight (a stale answer to an earlier send, or
    // for another point) is dropped, so that no reply lands on the wrong point, zone or event.
    const QByteArray payload = PacketPayload(packet);
    if (letter != 'k'
        && (LastMessage.isEmpty() || letter != LastMessage.at(0)
            || (letter == 'I' && !IsPointAnswerTo(LastMessage, payload))))
        return;
    Answered(static_cast<int>(packet.size()), [&] { HandleReply(letter, payload); });
}

void TTransferSequencer::OnAck()
{
    if (comms_.Suspended) {
        progress_.Close();
        TransferStep = 0;
        return;
    }
    if (TransferStep == 0 || !awaitingAck_ || Settling() || asking_ > 0)
        return;
    awaitingAck_ = false;
    Answered(1, [this] { ContinueSave(); });
}

void TTransferSequencer::OnInput(const QString& line)
{
    if (TransferStep != 0 || line.contains(QChar(0)) || context_.ActivePage() != ppViewEventLog)
        return;
    emit TextLine(line.left(line.size() - 1));
}

void TTransferSequencer::StepStart()
{
    if (ReadProtocolFirst) {
        progress_.SetStatus(QStringLiteral("Loading loop type"));
        TransferIndex = 1;
        Send(LoopTypeRequest());
        return;
    }
    if (WriteProtocolFirst) {
        progress_.SetStatus(QStringLiteral("Saving loop type"));
        TransferIndex = 1;
        Send(LoopTypeWrite(data_));
        return;
    }
    StartStep();
}

void TTransferSequencer::Progress(int position, const QString& status)
{
    progress_.SetPosition(position);
    progress_.SetStatus(status);
}

void TTransferSequencer::SetBar(int position, int maximum)
{
    progress_.SetMaximum(maximum);
    progress_.SetPosition(position);
}
