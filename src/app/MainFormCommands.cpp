// The file, panel, protocol and help commands of the main window, and its close query.
#include "app/MainForm.h"

#include "editors/print/PrinterSetup.h"

#include "app/HelpWindow.h"
#include "app/UndoHistory.h"
#include "editors/common/Page.h"
#include "editors/log/EventLogPage.h"
#include "editors/status/AboutBox.h"
#include "editors/status/CommSelect.h"
#include "editors/status/Status.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "sim/DemoPanel.h"
#include "comms/SerialDeviceFactory.h"
#include "safety/CommsTrace.h"
#include "storage/CommentsFile.h"
#include "storage/ConfigFile.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTimer>

QString TMainForm::AskFile(TFileQuestion question)
{
    if (setup_.ChooseFile)
        return setup_.ChooseFile(question);
    QFileDialog dialog(this);
    const bool log = question == TFileQuestion::fqOpenLog || question == TFileQuestion::fqSaveLog;
    const bool save = question == TFileQuestion::fqSave || question == TFileQuestion::fqSaveLog;
    dialog.setNameFilters({log ? EventLogFilter : ConfigFileFilter, AllFilesFilter});
    dialog.setDefaultSuffix(log ? QStringLiteral("log") : QStringLiteral("QEM"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (question == TFileQuestion::fqSaveLog)
        dialog.setWindowTitle(SaveEventLogTitle);
    else if (question == TFileQuestion::fqOpenLog)
        dialog.setWindowTitle(LoadEventLogTitle);
    else
        dialog.setWindowTitle(save ? QStringLiteral("Save As") : QStringLiteral("Open"));
    if (!data_->FileName.isEmpty() && !log)
        dialog.setDirectory(QFileInfo(data_->FileName).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool TMainForm::FileNew()
{
    if (prompts_->confirm(NewConfigurationQuestion, TPromptButtons::pbYesNo) != TPromptAnswer::paYes)
        return false;
    data_->FileName.clear();
    data_->ResetToNew();
    SetModified(false);
    RefreshAllPages();
    undo_->Reset();
    return true;
}

bool TMainForm::FileOpen()
{
    const QString path = AskFile(TFileQuestion::fqOpen);
    return !path.isEmpty() && OpenFile(path);
}

bool TMainForm::OpenFile(const QString& path)
{
    if (sequencer_->Busy())
        return false;
    TConfigFile file(*data_, *prompts_);
    status_->ShowMessage(LoadingFromDiskText);
    const bool opened = file.Open(path);
    status_->Close();
    if (opened) {
        SetModified(false);
        undo_->Reset();
        RememberFile(data_->FileName);
    }
    UpdateTitle();
    return opened;
}

bool TMainForm::FileSave()
{
    pages_->setFocus();
    if (!data_->AccessCodesValid)
        return false;
    if (data_->FileName.isEmpty())
        return FileSaveAs();
    TConfigFile file(*data_, *prompts_);
    const bool saved = file.Save();
    if (saved)
        RememberFile(data_->FileName);
    UpdateTitle();
    return saved;
}

bool TMainForm::FileSaveAs()
{
    pages_->setFocus();
    if (!data_->AccessCodesValid)
        return false;
    const QString path = AskFile(TFileQuestion::fqSave);
    if (path.isEmpty())
        return false;
    TConfigFile file(*data_, *prompts_);
    const bool saved = file.SaveAs(path);
    if (saved)
        RememberFile(data_->FileName);
    UpdateTitle();
    return saved;
}

void TMainForm::Print()
{
    pages_->setFocus();
    if (data_->AccessCodesValid && openPrintSelection_)
        openPrintSelection_();
}

void TMainForm::PrinterProperties()
{
    ShowPrinterProperties(this);
}

bool TMainForm::LoadAll()
{
    return sequencer_->LoadAll();
}

bool TMainForm::SaveAll()
{
    if (!BeforeSaveAll())
        return false;
    const bool started = sequencer_->SaveAll();
    if (started)
        SaveAllStarted();
    return started;
}

bool TMainForm::LoadPage()
{
    return sequencer_->LoadPage();
}

bool TMainForm::SavePage()
{
    return sequencer_->SavePage();
}

void TMainForm::TransferFinished()
{
    UpdateTitle();
    // Not from inside the port's own event: the port is closed and reopened here.
    QTimer::singleShot(0, this, [this] {
        if (sequencer_->Busy())
            return;
        if (pendingPort_ != 0) {
            SelectComPort(pendingPort_);
            pendingPort_ = 0;
        }
        // An operation that ran while the event log was shown hands the line back to text.
        if (ActivePage() == ppViewEventLog)
            EnterTextMode();
    });
}

void TMainForm::Disconnect()
{
    // Closing the port under a running operation would leave it waiting for ever: it is
    // cancelled first, with the usual question.
    if (sequencer_->Busy()) {
        sequencer_->CancelRequested();
        if (sequencer_->Busy())
            return;
    }
    sequencer_->Disconnect();
}

void TMainForm::SelectSerialPort()
{
    commSelect_->Reload();
    if (commSelect_->exec() != QDialog::Accepted)
        return;
    // A running operation keeps its port; the new one is taken when it ends.
    if (sequencer_->Busy())
        pendingPort_ = commSelect_->Choice();
    else
        SelectComPort(commSelect_->Choice());
}

void TMainForm::SelectComPort(int port)
{
    port = qBound(1, port, TCommSelectForm::Choices);
    comms_.Close();
    comms_.HandshakeDone = false;
    comms_.HandshakeStage = 0;
    comms_.SetComPort(static_cast<TComPortNumber>(port - 1));
    const QString device = portSettings_->ResolvePortName(QStringLiteral("COM%1").arg(port));
    if (device.compare(TPortSettings::DemoPort, Qt::CaseInsensitive) == 0 && !HasDemoPanel())
        RegisterDemoPanel();
    comms_.Port().SetPortName(device);
    // A communications log being recorded follows the link to its new port.
    if (trace_ && trace_->IsOpen())
        AttachTrace(comms_.Port(), *trace_);
}

bool TMainForm::SwitchProtocol(TSystemType type)
{
    if (prompts_->confirm(SwitchProtocolQuestion(type), TPromptButtons::pbYesNo)
        != TPromptAnswer::paYes) {
        FollowProtocol();
        return false;
    }
    data_->SwitchProtocol(type);
    ApplyProtocol();
    RefreshAllPages();
    undo_->Reset();
    return true;
}

void TMainForm::ApplyProtocol()
{
    const TPanelPage active = ActivePage();
    shownProtocol_ = data_->SystemType();
    for (TPage* p : page_)
        if (p)
            p->ProtocolApplied();
    data_->ResetToNew();
    FollowProtocol();
    SetActivePage(active);
}

void TMainForm::HelpContents()
{
    help_->ShowContext(helpContext_);
}

void TMainForm::About()
{
    about_->SetVersion(VersionLine);
    about_->exec();
}

void TMainForm::ClearLog()
{
    eventLog_->ClearDisplay();
}

void TMainForm::LoadLog()
{
    const QString path = AskFile(TFileQuestion::fqOpenLog);
    if (!path.isEmpty())
        eventLog_->LoadFromFile(path);
}

void TMainForm::SaveLog()
{
    const QString path = AskFile(TFileQuestion::fqSaveLog);
    if (!path.isEmpty())
        eventLog_->SaveToFile(path);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    SaveLayout();
    if (!data_->Modified()) {
        event->accept();
        return;
    }
    switch (prompts_->confirm(QStringLiteral("Configuration is not saved. Do you wish to save it now?"),
                              TPromptButtons::pbYesNoCancel)) {
    case TPromptAnswer::paYes:
        // A save that did not happen (dialog cancelled, write failed) keeps the window open,
        // so the configuration is not lost.
        if (FileSave())
            event->accept();
        else
            event->ignore();
        return;
    case TPromptAnswer::paNo: event->accept(); return;
    default: event->ignore(); return;
    }
}
