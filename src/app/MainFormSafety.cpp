// The Tools menu of the main window: the check, the comparisons with a file and with the
// panel, the communications log, and the safety net around Save All (check before, keep the
// panel's configuration, verify after).
#include "app/MainForm.h"

#include "editors/common/Page.h"
#include "editors/safety/CheckConfigurationDock.h"
#include "editors/safety/CompareDialog.h"
#include "editors/status/Status.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/Backups.h"
#include "safety/CommsTrace.h"
#include "safety/ConfigCheck.h"
#include "safety/ConfigDiff.h"
#include "safety/PanelReadBack.h"
#include "safety/SafetySettings.h"
#include "storage/ConfigFile.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr int StatusShownMs = 15000;

QAction* ToolAction(QObject* parent, const QString& caption, const QString& name)
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    QString hint = caption;
    hint.remove(QLatin1Char('&')).remove(QStringLiteral("..."));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

// Shows the named control of a page, scrolled into view and focused, with its text selected.
void FocusNamed(QWidget* page, const QString& name, bool suffix)
{
    QWidget* target = nullptr;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const QString n = w->objectName();
        if (n.isEmpty() || w->focusPolicy() == Qt::NoFocus)
            continue;
        if (n.compare(name, Qt::CaseInsensitive) == 0) {
            target = w;
            break;
        }
        if (suffix && !target && n.endsWith(name, Qt::CaseInsensitive))
            target = w;
    }
    if (!target)
        return;
    for (QWidget* p = target->parentWidget(); p && p != page->parentWidget(); p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p))
            area->ensureWidgetVisible(target);
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
}

// Shows the check's dock; under the pages, where a finding's sentence has the window's width,
// it opens tall enough for a few findings.
void ShowDock(QMainWindow* window, QDockWidget* dock)
{
    const bool opening = dock->isHidden();
    dock->show();
    dock->raise();
    if (opening && !dock->isFloating()
        && window->dockWidgetArea(dock) == Qt::BottomDockWidgetArea)
        window->resizeDocks({dock}, {window->fontMetrics().height() * 12}, Qt::Vertical);
}

} // namespace

void TMainForm::CreateSafetyTools()
{
    const TSafetySettings choices = setup_.Settings ? TSafetySettings::Load(*setup_.Settings)
                                                    : TSafetySettings::Load();

    auto* check = ToolAction(this, QStringLiteral("&Check Configuration"),
                             QStringLiteral("actCheckConfiguration"));
    check->setShortcut(QKeySequence(Qt::Key_F7));
    connect(check, &QAction::triggered, this, &TMainForm::CheckConfiguration);
    auto* withFile = ToolAction(this, QStringLiteral("Compare with &File..."),
                                QStringLiteral("actCompareWithFile"));
    connect(withFile, &QAction::triggered, this, [this] { CompareWithFile(); });
    auto* withPanel = ToolAction(this, QStringLiteral("Compare with &Panel..."),
                                 QStringLiteral("actCompareWithPanel"));
    connect(withPanel, &QAction::triggered, this, [this] { CompareWithPanel(); });
    actRecordCommsLog_ = ToolAction(this, QStringLiteral("&Record Communications Log..."),
                                    QStringLiteral("actRecordCommsLog"));
    actRecordCommsLog_->setCheckable(true);
    connect(actRecordCommsLog_, &QAction::triggered, this, [this](bool on) { RecordCommsLog(on); });

    actVerifyAfterSave_ = ToolAction(this, QStringLiteral("&Verify after saving to the panel"),
                                     QStringLiteral("actVerifyAfterSave"));
    actBackupBeforeSave_ = ToolAction(
        this, QStringLiteral("&Keep a copy of the panel's configuration before saving"),
        QStringLiteral("actBackupBeforeSave"));
    actVerifyAfterSave_->setCheckable(true);
    actVerifyAfterSave_->setChecked(choices.VerifyAfterSave);
    actBackupBeforeSave_->setCheckable(true);
    actBackupBeforeSave_->setChecked(choices.BackupBeforeSave);
    for (QAction* choice : {actVerifyAfterSave_, actBackupBeforeSave_})
        connect(choice, &QAction::toggled, this, [this] {
            TSafetySettings now;
            now.VerifyAfterSave = actVerifyAfterSave_->isChecked();
            now.BackupBeforeSave = actBackupBeforeSave_->isChecked();
            if (setup_.Settings)
                now.Save(*setup_.Settings);
            else
                now.Save();
        });

    auto* tools = new QMenu(QStringLiteral("&Tools"), this);
    tools->setObjectName(QStringLiteral("mnuTools"));
    tools->addAction(check);
    tools->addSeparator();
    tools->addActions({withFile, withPanel});
    tools->addSeparator();
    tools->addAction(actRecordCommsLog_);
    tools->addSeparator();
    tools->addActions({actVerifyAfterSave_, actBackupBeforeSave_});
    // Before Help, as menus go.
    auto* help = menuBar()->findChild<QMenu*>(QStringLiteral("mnuHelp"));
    menuBar()->insertMenu(help ? help->menuAction() : nullptr, tools);

    checkDock_ = new TCheckConfigurationDock(this);
    checkDock_->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, checkDock_);
    checkDock_->hide();
    connect(checkDock_, &TCheckConfigurationDock::CheckRequested, this, &TMainForm::CheckConfiguration);
    connect(checkDock_, &TCheckConfigurationDock::FindingActivated, this, &TMainForm::OpenFinding);

    connect(sequencer_.get(), &TTransferSequencer::Finished, this, [this](bool completed) {
        const bool verify = saveAllRunning_ && completed && actVerifyAfterSave_->isChecked();
        saveAllRunning_ = false;
        // After the window's own handling of the end, outside the port's event.
        if (verify)
            QTimer::singleShot(0, this, &TMainForm::VerifyAfterSaveAll);
    });
}

