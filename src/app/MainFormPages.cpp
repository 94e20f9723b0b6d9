#include "app/MainForm.h"

#include "editors/devices/DeviceDialogs.h"
#include "editors/devices/LoopSummary.h"
#include "editors/log/CommentsPage.h"
#include "editors/log/EventLogPage.h"
#include "editors/loop/ChooseDevice.h"
#include "editors/loop/DeviceSelectionFrame.h"
#include "editors/loop/LoopFrame.h"
#include "editors/print/frmPrint.h"
#include "editors/site/NetworkConfigPage.h"
#include "editors/site/SiteConfigPage.h"
#include "editors/zones/CEConfigPage.h"
#include "editors/zones/GroupConfigPage.h"
#include "editors/zones/SetConfigPage.h"
#include "editors/zones/ZoneConfigPage.h"
#include "model/Data.h"

// The eleven pages in their order, each with its help context (the page knows it). The zone
// and cause-and-effect pages are guarded as start-up steps of their own.
void TMainForm::CreatePages()
{
    AddPage(summary_ = new TfrmLoopSummary(context_));
    AddPage(new TfrmLoop(context_, 1));
    AddPage(new TfrmLoop(context_, 2));
    Guard("Err 023", [&] { AddPage(new TfrmZoneConfig(context_)); });
    AddPage(new TfrmGroupConfig(context_));
    AddPage(new TfrmSetConfig(context_));
    AddPage(site_ = new TfrmSiteConfig(context_));
    Guard("Err 024", [&] { AddPage(new TfrmCEConfig(context_)); });
    AddPage(new TfrmNetworkConfig(context_));
    AddPage(eventLog_ = new TfrmEventLog(context_));
    AddPage(comments_ = new TfrmComments(context_));
    FillMissingPages(PageCount);
}

void TMainForm::ConnectPages()
{
    SummaryLoop = [this] { return summary_->SummaryLoop(); };
    connect(summary_, &TfrmLoopSummary::SummaryLoopChanged, this, [this] {
        if (ActivePage() == ppLoopSummary)
            UpdatePageButtons();
    });
    summaryToolbar_ = new TDevice_Selection_Frame(summary_);
    summaryToolbar_->Build(data_->SystemType(), context_.ButtonsIniPath);
    summary_->SetDeviceToolbar(summaryToolbar_);
    connect(summaryToolbar_, &TDevice_Selection_Frame::SelectedTypeChanged, summary_,
            &TfrmLoopSummary::SetSelectedType);
    connect(data_.get(), &TData::ProtocolSwitched, summaryToolbar_,
            [this](TSystemType type) { summaryToolbar_->Build(type, context_.ButtonsIniPath); });
    connect(this, &TMainForm::DiagnosticsRequested, summary_,
            [this] { summary_->SetNameCountersVisible(true); });

    for (const TPanelPage page : {ppLoop1, ppLoop2})
        if (auto* loop = qobject_cast<TfrmLoop*>(Page(page)))
            connect(loop, &TfrmLoop::EditDeviceRequested, this, &TMainForm::EditDevice);
    context_.ChooseDevice = [this](int loop) {
        return TfrmChoose_Device::Choose(this, *data_, loop, context_.ButtonsIniPath);
    };

    connect(this, &TMainForm::ClockTick, site_, &TfrmSiteConfig::SetClock);

    print_ = new TfrmPrint(context_, this);
    SetPrintSelection([this] { print_->exec(); });
}

// The device dialogs on a point of a loop page; what they wrote shows on every page.
void TMainForm::EditDevice(int loop, int address)
{
    if (EditDevices(context_, loop, address, this))
        RefreshAllPages();
}
