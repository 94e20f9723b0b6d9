#include "cli/ScheduleSupport.h"

#include "cli/CliPrompts.h"
#include "model/Data.h"
#include "storage/ConfigFile.h"

bool OpenScheduleConfiguration(TCliContext& context, const QString& path, TData& document)
{
    TCliPrompts prompts(context.Err, context.In);
    TConfigFile file(document, prompts);
    const bool opened = file.Open(path);
    if (!prompts.Unanswered.isEmpty()) {
        Failure(context, QStringLiteral("%1 was made by the older tool family; convert it first "
                                        "with 'zolctl resave --convert=yes'")
                             .arg(path));
        return false;
    }
    if (!opened) {
        Failure(context, prompts.LastError);
        return false;
    }
    return true;
}

bool ParseSeparator(TCliContext& context, const QString& value, QChar& separator)
{
    if (value.compare(QStringLiteral("tab"), Qt::CaseInsensitive) == 0 || value == QStringLiteral("\\t")) {
        separator = QLatin1Char('\t');
        return true;
    }
    if (value.size() != 1 || value.at(0) == QLatin1Char('"') || value.at(0).isLetterOrNumber()) {
        UsageError(context, QStringLiteral("--separator takes one character (not a quote, letter "
                                           "or digit) or tab"));
        return false;
    }
    separator = value.at(0);
    return true;
}
