#include "cli/CliPrompts.h"
#include "cli/Commands.h"
#include "cli/SafetySupport.h"

#include "model/Data.h"
#include "safety/CommsTrace.h"
#include "safety/ConfigCheck.h"
#include "safety/ConfigDiff.h"
#include "storage/ConfigFile.h"

namespace {

// A comparison that could not be made is neither "equal" (0) nor "different" (1).
constexpr int ExitTrouble = 2;

void PrintDifferences(QTextStream& out, const QList<TDifference>& differences)
{
    bool first = true;
    TPanelPage page = ppLoopSummary;
    for (const TDifference& d : differences) {
        if (first || d.Page != page) {
            out << (first ? "" : "\n") << PageCaption(d.Page) << '\n';
            page = d.Page;
            first = false;
        }
        out << "  " << d.Item << " / " << d.Field << ": '" << d.Left << "' | '" << d.Right << "'\n";
    }
    if (!differences.isEmpty())
        out << '\n';
    out << differences.size() << (differences.size() == 1 ? " difference\n" : " differences\n");
}

} // namespace

int RunDiffCommand(const QStringList& args, TCliContext& context)
{
    QStringList files;
    QHash<QString, QString> options;
    if (!ParseOptions(context, args,
                      {{QStringLiteral("port"), true}, {QStringLiteral("panel"), true},
                       {QStringLiteral("trace"), true}},
                      files, options))
        return ecUsage;
    const bool fromPanel = options.contains(QStringLiteral("port"));
    if (files.size() != (fromPanel ? 1 : 2))
        return UsageError(context, QStringLiteral("diff needs A.QEM B.QEM, or A.QEM --port PORT"));
    if (!fromPanel && (options.contains(QStringLiteral("trace")) || options.contains(QStringLiteral("panel"))))
        return UsageError(context, QStringLiteral("--panel and --trace go with --port"));

    TCliPrompts prompts(context.Err, context.In);
    TData left;
    if (!TConfigFile(left, prompts).Open(files.first())) {
        Failure(context, prompts.LastError);
        return ExitTrouble;
    }
    TData right;
    if (fromPanel) {
        TTransferArguments arguments;
        arguments.Port = options.value(QStringLiteral("port"));
        // The panel the file is for, unless another is named.
        arguments.Panel = left.PanelNumber;
        if (options.contains(QStringLiteral("panel"))) {
            bool ok = false;
            arguments.Panel = options.value(QStringLiteral("panel")).toInt(&ok);
            if (!ok || arguments.Panel < 1 || arguments.Panel > 8)
                return UsageError(context, QStringLiteral("--panel takes a number from 1 to 8"));
        }
        arguments.TracePath = options.value(QStringLiteral("trace"));
        TCommsTrace trace;
        if (!OpenTraceOption(context, arguments, trace))
            return ExitTrouble;
        const int code = LoadPanelInto(context, arguments, right);
        if (code != ecSuccess)
            return code == ExitCancelled ? code : ExitTrouble;
    } else if (!TConfigFile(right, prompts).Open(files.at(1))) {
        Failure(context, prompts.LastError);
        return ExitTrouble;
    }
    // A panel reports only part of a configuration: against one, only that part is compared.
    const QList<TDifference> differences =
        fromPanel ? TConfigDiff::CompareReadBack(left, right) : TConfigDiff::Compare(left, right);
    PrintDifferences(context.Out, differences);
    if (fromPanel)
        for (const QString& note : TConfigDiff::ReadBackNotes(left))
            context.Out << "note: " << note << '\n';
    return differences.isEmpty() ? ecSuccess : ecFailure;
}
