// Start-up, the page change, refreshes, the title and the loop count of the main window.
#include "app/MainForm.h"

#include "app/GuiPrompts.h"
#include "app/HelpWindow.h"
#include "app/UndoHistory.h"
#include "app/WindowTitle.h"
#include "editors/common/Page.h"
#include "editors/status/CommSelect.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "storage/ProgramSettings.h"

#include <QAction>
#include <QFileInfo>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>

#include <exception>

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (startupDone_)
        return;
    Startup();
    if (!startupFile_.isEmpty())
        QTimer::singleShot(0, this, [this] { OpenFile(startupFile_); });
}

void TMainForm::OpenAtStartup(const QString& path)
{
    // The title and later saves name the file by its full path.
    startupFile_ = QFileInfo(path).absoluteFilePath();
}

void TMainForm::Guard(const char* code, const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception&) {
        prompts_->error(QString::fromLatin1(code), QStringLiteral("Form Show"));
    } catch (...) {
        prompts_->error(QString::fromLatin1(code), QStringLiteral("Form Show"));
    }
}

void TMainForm::Startup()
{
    const int stored = portSettings_->StoredPort();
    if (const std::optional<int> port = TPortSettings::ComPortForChoice(stored))
        SelectComPort(*port);
    const TProgramSettings settings = LoadProgramSettings(setup_.ButtonsIniPath);
    context_.MaxOutputDelay = settings.MaxOutputDelay;
    sequencer_->MaxOutputDelay = settings.MaxOutputDelay;
    help_->SetHelpFile(settings.HelpFilePath());
    comms_.PanelNumber = data_->PanelNumber;
    data_->LoopCount = 2;

    Guard("Err 003", [&] {
        commSelect_->SetChoice(TPortSettings::ComPortForChoice(stored).value_or(1));
    });
    Guard("Err 004", [&] { ApplyProtocol(); });
    Guard("Err 005", [&] { data_->AccessCodesValid = true; });
    Guard("Err 006", [&] { data_->ResetToNew(); });
    Guard("Err 007", [&] { RefreshAllPages(); });
    Guard("Err 008", [&] {
        startupDone_ = true;
        const QSignalBlocker block(pages_);
        SetActivePage(ppSiteConfig);
        PageChange();
        SetModified(false);
    });
    startupDone_ = true;
    RestoreLastPage();
    undo_->Reset();
    clock_->start();
    UpdateTitle();
}

void TMainForm::PageChange()
{
    if (inPageChange_)
        return;
    inPageChange_ = true;
    const TPanelPage page = ActivePage();
    // A running operation keeps its packet mode: text mode would stop its replies.
    if (!sequencer_->Busy()) {
        comms_.IsASCIIOnly = false;
        if (page == ppViewEventLog)
            EnterTextMode();
    }
    UpdatePageButtons();
    if (TPage* p = Page(page))
        p->PageActivated();

    if (data_->Modified())
        RefreshPage();
    RefreshAllPages();
    inPageChange_ = false;
}

// The event log page shows the lines the panel prints: the port open, in text mode, with
// nothing old in its buffers.
void TMainForm::EnterTextMode()
{
    if (!comms_.IsOpen())
        comms_.Open();
    comms_.IsASCIIOnly = true;
    comms_.Purge(true, false);
}