void TMainForm::CheckConfiguration()
{
    checkDock_->ShowFindings(TConfigCheck::Run(*data_, context_.MaxOutputDelay, QDate::currentDate()));
    ShowDock(this, checkDock_);
}

void TMainForm::OpenFinding(TPanelPage page, int item, const QString& field)
{
    SetActivePage(page);
    TPage* shown = Page(page);
    if (!shown)
        return;
    // The pages with one control per item or field; the loop pages, the summary and the
    // matrices open without a selection.
    if (!field.isEmpty())
        FocusNamed(shown, QStringLiteral("txt") + field, true);
    else if (page == ppZoneConfig && item > 0)
        FocusNamed(shown, QStringLiteral("txtZoneName%1").arg(item), false);
    else if (page == ppCEConfig && item > 0)
        FocusNamed(shown, QStringLiteral("cboAction%1").arg(item), false);
}

QString TMainForm::PanelPortName() const
{
    const TSigComPort& port = comms_.Port();
    return port.PortName().isEmpty() ? ComPortName(port.ComPort()) : port.PortName();
}

void TMainForm::CloseLink()
{
    // A scratch load talks on a link of its own: the window's link lets go of the port, and
    // greets the panel again on its next use.
    comms_.Close();
    comms_.HandshakeDone = false;
    comms_.HandshakeStage = 0;
}

void TMainForm::ShowComparison(const QString& caption, const QString& rightCaption,
                               const QList<TDifference>& differences)
{
    delete compare_;
    compare_ = new TCompareDialog(caption, QStringLiteral("This configuration"), rightCaption,
                                  differences, this);
    compare_->show();
    compare_->raise();
}

bool TMainForm::CompareWithFile()
{
    const QString path = AskFile(TFileQuestion::fqOpen);
    if (path.isEmpty())
        return false;
    TData other;
    if (!TConfigFile(other, *prompts_).Open(path))
        return false;
    ShowComparison(QStringLiteral("Compare with File"), QFileInfo(path).fileName(),
                   TConfigDiff::Compare(*data_, other));
    return true;
}

bool TMainForm::CompareWithPanel()
{
    if (sequencer_->Busy())
        return false;
    CloseLink();
    TData panel;
    const TPanelReadRequest request{PanelPortName(), data_->PanelNumber,
                                    trace_ && trace_->IsOpen() ? trace_.get() : nullptr};
    QString error;
    const bool read = LoadAllFromPanel(panel, request, *prompts_, *status_, &error);
    if (ActivePage() == ppViewEventLog)
        EnterTextMode();
    if (!read) {
        prompts_->error(error);
        return false;
    }
    ShowComparison(QStringLiteral("Compare with Panel"), QStringLiteral("Panel"),
                   TConfigDiff::CompareReadBack(*data_, panel));
    return true;
}

