#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"
#include "cli/TransferCommand.h"

#include "model/Data.h"
#include "panel/TransferSequencer.h"
#include "safety/Backups.h"
#include "safety/CommsTrace.h"
#include "safety/ConfigDiff.h"
#include "storage/ConfigFile.h"

#include <QDateTime>
#include <QElapsedTimer>

namespace {

// Before a Save All: the panel's configuration (with --backup) and the file being sent are
// kept side by side. Only the panel's copy is needed to go on; the copy of the file is cheap
// and a failure to write it is only reported.
int KeepBackups(TCliContext& context, const TTransferArguments& arguments, const TData& data)
{
    const QString folder = arguments.Backup.isEmpty() ? Backups::DefaultFolder(data.FileName)
                                                      : arguments.Backup;
    const QString site = Backups::SiteName(data);
    const QDateTime now = QDateTime::currentDateTime();
    QString error;
    if (!arguments.Backup.isEmpty()) {
        TData panel;
        const int code = LoadPanelInto(context, arguments, panel);
        if (code != ecSuccess)
            return code == ExitCancelled
                ? code
                : Failure(context, QStringLiteral("the panel's configuration could not be read "
                                                  "for the backup; nothing was sent"));
        const QString path = Backups::FilePath(folder, site, arguments.Panel, now);
        if (!Backups::Write(panel, path, &error))
            return Failure(context, error + QStringLiteral("; nothing was sent"));
        context.Out << "panel's configuration kept as " << path << '\n';
    }
    const QString sent = Backups::FilePath(folder, site, arguments.Panel, now, Backups::SentSuffix);
    if (Backups::Write(data, sent, &error))
        context.Out << "file sent kept as " << sent << '\n';
    else
        context.Err << "zolctl: warning: " << error << '\n';
    context.Out.flush();
    return ecSuccess;
}

int Verify(TCliContext& context, const TTransferArguments& arguments, const TData& sent)
{
    TData readBack;
    const int code = LoadPanelInto(context, arguments, readBack);
    if (code != ecSuccess)
        return code == ExitCancelled
            ? code
            : Failure(context, QStringLiteral("the configuration was saved but could not be read "
                                              "back to verify it"));
    const QList<TDifference> differences = TConfigDiff::CompareReadBack(sent, readBack);
    for (const QString& note : TConfigDiff::ReadBackNotes(sent))
        context.Out << "note: " << note << '\n';
    if (!differences.isEmpty()) {
        context.Err << TConfigDiff::VerifyFailedText(differences) << '\n';
        return Failure(context, QStringLiteral("verify failed: %1 field(s) differ").arg(differences.size()));
    }
    context.Out << "verified: the panel holds what was sent\n";
    return ecSuccess;
}

} // namespace

int RunUploadCommand(const QStringList& args, TCliContext& context)
{
    TTransferArguments arguments;
    if (!ParseTransferArguments(context, args,
                                {QStringLiteral("port"), QStringLiteral("panel"),
                                 QStringLiteral("block"), QStringLiteral("yes"),
                                 QStringLiteral("send-date"), QStringLiteral("verify"),
                                 QStringLiteral("backup"), QStringLiteral("trace")},
                                arguments))
        return ecUsage;
    if (arguments.Files.size() != 1)
        return UsageError(context, QStringLiteral("upload needs one FILE.QEM"));
    arguments.Saving = true;

    QElapsedTimer clock;
    clock.start();
    TCliPrompts prompts(context.Err, context.In);
    const bool all = arguments.Block == QLatin1String("all");
    if ((arguments.Verify || !arguments.Backup.isEmpty()) && !all)
        return UsageError(context, QStringLiteral("--verify and --backup go with the whole configuration"));
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
    TCommsTrace trace;
    if (!OpenTraceOption(context, arguments, trace))
        return ecFailure;
    // The backup and the read-back talk to the panel the configuration goes to.
    TTransferArguments panelArguments = arguments;
    panelArguments.Panel = arguments.PanelGiven ? arguments.Panel : data.PanelNumber;
    panelArguments.PanelGiven = true;
    panelArguments.Saving = false;
    if (all) {
        const int code = KeepBackups(context, panelArguments, data);
        if (code != ecSuccess)
            return code;
    }

    TPanelPage page = ppLoopSummary;
    const bool names = arguments.Block == QLatin1String("names");
    if (!all && !names)
        BlockPage(arguments.Block, page);
    const int code = RunTransfer(context, data, prompts, arguments, page, [&](TTransferSequencer& s) {
        return all ? s.SaveAll() : names ? s.SaveNames() : s.SavePage();
    });
    if (code != ecSuccess)
        return code;
    if (arguments.Verify) {
        const int verified = Verify(context, panelArguments, data);
        if (verified != ecSuccess)
            return verified;
    }
    SuccessSummary(context, QStringLiteral("Saved %1 of %2 (%3 fitted points) to panel %4 in %5 s")
                                .arg(all ? QStringLiteral("everything")
                                         : QStringLiteral("block ") + arguments.Block)
                                .arg(arguments.Files.first())
                                .arg(FittedPoints(data))
                                .arg(data.PanelNumber)
                                .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    return ecSuccess;
}
