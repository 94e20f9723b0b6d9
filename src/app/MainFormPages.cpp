// The pages of the main window: building and joining them, the page change, and what the
// window shows of the document (title, panel number, protocol, per-page commands).
#include "app/MainForm.h"

#include "app/PageHost.h"
#include "app/PanelSession.h"
#include "app/WindowTitle.h"
#include "editors/devices/DeviceDialogs.h"
#include "editors/devices/LoopSummary.h"
#include "editors/log/EventLogPage.h"
#include "editors/loop/ChooseDevice.h"
#include "editors/loop/LoopFrame.h"
#include "editors/print/frmPrint.h"
#include "editors/site/SiteConfigPage.h"
#include "model/Data.h"

#include <QAction>
#include <QSpinBox>

void TMainForm::ConnectPages()
{
    connect(summary_, &TfrmLoopSummary::SummaryLoopChanged, this, [this] {
        if (ActivePage() == ppLoopSummary)
            UpdatePageButtons();
    });
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

int TMainForm::SummaryLoop() const
{
    return host_->SummaryLoop();
}

// The device dialogs on a point of a loop page; what they wrote shows on every page.
void TMainForm::EditDevice(int loop, int address)
{
    if (EditDevices(context_, loop, address, this))
        host_->RefreshActive();
}

void TMainForm::PageChange()
{
    if (inPageChange_)
        return;
    inPageChange_ = true;
    const TPanelPage page = ActivePage();
    session_->PageShown(page);
    UpdatePageButtons();
    if (TPage* p = Page(page))
        p->PageActivated();
    host_->ShowActive();
    inPageChange_ = false;
}

void TMainForm::UpdatePageButtons()
{
    const TPanelPage page = ActivePage();
    helpContext_ = DefaultHelpContext;
    if (const TPage* p = Page(page))
        helpContext_ = p->HelpContext();
    host_->ShowTransferCommands(*actions_.LoadPage, *actions_.SavePage, data_->PanelNumber);
    for (QAction* a : {actions_.ClearDisplay, actions_.LoadLog, actions_.SaveLog})
        a->setVisible(page == ppViewEventLog);
}

// The document was replaced: the window and the active page show it now, the other pages
// when they are shown.
void TMainForm::DocumentReset()
{
    ShowPanelNumber();
    FollowProtocol();
    host_->ApplyLoopCount(data_->LoopCount);
    host_->ShowAfresh();
    UpdatePageButtons();
    UpdateTitle();
}

void TMainForm::SetModified(bool modified)
{
    data_->SetModified(modified);
    UpdateTitle();
}

void TMainForm::UpdateTitle()
{
    if (actions_.Save)
        actions_.Save->setEnabled(data_->Modified());
    if (isVisible())
        setWindowTitle(WindowTitle(*data_));
}

void TMainForm::ShowPanelNumber()
{
    const QSignalBlocker block(actions_.PanelNumber);
    actions_.PanelNumber->setValue(data_->PanelNumber);
    Comms().PanelNumber = data_->PanelNumber;
}

void TMainForm::SetPanelNumber(int number)
{
    data_->PanelNumber = qBound(1, number, MaxNetworkPanels);
    ShowPanelNumber();
    UpdatePageButtons();
    data_->Edit(dpPanel);
    if (TPage* p = Page(ActivePage()))
        p->PageActivated();
    host_->RefreshActive(dpPanel);
}

// A file or the panel may bring another protocol: the pages follow it.
void TMainForm::FollowProtocol()
{
    actions_.Apollo->setChecked(data_->SystemType() == stApolloLoop);
    actions_.Hochiki->setChecked(data_->SystemType() == stHochikiLoop);
    if (shownProtocol_ == data_->SystemType())
        return;
    shownProtocol_ = data_->SystemType();
    host_->ApplyProtocol();
}

void TMainForm::ApplyProtocol()
{
    const TPanelPage active = ActivePage();
    shownProtocol_ = data_->SystemType();
    host_->ApplyProtocol();
    data_->ResetToNew();
    FollowProtocol();
    SetActivePage(active);
}
