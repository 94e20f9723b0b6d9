#include "panel/TransferSequencer.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/CauseEffectMessages.h"
#include "panel/EventMessages.h"
#include "panel/GroupMessages.h"
#include "panel/NameMessages.h"
#include "panel/NetworkMessages.h"
#include "panel/PointMessages.h"
#include "panel/SetMessages.h"
#include "panel/SiteMessages.h"
#include "panel/TransferProgress.h"
#include "panel/VersionMessages.h"
#include "panel/ZoneMessages.h"
#include "storage/Prompts.h"

#include <algorithm>

// Each handler stores its reply and sends the next request. A reply too short for what its
// handler reads is left alone: the time-out then sends the request again.

void TTransferSequencer::HandleReply(char letter, const QByteArray& payload)
{
    switch (letter) {
    case 'B': ReplyLinkCheck(payload); break;
    case '\\': ReplyVersions(payload); break;
    case 'V': ReplyLoopType(payload); break;
    case 'I': ReplyPoint(payload); break;
    case 'C': ReplyName(payload); break;
    case 'E': ReplyZoneName(payload); break;
    case 'Z': ReplyZoneData(payload); break;
    case 'k': ReplyNonFire(payload); break;
    case 'M': ReplyGroups(payload); break;
    case 'i': ReplySets(payload); break;
    case 's': ReplyCauseEffect(payload); break;
    case 'q': ReplyEvent(payload); break;
    case ']':
    case 'a':
    case 'u':
    case 'e':
    case 'g': ReplyNetwork(letter, payload); break;
    default: ReplySite(letter, payload); break;
    }
}

void TTransferSequencer::ReplyLinkCheck(const QByteArray& payload)
{
    const std::optional<bool> fitted = ReadLinkCheck(payload);
    if (!fitted)
        return;
    if (*fitted) {
        progress_.SetStatus(QStringLiteral("Loading version information"));
        Send(VersionRequest());
        return;
    }
    // The question runs a nested event loop in which the operation may be cancelled.
    const int operation = operation_;
    const TPromptAnswer answer = Ask(TransferText::NvmLinkNotFitted, TPromptButtons::pbAbortRetry,
                                     TPromptKind::pkWarning);
    if (!Still(operation))
        return;
    if (answer == TPromptAnswer::paRetry)
        Send(LinkCheckRequest());
    else
        Abandon();
}

void TTransferSequencer::ReplyVersions(const QByteArray& payload)
{
    if (!ReadVersions(data_, payload))
        return;
    CEEventCount = 16;
    StepStart();
}

void TTransferSequencer::ReplyLoopType(const QByteArray& payload)
{
    const std::optional<TLoopTypeReply> reply = ReadLoopType(payload);
    if (!reply)
        return;
    // The editors know one- and two-loop panels only.
    const int loopCount = reply->LoopCount == 1 ? 1 : 2;
    bool reshaped = loopCount != data_.LoopCount;
    data_.LoopCount = loopCount;
    if (reshaped)
        MarkStored();
    if (WriteProtocolFirst && reply->Protocol != data_.Loop1.SystemType) {
        progress_.Close();
        TransferStep = 0;
        const QString text = EndedText(TransferText::ProtocolMismatch + QLatin1Char('\n')
                                       + TransferText::ProtocolMismatchDetail(
                                           reply->Protocol, data_.Loop1.SystemType));
        prompts_.warning(text);
        emit Finished(false);
        return;
    }
    if (reply->Protocol > stNittanLoop) {
        comms_.Suspended = true;
        progress_.Close();
        TransferStep = 0;
        prompts_.error(EndedText(TransferText::InvalidLoopType));
        if (reshaped)
            emit LoopTypeChanged();
        emit Finished(false);
        return;
    }
    const auto protocol = static_cast<TSystemType>(reply->Protocol);
    reshaped = reshaped || data_.Loop1.SystemType != protocol || data_.Loop2.SystemType != protocol;
    data_.Loop1.SystemType = protocol;
    data_.Loop2.SystemType = protocol;
    if (reshaped) {
        MarkStored();
        emit LoopTypeChanged();
    }
    comms_.Suspended = false;
    progress_.Show();
    ReadProtocolFirst = false;
    StepStart();
}

