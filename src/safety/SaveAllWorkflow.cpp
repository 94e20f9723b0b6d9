#include "safety/SaveAllWorkflow.h"

#include "model/Data.h"
#include "safety/Backups.h"
#include "safety/ChangeRecord.h"
#include "safety/ProvenState.h"

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
        const QString path = Backups::UniqueFilePath(Folder(), site, panelNumber, started_);
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
        sentPath_ = Backups::UniqueFilePath(Folder(), site, panelNumber, started_,
                                            Backups::SentSuffix);
    return TSaveAllStep::Ready;
}

bool TSaveAllWorkflow::KeepSentCopy(QString* error)
{
    // The sending starts now: its time runs from here, whatever the questions before took.
    clock_.start();
    QString reason;
    if (sentPath_.isEmpty() || Backups::Write(data_, sentPath_, &reason))
        return true;
    if (error)
        *error = QStringLiteral("The copy of what is sent could not be kept as %1 (%2); the "
                                "Save All goes on.")
                     .arg(QDir::toNativeSeparators(sentPath_), reason);
    sentPath_.clear();
    return false;
}

namespace {

QString Seconds(qint64 ms)
{
    return QStringLiteral("%1 s").arg(double(ms) / 1000.0, 0, 'f', 1);
}

} // namespace

QString TSaveAllWorkflow::Durations() const
{
    if (verifyMs_ < 0)
        return Seconds(writesMs_);
    return QStringLiteral("%1 (writes %2, verify %3)")
        .arg(Seconds(writesMs_ + verifyMs_), Seconds(writesMs_), Seconds(verifyMs_));
}

void TSaveAllWorkflow::Finish(const TTransferResult& result)
{
    result_ = result;
    const int panel = policy_.Panel > 0 ? policy_.Panel : data_.PanelNumber;
    // Until the verify proves it, the panel may differ from its proven state anywhere.
    if (result.Wrote)
        ProvenState::MarkUnsettled(data_.FileName, panel, &provenError_);
    if (!result.Completed()) {
        message_ = result.PartlySaved
            ? QStringLiteral("Save All did not complete: the panel holds part old, part new data.")
            : QStringLiteral("Save All did not complete.");
        if (result.PartlySaved)
            RecordChange();
        return;
    }
    writesMs_ = clock_.isValid() ? clock_.elapsed() : result.ElapsedMs;
    message_ = QStringLiteral("Save All completed in %1").arg(Durations());
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
    verifyMs_ = clock_.isValid() ? clock_.elapsed() - writesMs_ : 0;
    message_ = QStringLiteral("Save All completed in %1").arg(Durations());
    message_ = verified_ ? message_ + QStringLiteral("; verified: the panel holds what was sent.")
                         : TConfigDiff::VerifyFailedText(differences_);
    // What the panel holds is now proven: Save Changes works from it.
    if (verified_ && !data_.FileName.isEmpty())
        ProvenState::Write(ProvenState::PathFor(data_.FileName, panel), data_, panel, true,
                           QDateTime::currentDateTime(), &provenError_);
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
// record; the details only the file keeps are compared with that copy.
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
    TData lastSent;
    const bool haveLast = ChangeRecord::Read(configuration, earlier, &error) && !earlier.isEmpty()
        && !earlier.last().SentCopy.isEmpty()
        && Backups::Read(QDir::fromNativeSeparators(earlier.last().SentCopy), lastSent, &error);
    if (before_) {
        entry.Baseline = QStringLiteral("the panel's backup");
        entry.Differences =
            TConfigDiff::CompareChanges(before_.get(), haveLast ? &lastSent : nullptr, data_);
    } else if (haveLast) {
        entry.Baseline = QStringLiteral("the last record");
        entry.Differences = TConfigDiff::CompareChanges(&lastSent, &lastSent, data_);
    } else {
        entry.Baseline = ChangeRecord::NothingRead;
    }
    recordError_.clear();
    if (ChangeRecord::Append(configuration, entry, &recordError_))
        recordPath_ = ChangeRecord::CsvPath(configuration);
}
