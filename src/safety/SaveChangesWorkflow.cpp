#include "safety/SaveChangesWorkflow.h"

#include "model/Data.h"
#include "safety/ChangeRecord.h"
#include "safety/ConfigDiff.h"
#include "safety/SentForm.h"

#include <QDir>

namespace {

QString LowerFirst(const QString& text)
{
    return text.isEmpty() ? text : text.left(1).toLower() + text.mid(1);
}

// "zone 4's name", "loop 1 point 12's zone".
QString Subject(const TDifference& d)
{
    QString item = LowerFirst(d.Item);
    if (d.Page == ppLoop1 || d.Page == ppLoop2)
        item = QStringLiteral("loop %1 %2").arg(d.Page == ppLoop1 ? 1 : 2).arg(item);
    return item + QStringLiteral("'s ") + LowerFirst(d.Field);
}

} // namespace

TSaveChangesWorkflow::TSaveChangesWorkflow(const TData& data, TSaveChangesPolicy policy)
    : data_(data), policy_(std::move(policy))
{
}

int TSaveChangesWorkflow::Panel() const
{
    return policy_.Panel > 0 ? policy_.Panel : data_.PanelNumber;
}

TSaveChangesStep TSaveChangesWorkflow::Prepare()
{
    started_ = QDateTime::currentDateTime();
    message_.clear();
    offersSaveAll_ = false;
    findings_ = TConfigCheck::Run(data_, policy_.MaxOutputDelay, started_.date());
    if (TConfigCheck::HasErrors(findings_) && !policy_.Force
        && !(ConfirmErrors && ConfirmErrors(findings_))) {
        message_ = QStringLiteral("The check found errors: nothing was sent.");
        return TSaveChangesStep::RefusedByCheck;
    }
    QString error;
    const QString path = ProvenState::PathFor(data_.FileName, Panel());
    if (!ProvenState::Read(path, proven_, &error) || !proven_.Configuration) {
        offersSaveAll_ = true;
        message_ = !error.isEmpty()
            ? error + QStringLiteral(": nothing was sent.")
            : data_.FileName.isEmpty()
                ? QStringLiteral("This configuration has never been saved to a file, so no proven "
                                 "state of the panel is kept for it: nothing was sent.")
                : QStringLiteral("No proven state of panel %1 is kept for this configuration (a "
                                 "verified Save All or a Load All keeps one): nothing was sent.")
                      .arg(Panel());
        return TSaveChangesStep::NoProvenState;
    }
    if (proven_.Unsettled) {
        offersSaveAll_ = true;
        message_ = QStringLiteral("Panel %1 was written to after its state was last proven on %2 "
                                  "(a save that did not complete or was not read back, or a "
                                  "page's own save): nothing was sent.")
                       .arg(Panel())
                       .arg(proven_.WhenText());
        return TSaveChangesStep::NoProvenState;
    }
    setup_.Proven = proven_.Configuration;
    setup_.PanelForm = ToSentForm;
    const QString as = QStringLiteral("as %1 on %2")
                           .arg(proven_.BySaveAll ? QStringLiteral("saved") : QStringLiteral("loaded"),
                                proven_.WhenText());
    setup_.FirstDifference = [as](const TData& expected, const TData& found, bool before) {
        const QList<TDifference> differences = TConfigDiff::CompareReadBack(expected, found);
        if (differences.isEmpty())
            return QString();
        const TDifference& d = differences.first();
        if (before)
            return QStringLiteral("%1 on the panel is '%2', not '%3' %4: the panel was changed "
                                  "since (at its keypad or by another computer). Nothing was "
                                  "written.")
                .arg(Subject(d), d.Right, d.Left, as);
        return QStringLiteral("%1 read back from the panel is '%2', not '%3' as sent.")
            .arg(Subject(d), d.Right, d.Left);
    };
    return TSaveChangesStep::Ready;
}

void TSaveChangesWorkflow::Finish(const TTransferResult& result)
{
    result_ = result;
    problem_.clear();
    // Until the panel is proven again it may differ from the state anywhere written to.
    if (result.Wrote)
        ProvenState::MarkUnsettled(data_.FileName, Panel(), &problem_);
    if (result.Outcome == TTransferOutcome::PanelChanged) {
        offersSaveAll_ = true;
        message_ = result.Message;
        return;
    }
    if (!result.Completed()) {
        // The run's own message says when the panel may be partly saved.
        message_ = QStringLiteral("Save Changes did not complete.");
        if (!result.Message.isEmpty())
            message_ += QLatin1Char('\n') + result.Message;
        if (result.PartlySaved)
            RecordChange();
        return;
    }
    const int changes = setup_.Tally->Changes;
    if (changes == 0) {
        message_ = QStringLiteral("The panel already holds this configuration, proven %1")
                       .arg(proven_.WhenText());
        return;
    }
    message_ = QStringLiteral("Saved %1 change%2 in %3 s; read back and proven")
                   .arg(changes)
                   .arg(changes == 1 ? QString() : QStringLiteral("s"))
                   .arg(double(result.ElapsedMs) / 1000.0, 0, 'f', 1);
    // The panel now holds the configuration: the records sent were read back, the others
    // were already proven equal.
    QString error;
    if (!ProvenState::Write(ProvenState::PathFor(data_.FileName, Panel()), data_, Panel(), true,
                            QDateTime::currentDateTime(), &error))
        problem_ = error;
    RecordChange();
}

void TSaveChangesWorkflow::RecordChange()
{
    TChangeEntry entry;
    entry.When = started_;
    entry.Panel = Panel();
    entry.Engineer = data_.SiteConfig.Engineer;
    entry.Configuration = QDir::toNativeSeparators(data_.FileName);
    entry.Verified = result_.Completed();
    entry.PartlySaved = !result_.Completed();
    entry.Baseline = QStringLiteral("the proven state of %1").arg(proven_.WhenText());
    entry.Differences = TConfigDiff::CompareChanges(proven_.Configuration.get(),
                                                    proven_.Configuration.get(), data_);
    QString error;
    if (ChangeRecord::Append(data_.FileName, entry, &error))
        recordPath_ = ChangeRecord::CsvPath(data_.FileName);
    else
        problem_ = problem_.isEmpty() ? error : problem_ + QLatin1Char('\n') + error;
}
