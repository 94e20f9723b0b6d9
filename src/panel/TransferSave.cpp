#include "panel/TransferSequencer.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/CauseEffectMessages.h"
#include "panel/GroupMessages.h"
#include "panel/NameMessages.h"
#include "panel/NetworkMessages.h"
#include "panel/PointMessages.h"
#include "panel/SetMessages.h"
#include "panel/SiteMessages.h"
#include "panel/TransferProgress.h"
#include "panel/ZoneMessages.h"

// The panel's ACK of a write sends the next one.
void TTransferSequencer::ContinueSave()
{
    if (!LastMessage.isEmpty() && LastMessage.at(0) == 'W') {
        WriteProtocolFirst = false;
        TransferIndex = 0;
        StartStep();
        return;
    }
    const TSiteConfig& site = data_.SiteConfig;
    switch (TransferStep) {
    case 12:
    case 14:
        // The panel has stored this point: its type now matches the configuration's.
        if (TransferIndex > 0 && TransferIndex <= data_.NoLoopDevices())
            data_.Loop(CurrentLoop).Devices[TransferIndex].TypeMismatch = false;
        WriteNextPoint();
        break;
    case 11: WriteNextName(); break;
    case 17:
        if (TransferIndex < MaxZone) {
            ++TransferIndex;
            Progress(TransferIndex, ZoneStatusText(QStringLiteral("Saving data for "), TransferIndex));
            NextSaveStep(15, ZoneNameWrite(data_, TransferIndex));
        } else {
            GoToStep(16);
        }
        break;
    case 15: NextSaveStep(17, ZoneDataWrite(data_, TransferIndex)); break;
    case 16:
        // Once the panel has stored the zone flags it answers quickly.
        comms_.SetInputTimeOut(static_cast<quint32>(AfterZoneFlagsTimeOut));
        if (SavingAll)
            GoToStep(20);
        else
            NextSaveStep(28, DelaysWrite(data_));
        break;
    case 20: WriteNextGroup(); break;
    case 21: WriteNextSet(); break;
    case 22:
        if (data_.SendMaintenanceDate && site.MaintenanceDate.isValid())
            NextSaveStep(23, MaintenanceDateWrite(data_));
        else
            NextSaveStep(24, Level2CodeWrite(data_));
        break;
    case 23: NextSaveStep(24, Level2CodeWrite(data_)); break;
    case 24:
        progress_.SetStatus(QStringLiteral("Saving Password data"));
        NextSaveStep(25, Level3CodeWrite(data_));
        break;
    case 25: NextSaveStep(26, FaultLockoutWrite(data_)); break;
    case 26:
        if (site.CopyTime)
            NextSaveStep(27, ClockWrite(Now()));
        else
            NextSaveStep(28, DelaysWrite(data_));
        break;
    case 27: NextSaveStep(28, DelaysWrite(data_)); break;
    case 28:
        progress_.SetStatus(QStringLiteral("Saving Quiescent String"));
        NextSaveStep(36, QuiescentTextWrite(data_));
        break;
    case 36: NextSaveStep(37, TimesWrite(data_)); break;
    case 37:
        if (SavingAll && !comms_.Suspended)
            GoToStep(30);
        else
            EndOperation(false);
        break;
    case 30: WriteNextNetworkPanel(); break;
    case 29: NextSaveStep(30, NetworkFittedWrite(data_, TransferIndex)); break;
    case 42: NextSaveStep(31, NetworkMatrixWrite(data_)); break;
    case 31: NextSaveStep(32, PanelNameWrite(data_)); break;
    case 32:
        if (SavingAll && !comms_.Suspended)
            GoToStep(39);
        else
            EndOperation(false);
        break;
    case 39: WriteNextEvent(); break;
    default: break;
    }
}

void TTransferSequencer::NextSaveStep(int step, const QByteArray& message)
{
    TransferStep = step;
    Send(message);
}

void TTransferSequencer::WriteNextPoint()
{
    if (CurrentLoop == 2 && data_.LoopCount == 1) {
        EndOperation(true);
        return;
    }
    if (TransferIndex >= data_.NoLoopDevices()) {
        GoToStep(SavingAll && CurrentLoop == 1 && data_.LoopCount == 2 ? 14 : 11);
        return;
    }
    ++TransferIndex;
    Progress(TransferIndex, PointStatusText(data_, true, CurrentLoop, TransferIndex));
    Send(PointWrite(data_, CurrentLoop, TransferIndex));
}

void TTransferSequencer::WriteNextName()
{
    // Entries 0..Count-1, then one empty record, then the end of the list.
    const int count = data_.NameTable.Count();
    if (TransferIndex <= count) {
        Progress(TransferIndex,
                 QStringLiteral("Saving Point Description ") + QString::number(TransferIndex));
        Send(NameWrite(data_, TransferIndex));
        ++TransferIndex;
        return;
    }
    if (LastMessage != NameListEndWrite()) {
        Send(NameListEndWrite());
        return;
    }
    if (SavingAll) {
        GoToStep(CurrentLoop == 1 && data_.LoopCount == 2 ? 14 : 17);
    } else if (context_.ActivePage() == ppLoopSummary) {
        StartZoneSave();
    } else {
        EndOperation(false);
    }
}

void TTransferSequencer::StartZoneSave()
{
    // After a loop saved from the Loop Summary the zones go as the Zone Config page saves
    // them, and the operation then ends.
    const int operation = operation_;
    ++asking_;
    const bool pass = SaveChecksPass(false);
    --asking_;
    if (!Still(operation))
        return;
    if (!pass) {
        progress_.Close();
        TransferStep = 0;
        const QString text = EndedText(QString());
        if (!text.isEmpty())
            prompts_.warning(text);
        emit Finished(false);
        return;
    }
    GoToStep(17);
}

void TTransferSequencer::WriteNextGroup()
{
    if (TransferIndex < MaxZone) {
        ++TransferIndex;
        Progress(TransferIndex, ZoneStatusText(QStringLiteral("Saving group data for "), TransferIndex));
        NextSaveStep(20, GroupWrite(data_, TransferIndex));
    } else if (SavingAll) {
        GoToStep(21);
    } else {
        NextSaveStep(28, DelaysWrite(data_));
    }
}

void TTransferSequencer::WriteNextSet()
{
    if (TransferIndex < MaxZone) {
        ++TransferIndex;
        Progress(TransferIndex,
                 ZoneStatusText(QStringLiteral("Saving output set data for "), TransferIndex));
        Send(SetWrite(data_, TransferIndex));
    } else if (SavingAll) {
        GoToStep(22);
    } else {
        EndOperation(false);
    }
}

void TTransferSequencer::WriteNextNetworkPanel()
{
    if (TransferIndex < MaxNetworkPanels) {
        ++TransferIndex;
        Progress(TransferIndex,
                 QStringLiteral("Saving Network data for Panel ") + QString::number(TransferIndex));
        NextSaveStep(29, NetworkNameWrite(data_, TransferIndex));
    } else {
        NextSaveStep(42, SegmentWrite(data_));
    }
}

void TTransferSequencer::WriteNextEvent()
{
    if (TransferIndex < CEEventCount) {
        ++TransferIndex;
        Progress(TransferIndex, QStringLiteral("Saving data for Event ") + QString::number(TransferIndex));
        Send(CauseEffectWrite(data_, TransferIndex));
    } else {
        EndOperation(false);
    }
}
