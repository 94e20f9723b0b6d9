#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "storage/ConfigFile.h"

#include <QElapsedTimer>

int RunUploadCommand(const QStringList& args, TCliContext& context)
{
    TTransferArguments arguments;
    if (!ParseTransferArguments(context, args,
                                {QStringLiteral("port"), QStringLiteral("panel"),
                                 QStringLiteral("block"), QStringLiteral("yes"),
                                 QStringLiteral("send-date")},
                                arguments))
        return ecUsage;
    if (arguments.Files.size() != 1)
        return UsageError(context, QStringLiteral("upload needs one FILE.QEM"));
    arguments.Saving = true;

    QElapsedTimer clock;
    clock.start();
    TCliPrompts prompts(context.Err, context.In);
    const bool all = arguments.Block == QLatin1String("all");
    if (arguments.Yes)
        prompts.Answers.insert(TransferText::SaveAllQuestion, TPromptAnswer::paYes);
    else if (all && !context.In)
        return Failure(context, QStringLiteral("Save All replaces all data in the panel; give --yes "
                                               "to confirm it"));

    TData data;
    if (!TConfigFile(data, prompts).Open(arguments.Files.first()))
        return Failure(context, prompts.LastError);
    // The file does not keep the choice: the maintenance date goes only when asked for.
    data.SendMaintenanceDate = arguments.SendDate;

    TPanelPage page = ppLoopSummary;
    const bool names = arguments.Block == QLatin1String("names");
    if (!all && !names)
        BlockPage(arguments.Block, page);
    const int code = RunTransfer(context, data, prompts, arguments, page, [&](TTransferSequencer& s) {
        return all ? s.SaveAll() : names ? s.SaveNames() : s.SavePage();
    });
    if (code != ecSuccess)
        return code;
    SuccessSummary(context, QStringLiteral("Saved %1 of %2 (%3 fitted points) to panel %4 in %5 s")
                                .arg(all ? QStringLiteral("everything")
                                         : QStringLiteral("block ") + arguments.Block)
                                .arg(arguments.Files.first())
                                .arg(FittedPoints(data))
                                .arg(data.PanelNumber)
                                .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    return ecSuccess;
}
