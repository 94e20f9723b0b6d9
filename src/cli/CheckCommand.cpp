#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/FileSections.h"

#include "model/Data.h"
#include "safety/ConfigCheck.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigReader.h"
#include "storage/ProgramSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

void PrintGrouped(QTextStream& out, const QList<TFinding>& findings)
{
    const struct {
        TFindingSeverity Severity;
        const char* Title;
    } groups[] = {{fsError, "Errors"}, {fsWarning, "Warnings"}, {fsNote, "Notes"}};
    for (const auto& group : groups) {
        QStringList lines;
        for (const TFinding& f : findings)
            if (f.Severity == group.Severity)
                lines << QStringLiteral("  %1 / %2: %3").arg(PageCaption(f.Page), f.ItemText, f.Text);
        if (lines.isEmpty())
            continue;
        out << group.Title << " (" << lines.size() << "):\n" << lines.join(QLatin1Char('\n')) << "\n\n";
    }
}

int Count(const QList<TFinding>& findings, TFindingSeverity severity)
{
    return static_cast<int>(std::count_if(findings.begin(), findings.end(),
                                          [severity](const TFinding& f) { return f.Severity == severity; }));
}

} // namespace

int RunCheckCommand(const QStringList& args, TCliContext& context)
{
    QStringList files;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args,
                      {{QStringLiteral("json"), false}, {QStringLiteral("max-output-delay"), true}},
                      files, options))
        return ecUsage;
    if (files.size() != 1)
        return UsageError(context, QStringLiteral("check needs one FILE.QEM"));
    int maxOutputDelay = LoadProgramSettings().MaxOutputDelay;
    if (options.contains(QStringLiteral("max-output-delay"))) {
        bool ok = false;
        maxOutputDelay = options.value(QStringLiteral("max-output-delay")).toInt(&ok);
        if (!ok || maxOutputDelay < 0)
            return UsageError(context, QStringLiteral("--max-output-delay takes a number of seconds"));
    }

    TCliPrompts prompts(context.Err, context.In);
    TData data;
    if (!TConfigFile(data, prompts).Open(files.first()))
        return Failure(context, prompts.LastError);

    QList<TFinding> findings = TConfigCheck::Run(data, maxOutputDelay, QDate::currentDate());
    if (const QStringList missing = CutOffSections(files.first()); !missing.isEmpty())
        findings.prepend(TFinding{fsError, ppLoopSummary, 0, QString(), QStringLiteral("File"),
                                  MissingSectionsWarning(files.first(), missing)});
    const int errors = Count(findings, fsError);
    const int warnings = Count(findings, fsWarning);
    const int notes = Count(findings, fsNote);
    if (options.contains(QStringLiteral("json"))) {
        QJsonArray list;
        for (const TFinding& f : findings)
            list.append(QJsonObject{{QStringLiteral("severity"), TConfigCheck::SeverityText(f.Severity)},
                                    {QStringLiteral("page"), PageCaption(f.Page)},
                                    {QStringLiteral("item"), f.ItemText},
                                    {QStringLiteral("number"), f.Item},
                                    {QStringLiteral("field"), f.Field},
                                    {QStringLiteral("text"), f.Text}});
        const QJsonObject report{{QStringLiteral("file"), files.first()},
                                 {QStringLiteral("errors"), errors},
                                 {QStringLiteral("warnings"), warnings},
                                 {QStringLiteral("notes"), notes},
                                 {QStringLiteral("findings"), list}};
        context.Out << QJsonDocument(report).toJson(QJsonDocument::Indented);
    } else {
        PrintGrouped(context.Out, findings);
        context.Out << errors << (errors == 1 ? " error, " : " errors, ") << warnings
                    << (warnings == 1 ? " warning, " : " warnings, ") << notes
                    << (notes == 1 ? " note\n" : " notes\n");
    }
    return errors > 0 ? ecFailure : ecSuccess;
}
