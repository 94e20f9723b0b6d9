#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "safety/ConfigDiff.h"
#include "safety/ProvenState.h"
#include "safety/SaveAllWorkflow.h"
#include "storage/ConfigFile.h"

#include <QElapsedTimer>

namespace {

// --force is a switch of upload alone: errors of the check do not stop the Save All.
bool TakeForce(QStringList& args)
{
    return args.removeAll(QStringLiteral("--force")) > 0;
}

// Ends the workflow with the sending's result and says where its change record went.
void RecordedChange(TCliContext& context, TSaveAllWorkflow& workflow, const TTransferResult& sent)
{
    workflow.Finish(sent);
    if (!workflow.RecordError().isEmpty())
        context.Err << "zolctl: warning: the change record was not written: " << workflow.RecordError()
                    << '\n';
    else if (!workflow.ChangeRecordPath().isEmpty())
        context.Out << "change recorded in " << workflow.ChangeRecordPath() << '\n';
    context.Out.flush();
}

} // namespace

int RunUploadCommand(const QStringList& givenArgs, TCliContext& context)
{
    QStringList args = givenArgs;
    const bool force = TakeForce(args);
    TTransferArguments arguments;
    if (!ParseTransferArguments(context, args,
                                {QStringLiteral("port"), QStringLiteral("panel"),
                                 QStringLiteral("block"), QStringLiteral("yes"),
                                 QStringLiteral("send-date"), QStringLiteral("verify"),
                                 QStringLiteral("no-verify"), QStringLiteral("changes"),
                                 QStringLiteral("backup"), QStringLiteral("trace")},
                                arguments))
        return ecUsage;
    if (arguments.Files.size() != 1)
        return UsageError(context, QStringLiteral("upload needs one FILE.QEM"));
    arguments.Saving = true;
    if (arguments.Changes)
        return RunUploadChanges(context, arguments, force);

    QElapsedTimer clock;
    clock.start();
    TCliPrompts prompts(context.Err, context.In);
    const bool all = arguments.Block == QLatin1String("all");
    if ((arguments.Verify || !arguments.Backup.isEmpty() || force) && !all)
        return UsageError(context, QStringLiteral("--verify, --backup and --force go with the whole "
                                                  "configuration"));
    // A Save All is read back unless --no-verify says otherwise.
    const bool verify = all && !arguments.NoVerify;
    if (!arguments.Yes && all && !context.In)
        return Failure(context, QStringLiteral("Save All replaces all data in the panel; give --yes "
                                               "to confirm it"));

    TData data;
    if (!TConfigFile(data, prompts).Open(arguments.Files.first()))
        return Failure(context, prompts.LastError);
    // The file does not keep the choice: the maintenance date goes only when asked for.
    data.SendMaintenanceDate = arguments.SendDate;
    TCommsTrace trace;
    if (!OpenTraceOption(context, arguments, trace))
        return ecFailure;
    // The backup and the read-back talk to the panel the configuration goes to.
    TTransferArguments panelArguments = arguments;
    panelArguments.Panel = arguments.PanelGiven ? arguments.Panel : data.PanelNumber;
    panelArguments.PanelGiven = true;
    panelArguments.Saving = false;

    TSaveAllPolicy policy;
    policy.Force = force;
    policy.Panel = panelArguments.Panel;
    policy.BackupPanel = !arguments.Backup.isEmpty();
    policy.Folder = arguments.Backup;
    policy.Verify = verify;
    int readCode = ecSuccess;
    TSaveAllWorkflow workflow(data, policy, [&](TData& scratch, QString* error) {
        readCode = LoadPanelInto(context, panelArguments, scratch);
        if (readCode != ecSuccess && error)
            *error = QStringLiteral("the panel's configuration could not be read");
        return readCode == ecSuccess;
    });
    if (all) {
        const TSaveAllStep step = workflow.Prepare();
        if (const int code = ReportCheck(context, workflow.Findings(),
                                         step == TSaveAllStep::RefusedByCheck))
            return code;
        if (step == TSaveAllStep::BackupFailed)
            return readCode == ExitCancelled
                ? readCode
                : Failure(context, workflow.Message().replace(QLatin1Char('\n'), QStringLiteral(": ")));
        if (!workflow.BackupPath().isEmpty())
            context.Out << "panel's configuration kept as " << workflow.BackupPath() << '\n';
        context.Out.flush();
    }

    TPanelPage page = ppLoopSummary;
    const bool names = arguments.Block == QLatin1String("names");
    if (!all && !names)
        BlockPage(arguments.Block, page);
    // A save that did not complete has been reported (partly saved or not) by the transfer.
    TTransferResult sent;
    const int code = RunTransfer(context, data, prompts, arguments, page, [&](TTransferSequencer& s) {
        if (!all)
            return names ? s.SaveNames() : s.SavePage();
        s.SaveAllConfirmed = arguments.Yes;
        s.AccessCodesForced = force;
        // The copy is kept only once the Save All goes ahead (the question answered Yes).
        if (!s.SaveAll())
            return false;
        QString error;
        if (!workflow.KeepSentCopy(&error))
            context.Err << "zolctl: warning: " << error << '\n';
        else if (!workflow.SentCopyPath().isEmpty())
            context.Out << "file sent kept as " << workflow.SentCopyPath() << '\n';
        context.Out.flush();
        return true;
    }, &sent);
    // A block's own save leaves the panel's proven state behind (a Save All's workflow marks
    // its own until the verify proves the panel).
    QString notMarked;
    if (!all && sent.Wrote && !ProvenState::MarkUnsettled(data.FileName, data.PanelNumber, &notMarked))
        context.Err << "zolctl: warning: " << notMarked << '\n';
    if (code != ecSuccess) {
        // A partly saved panel is recorded as such.
        if (all && sent.PartlySaved)
            RecordedChange(context, workflow, sent);
        return code;
    }
    if (all) {
        RecordedChange(context, workflow, sent);
        if (readCode == ExitCancelled)
            return readCode;
        if (verify && !workflow.Verified()) {
            if (workflow.ReadBackFailed())
                return Failure(context, QStringLiteral("the configuration was saved but could not "
                                                       "be read back to verify it"));
            context.Err << workflow.Message() << '\n';
            return Failure(context, QStringLiteral("verify failed: %1 field(s) differ")
                                        .arg(workflow.Differences().size()));
        }
        if (verify) {
            for (const QString& note : TConfigDiff::ReadBackNotes(data))
                context.Out << "note: " << note << '\n';
            context.Out << "verified: the panel holds what was sent\n";
        }
    }
    SuccessSummary(context, QStringLiteral("Saved %1 of %2 (%3 fitted points) to panel %4 in %5%6")
                                .arg(all ? QStringLiteral("everything")
                                         : QStringLiteral("block ") + arguments.Block)
                                .arg(arguments.Files.first())
                                .arg(FittedPoints(data))
                                .arg(data.PanelNumber)
                                .arg(all ? workflow.Durations()
                                         : QStringLiteral("%1 s").arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1))
                                .arg(verify ? QString() : QStringLiteral(", not verified")));
    return ecSuccess;
}
