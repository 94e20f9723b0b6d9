#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/ScheduleSupport.h"

#include "model/Data.h"
#include "schedule/ScheduleImport.h"
#include "storage/ConfigFile.h"
#include "storage/SafeFiles.h"

namespace {

QString KindWord(TScheduleChangeKind kind)
{
    switch (kind) {
    case skAdded: return QStringLiteral("added");
    case skChanged: return QStringLiteral("changed");
    case skRemoved: return QStringLiteral("removed");
    case skUntouched: break;
    }
    return QStringLiteral("untouched");
}

} // namespace

int RunImportDevicesCommand(const QStringList& args, TCliContext& context)
{
    QStringList files;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args,
                      {{QStringLiteral("output")},
                       {QStringLiteral("separator")},
                       {QStringLiteral("dry-run"), false}},
                      files, options))
        return ecUsage;
    if (files.size() != 2)
        return UsageError(context, QStringLiteral("import-devices needs FILE.QEM and SCHEDULE.csv"));
    QChar separator;
    if (options.contains(QStringLiteral("separator"))
        && !ParseSeparator(context, options.value(QStringLiteral("separator")), separator))
        return ecUsage;
    const bool dryRun = options.contains(QStringLiteral("dry-run"));
    const QString output = options.value(QStringLiteral("output"), files.at(0));

    TData document;
    if (!OpenScheduleConfiguration(context, files.at(0), document))
        return ecFailure;
    QString text;
    QString error;
    if (!ReadScheduleText(files.at(1), text, &error))
        return Failure(context, error);

    const TSchedulePlan plan = PlanScheduleImport(document, text, separator);
    if (plan.Refused()) {
        for (const TScheduleError& e : plan.Errors)
            context.Err << files.at(1) << ": " << e.Text() << '\n';
        if (plan.LinesNotChecked > 0)
            context.Err << files.at(1) << ": " << plan.LinesNotChecked << " more lines were not checked\n";
        return Failure(context, QStringLiteral("%1 was refused; nothing was changed").arg(files.at(1)));
    }
    for (const TScheduleChange& change : plan.Changes) {
        if (change.Kind == skUntouched)
            continue;
        context.Out << KindWord(change.Kind) << ' ' << change.Device;
        if (change.Line > 0)
            context.Out << " (line " << change.Line << ')';
        context.Out << '\n';
        for (const QString& detail : change.Details)
            context.Out << "    " << detail << '\n';
    }
    context.Out << QStringLiteral("%1 added, %2 changed, %3 removed, %4 untouched\n")
                       .arg(plan.Count(skAdded))
                       .arg(plan.Count(skChanged))
                       .arg(plan.Count(skRemoved))
                       .arg(plan.Count(skUntouched));
    if (dryRun)
        return ecSuccess;

    ApplyScheduleChanges(document, plan.Changes);
    TCliPrompts prompts(context.Err, context.In);
    if (!TConfigFile(document, prompts).WriteFile(output))
        return Failure(context, prompts.LastError);
    SuccessSummary(context, QStringLiteral("Wrote %1").arg(output));
    return ecSuccess;
}
