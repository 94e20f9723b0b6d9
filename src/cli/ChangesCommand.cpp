#include "cli/Commands.h"

#include "safety/ChangeRecord.h"

#include <QFileInfo>

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
        const QString path = ChangeRecord::CsvPath(files.first());
        if (QFileInfo::exists(path))
            context.Out << "The change record " << path
                        << " holds no entry yet (one is added after each Save All that reaches "
                           "the panel).\n";
        else
            context.Out << "No change record: " << path
                        << " does not exist yet (it is written after each completed Save All).\n";
        return ecSuccess;
    }
    for (const TChangeEntry& entry : entries)
        context.Out << ChangeRecord::Describe(entry);
    return ecSuccess;
}
