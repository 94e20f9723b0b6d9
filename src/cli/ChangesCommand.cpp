#include "cli/Commands.h"

#include "safety/ChangeRecord.h"

int RunChangesCommand(const QStringList& args, TCliContext& context)
{
    QStringList files;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args, {}, files, options))
        return ecUsage;
    if (files.size() != 1)
        return UsageError(context, QStringLiteral("changes needs one FILE.QEM"));

    QList<TChangeEntry> entries;
    QString error;
    if (!ChangeRecord::Read(files.first(), entries, &error))
        return Failure(context, error);
    if (entries.isEmpty()) {
        context.Out << "No change record: " << ChangeRecord::CsvPath(files.first())
                    << " does not exist yet (it is written after each completed Save All).\n";
        return ecSuccess;
    }
    for (const TChangeEntry& entry : entries)
        context.Out << ChangeRecord::Describe(entry);
    return ecSuccess;
}
