#include "safety/SaveAllWorkflow.h"

#include "model/Data.h"
#include "safety/Backups.h"
#include "safety/ChangeRecord.h"

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
        before_ = std::make_unique<TData>();
        before_->AssignContent(panel);
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
        if (result.PartlySaved)
            RecordChange();
        return;
    }
    const double seconds = double(clock_.elapsed()) / 1000.0;
    message_ = QStringLiteral("Save All completed in %1 s").arg(seconds, 0, 'f', 0);
    if (!policy_.Verify) {
        message_ += QLatin1Char('.');
        RecordChange();
        return;
    }
    TData readBack;
    QString error;
    if (!readPanel_ || !readPanel_(readBack, &error)) {
        readBackFailed_ = true;
        message_ = QStringLiteral("The configuration was saved but could not be read back to "
                                  "verify it: ")
            + error;
        RecordChange();
        return;
    }
    differences_ = TConfigDiff::CompareReadBack(data_, readBack);
    verified_ = differences_.isEmpty();
    message_ = verified_ ? message_ + QStringLiteral("; verified: the panel holds what was sent.")
                         : TConfigDiff::VerifyFailedText(differences_);
    RecordChange();
}

bool TSaveAllWorkflow::Succeeded() const
{
    return result_.Completed() && (!policy_.Verify || verified_);
}

QString TSaveAllWorkflow::RecordedConfiguration() const
{
    if (!data_.FileName.isEmpty())
        return data_.FileName;
    return QDir(Folder()).filePath(Backups::SiteName(data_) + QStringLiteral(".QEM"));
}

// What the panel held before: the backup read just now, else the copy sent at the last
// record, else the configuration as saved on disk.
void TSaveAllWorkflow::RecordChange()
{
    const QString configuration = RecordedConfiguration();
    TChangeEntry entry;
    entry.When = started_;
    entry.Panel = policy_.Panel > 0 ? policy_.Panel : data_.PanelNumber;
    entry.Engineer = data_.SiteConfig.Engineer;
    entry.Configuration = QDir::toNativeSeparators(configuration);
    entry.SentCopy = QDir::toNativeSeparators(sentPath_);
    entry.Verified = verified_;
    entry.PartlySaved = !result_.Completed();

    QList<TChangeEntry> earlier;
    QString error;
    TData before;
    if (before_) {
        entry.Baseline = QStringLiteral("the panel's backup");
        entry.Differences = TConfigDiff::Compare(*before_, data_);
    } else if (ChangeRecord::Read(configuration, earlier, &error) && !earlier.isEmpty()
               && Backups::Read(QDir::fromNativeSeparators(earlier.last().SentCopy), before, &error)) {
        entry.Baseline = QStringLiteral("the last record");
        entry.Differences = TConfigDiff::Compare(before, data_);
    } else if (!data_.FileName.isEmpty() && Backups::Read(data_.FileName, before, &error)) {
        entry.Baseline = QStringLiteral("the saved file");
        entry.Differences = TConfigDiff::Compare(before, data_);
    } else {
        entry.Baseline = QStringLiteral("nothing (first record)");
    }
    recordError_.clear();
    if (ChangeRecord::Append(configuration, entry, &recordError_))
        recordPath_ = ChangeRecord::CsvPath(configuration);
}
