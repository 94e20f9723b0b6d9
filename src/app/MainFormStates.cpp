// Which commands the main window offers in the state it is in, from the commands x states
// table, and the pages' lock while a transfer runs.
#include "app/MainForm.h"

#include "app/DocumentController.h"
#include "app/PageHost.h"
#include "app/PageHostLock.h"
#include "app/PanelSession.h"
#include "app/SafetyTools.h"
#include "app/UndoCommands.h"
#include "editors/print/PreviewForm.h"
#include "model/Data.h"
#include "storage/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

TWindowState TMainForm::WindowState() const
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TPreviewForm*>(w) && w->isVisible())
            return TWindowState::wsPreview;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this)
        return TWindowState::wsModal;
    if (session_->Busy())
        return transferLoads_ ? TWindowState::wsLoading : TWindowState::wsSaving;
    return data_->Modified() ? TWindowState::wsModified : TWindowState::wsIdle;
}

void TMainForm::ApplyCommand(QAction* action, TWindowCommand command, TWindowState state,
                             bool alsoNeeded)
{
    if (!action)
        return;
    const TCommandAvailability availability = CommandAvailability(command, state);
    action->setEnabled(availability.Available && alsoNeeded);
    if (!hints_.contains(action))
        return;
    const QString hint = hints_.value(action);
    const QString shown = availability.Available ? hint : hint + QStringLiteral(" - ") + availability.Reason;
    action->setToolTip(shown);
    action->setStatusTip(shown);
}

void TMainForm::UpdateCommands()
{
    updateScheduled_ = false;
    if (!session_ || !safety_ || !undo_ || !pageLock_ || !actions_.Save)
        return;
    const TWindowState state = WindowState();
    const TMainActions& a = actions_;
    using C = TWindowCommand;
    ApplyCommand(a.New, C::wcNew, state);
    ApplyCommand(a.Open, C::wcOpen, state);
    documents_->EnableRecentFiles(CommandAvailability(C::wcRecentFile, state).Available);
    ApplyCommand(a.Save, C::wcSave, state, data_->Modified());
    ApplyCommand(a.SaveAs, C::wcSaveAs, state);
    ApplyCommand(a.ExportSchedule, C::wcExportSchedule, state);
    ApplyCommand(a.ImportSchedule, C::wcImportSchedule, state);
    ApplyCommand(a.Print, C::wcPrint, state);
    ApplyCommand(a.PrinterProperties, C::wcPrinterProperties, state);
    ApplyCommand(a.Exit, C::wcExit, state);
    undo_->Update();
    ApplyCommand(a.Undo, C::wcUndo, state, a.Undo->isEnabled());
    ApplyCommand(a.Redo, C::wcRedo, state, a.Redo->isEnabled());
    ApplyCommand(a.LoadAll, C::wcLoadAll, state);
    ApplyCommand(a.SaveAll, C::wcSaveAll, state);
    ApplyCommand(a.SaveChanges, C::wcSaveChanges, state);
    // The page commands also follow the page shown (Loop 2 needs a second loop).
    host_->ShowTransferCommands(*a.LoadPage, *a.SavePage, data_->PanelNumber);
    ApplyCommand(a.LoadPage, C::wcLoadPage, state, a.LoadPage->isEnabled());
    ApplyCommand(a.SavePage, C::wcSavePage, state, a.SavePage->isEnabled());
    a.PanelNumber->setEnabled(CommandAvailability(C::wcPanelNumber, state).Available);
    a.PanelNumber->setToolTip(CommandAvailability(C::wcPanelNumber, state).Reason);
    ApplyCommand(a.ClearDisplay, C::wcClearDisplay, state);
    ApplyCommand(a.LoadLog, C::wcLoadLog, state);
    ApplyCommand(a.SaveLog, C::wcSaveLog, state);
    ApplyCommand(a.SelectPort, C::wcSelectPort, state);
    ApplyCommand(a.Disconnect, C::wcDisconnect, state);
    ApplyCommand(a.Apollo, C::wcProtocol, state);
    ApplyCommand(a.Hochiki, C::wcProtocol, state);
    for (const auto& [action, command] : safety_->Commands())
        ApplyCommand(action, command, state);
    ApplyCommand(a.Contents, C::wcContents, state);
    ApplyCommand(a.About, C::wcAbout, state);

    const TCommandAvailability edit = CommandAvailability(C::wcEditPage, state);
    const bool transfer = state == TWindowState::wsLoading || state == TWindowState::wsSaving;
    pageLock_->SetLocked(transfer);
    stateLabel_->setText(transfer ? edit.Reason : QString());
    stateLabel_->setVisible(transfer);
}

void TMainForm::ScheduleUpdateCommands()
{
    if (updateScheduled_)
        return;
    updateScheduled_ = true;
    QTimer::singleShot(0, this, &TMainForm::UpdateCommands);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget != this
            && (widget->isModal() || qobject_cast<TPreviewForm*>(widget)))
            ScheduleUpdateCommands();
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::MayReplaceEdits()
{
    if (!data_->Modified())
        return true;
    return prompts_->confirm(LoadOverEditsQuestion, TPromptButtons::pbYesNo,
                             TPromptKind::pkDestructive)
        == TPromptAnswer::paYes;
}