void TTransferSequencer::StartPointRead(int loop)
{
    CurrentLoop = loop;
    TransferIndex = 1;
    if (data_.NoLoopDevices() == 0) {
        EndOperation(true);
        return;
    }
    SetBar(1, data_.NoLoopDevices());
    // The step opens with the plain point number, System Sensor loops included; the sensor
    // and module forms follow from the second point on.
    progress_.SetStatus(QStringLiteral("Loading data for Loop ") + QString::number(loop)
                        + QStringLiteral(" - Point 1"));
    Send(PointRequest(data_, loop, 1));
}

void TTransferSequencer::ReplyPoint(const QByteArray& payload)
{
    if (!ReadPoint(data_, CurrentLoop, TransferIndex, payload))
        return;
    MarkStored();
    if (TransferIndex >= data_.NoLoopDevices()) {
        GoToStep(LoadingAll && CurrentLoop == 1 && data_.LoopCount == 2 ? 2 : 38);
        return;
    }
    ++TransferIndex;
    Progress(TransferIndex, PointStatusText(data_, false, CurrentLoop, TransferIndex));
    Send(PointRequest(data_, CurrentLoop, TransferIndex));
}

void TTransferSequencer::ReplyName(const QByteArray& payload)
{
    if (IsNameListEnd(payload)) {
        NamesReadDone();
        return;
    }
    if (TransferIndex == 0)
        data_.NameTable.Empty();
    data_.NameTable.Append(NameText(payload));
    MarkStored();
    ++TransferIndex;
    Progress(std::min(TransferIndex, TNameTable::MaxNames),
             QStringLiteral("Loading Device Name ") + QString::number(TransferIndex));
    // The request carries only the low byte of the index: a full table ends here, or the
    // panel would be asked for entry 0 again and the list would never end.
    if (TransferIndex >= TNameTable::MaxNames)
        NamesReadDone();
    else
        Send(NameRequest(TransferIndex));
}

void TTransferSequencer::NamesReadDone()
{
    data_.ApplyNameIndexes();
    if (LoadingAll || context_.ActivePage() == ppLoopSummary)
        GoToStep(3);
    else
        EndOperation(false);
}

void TTransferSequencer::ReplyZoneName(const QByteArray& payload)
{
    ReadZoneName(data_, TransferIndex, payload);
    MarkStored();
    Send(ZoneDataRequest(TransferIndex));
}

void TTransferSequencer::ReplyZoneData(const QByteArray& payload)
{
    if (!ReadZoneData(data_, TransferIndex, payload))
        return;
    MarkStored();
    if (TransferIndex >= MaxZone) {
        GoToStep(LoadingAll ? 6 : 8);
        return;
    }
    ++TransferIndex;
    Progress(TransferIndex, ZoneStatusText(QStringLiteral("Loading data for "), TransferIndex));
    Send(ZoneNameRequest(TransferIndex));
}

void TTransferSequencer::ReplyNonFire(const QByteArray& payload)
{
    // Only taken while the zones are being read; elsewhere it would cut a block short.
    if (TransferStep != 3)
        return;
    ReadNonFireFlags(data_, payload);
    MarkStored();
    if (LoadingAll)
        GoToStep(6);
    else
        EndOperation(false);
}

void TTransferSequencer::ReplyGroups(const QByteArray& payload)
{
    // The request after zone 40 only closes the block; its reply is not stored.
    if (TransferIndex > MaxZone) {
        GoToStep(LoadingAll ? 7 : 8);
        return;
    }
    if (!ReadGroups(data_, TransferIndex, payload))
        return;
    MarkStored();
    ++TransferIndex;
    if (TransferIndex <= MaxZone)
        Progress(TransferIndex,
                 ZoneStatusText(QStringLiteral("Loading group data for "), TransferIndex));
    Send(GroupRequest(TransferIndex));
}

