// The blocks that write to the panel: each write is done when its own ACK arrived.

#include "panel/TransferPlanner.h"

#include "comms/ZOLPanelComms.h"
#include "model/Data.h"
#include "panel/CauseEffectMessages.h"
#include "panel/GroupMessages.h"
#include "panel/NameMessages.h"
#include "panel/NetworkMessages.h"
#include "panel/PointMessages.h"
#include "panel/SetMessages.h"
#include "panel/SiteMessages.h"
#include "panel/TransferSequencer.h"
#include "panel/VersionMessages.h"
#include "panel/ZoneMessages.h"

TTransferBlock TTransferPlanner::LoopPresent(int loop)
{
    return StepBlock(QStringLiteral("Loop %1").arg(loop), [=, this](int) -> std::optional<TExchange> {
        if (loop == 2 && data_.LoopCount == 1)
            host_.End(TTransferOutcome::Refused, TransferText::NoLoopTwo, TEndNotice::Error);
        return std::nullopt;
    });
}

TTransferBlock TTransferPlanner::LoopTypeSave()
{
    return ListBlock(QStringLiteral("Loop type"), [this] {
        TExchange x = Write(::LoopTypeWrite(data_));
        x.Status = QStringLiteral("Saving loop type");
        return std::vector<TExchange>{x};
    });
}

TTransferBlock TTransferPlanner::PointsSave(int loop, bool inSaveAll)
{
    return StepBlock(QStringLiteral("Loop %1").arg(loop), [=, this](int i) -> std::optional<TExchange> {
        if (loop == 2 && data_.LoopCount == 1) {
            if (!inSaveAll)
                host_.Complete(true);
            return std::nullopt;
        }
        const int count = data_.NoLoopDevices();
        const int point = i + 1;
        if (point > count)
            return std::nullopt;
        TExchange x = Write(PointWrite(data_, loop, point), [=, this] {
            // The panel has stored this point: its type now matches the configuration's.
            data_.Loop(loop).Devices[point].TypeMismatch = false;
        });
        if (point == 1)
            x.Maximum = count;
        x.Position = point;
        x.Status = PointStatusText(data_, true, loop, point);
        return x;
    });
}

TTransferBlock TTransferPlanner::NamesSave()
{
    // Entries 0..Count-1, then one empty record, then the end of the list.
    return StepBlock(QStringLiteral("Device names"), [this](int i) -> std::optional<TExchange> {
        const int count = data_.NameTable.Count();
        if (i > count + 1)
            return std::nullopt;
        if (i == count + 1)
            return Write(NameListEndWrite());
        TExchange x = Write(NameWrite(data_, i));
        if (i == 0)
            x.Maximum = count;
        x.Position = i;
        x.Status = QStringLiteral("Saving Point Description ") + QString::number(i);
        return x;
    });
}

TTransferBlock TTransferPlanner::ZoneChecks()
{
    // After a loop saved from the Loop Summary the zones go as the Zone Config page saves
    // them, once their checks pass.
    return StepBlock(QStringLiteral("Zone checks"), [this](int) -> std::optional<TExchange> {
        bool pass = false;
        if (!host_.Aside([&] { pass = !hooks_.ZoneChecksPass || hooks_.ZoneChecksPass(); }))
            return std::nullopt;
        if (!pass)
            host_.End(TTransferOutcome::Cancelled, QString(), TEndNotice::WarnIfPartlySaved);
        return std::nullopt;
    });
}

TTransferBlock TTransferPlanner::ZonesSave()
{
    return StepBlock(PageCaption(ppZoneConfig), [this](int i) -> std::optional<TExchange> {
        if (i == 0) {
            TExchange x = Write(ZoneDataWrite(data_, 0));
            x.Maximum = MaxZone;
            x.Position = 0;
            return x;
        }
        const int zone = (i + 1) / 2;
        if (zone <= MaxZone) {
            if (i % 2 == 0)
                return Write(ZoneDataWrite(data_, zone));
            TExchange x = Write(ZoneNameWrite(data_, zone));
            x.Position = zone;
            x.Status = ZoneStatusText(QStringLiteral("Saving data for "), zone);
            return x;
        }
        if (i > 2 * MaxZone + 1)
            return std::nullopt;
        // The panel takes its time to store the zone flags, and answers quickly after them.
        TExchange x = Write(NonFireFlagsWrite(data_), [this] {
            comms_.SetInputTimeOut(static_cast<quint32>(hooks_.AfterZoneFlagsTimeOut));
        });
        x.TimeOutMs = static_cast<quint32>(hooks_.ZoneFlagsTimeOut);
        return x;
    });
}

