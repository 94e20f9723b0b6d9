#pragma once

#include "model/Zones.h"
#include "panel/TransferOutcome.h"
#include "safety/ConfigCheck.h"
#include "safety/ConfigDiff.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

class TData;

// What a Save All does around the sending itself.
struct TSaveAllPolicy {
    // Errors of the check refuse the save unless forced (zolctl --force) or confirmed.
    bool Force = false;
    // Read the panel's configuration first and keep it (--backup, "Keep a copy ...").
    bool BackupPanel = false;
    // Where the copies go; empty: "backups" beside the file (the documents folder for a
    // configuration never saved, where only a panel backup makes copies at all).
    QString Folder;
    // The panel the configuration goes to, naming the copies; 0: the document's.
    int Panel = 0;
    // Read the panel back after the save and compare it with what was sent.
    bool Verify = false;
    int MaxOutputDelay = DefaultMaxOutputDelay;
};

enum class TSaveAllStep { Ready, RefusedByCheck, BackupFailed };

// One Save All, the same in the desktop program and in zolctl: check first, keep the panel's
// configuration (when asked) and the copy sent, send (the caller runs the sequencer), verify,
// and say what was done. The callers give the way the panel is read and decide on typed
// outcomes; nothing here parses a message.
class TSaveAllWorkflow {
public:
    // Reads the whole panel into scratch; false with the reason in error.
    using TReadPanel = std::function<bool(TData& scratch, QString* error)>;
    // Errors were found: true to send anyway (asked only when not forced).
    using TConfirmErrors = std::function<bool(const QList<TFinding>& findings)>;

    TSaveAllWorkflow(const TData& data, TSaveAllPolicy policy, TReadPanel readPanel);

    TConfirmErrors ConfirmErrors;

    // The check and the panel backup; Ready when the sending may start. Findings() holds
    // the check's result, Message() why it stopped, BackupPath() where the panel's copy went.
    TSaveAllStep Prepare();
    // Once the sending has started (the question answered): the copy of what is sent, and
    // the start of the time the end reports. A failure is only a warning (error).
    bool KeepSentCopy(QString* error);
    // The sending ended with result; with Verify, a completed one is read back. A save that
    // completed or left the panel partly saved gets its entry in the change record.
    void Finish(const TTransferResult& result);

    const QList<TFinding>& Findings() const { return findings_; }
    QString BackupPath() const { return backupPath_; }
    QString SentCopyPath() const { return sentPath_; }
    const TTransferResult& Result() const { return result_; }
    // After Finish with Verify: whether the panel could be read, and what differs.
    bool Verified() const { return verified_; }
    bool ReadBackFailed() const { return readBackFailed_; }
    const QList<TDifference>& Differences() const { return differences_; }
    // The change record's entry was written there (empty: none was due, or RecordError()).
    QString ChangeRecordPath() const { return recordPath_; }
    QString RecordError() const { return recordError_; }
    // After a verified Save All: why the panel's proven state could not be kept (empty: kept).
    QString ProvenStateError() const { return provenError_; }
    // From the first byte sent to the end of the verify, with the parts when there was one:
    // "32.8 s (writes 15.5 s, verify 17.3 s)".
    QString Durations() const;
    // What the stop or the end means for the user, one paragraph.
    QString Message() const { return message_; }
    // Everything went as asked: sent, and verified when asked.
    bool Succeeded() const;

private:
    QString Folder() const;
    // The configuration the record's stem is named after (a file name for an unsaved one).
    QString RecordedConfiguration() const;
    void RecordChange();

    const TData& data_;
    TSaveAllPolicy policy_;
    TReadPanel readPanel_;
    QList<TFinding> findings_;
    QDateTime started_;
    QElapsedTimer clock_;
    qint64 writesMs_ = 0;
    qint64 verifyMs_ = -1;
    QString backupPath_;
    QString sentPath_;
    TTransferResult result_;
    bool verified_ = false;
    bool readBackFailed_ = false;
    QList<TDifference> differences_;
    QString message_;
    // The panel's configuration read for the backup: what the change record compares with.
    std::unique_ptr<TData> before_;
    QString recordPath_;
    QString recordError_;
    QString provenError_;
};
