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
#include "panel/ZoneMessages.h"

namespace {

constexpr int EventHistoryBar = 500;
constexpr int SiteReadBar = 4;

} // namespace

void TTransferSequencer::GoToStep(int step)
{
    TransferStep = step;
    TransferIndex = 0;
    StartStep();
}

void TTransferSequencer::StartStep()
{
    switch (TransferStep) {
    case 1:
    case 2: StartPointRead(TransferStep); break;
    case 3:
        TransferIndex = 1;
        SetBar(1, MaxZone);
        progress_.SetStatus(ZoneStatusText(QStringLiteral("Loading data for "), 1));
        Send(ZoneNameRequest(1));
        break;
    case 6:
        TransferIndex = 1;
        SetBar(1, MaxZone);
        progress_.SetStatus(ZoneStatusText(QStringLiteral("Loading group data for "), 1));
        Send(GroupRequest(1));
        break;
    case 7:
        TransferIndex = 0;
        SetBar(1, MaxZone);
        progress_.SetStatus(ZoneStatusText(QStringLiteral("Loading output set data for "), 1));
        Send(SetRequest(0));
        break;
    case 8:
        SetBar(1, SiteReadBar);
        progress_.SetStatus(QStringLiteral("Loading site configuration"));
        Send(SiteRequest('G'));
        break;
    case 9:
        TransferIndex = 1;
        SetBar(1, MaxNetworkPanels);
        progress_.SetStatus(QStringLiteral("Loading Network data for Panel 1"));
        Send(NetworkNameRequest(1));
        break;
    case 11:
        TransferIndex = 0;
        SetBar(0, data_.NameTable.Count());
        WriteNextName();
        break;
    case 12:
    case 14:
        CurrentLoop = TransferStep == 12 ? 1 : 2;
        TransferIndex = 0;
        SetBar(0, data_.NoLoopDevices());
        WriteNextPoint();
        break;
    case 16:
        comms_.SetInputTimeOut(static_cast<quint32>(ZoneFlagsTimeOut));
        Send(NonFireFlagsWrite(data_));
        break;
    case 17:
        TransferIndex = 0;
        SetBar(0, MaxZone);
        Send(ZoneDataWrite(data_, 0));
        break;
    case 20:
        TransferIndex = 0;
        SetBar(0, MaxZone);
        WriteNextGroup();
        break;
    case 21:
        TransferIndex = 0;
        SetBar(0, MaxZone);
        progress_.SetStatus(ZoneStatusText(QStringLiteral("Saving output set data for "), 1));
        Send(SetWrite(data_, 0));
        break;
    case 22:
        progress_.SetStatus(QStringLiteral("Saving site configuration"));
        Send(MaintenanceTextWrite(data_));
        break;
    case 30:
        TransferIndex = 0;
        SetBar(0, MaxNetworkPanels);
        WriteNextNetworkPanel();
        break;
    case 35:
        TransferIndex = 1;
        SetBar(1, EventHistoryBar);
        progress_.SetStatus(QStringLiteral("Loading Event History"));
        Send(EventRequest(0, ClearEventsAnswer == TPromptAnswer::paYes));
        break;
    case 38:
        TransferIndex = 0;
        SetBar(1, TNameTable::MaxNames);
        progress_.SetStatus(QStringLiteral("Loading Device Names"));
        Send(NameRequest(0));
        break;
    case 39:
        TransferIndex = 0;
        SetBar(0, CEEventCount);
        WriteNextEvent();
        break;
    case 40:
        TransferIndex = 1;
        SetBar(1, CEEventCount);
        progress_.SetStatus(QStringLiteral("Loading data for Event 1"));
        Send(CauseEffectRequest(1));
        break;
    default:
        break;
    }
}
