// zolctl upload --changes: Save Changes.

#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "safety/SaveChangesWorkflow.h"
#include "storage/ConfigFile.h"
#include "storage/ProgramSettings.h"

int RunUploadChanges(TCliContext& context, TTransferArguments& arguments, bool force)
{
    if (arguments.Block != QLatin1String("all") || !arguments.Backup.isEmpty() || arguments.NoVerify)
        return UsageError(context, QStringLiteral("--changes goes with the whole configuration; it "
                                                  "always reads back, and keeps no backup"));
    TCliPrompts prompts(context.Err, context.In);
    TData data;
    if (!TConfigFile(data, prompts).Open(arguments.Files.first()))
        return Failure(context, prompts.LastError);
    data.SendMaintenanceDate = arguments.SendDate;
    TCommsTrace trace;
    if (!OpenTraceOption(context, arguments, trace))
        return ecFailure;

    TSaveChangesPolicy policy;
    policy.Force = force;
    policy.Panel = arguments.PanelGiven ? arguments.Panel : data.PanelNumber;
    policy.MaxOutputDelay = LoadProgramSettings().MaxOutputDelay;
    TSaveChangesWorkflow workflow(data, policy);
    const TSaveChangesStep step = workflow.Prepare();
    if (const int code = ReportCheck(context, workflow.Findings(),
                                     step == TSaveChangesStep::RefusedByCheck))
        return code;
    const QString wholeUpload =
        QStringLiteral("Use a whole upload (without --changes): ") + UseSaveAllText;
    if (step == TSaveChangesStep::NoProvenState)
        return Failure(context, workflow.Message() + QLatin1Char(' ') + wholeUpload);

    TTransferResult sent;
    const int code = RunTransfer(
        context, data, prompts, arguments, ppLoopSummary,
        [&](TTransferSequencer& s) {
            s.AccessCodesForced = force;
            return s.SaveChanges(workflow.Setup());
        },
        &sent);
    if (code == ExitCancelled)
        return code;
    if (sent.Outcome == TTransferOutcome::NotStarted)
        return code;
    workflow.Finish(sent);
    if (!workflow.ProblemText().isEmpty())
        context.Err << "zolctl: warning: " << workflow.ProblemText() << '\n';
    if (!workflow.Succeeded()) {
        // RunTransfer has said why; a panel not as proven is told what to do instead.
        if (workflow.OffersSaveAll())
            context.Err << "zolctl: " << wholeUpload << '\n';
        return ecFailure;
    }
    if (!workflow.ChangeRecordPath().isEmpty())
        context.Out << "change recorded in " << workflow.ChangeRecordPath() << '\n';
    SuccessSummary(context, workflow.Message());
    return ecSuccess;
}
