// Start-up, the panel and protocol commands of the main window, and what it does when a
// transfer ends or the document is replaced.
#include "app/MainForm.h"

#include "app/HelpWindow.h"
#include "app/PageHost.h"
#include "app/PanelSession.h"
#include "app/ProtocolCommands.h"
#include "app/SafetyTools.h"
#include "app/UndoCommands.h"
#include "editors/devices/LoopSummary.h"
#include "editors/site/Captions.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "storage/ProgramSettings.h"
#include "storage/Prompts.h"

#include <QAction>
#include <QFileInfo>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>

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
    } catch (...) {
        prompts_->error(QString::fromLatin1(code), QStringLiteral("Form Show"));
    }
}

void TMainForm::Startup()
{
    const TProgramSettings settings = LoadProgramSettings(setup_.ButtonsIniPath);
    context_.MaxOutputDelay = settings.MaxOutputDelay;
    help_->SetHelpFile(settings.HelpFilePath());
    data_->LoopCount = 2;

    Guard("Err 003", [&] { session_->Start(settings.MaxOutputDelay); });
    Guard("Err 004", [&] { protocol_->Apply(); });
    Guard("Err 006", [&] { data_->ResetToNew(); });
    Guard("Err 008", [&] {
        startupDone_ = true;
        const QSignalBlocker block(&PageControl());
        SetActivePage(ppSiteConfig);
        PageChange();
        data_->MarkSaved();
    });
    startupDone_ = true;
    host_->RestorePage(restoredPage_);
    undo_->Reset();
    clock_->start();
    UpdateTitle();
    UpdateCommands();
}

// A transfer that started disables the commands that must wait for it.
bool TMainForm::Started(bool started)
{
    UpdateCommands();
    return started;
}

bool TMainForm::LoadAll()
{
    if (!MayReplaceEdits())
        return false;
    transferLoads_ = true;
    return Started(session_->LoadAll());
}

bool TMainForm::SaveAll()
{
    transferLoads_ = false;
    return Started(safety_->SaveAll());
}

bool TMainForm::SaveChanges()
{
    transferLoads_ = false;
    return Started(safety_->SaveChanges());
}

// The event history adds to the log; every other page's load replaces what the page shows.
bool TMainForm::LoadPage()
{
    if (ActivePage() != ppViewEventLog && !MayReplaceEdits())
        return false;
    transferLoads_ = true;
    return Started(session_->Sequencer().LoadPage());
}

bool TMainForm::SavePage()
{
    transferLoads_ = false;
    return Started(session_->Sequencer().SavePage());
}

// A Load All replaced the document (also one that stopped half-way: the protocol and what
// arrived are in it); any other transfer may have brought a page. What a transfer stored is
// one undo step named after its command; a completed Load All starts a fresh history.
void TMainForm::TransferEnded(const TTransferResult& result)
{
    const bool all = session_->Sequencer().LoadingAll();
    if (all) {
        summary_->ClearTypeZoneChanges();
        data_->AnnounceReplaced();
    } else {
        host_->RefreshActive();
    }
    undo_->TransferEnded(all && result.Completed(),
                         PlainCaption((all ? actions_.LoadAll : actions_.LoadPage)->text()));
    UpdateCommands();
    UpdateTitle();
    // The user asked to close while it ran: now that it has ended, the window closes (after
    // the question about unsaved edits).
    if (closeWhenEnded_) {
        closeWhenEnded_ = false;
        QTimer::singleShot(0, this, &TMainForm::close);
    }
}

// New or Open: a fresh history, and the Loop Summary starts again.
void TMainForm::DocumentReplaced(bool opened)
{
    if (opened)
        summary_->ClearTypeZoneChanges();
    else
        summary_->ResetSelection();
    undo_->Reset();
}

