#pragma once

#include "model/Zones.h"
#include "panel/SaveChanges.h"
#include "panel/TransferOutcome.h"
#include "safety/ConfigCheck.h"
#include "safety/ProvenState.h"

#include <QString>

#include <functional>

class TData;

struct TSaveChangesPolicy {
    bool Force = false;  // errors of the check do not refuse (zolctl --force)
    int Panel = 0;       // the panel saved to; 0: the document's
    int MaxOutputDelay = DefaultMaxOutputDelay;
};

enum class TSaveChangesStep { Ready, RefusedByCheck, NoProvenState };

// One Save Changes, the same in the desktop program and in zolctl: check first, find the
// panel's proven state, send (the caller runs the sequencer with Setup()), then keep the new
// proven state, add the change-record entry and say what was done. Decides on typed outcomes.
class TSaveChangesWorkflow {
public:
    using TConfirmErrors = std::function<bool(const QList<TFinding>& findings)>;

    TSaveChangesWorkflow(const TData& data, TSaveChangesPolicy policy);

    TConfirmErrors ConfirmErrors;

    // Ready when the sending may start; otherwise Message() says why.
    TSaveChangesStep Prepare();
    // What the sequencer's Save Changes works from (after Prepare gave Ready).
    const TSaveChangesSetup& Setup() const { return setup_; }
    // The sending ended with result.
    void Finish(const TTransferResult& result);

    const QList<TFinding>& Findings() const { return findings_; }
    // Completed: the changes were saved and read back (or there were none).
    bool Succeeded() const { return result_.Completed(); }
    // Save All is the way on: no proven state, another panel, or one changed behind our back.
    bool OffersSaveAll() const { return offersSaveAll_; }
    int Changes() const { return setup_.Tally->Changes; }
    QString Message() const { return message_; }
    QString ChangeRecordPath() const { return recordPath_; }
    QString ProblemText() const { return problem_; }  // a proven state or record not written

private:
    void RecordChange();
    int Panel() const;

    const TData& data_;
    TSaveChangesPolicy policy_;
    TProvenState proven_;
    TSaveChangesSetup setup_;
    QList<TFinding> findings_;
    QDateTime started_;
    TTransferResult result_;
    bool offersSaveAll_ = false;
    QString message_;
    QString recordPath_;
    QString problem_;
};

// What the desktop program and zolctl add when Save All is the way on.
inline const QString UseSaveAllText =
    QStringLiteral("Save All sends the whole configuration and proves it.");
