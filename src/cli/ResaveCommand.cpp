#include "cli/CliPrompts.h"
#include "cli/Commands.h"

#include "model/Data.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigFileNames.h"
#include "storage/ConfigReader.h"

int RunResaveCommand(const QStringList& args, TCliContext& context)
{
    QStringList files;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args, {{QStringLiteral("convert")}}, files, options))
        return ecUsage;
    if (files.size() != 2)
        return UsageError(context, QStringLiteral("resave needs IN.QEM and OUT.QEM"));

    TCliPrompts prompts(context.Err, context.In);
    if (options.contains(QStringLiteral("convert"))) {
        const QString value = options.value(QStringLiteral("convert")).toLower();
        if (value != QLatin1String("yes") && value != QLatin1String("no"))
            return UsageError(context, QStringLiteral("--convert takes yes or no"));
        prompts.Answers.insert(ConvertQuestion, value == QLatin1String("yes")
                                                    ? TPromptAnswer::paYes
                                                    : TPromptAnswer::paNo);
    }

    TData document;
    TConfigFile file(document, prompts);
    const bool opened = file.Open(files.at(0));
    if (!prompts.Unanswered.isEmpty())
        return Failure(context, QStringLiteral("%1 was made by the older tool family and can be "
                                               "converted; give --convert=yes or --convert=no")
                                    .arg(files.at(0)));
    if (!opened)
        return Failure(context, prompts.LastError);
    if (!file.WriteFile(files.at(1)))
        return Failure(context, prompts.LastError);
    SuccessSummary(context, QStringLiteral("Wrote %1 and %2").arg(files.at(1), CommentsFileName(files.at(1))));
    return ecSuccess;
}
