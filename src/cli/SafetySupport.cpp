#include "cli/SafetySupport.h"

#include "cli/CliPrompts.h"
#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"

bool OpenTraceOption(TCliContext& context, TTransferArguments& arguments, TCommsTrace& trace)
{
    if (arguments.TracePath.isEmpty())
        return true;
    QString error;
    if (!trace.Open(arguments.TracePath, &error)) {
        Failure(context, error);
        return false;
    }
    arguments.Trace = &trace;
    return true;
}

int LoadPanelInto(TCliContext& context, const TTransferArguments& arguments, TData& data)
{
    TCliPrompts prompts(context.Err, context.In);
    return RunTransfer(context, data, prompts, arguments, ppLoopSummary,
                       [](TTransferSequencer& s) { return s.LoadAll(); });
}

int ReportCheck(TCliContext& context, const QList<TFinding>& findings, bool refused)
{
    for (const TFinding& finding : findings)
        if (finding.Severity == fsError)
            context.Err << "zolctl: " << TConfigCheck::SeverityText(finding.Severity) << ": "
                        << finding.ItemText << ": " << finding.Text << '\n';
    if (!refused)
        return ecSuccess;
    return Failure(context, QStringLiteral("the check found errors; nothing was sent (give "
                                           "--force to send it all the same)"));
}