void TTransferSequencer::ReplySets(const QByteArray& payload)
{
    if (TransferIndex > MaxZone) {
        if (LoadingAll)
            GoToStep(8);
        else
            EndOperation(true);
        return;
    }
    if (!ReadSets(data_, TransferIndex, payload))
        return;
    MarkStored();
    ++TransferIndex;
    if (TransferIndex <= MaxZone)
        Progress(TransferIndex,
                 ZoneStatusText(QStringLiteral("Loading output set data for "), TransferIndex));
    Send(SetRequest(TransferIndex));
}

void TTransferSequencer::ReplySite(char letter, const QByteArray& payload)
{
    switch (letter) {
    case 'G':
        ReadMaintenanceText(data_, payload);
        MarkStored();
        Send(SiteRequest('K'));
        break;
    case 'K':
        if (!ReadMaintenanceDate(data_, payload))
            return;
        MarkStored();
        progress_.SetPosition(2);
        Send(SiteRequest('O'));
        break;
    case 'O':
        if (!ReadLevel2Code(data_, payload))
            return;
        MarkStored();
        Send(SiteRequest('Q'));
        break;
    case 'Q':
        if (!ReadLevel3Code(data_, payload))
            return;
        MarkStored();
        progress_.SetPosition(3);
        Send(SiteRequest('X'));
        break;
    case 'X':
        Send(SiteRequest('S'));
        break;
    case 'S':
        if (!ReadDelays(data_, payload))
            return;
        MarkStored();
        Send(SiteRequest('m'));
        break;
    case 'm':
        ReadQuiescentText(data_, payload);
        MarkStored();
        progress_.SetPosition(4);
        Send(SiteRequest('o'));
        break;
    case 'o':
        if (!ReadTimes(data_, payload))
            return;
        MarkStored();
        if (LoadingAll)
            GoToStep(9);
        else
            EndOperation(true);
        break;
    default:
        break;
    }
}

void TTransferSequencer::ReplyNetwork(char letter, const QByteArray& payload)
{
    switch (letter) {
    case ']':
        ReadNetworkName(data_, TransferIndex, payload);
        MarkStored();
        Send(NetworkFittedRequest(TransferIndex));
        break;
    case 'a':
        if (!ReadNetworkFitted(data_, TransferIndex, payload))
            return;
        MarkStored();
        if (TransferIndex >= MaxNetworkPanels) {
            Send(NetworkMatrixRequest());
            return;
        }
        ++TransferIndex;
        Progress(TransferIndex,
                 QStringLiteral("Loading Network data for Panel ") + QString::number(TransferIndex));
        Send(NetworkNameRequest(TransferIndex));
        break;
    case 'u':
        if (!ReadNetworkMatrix(data_, payload))
            return;
        MarkStored();
        Send(NetworkSummaryRequest());
        break;
    case 'e':
        Send(PanelNameRequest());
        break;
    case 'g':
        ReadPanelName(data_, payload);
        MarkStored();
        if (LoadingAll)
            GoToStep(40);
        else
            EndOperation(true);
        break;
    default:
        break;
    }
}

void TTransferSequencer::ReplyCauseEffect(const QByteArray& payload)
{
    if (!ReadCauseEffect(data_, TransferIndex, payload))
        return;
    MarkStored();
    if (TransferIndex >= CEEventCount) {
        EndOperation(true);
        return;
    }
    ++TransferIndex;
    Progress(TransferIndex, QStringLiteral("Loading data for Event ") + QString::number(TransferIndex));
    Send(CauseEffectRequest(TransferIndex));
}

void TTransferSequencer::ReplyEvent(const QByteArray& payload)
{
    if (IsEventHistoryEnd(payload)) {
        // The panel goes on printing events as text lines.
        comms_.IsASCIIOnly = true;
        EndOperation(false);
        return;
    }
    const QString text = EventText(payload);
    data_.EventLog.append(text);
    emit EventLogLine(text);
    ++TransferIndex;
    Progress(std::min(TransferIndex, progress_.Maximum()),
             QStringLiteral("Loading event #") + QString::number(TransferIndex));
    // Without clearing the events are asked for by number from 0 on.
    Send(EventRequest(TransferIndex - 1, ClearEventsAnswer == TPromptAnswer::paYes));
}
