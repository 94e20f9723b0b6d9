// The Tools menu of the main window: the check, the comparisons with a file and with the
// panel, the communications log, and the safety net around Save All.
#include "app/SafetyTools.h"

#include "app/PanelSession.h"
#include "editors/common/Page.h"
#include "editors/safety/CheckConfigurationDock.h"
#include "editors/safety/CompareDialog.h"
#include "editors/site/Captions.h"
#include "editors/status/Status.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/ConfigCheck.h"
#include "safety/ConfigDiff.h"
#include "safety/SafetySettings.h"
#include "safety/SaveAllWorkflow.h"
#include "safety/SaveChangesWorkflow.h"
#include "storage/ConfigFile.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTimer>

namespace {

QAction* ToolAction(QObject* parent, const QString& caption, const QString& name)
{
    auto* action = new QAction(caption, parent);
    action->setObjectName(name);
    QString hint = PlainCaption(caption);
    hint.remove(QStringLiteral("..."));
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

TSafetyTools::TSafetyTools(TSetup setup) : QObject(&setup.Window), setup_(std::move(setup))
{
    QMainWindow* window = &setup_.Window;
    const TSafetySettings choices = setup_.Settings ? TSafetySettings::Load(*setup_.Settings)
                                                    : TSafetySettings::Load();

    auto* check = actCheck_ = ToolAction(window, QStringLiteral("&Check Configuration"),
                                         QStringLiteral("actCheckConfiguration"));
    check->setShortcut(QKeySequence(Qt::Key_F7));
    connect(check, &QAction::triggered, this, &TSafetyTools::CheckConfiguration);
    auto* withFile = actCompareWithFile_ = ToolAction(window, QStringLiteral("Compare with &File..."),
                                                      QStringLiteral("actCompareWithFile"));
    connect(withFile, &QAction::triggered, this, [this] { CompareWithFile(); });
    actCompareWithPanel_ = ToolAction(window, QStringLiteral("Compare with &Panel..."),
                                      QStringLiteral("actCompareWithPanel"));
    connect(actCompareWithPanel_, &QAction::triggered, this, [this] { CompareWithPanel(); });
    actRecordCommsLog_ = ToolAction(window, QStringLiteral("&Record Communications Log..."),
                                    QStringLiteral("actRecordCommsLog"));
    actRecordCommsLog_->setCheckable(true);
    connect(actRecordCommsLog_, &QAction::triggered, this, [this](bool on) { RecordCommsLog(on); });

    actVerifyAfterSave_ = ToolAction(window, QStringLiteral("&Verify after saving to the panel"),
                                     QStringLiteral("actVerifyAfterSave"));
    actBackupBeforeSave_ = ToolAction(
        window, QStringLiteral("&Keep a copy of the panel's configuration before saving"),
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

    auto* tools = new QMenu(QStringLiteral("&Tools"), window);
    tools->setObjectName(QStringLiteral("mnuTools"));
    tools->addAction(check);
    tools->addSeparator();
    tools->addActions({withFile, actCompareWithPanel_});
    tools->addSeparator();
    tools->addAction(actRecordCommsLog_);
    tools->addSeparator();
    tools->addActions({actVerifyAfterSave_, actBackupBeforeSave_});
    // Before Help, as menus go.
    auto* help = window->menuBar()->findChild<QMenu*>(QStringLiteral("mnuHelp"));
    window->menuBar()->insertMenu(help ? help->menuAction() : nullptr, tools);

    checkDock_ = new TCheckConfigurationDock(window);
    checkDock_->setAllowedAreas(Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    window->addDockWidget(Qt::BottomDockWidgetArea, checkDock_);
    checkDock_->hide();
    connect(checkDock_, &TCheckConfigurationDock::CheckRequested, this, &TSafetyTools::CheckConfiguration);
    connect(checkDock_, &TCheckConfigurationDock::FindingActivated, this, &TSafetyTools::OpenFinding);
    connect(&setup_.Session, &TPanelSession::TransferEnded, this, &TSafetyTools::TransferEnded);
}

TSafetyTools::~TSafetyTools() = default;

TData& TSafetyTools::Data() const
{
    return setup_.Context.Data;
}

void TSafetyTools::CheckConfiguration()
{
    checkDock_->ShowFindings(
        TConfigCheck::Run(Data(), setup_.Context.MaxOutputDelay, QDate::currentDate()));
    ShowDock(&setup_.Window, checkDock_);
}

void TSafetyTools::OpenFinding(TPanelPage page, int item, const QString& field)
{
    TPage* shown = setup_.ShowPage(page);
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

void TSafetyTools::ShowComparison(const QString& caption, const QString& rightCaption,
                                  const QList<TDifference>& differences)
{
    delete compare_;
    compare_ = new TCompareDialog(caption, QStringLiteral("This configuration"), rightCaption,
                                  differences, &setup_.Window);
    compare_->show();
    compare_->raise();
}

bool TSafetyTools::CompareWithFile()
{
    const QString path = setup_.AskConfigFile();
    if (path.isEmpty())
        return false;
    TData other;
    if (!TConfigFile(other, setup_.Context.Prompts).Open(path))
        return false;
    ShowComparison(QStringLiteral("Compare with File"), QFileInfo(path).fileName(),
                   TConfigDiff::Compare(Data(), other));
    return true;
}

bool TSafetyTools::CompareWithPanel()
{
    if (setup_.RefusedWhileBusy(QStringLiteral("Compare with Panel")))
        return false;
    TData panel;
    QString error;
    if (!setup_.Session.ReadPanel(panel, &error)) {
        setup_.Context.Prompts.error(error);
        return false;
    }
    ShowComparison(QStringLiteral("Compare with Panel"), QStringLiteral("Panel"),
                   TConfigDiff::CompareReadBack(Data(), panel));
    return true;
}

bool TSafetyTools::RecordCommsLog(bool record)
{
    const bool now = setup_.Session.RecordCommsLog(record);
    actRecordCommsLog_->setChecked(now);
    return now;
}

// The Save All workflow with the window's choices; it reads the panel on a link of its own.
std::unique_ptr<TSaveAllWorkflow> TSafetyTools::MakeSaveAll()
{
    TSaveAllPolicy policy;
    policy.BackupPanel = actBackupBeforeSave_->isChecked();
    policy.Verify = actVerifyAfterSave_->isChecked();
    policy.MaxOutputDelay = setup_.Context.MaxOutputDelay;
    auto workflow = std::make_unique<TSaveAllWorkflow>(
        Data(), policy,
        [this](TData& scratch, QString* error) { return setup_.Session.ReadPanel(scratch, error); });
    workflow->ConfirmErrors = [this](const QList<TFinding>& findings) { return ConfirmErrors(findings); };
    return workflow;
}

bool TSafetyTools::ConfirmErrors(const QList<TFinding>& findings)
{
    checkDock_->ShowFindings(findings);
    ShowDock(&setup_.Window, checkDock_);
    return ConfirmSaveWithErrors(setup_.Context.Prompts, findings);
}

bool TSafetyTools::SaveChanges()
{
    TTransferSequencer& sequencer = setup_.Session.Sequencer();
    if (sequencer.Busy())
        return false;
    TSaveChangesPolicy policy;
    policy.MaxOutputDelay = setup_.Context.MaxOutputDelay;
    auto workflow = std::make_unique<TSaveChangesWorkflow>(Data(), policy);
    workflow->ConfirmErrors = [this](const QList<TFinding>& findings) { return ConfirmErrors(findings); };
    const TSaveChangesStep step = workflow->Prepare();
    if (step == TSaveChangesStep::NoProvenState)
        OfferSaveAll(workflow->Message());
    if (step != TSaveChangesStep::Ready)
        return false;
    saveChanges_ = std::move(workflow);
    const bool started = sequencer.SaveChanges(saveChanges_->Setup());
    if (!started)
        saveChanges_.reset();
    return started;
}

// Save Changes cannot go on: Yes starts Save All as its own command does.
void TSafetyTools::OfferSaveAll(const QString& why)
{
    if (setup_.Context.Prompts.confirm(why + QStringLiteral("\n\n") + UseSaveAllText
                                           + QStringLiteral(" Save All to the panel now?"),
                                       TPromptButtons::pbYesNo, TPromptKind::pkConfirmation)
        != TPromptAnswer::paYes)
        return;
    if (auto* saveAll = setup_.Window.findChild<QAction*>(QStringLiteral("actSaveAllToPanel")))
        saveAll->trigger();
}

void TSafetyTools::SaveChangesEnded(const TTransferResult& result)
{
    std::shared_ptr<TSaveChangesWorkflow> workflow(saveChanges_.release());
    if (result.Outcome == TTransferOutcome::NotStarted)
        return;
    // Outside the port's event: a question may start Save All.
    QTimer::singleShot(0, this, [this, workflow, result] {
        workflow->Finish(result);
        if (!workflow->ProblemText().isEmpty())
            setup_.Context.Prompts.warning(workflow->ProblemText());
        setup_.ShowStatus(workflow->Message());
        if (workflow->Succeeded())
            setup_.Context.Prompts.information(workflow->Message());
        else if (workflow->OffersSaveAll() && !setup_.Session.Busy())
            OfferSaveAll(workflow->Message());
        // Any other end was told by the transfer itself, partly saved or not.
    });
}

bool TSafetyTools::SaveAll()
{
    TTransferSequencer& sequencer = setup_.Session.Sequencer();
    // The sequencer refuses a second operation in its own words.
    if (!sequencer.Busy()) {
        saveAll_ = MakeSaveAll();
        const TSaveAllStep step = saveAll_->Prepare();
        if (step != TSaveAllStep::Ready) {
            if (step == TSaveAllStep::BackupFailed)
                setup_.Context.Prompts.error(saveAll_->Message());
            saveAll_.reset();
            return false;
        }
        if (!saveAll_->BackupPath().isEmpty())
            setup_.ShowStatus(QStringLiteral("The panel's configuration was kept as %1.")
                                  .arg(QDir::toNativeSeparators(saveAll_->BackupPath())));
    }
    const bool started = sequencer.SaveAll();
    if (started && saveAll_) {
        // Kept only for a Save All that goes ahead; the copy is a convenience, not a condition.
        QString error;
        if (!saveAll_->KeepSentCopy(&error))
            setup_.Context.Prompts.warning(error);
    } else if (!started) {
        saveAll_.reset();
    }
    return started;
}

// A Save All of this window ended: verified (outside the port's event) and reported.
void TSafetyTools::TransferEnded(const TTransferResult& result)
{
    if (saveChanges_)
        SaveChangesEnded(result);
    if (!saveAll_)
        return;
    std::shared_ptr<TSaveAllWorkflow> workflow(saveAll_.release());
    // Nothing reached the panel: nothing to verify or record.
    if (!result.Completed() && !result.PartlySaved)
        return;
    QTimer::singleShot(0, this, [this, workflow, result] {
        if (result.Completed() && setup_.Session.Busy())
            return;
        // The read-back of the verify shows as its own phase of the same operation.
        setup_.Session.StatusWindow().SetPhase(QStringLiteral("Verifying"));
        workflow->Finish(result);
        setup_.Session.StatusWindow().SetPhase(QString());
        if (!workflow->RecordError().isEmpty())
            setup_.Context.Prompts.warning(
                QStringLiteral("The change record was not written:\n%1").arg(workflow->RecordError()));
        if (!workflow->ProvenStateError().isEmpty())
            setup_.Context.Prompts.warning(workflow->ProvenStateError());
        if (!result.Completed())
            return;
        if (workflow->Succeeded()) {
            setup_.ShowStatus(workflow->Message());
            setup_.Context.Prompts.information(workflow->Message());
        } else {
            setup_.Context.Prompts.error(workflow->Message());
        }
    });
}

std::vector<std::pair<QAction*, TWindowCommand>> TSafetyTools::Commands() const
{
    using C = TWindowCommand;
    return {{actCheck_, C::wcCheckConfiguration},   {actCompareWithFile_, C::wcCompareWithFile},
            {actCompareWithPanel_, C::wcCompareWithPanel}, {actRecordCommsLog_, C::wcRecordCommsLog},
            {actVerifyAfterSave_, C::wcSaveChoices},   {actBackupBeforeSave_, C::wcSaveChoices}};
}
