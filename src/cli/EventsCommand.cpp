#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "storage/CommentsFile.h"

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
    QString error;
    if (!SaveEventLog(arguments.Output, data.EventLog, &error))
        return Failure(context, error);
    context.Out << data.EventLog.size() << " events\n";
    return ecSuccess;
}