void TMainForm::UpdatePageButtons()
{
    const TPanelPage page = ActivePage();
    helpContext_ = 100;
    if (const TPage* p = Page(page))
        helpContext_ = p->HelpContext();
    const QString n = QString::number(data_->PanelNumber);
    bool enabled = true;
    QString load;
    QString save;
    auto loop = [&](int number) {
        load = QStringLiteral("Load Loop %1 From Panel ").arg(number) + n;
        save = QStringLiteral("Save Loop %1 To Panel ").arg(number) + n;
        enabled = number == 1 || data_->LoopCount == 2;
    };
    switch (page) {
    case ppLoopSummary: loop(SummaryLoop() == 2 ? 2 : 1); break;
    case ppLoop1: loop(1); break;
    case ppLoop2: loop(2); break;
    case ppZoneConfig:
        load = QStringLiteral("Load Zone Configuration From Panel ") + n;
        save = QStringLiteral("Save Zone Configuration To Panel ") + n;
        break;
    case ppGroupConfig:
        load = QStringLiteral("Load Group Config From Panel ") + n;
        save = QStringLiteral("Save Group Config To Panel ") + n;
        break;
    case ppSetConfig:
        load = QStringLiteral("Load Set Config From Panel ") + n;
        save = QStringLiteral("Save Set Config To Panel ") + n;
        break;
    case ppSiteConfig:
        load = QStringLiteral("Load Site Config From Panel ") + n;
        save = QStringLiteral("Save Site Config To Panel ") + n;
        break;
    case ppCEConfig:
        load = QStringLiteral("Load Cause && Effect table From Panel ") + n;
        save = QStringLiteral("Save Cause && Effect table To Panel ") + n;
        break;
    case ppNetworkConfig:
        load = QStringLiteral("Load Network Configuration From Panel ") + n;
        save = QStringLiteral("Save Network Configuration To Panel ") + n;
        break;
    case ppViewEventLog: load = QStringLiteral("Load Event History From Panel ") + n; break;
    case ppComments: break;
    }
    if (!load.isEmpty())
        actLoadPage_->setText(load);
    if (!save.isEmpty())
        actSavePage_->setText(save);
    for (QAction* a : {actLoadPage_, actSavePage_}) {
        a->setEnabled(enabled);
        a->setToolTip(ShownText(a->text()));
        a->setStatusTip(a->toolTip());
    }
    actLoadPage_->setVisible(page != ppComments);
    actSavePage_->setVisible(page != ppViewEventLog && page != ppComments);
    for (QAction* a : {actClearDisplay_, actLoadLog_, actSaveLog_})
        a->setVisible(page == ppViewEventLog);
}

void TMainForm::SetModified(bool modified)
{
    data_->SetModified(modified);
    UpdateTitle();
}

void TMainForm::UpdateTitle()
{
    if (actSave_)
        actSave_->setEnabled(data_->Modified());
    if (isVisible())
        setWindowTitle(WindowTitle(*data_));
}

void TMainForm::RefreshPage()
{
    if (TPage* p = Page(ActivePage()))
        p->Refresh();
    if (ActivePage() != ppCEConfig)
        if (TPage* p = Page(ppCEConfig))
            p->Refresh();
}

void TMainForm::RefreshAllPages()
{
    const TPanelPage active = ActivePage();
    ShowPanelNumber();
    FollowProtocol();
    ApplyLoopCount();
    for (TPage* p : page_)
        if (p && p->PanelPage() != ppCEConfig)
            p->Refresh();
    if (ActivePage() != active && !(active == ppLoop2 && data_->LoopCount == 1))
        SetActivePage(active);
    if (TPage* p = Page(ppCEConfig))
        p->Refresh();
    UpdatePageButtons();
    UpdateTitle();
}

void TMainForm::ShowPanelNumber()
{
    const QSignalBlocker block(spnPanelNumber_);
    spnPanelNumber_->setValue(data_->PanelNumber);
    comms_.PanelNumber = data_->PanelNumber;
}

void TMainForm::SetPanelNumber(int number)
{
    data_->PanelNumber = qBound(1, number, 8);
    comms_.PanelNumber = data_->PanelNumber;
    ShowPanelNumber();
    PageChange();
    SetModified(true);
}

// LoopCount 1 hides the Loop 2 tab; the active page never stays on a hidden tab.
void TMainForm::ApplyLoopCount()
{
    const bool two = data_->LoopCount != 1;
    if (two && !pages_->isTabVisible(ppLoop2))
        pages_->setTabVisible(ppLoop2, true);
    if (!two) {
        if (ActivePage() == ppLoop2)
            SetActivePage(ppLoop1);
        pages_->setTabVisible(ppLoop2, false);
    }
    if (shownLoopCount_ != data_->LoopCount) {
        shownLoopCount_ = data_->LoopCount;
        for (TPage* p : page_)
            if (p)
                p->LoopCountChanged();
    }
}

// A file or the panel may bring another protocol: the pages follow it.
void TMainForm::FollowProtocol()
{
    actApollo_->setChecked(data_->SystemType() == stApolloLoop);
    actHochiki_->setChecked(data_->SystemType() == stHochikiLoop);
    if (shownProtocol_ == data_->SystemType())
        return;
    shownProtocol_ = data_->SystemType();
    for (TPage* p : page_)
        if (p)
            p->ProtocolApplied();
}
