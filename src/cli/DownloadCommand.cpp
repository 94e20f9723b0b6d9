#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "storage/ConfigFile.h"

int RunDownloadCommand(const QStringList& args, TCliContext& context)
{
    TTransferArguments arguments;
    if (!ParseTransferArguments(context, args,
                                {QStringLiteral("port"), QStringLiteral("panel"),
                                 QStringLiteral("block"), QStringLiteral("into"),
                                 QStringLiteral("output"), QStringLiteral("trace")},
                                arguments))
        return ecUsage;
    if (arguments.Output.isEmpty() || !arguments.Files.isEmpty())
        return UsageError(context, QStringLiteral("download needs -o OUT.QEM and no other file"));

    TCommsTrace trace;
    if (!OpenTraceOption(context, arguments, trace))
        return ecFailure;
    TCliPrompts prompts(context.Err, context.In);
    TData data;
    // A single block goes into the configuration given, the rest of it is kept.
    if (!arguments.Into.isEmpty() && !TConfigFile(data, prompts).Open(arguments.Into))
        return Failure(context, prompts.LastError);

    TPanelPage page = ppLoopSummary;
    const bool all = arguments.Block == QLatin1String("all");
    const bool names = arguments.Block == QLatin1String("names");
    if (!all && !names)
        BlockPage(arguments.Block, page);
    const int code = RunTransfer(context, data, prompts, arguments, page, [&](TTransferSequencer& s) {
        return all ? s.LoadAll() : names ? s.LoadNames() : s.LoadPage();
    });
    if (code != ecSuccess)
        return code;
    if (!TConfigFile(data, prompts).WriteFile(arguments.Output))
        return Failure(context, prompts.LastError);
    return ecSuccess;
}