bool TMainForm::RecordCommsLog(bool record)
{
    const bool recording = trace_ && trace_->IsOpen();
    if (!record || recording || sequencer_->Busy()) {
        // A second choice stops it; the line is not changed under a running operation.
        if (recording && !sequencer_->Busy()) {
            CloseLink();
            DetachTrace(comms_.Port());
            trace_->Close();
            statusBar()->showMessage(QStringLiteral("Communications log stopped."), StatusShownMs);
        } else if (sequencer_->Busy()) {
            prompts_->warning(QStringLiteral("The communications log can be started or stopped "
                                             "when the panel operation has ended."));
        }
        const bool now = trace_ && trace_->IsOpen();
        actRecordCommsLog_->setChecked(now);
        return now;
    }
    QString path;
    if (setup_.ChooseFile)
        path = setup_.ChooseFile(TFileQuestion::fqSaveCommsLog);
    else
        path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Record Communications Log"),
            data_->FileName.isEmpty() ? QString() : QFileInfo(data_->FileName).absolutePath(),
            QStringLiteral("Text files (*.txt);;All files (*)"));
    auto trace = std::make_unique<TCommsTrace>();
    QString error;
    bool started = !path.isEmpty() && trace->Open(path, &error);
    if (started) {
        CloseLink();
        started = AttachTrace(comms_.Port(), *trace);
        if (!started)
            error = QStringLiteral("The port %1 could not be found.").arg(PanelPortName());
    }
    if (!error.isEmpty())
        prompts_->error(QStringLiteral("The communications log could not be started: ") + error);
    if (started) {
        trace_ = std::move(trace);
        statusBar()->showMessage(QStringLiteral("Recording the communications log in %1.")
                                     .arg(QDir::toNativeSeparators(path)),
                                 StatusShownMs);
    }
    actRecordCommsLog_->setChecked(started);
    if (ActivePage() == ppViewEventLog)
        EnterTextMode();
    return started;
}

bool TMainForm::BeforeSaveAll()
{
    sentCopyPath_.clear();
    // The sequencer refuses a second operation in its own words.
    if (sequencer_->Busy())
        return true;
    const QList<TFinding> findings =
        TConfigCheck::Run(*data_, context_.MaxOutputDelay, QDate::currentDate());
    if (TConfigCheck::HasErrors(findings)) {
        checkDock_->ShowFindings(findings);
        ShowDock(this, checkDock_);
        if (!ConfirmSaveWithErrors(*prompts_, findings))
            return false;
    }
    // The file sent is always kept beside the configuration; the panel's configuration only
    // when asked for. A configuration never saved has no folder of its own: its copies go to
    // the documents folder, and only when they were asked for.
    if (data_->FileName.isEmpty() && !actBackupBeforeSave_->isChecked())
        return true;
    const QString folder = data_->FileName.isEmpty()
        ? QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
              .filePath(QStringLiteral("ZOL Tools backups"))
        : Backups::DefaultFolder(data_->FileName);
    const QString site = Backups::SiteName(*data_);
    const QDateTime now = QDateTime::currentDateTime();
    if (actBackupBeforeSave_->isChecked()) {
        CloseLink();
        TData panel;
        const TPanelReadRequest request{PanelPortName(), data_->PanelNumber,
                                        trace_ && trace_->IsOpen() ? trace_.get() : nullptr};
        QString error;
        const QString path = Backups::FilePath(folder, site, data_->PanelNumber, now);
        if (!LoadAllFromPanel(panel, request, *prompts_, *status_, &error)
            || !Backups::Write(panel, path, &error)) {
            prompts_->error(error + QStringLiteral("\nThe panel's configuration could not be "
                                                   "kept before saving: nothing was sent."));
            return false;
        }
        statusBar()->showMessage(QStringLiteral("The panel's configuration was kept as %1.")
                                     .arg(QDir::toNativeSeparators(path)),
                                 StatusShownMs);
    }
    sentCopyPath_ = Backups::FilePath(folder, site, data_->PanelNumber, now, Backups::SentSuffix);
    return true;
}

void TMainForm::SaveAllStarted()
{
    saveAllRunning_ = sequencer_->Busy();
    if (sentCopyPath_.isEmpty())
        return;
    // Kept only for a Save All that goes ahead; the copy is a convenience, not a condition.
    QString error;
    if (!Backups::Write(*data_, sentCopyPath_, &error))
        prompts_->warning(error);
    sentCopyPath_.clear();
}

void TMainForm::VerifyAfterSaveAll()
{
    if (sequencer_->Busy())
        return;
    CloseLink();
    const TPanelReadRequest request{PanelPortName(), data_->PanelNumber,
                                    trace_ && trace_->IsOpen() ? trace_.get() : nullptr};
    QList<TDifference> differences;
    QString error;
    const bool read = VerifyPanel(*data_, request, *prompts_, *status_, differences, &error);
    if (ActivePage() == ppViewEventLog)
        EnterTextMode();
    if (!read)
        prompts_->error(QStringLiteral("The configuration was saved but could not be read back "
                                       "to verify it: ")
                        + error);
    else if (!differences.isEmpty())
        prompts_->error(TConfigDiff::VerifyFailedText(differences));
    else
        statusBar()->showMessage(QStringLiteral("Verified: the panel holds what was sent."),
                                 StatusShownMs);
}
