#include "cli/Commands.h"

#include <QHash>

#include <algorithm>

namespace {

// A new command is one file and one line here.
const TCliCommand CommandTable[] = {
    {"info", "FILE.QEM [--max-output-delay=SECONDS]",
     "what an engineer checks before going to site", RunInfoCommand},
    {"resave", "IN.QEM OUT.QEM [--convert=yes|no]",
     "open IN as the program does and save it as exactly OUT, with its comments", RunResaveCommand},
    {"report",
     "FILE.QEM -o OUT.pdf [--only-fitted] [--order number|type|zone] "
     "[--sections site,loops,zones,groups,sets,cne,network]",
     "render the printed report as PDF (600 dpi, the locale's paper)", RunReportCommand},
    {"download",
     "--port PORT [--panel N] [--block all|loop1|loop2|names|zones|groups|sets|site|cne|network] "
     "[--into FILE.QEM] [--trace LOG] -o OUT.QEM",
     "load the configuration (or one block) from the panel", RunDownloadCommand},
    {"upload",
     "FILE.QEM --port PORT [--panel N] [--block ...] [--yes] [--send-date] [--verify] "
     "[--backup DIR] [--trace LOG]",
     "save the configuration (or one block) to the panel", RunUploadCommand},
    {"events", "--port PORT [--panel N] [--clear] [--trace LOG] -o FILE.log",
     "read the panel's event history (PORT: COM1..COM8, a device path or demo)", RunEventsCommand},
    {"check", "FILE.QEM [--json] [--max-output-delay=SECONDS]",
     "list errors, warnings and notes; exit 1 when there are errors", RunCheckCommand},
    {"diff", "A.QEM B.QEM | A.QEM --port PORT [--panel N] [--trace LOG]",
     "differences by page; exit 0 equal, 1 different, 2 trouble", RunDiffCommand},
};

void PrintUsage(QTextStream& out)
{
    out << "Usage: zolctl COMMAND [ARGUMENTS]\n"
           "Companion of ZOL Tools: inspect and re-save configuration files.\n\n"
           "Commands:\n";
    for (const TCliCommand& c : CommandTable)
        out << "  " << QString::fromLatin1(c.Name).leftJustified(8) << ' '
            << QString::fromLatin1(c.Summary) << '\n';
    out << "\nzolctl COMMAND --help shows the arguments of a command.\n"
           "Exit status: 0 success, 1 failure, 2 wrong usage.\n";
}

} // namespace

int UsageError(TCliContext& context, const QString& message)
{
    context.Err << "zolctl: " << message << "\nTry 'zolctl --help' for more information.\n";
    context.Err.flush();
    return ecUsage;
}

int Failure(TCliContext& context, const QString& message)
{
    context.Err << "zolctl: " << QString(message).replace(QLatin1Char('\n'), QLatin1Char(' '))
                << '\n';
    context.Err.flush();
    return ecFailure;
}

bool WantsHelp(const QStringList& args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

void PrintCommandUsage(TCliContext& context, const TCliCommand& command)
{
    context.Out << "Usage: zolctl " << command.Name << ' ' << command.Arguments << '\n'
                << QString::fromLatin1(command.Summary) << '\n';
}

bool ParseOptions(TCliContext& context, const QStringList& args, const QList<TCliOption>& known,
                  QStringList& positional, QHash<QString, QString>& options)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool isShortOutput = arg == QLatin1String("-o");
        if (!isShortOutput && (!arg.startsWith(QStringLiteral("--")) || arg == QStringLiteral("--"))) {
            positional << arg;
            continue;
        }
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        const QString name =
            isShortOutput ? QStringLiteral("output") : eq < 0 ? arg.mid(2) : arg.mid(2, eq - 2);
        const auto option = std::find_if(known.cbegin(), known.cend(),
                                         [&](const TCliOption& o) { return o.Name == name; });
        if (option == known.cend()) {
            UsageError(context, QStringLiteral("unknown option '%1'").arg(arg));
            return false;
        }
        QString value;
        if (!option->TakesValue) {
            if (eq >= 0) {
                UsageError(context, QStringLiteral("--%1 takes no value").arg(name));
                return false;
            }
        } else if (eq >= 0) {
            value = arg.mid(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args.at(++i);
        } else {
            UsageError(context, QStringLiteral("%1 needs a value").arg(arg));
            return false;
        }
        options.insert(name, value);
    }
    return true;
}

const TCliCommand* FindCommand(const QString& name)
{
    for (const TCliCommand& c : CommandTable)
        if (name == QLatin1String(c.Name))
            return &c;
    return nullptr;
}

int RunZolctl(const QStringList& args, TCliContext& context)
{
    if (args.isEmpty())
        return UsageError(context, QStringLiteral("no command given"));
    const QString& name = args.first();
    if (name == QStringLiteral("--help") || name == QStringLiteral("-h") || name == QStringLiteral("help")) {
        PrintUsage(context.Out);
        context.Out.flush();
        return ecSuccess;
    }
    const TCliCommand* command = FindCommand(name);
    if (!command)
        return UsageError(context, QStringLiteral("unknown command '%1'").arg(name));
    const QStringList rest = args.mid(1);
    if (WantsHelp(rest)) {
        PrintCommandUsage(context, *command);
        context.Out.flush();
        return ecSuccess;
    }
    const int code = command->Run(rest, context);
    context.Out.flush();
    context.Err.flush();
    return code;
}
