#include "safety/SaveAllWorkflow.h"

#include "model/Data.h"
#include "safety/Backups.h"

#include <QDir>
#include <QStandardPaths>

TSaveAllWorkflow::TSaveAllWorkflow(const TData& data, TSaveAllPolicy policy, TReadPanel readPanel)
    : data_(data), policy_(std::move(policy)), readPanel_(std::move(readPanel))
{
}

QString TSaveAllWorkflow::Folder() const
{
    if (!policy_.Folder.isEmpty())
        return policy_.Folder;
    if (data_.FileName.isEmpty())
        return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
            .filePath(QStringLiteral("ZOL Tools backups"));
    return Backups::DefaultFolder(data_.FileName);
}

TSaveAllStep TSaveAllWorkflow::Prepare()
{
    clock_.start();
    started_ = QDateTime::currentDateTime();
    message_.clear();
    findings_ = TConfigCheck::Run(data_, policy_.MaxOutputDelay, started_.date());
    if (TConfigCheck::HasErrors(findings_) && !policy_.Force
        && !(ConfirmErrors && ConfirmErrors(findings_))) {
        message_ = QStringLiteral("The check found errors: nothing was sent.");
        return TSaveAllStep::RefusedByCheck;
    }
    const QString site = Backups::SiteName(data_);
    const int panelNumber = policy_.Panel > 0 ? policy_.Panel : data_.PanelNumber;
    if (policy_.BackupPanel) {
        TData panel;
        QString error;
        const QString path = Backups::FilePath(Folder(), site, panelNumber, started_);
        if (!readPanel_ || !readPanel_(panel, &error) || !Backups::Write(panel, path, &error)) {
            message_ = error + QStringLiteral("\nThe panel's configuration could not be kept "
                                              "before saving: nothing was sent.");
            return TSaveAllStep::BackupFailed;
        }
        backupPath_ = path;
    }
    // A configuration never saved keeps its copies only when a backup was asked for.
    if (!data_.FileName.isEmpty() || policy_.BackupPanel || !policy_.Folder.isEmpty())
        sentPath_ = Backups::FilePath(Folder(), site, panelNumber, started_,
                                      Backups::SentSuffix);
    return TSaveAllStep::Ready;
}

bool TSaveAllWorkflow::KeepSentCopy(QString* error)
{
    return sentPath_.isEmpty() || Backups::Write(data_, sentPath_, error);
}

void TSaveAllWorkflow::Finish(const TTransferResult& result)
{
    result_ = result;
    if (!result.Completed()) {
        message_ = result.PartlySaved
            ? QStringLiteral("Save All did not complete: the panel holds part old, part new data.")
            : QStringLiteral("Save All did not complete.");
        return;
    }
    const double seconds = double(clock_.elapsed()) / 1000.0;
    message_ = QStringLiteral("Save All completed in %1 s").arg(seconds, 0, 'f', 0);
    if (!policy_.Verify) {
        message_ += QLatin1Char('.');
        return;
    }
    TData readBack;
    QString error;
    if (!readPanel_ || !readPanel_(readBack, &error)) {
        readBackFailed_ = true;
        message_ = QStringLiteral("The configuration was saved but could not be read back to "
                                  "verify it: ")
            + error;
        return;
    }
    differences_ = TConfigDiff::CompareReadBack(data_, readBack);
    verified_ = differences_.isEmpty();
    message_ = verified_ ? message_ + QStringLiteral("; verified: the panel holds what was sent.")
                         : TConfigDiff::VerifyFailedText(differences_);
}

bool TSaveAllWorkflow::Succeeded() const
{
    return result_.Completed() && (!policy_.Verify || verified_);
}
