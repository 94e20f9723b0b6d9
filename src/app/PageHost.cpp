#include "app/PageHost.h"
#include "editors/site/Captions.h"

#include "app/PlaceholderPage.h"
#include "editors/common/Page.h"
#include "editors/devices/DeviceDialogs.h"
#include "editors/devices/LoopSummary.h"
#include "editors/log/CommentsPage.h"
#include "editors/log/EventLogPage.h"
#include "editors/loop/ChooseDevice.h"
#include "editors/loop/LoopFrame.h"
#include "editors/site/NetworkConfigPage.h"
#include "editors/site/SiteConfigPage.h"
#include "editors/zones/CEConfigPage.h"
#include "editors/zones/GroupConfigPage.h"
#include "editors/zones/SetConfigPage.h"
#include "editors/zones/ZoneConfigPage.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>
#include <QTimer>

#include <QTabWidget>

TPageHost::TPageHost(TEditorContext& context, QWidget* parent)
    : QObject(parent), context_(context), tabs_(new QTabWidget(parent))
{
    tabs_->setObjectName(QStringLiteral("PageControl"));
    tabs_->setAccessibleName(QStringLiteral("Pages"));
    tabs_->setFocusPolicy(Qt::StrongFocus);
    // The shown page shows what changed once the event that changed it is over (an import,
    // an undo, a transfer, a dialog, its own clicks), except while the user types or chooses
    // in one of its fields: that field already shows its edit. Hidden pages catch up when
    // shown.
    connect(&context_.Data, &TData::Changed, this, [this](TDocParts parts) {
        const TPage* shown = Page(ActivePage());
        const QWidget* focus = QApplication::focusWidget();
        const bool typing = shown && shown->isAncestorOf(focus)
            && (qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus)
                || qobject_cast<const QTextEdit*>(focus) || qobject_cast<const QComboBox*>(focus));
        Mark(parts, !typing);
        if (!typing && !refreshQueued_ && (PageEntry(ActivePage()).Shows & parts)) {
            refreshQueued_ = true;
            QTimer::singleShot(0, this, [this] {
                refreshQueued_ = false;
                ShowActive();
            });
        }
    });
}

// The eleven pages in their order, each with its help context (the page knows it). The zone
// and cause-and-effect pages are guarded as start-up steps of their own.
void TPageHost::BuildPages(const TGuard& guard)
{
    AddPage(summary_ = new TfrmLoopSummary(context_));
    AddPage(new TfrmLoop(context_, 1));
    AddPage(new TfrmLoop(context_, 2));
    guard("Err 023", [&] { AddPage(new TfrmZoneConfig(context_)); });
    AddPage(new TfrmGroupConfig(context_));
    AddPage(new TfrmSetConfig(context_));
    AddPage(site_ = new TfrmSiteConfig(context_));
    guard("Err 024", [&] { AddPage(new TfrmCEConfig(context_)); });
    AddPage(new TfrmNetworkConfig(context_));
    AddPage(eventLog_ = new TfrmEventLog(context_));
    AddPage(new TfrmComments(context_));
    FillMissingPages();

    // The Loop Summary's toolbar follows the document's protocol, whatever replaced it or
    // changed it (a page load bringing another protocol), shown or not.
    connect(&context_.Data, &TData::Reset, summary_, &TfrmLoopSummary::FollowProtocol);
    connect(&context_.Data, &TData::Changed, summary_, [this](TDocParts parts) {
        if (parts & dpPanel)
            summary_->FollowProtocol();
    });
}

int TPageHost::SummaryLoop() const
{
    return summary_ ? summary_->SummaryLoop() : 1;
}

void TPageHost::ShowTransferCommands(QAction& load, QAction& save, int panelNumber) const
{
    const TPanelPage page = ActivePage();
    const int loop = TransferLoop(page, SummaryLoop());
    const QString loadText = LoadCaption(page, panelNumber, SummaryLoop());
    const QString saveText = SaveCaption(page, panelNumber, SummaryLoop());
    if (!loadText.isEmpty())
        load.setText(loadText);
    if (!saveText.isEmpty())
        save.setText(saveText);
    for (QAction* a : {&load, &save}) {
        a->setEnabled(loop != 2 || context_.Data.LoopCount == 2);
        a->setToolTip(PlainCaption(a->text()));
        a->setStatusTip(a->toolTip());
    }
    load.setVisible(!loadText.isEmpty());
    save.setVisible(!saveText.isEmpty());
}

