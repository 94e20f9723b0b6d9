// The pages of the main window: building and joining them, the page change, and what the
// window shows of the document (title, panel number, protocol, per-page commands).
#include "app/MainForm.h"

#include "app/PageHost.h"
#include "app/PanelSession.h"
#include "app/ProtocolCommands.h"
#include "app/WindowTitle.h"
#include "editors/devices/LoopSummary.h"
#include "editors/status/AboutBox.h"
#include "editors/log/EventLogPage.h"
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
    connect(about_, &TAboutBox::DiagnosticsRequested, summary_,
            [this] { summary_->SetNameCountersVisible(true); });
    host_->ConnectDeviceDialogs(this);
    print_ = new TfrmPrint(context_, this);
}

int TMainForm::SummaryLoop() const { return host_->SummaryLoop(); }

void TMainForm::PageChange()
{
    if (inPageChange_)
        return;
    inPageChange_ = true;
    const TPanelPage page = ActivePage();
    session_->PageShown(page);
    UpdatePageButtons();
    host_->ActivateShown();
    inPageChange_ = false;
}

void TMainForm::UpdatePageButtons()
{
    host_->ShowTransferCommands(*actions_.LoadPage, *actions_.SavePage, data_->PanelNumber);
    for (QAction* a : {actions_.ClearDisplay, actions_.LoadLog, actions_.SaveLog})
        a->setVisible(ActivePage() == ppViewEventLog);
}

// The document was replaced: the window and the active page show it now, the other pages
// when they are shown.
void TMainForm::DocumentReset()
{
    ShowPanelNumber();
    protocol_->Follow();
    host_->ApplyLoopCount(data_->LoopCount);
    host_->ShowAfresh();
    UpdatePageButtons();
    UpdateTitle();
}

void TMainForm::UpdateTitle()
{
    // Modified or not decides whether Save is offered.
    UpdateCommands();
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
    {
        TDocEdit edit(*data_, dpPanel, QStringLiteral("Panel Number"));
        data_->PanelNumber = qBound(1, number, MaxNetworkPanels);
    }
    ShowPanelNumber();
    UpdatePageButtons();
    if (TPage* p = Page(ActivePage()))
        p->PageActivated();
    host_->RefreshActive(dpPanel);
}
