#include "cli/Commands.h"
#include "cli/ScheduleSupport.h"

#include "model/Data.h"
#include "schedule/DeviceSchedule.h"
#include "schedule/ScheduleFiles.h"
#include "storage/SafeFiles.h"

int RunExportDevicesCommand(const QStringList& args, TCliContext& context)
{
    QStringList files;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args, {{QStringLiteral("output")}, {QStringLiteral("separator")}},
                      files, options))
        return ecUsage;
    if (files.size() != 1)
        return UsageError(context, QStringLiteral("export-devices needs one FILE.QEM"));
    const QString output = options.value(QStringLiteral("output"));
    if (output.isEmpty())
        return UsageError(context, QStringLiteral("export-devices needs -o SCHEDULE.csv or .xlsx"));
    QChar separator = LocaleListSeparator();
    if (options.contains(QStringLiteral("separator"))
        && !ParseSeparator(context, options.value(QStringLiteral("separator")), separator))
        return ecUsage;
    if (IsSameFile(output, files.first()))
        return Failure(context, QStringLiteral("the schedule may not replace the configuration"));

    TData document;
    if (!OpenScheduleConfiguration(context, files.first(), document))
        return ecFailure;
    QString error;
    if (!WriteSchedule(document, output, separator, &error))
        return Failure(context, error);
    SuccessSummary(context, QStringLiteral("Wrote %1 devices to %2")
                                .arg(ScheduleRows(document).size())
                                .arg(output));
    return ecSuccess;
}
