#include "app/DocumentController.h"

#include "app/RecentFiles.h"
#include "editors/log/EventLogPage.h"
#include "editors/site/SiteConfigPage.h"
#include "editors/status/Status.h"
#include "model/Data.h"
#include "storage/CommentsFile.h"
#include "storage/ConfigFile.h"
#include "storage/Prompts.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

TDocumentController::TDocumentController(TSetup setup)
    : QObject(setup.Window), setup_(std::move(setup)),
      recent_(std::make_unique<TRecentFiles>(setup_.Settings))
{
}

TDocumentController::~TDocumentController() = default;

QString TDocumentController::AskFile(TFileQuestion question)
{
    if (setup_.ChooseFile)
        return setup_.ChooseFile(question);
    if (question == TFileQuestion::fqSaveCommsLog)
        return QFileDialog::getSaveFileName(
            setup_.Window, QStringLiteral("Record Communications Log"),
            setup_.Data.FileName.isEmpty() ? QString() : QFileInfo(setup_.Data.FileName).absolutePath(),
            QStringLiteral("Text files (*.txt);;All files (*)"));
    QFileDialog dialog(setup_.Window);
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
    if (!setup_.Data.FileName.isEmpty() && !log)
        dialog.setDirectory(QFileInfo(setup_.Data.FileName).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool TDocumentController::New()
{
    if (setup_.RefusedWhileBusy(QStringLiteral("New")))
        return false;
    if (setup_.Prompts.confirm(NewConfigurationQuestion, TPromptButtons::pbYesNo,
                               TPromptKind::pkDestructive)
        != TPromptAnswer::paYes)
        return false;
    setup_.Data.FileName.clear();
    setup_.Data.ResetToNew();
    emit Replaced(false);
    emit FileChanged();
    return true;
}

bool TDocumentController::Open()
{
    if (setup_.RefusedWhileBusy(QStringLiteral("Open")))
        return false;
    const QString path = AskFile(TFileQuestion::fqOpen);
    return !path.isEmpty() && OpenFile(path);
}

bool TDocumentController::OpenFile(const QString& path)
{
    if (setup_.RefusedWhileBusy(QStringLiteral("Open")))
        return false;
    TConfigFile file(setup_.Data, setup_.Prompts);
    setup_.Status.ShowMessage(LoadingFromDiskText);
    const bool opened = file.Open(path);
    setup_.Status.Close();
    if (opened) {
        Remember(setup_.Data.FileName);
        emit Replaced(true);
    }
    emit FileChanged();
    return opened;
}

bool TDocumentController::Save()
{
    if (setup_.SettleFocus)
        setup_.SettleFocus();
    if (!CodesAllowSave())
        return false;
    if (setup_.Data.FileName.isEmpty())
        return SaveAs();
    const bool saved = TConfigFile(setup_.Data, setup_.Prompts).Save();
    if (saved)
        Remember(setup_.Data.FileName);
    emit FileChanged();
    return saved;
}

bool TDocumentController::SaveAs()
{
    if (setup_.SettleFocus)
        setup_.SettleFocus();
    if (!CodesAllowSave())
        return false;
    const QString path = AskFile(TFileQuestion::fqSave);
    if (path.isEmpty())
        return false;
    const bool saved = TConfigFile(setup_.Data, setup_.Prompts).SaveAs(path);
    if (saved)
        Remember(setup_.Data.FileName);
    emit FileChanged();
    return saved;
}

bool TDocumentController::CodesAllowSave()
{
    if (setup_.Data.AccessCodesValid())
        return true;
    // A field left with a bad code says so itself; codes that came back with an undo, or
    // from a file, are named here.
    const auto* site = setup_.Window ? setup_.Window->findChild<TfrmSiteConfig*>() : nullptr;
    if (!(site && site->FieldCheckFailing()))
        setup_.Prompts.error(QStringLiteral("The configuration was not saved. ")
                             + setup_.Data.AccessCodeCheck().Message);
    return false;
}

bool TDocumentController::OpenRecent(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        recent_->Remove(path);
        ShowRecentFiles(recentMenu_, recentEnd_);
        setup_.Prompts.error(RecentFileGoneMessage(path));
        return false;
    }
    return OpenFile(path);
}

bool TDocumentController::MayClose()
{
    if (!setup_.Data.Modified())
        return true;
    switch (setup_.Prompts.confirm(
        QStringLiteral("Configuration is not saved. Do you wish to save it now?"),
        TPromptButtons::pbYesNoCancel)) {
    // A save that did not happen (dialog cancelled, write failed) keeps the window open, so
    // the configuration is not lost.
    case TPromptAnswer::paYes: return Save();
    case TPromptAnswer::paNo: return true;
    default: return false;
    }
}

void TDocumentController::Remember(const QString& path)
{
    recent_->Add(path);
    ShowRecentFiles(recentMenu_, recentEnd_);
}

void TDocumentController::ShowRecentFiles(QMenu* menu, QAction* before)
{
    recentMenu_ = menu;
    recentEnd_ = before;
    if (!menu)
        return;
    qDeleteAll(recentActions_);
    recentActions_.clear();
    const QStringList files = recent_->Files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        auto* a = new QAction(RecentFileCaption(i + 1, path), menu);
        a->setObjectName(QStringLiteral("actRecentFile%1").arg(i + 1));
        a->setStatusTip(path);
        a->setEnabled(recentEnabled_);
        connect(a, &QAction::triggered, this, [this, path] { OpenRecent(path); });
        menu->insertAction(before, a);
        recentActions_.append(a);
    }
    before->setVisible(!files.isEmpty());
}

void TDocumentController::ConnectEventLog(QAction& load, QAction& save, TfrmEventLog& log)
{
    connect(&load, &QAction::triggered, &log, [this, &log] {
        if (const QString path = AskFile(TFileQuestion::fqOpenLog); !path.isEmpty())
            log.LoadFromFile(path);
    });
    connect(&save, &QAction::triggered, &log, [this, &log] {
        if (const QString path = AskFile(TFileQuestion::fqSaveLog); !path.isEmpty())
            log.SaveToFile(path);
    });
}

void TDocumentController::EnableRecentFiles(bool enabled)
{
    recentEnabled_ = enabled;
    for (QAction* a : recentActions_)
        a->setEnabled(enabled);
}