TTransferBlock TTransferPlanner::GroupsSave()
{
    return StepBlock(PageCaption(ppGroupConfig), [this](int i) -> std::optional<TExchange> {
        const int zone = i + 1;
        if (zone > MaxZone)
            return std::nullopt;
        TExchange x = Write(GroupWrite(data_, zone));
        if (zone == 1)
            x.Maximum = MaxZone;
        x.Position = zone;
        x.Status = ZoneStatusText(QStringLiteral("Saving group data for "), zone);
        return x;
    });
}

TTransferBlock TTransferPlanner::SetsSave()
{
    return StepBlock(PageCaption(ppSetConfig), [this](int index) -> std::optional<TExchange> {
        if (index > MaxZone)
            return std::nullopt;
        TExchange x = Write(SetWrite(data_, index));
        if (index == 0)
            x.Maximum = MaxZone;
        x.Position = index;
        x.Status = ZoneStatusText(QStringLiteral("Saving output set data for "), std::max(index, 1));
        return x;
    });
}

TTransferBlock TTransferPlanner::SiteSave(bool withHead)
{
    return ListBlock(PageCaption(ppSiteConfig), [=, this] {
        std::vector<TExchange> list;
        if (withHead) {
            const TSiteConfig& site = data_.SiteConfig;
            list.push_back(Write(MaintenanceTextWrite(data_)));
            list.back().Status = QStringLiteral("Saving site configuration");
            if (data_.SendMaintenanceDate && site.MaintenanceDate.isValid())
                list.push_back(Write(MaintenanceDateWrite(data_)));
            list.push_back(Write(Level2CodeWrite(data_)));
            list.push_back(Write(Level3CodeWrite(data_)));
            list.back().Status = QStringLiteral("Saving Password data");
            list.push_back(Write(FaultLockoutWrite(data_)));
            if (site.CopyTime)
                list.push_back(Write(ClockWrite(hooks_.Now ? hooks_.Now() : QDateTime::currentDateTime())));
        }
        list.push_back(Write(DelaysWrite(data_)));
        list.push_back(Write(QuiescentTextWrite(data_)));
        list.back().Status = QStringLiteral("Saving Quiescent String");
        list.push_back(Write(TimesWrite(data_)));
        return list;
    });
}

TTransferBlock TTransferPlanner::NetworkSave()
{
    return ListBlock(PageCaption(ppNetworkConfig), [this] {
        std::vector<TExchange> list;
        for (int panel = 1; panel <= MaxNetworkPanels; ++panel) {
            list.push_back(Write(NetworkNameWrite(data_, panel)));
            if (panel == 1)
                list.back().Maximum = MaxNetworkPanels;
            list.back().Position = panel;
            list.back().Status =
                QStringLiteral("Saving Network data for Panel ") + QString::number(panel);
            list.push_back(Write(NetworkFittedWrite(data_, panel)));
        }
        list.push_back(Write(SegmentWrite(data_)));
        list.push_back(Write(NetworkMatrixWrite(data_)));
        list.push_back(Write(PanelNameWrite(data_)));
        return list;
    });
}

TTransferBlock TTransferPlanner::CauseEffectSave()
{
    return StepBlock(PageCaption(ppCEConfig), [this](int i) -> std::optional<TExchange> {
        const int event = i + 1;
        if (event > CEEventCount)
            return std::nullopt;
        TExchange x = Write(::CauseEffectWrite(data_, event));
        if (event == 1)
            x.Maximum = CEEventCount;
        x.Position = event;
        x.Status = QStringLiteral("Saving data for Event ") + QString::number(event);
        return x;
    });
}