int TPageHost::HelpContext() const
{
    const TPage* p = Page(ActivePage());
    return p ? p->HelpContext() : DefaultHelpContext;
}

// What the device dialogs wrote shows on every page.
void TPageHost::ConnectDeviceDialogs(QWidget* window)
{
    for (const TPanelPage page : {ppLoop1, ppLoop2})
        if (auto* loop = qobject_cast<TfrmLoop*>(Page(page)))
            connect(loop, &TfrmLoop::EditDeviceRequested, this, [this, window](int n, int address) {
                if (EditDevices(context_, n, address, window))
                    RefreshActive();
            });
    context_.ChooseDevice = [this, window](int loop) {
        return TfrmChoose_Device::Choose(window, context_.Data, loop, context_.ButtonsIniPath);
    };
}

void TPageHost::FillMissingPages(int count)
{
    while (tabs_->count() < count) {
        const auto page = static_cast<TPanelPage>(tabs_->count());
        AddPage(new TPlaceholderPage(context_, page, DefaultHelpContext, PageEntry(page).Caption,
                                     QStringLiteral("This page could not be built.")));
    }
}

void TPageHost::AddPage(TPage* page)
{
    const int index = static_cast<int>(page->PanelPage());
    Q_ASSERT(index >= 0 && index < PageCount);
    FillMissingPages(index);
    const QString& caption = PageEntry(page->PanelPage()).Caption;
    // A page that names itself keeps its name.
    if (page->objectName().isEmpty())
        page->setObjectName(QStringLiteral("ts") + PlainCaption(caption).remove(QLatin1Char(' ')).remove(QLatin1Char('&')));
    if (page->accessibleName().isEmpty())
        page->setAccessibleName(PlainCaption(caption));
    page_[static_cast<std::size_t>(index)] = page;
    tabs_->addTab(page, caption);
}

TPage* TPageHost::Page(TPanelPage page) const
{
    const auto index = static_cast<std::size_t>(page);
    Q_ASSERT(index < page_.size());
    return page_[index];
}

TPanelPage TPageHost::ActivePage() const
{
    return static_cast<TPanelPage>(qBound(0, tabs_->currentIndex(), PageCount - 1));
}

void TPageHost::SetActivePage(TPanelPage page)
{
    tabs_->setCurrentIndex(static_cast<int>(page));
}

void TPageHost::Mark(TDocParts parts, bool includingActive)
{
    const TPanelPage active = ActivePage();
    for (const TPageEntry& entry : PageTable())
        if ((entry.Shows & parts) && (includingActive || entry.Page != active))
            stale_[static_cast<std::size_t>(entry.Page)] = true;
}

void TPageHost::ShowActive()
{
    const auto index = static_cast<std::size_t>(ActivePage());
    if (!stale_[index])
        return;
    stale_[index] = false;
    if (TPage* p = page_[index])
        p->Refresh();
}

void TPageHost::ActivateShown()
{
    if (TPage* p = Page(ActivePage()))
        p->PageActivated();
    ShowActive();
}

void TPageHost::RestorePage(int page)
{
    if (page < 0 || page >= PageCount || page == ppViewEventLog
        || (page == ppLoop2 && context_.Data.LoopCount == 1))
        return;
    SetActivePage(static_cast<TPanelPage>(page));
}

void TPageHost::ShowAfresh()
{
    RefreshActive(dpAll);
}

void TPageHost::RefreshActive(TDocParts parts)
{
    Mark(parts, true);
    ShowActive();
}

void TPageHost::ApplyProtocol()
{
    for (TPage* p : page_)
        if (p)
            p->ProtocolApplied();
}

// LoopCount 1 hides the Loop 2 tab; the active page never stays on a hidden tab.
void TPageHost::ApplyLoopCount(int loopCount)
{
    const bool two = loopCount != 1;
    if (two && !tabs_->isTabVisible(ppLoop2))
        tabs_->setTabVisible(ppLoop2, true);
    if (!two) {
        if (ActivePage() == ppLoop2)
            SetActivePage(ppLoop1);
        tabs_->setTabVisible(ppLoop2, false);
    }
    if (shownLoopCount_ == loopCount)
        return;
    shownLoopCount_ = loopCount;
    for (TPage* p : page_)
        if (p)
            p->LoopCountChanged();
}
