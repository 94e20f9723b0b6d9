#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/CommsTrace.h"
#include "safety/ProvenState.h"
#include "storage/ConfigFile.h"

#include <QElapsedTimer>

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

    QElapsedTimer clock;
    clock.start();
    TCommsTrace trace;
    if (!OpenTraceOption(context, arguments, trace))
        return ecFailure;
    TCliPrompts prompts(context.Err, context.In);
    TData data;
    // A single block goes into the configuration given, the rest of it is kept.
    if (!arguments.Into.isEmpty() && !TConfigFile(data, prompts).Open(arguments.Into))
        return Failure(context, prompts.LastError);
    // The output is open in its folder before the panel is asked anything.
    QString error;
    TConfigOutput output(arguments.Output);
    if (!output.Open(&error))
        return Failure(context, QStringLiteral("The configuration was not saved: %1").arg(error));

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
    if (!TConfigFile(data, prompts).WriteFile(output))
        return Failure(context, prompts.LastError);
    // The whole panel was read: Save Changes of OUT to this panel works from it.
    if (all && !ProvenState::Write(ProvenState::PathFor(arguments.Output, data.PanelNumber), data,
                                   data.PanelNumber, false, QDateTime::currentDateTime(), &error))
        context.Err << "zolctl: warning: " << error << '\n';
    SuccessSummary(context, QStringLiteral("Downloaded %1 (%2 fitted points) from panel %3 into %4 in %5 s")
                                .arg(all ? QStringLiteral("the configuration")
                                         : QStringLiteral("block ") + arguments.Block)
                                .arg(FittedPoints(data))
                                .arg(data.PanelNumber)
                                .arg(arguments.Output)
                                .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    return ecSuccess;
}
