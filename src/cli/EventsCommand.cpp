#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "storage/CommentsFile.h"
#include "storage/SafeFiles.h"
#include "storage/Rtf.h"

int RunEventsCommand(const QStringList& args, TCliContext& context)
{
    TTransferArguments arguments;
    if (!ParseTransferArguments(context, args,
                                {QStringLiteral("port"), QStringLiteral("panel"),
                                 QStringLiteral("clear"), QStringLiteral("output"), QStringLiteral("trace")},
                                arguments))
        return ecUsage;
    if (arguments.Output.isEmpty() || !arguments.Files.isEmpty())
        return UsageError(context, QStringLiteral("events needs -o FILE.log and no other file"));

    // The log is open in its folder before the panel is asked anything: the history is
    // never cleared when it could not be kept.
    QString error;
    TStagedFile log(arguments.Output);
    if (!log.Open(&error))
        return Failure(context, QStringLiteral("The event log was not saved: %1").arg(error));

    TCommsTrace trace;
    if (!OpenTraceOption(context, arguments, trace))
        return ecFailure;
    TCliPrompts prompts(context.Err, context.In);
    // The flag answers the question either way: the history is cleared only when it is given.
    prompts.Answers.insert(TransferText::ClearEventsQuestion,
                           arguments.Clear ? TPromptAnswer::paYes : TPromptAnswer::paNo);
    TData data;
    const int code = RunTransfer(context, data, prompts, arguments, ppViewEventLog,
                                 [](TTransferSequencer& s) { return s.LoadPage(); });
    if (code != ecSuccess)
        return code;
    if (!log.Commit(EventLogAsRtf(data.EventLog), &error))
        return Failure(context, QStringLiteral("The event log was not saved: %1").arg(error));
    SuccessSummary(context, QStringLiteral("%1 events written to %2%3")
                                .arg(data.EventLog.size())
                                .arg(arguments.Output)
                                .arg(arguments.Clear ? QStringLiteral(" and cleared from the panel")
                                                     : QString()));
    return ecSuccess;
}
