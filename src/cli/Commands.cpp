#include "cli/Commands.h"

#include "ZolVersion.h"

#include <QHash>

#include <algorithm>

namespace {

// A new command is one file and one entry here.
const TCliCommand CommandTable[] = {
    {"info", "FILE.QEM [--max-output-delay=SECONDS] [--json]",
     "what an engineer checks before going to site", R"(
  FILE.QEM                   the configuration to inspect (never changed, never converted)
  --max-output-delay=SECONDS the longest output delay a zone with investigation may have
                             (default: MaxOutputDelay of Protocol_Buttons.ini, else 600)
  --json                     the same summary as one JSON object, for scripts
)",
     RunInfoCommand},
    {"resave", "IN.QEM OUT.QEM [--convert=yes|no]",
     "open IN as the program does and save it as exactly OUT, with its comments", R"(
  IN.QEM           the configuration to open; its comments file IN.RTF comes with it
  OUT.QEM          written exactly there (no "_Panel" renaming), with OUT.RTF beside it;
                   keys of an existing OUT that the program does not write are kept
  --convert=yes|no the answer to "Do you want to convert from this QEM configuration
                   file?" for a file of the older tool family: yes translates its loop
                   type, type codes and zones, no reads it as it is. Without it a
                   terminal asks; otherwise the command fails and names this flag.
)",
     RunResaveCommand},
    {"report",
     "FILE.QEM (-o OUT.pdf | --printer [QUEUE]) [--paper A4|Letter] [--only-fitted] "
     "[--order number|type|zone] "
     "[--sections site,loops,zones,groups,sets,cne,network]",
     "render the printed report as PDF (600 dpi), or print it", R"(
  FILE.QEM        the configuration to print (an older-family file must be converted first)
  -o, --output    the PDF to write; it replaces OUT.pdf only once it is complete, and may
                  not be the configuration or its comments file
  --printer       print the same pages as one job on QUEUE (default: the default queue)
  --paper         A4 or Letter (default: the locale's paper size)
  --only-fitted   the loop pages list fitted points only
  --order         the loop pages in point number (default), device type or zone order
  --sections      the sections to print, separated by commas (default: what the print
                  dialog offers for the panel's software version)
)",
     RunReportCommand},
    {"download",
     "--port PORT [--panel N] [--block all|loop1|loop2|names|zones|groups|sets|site|cne|network] "
     "[--into FILE.QEM] [--trace LOG] -o OUT.QEM",
     "load the configuration (or one block) from the panel", R"(
  --port PORT     COM1..COM8 (mapped to devices as in the port dialog, see 'zolctl ports'),
                  a device path such as /dev/ttyUSB0, or demo (an emulated panel inside
                  zolctl, empty at the start of every command)
  --panel N       the panel number 1..8 to talk to (default: the "_Panel" digit of the
                  --into file, else 1)
  --block B       all (Load All, default) or one block: loop1, loop2, names, zones,
                  groups, sets, site, cne (cause and effect), network
  --into FILE.QEM a single block is loaded into this configuration; the rest of it is kept
  -o, --output    the configuration to write, with its comments file; opened before the
                  panel is asked anything, replaced only when the download completed
  --trace LOG     record every byte sent and received, with the decoded frames, in LOG
)",
     RunDownloadCommand},
    {"upload",
     "FILE.QEM --port PORT [--panel N] [--block ...] [--changes] [--yes] [--send-date] "
     "[--verify] [--backup DIR] [--force] [--trace LOG]",
     "save the configuration (or one block) to the panel", R"(
  FILE.QEM        the configuration to send
  --port PORT     COM1..COM8, a device path, or demo (see download)
  --panel N       the panel number 1..8 (default: the "_Panel" digit of FILE's name, else 1)
  --block B       all (Save All, default) or one block, as for download
  --changes       Save Changes: send only the records that differ from the panel's last
                  proven state (kept by a verified Save All, a Load All or download of this
                  panel), after reading them on the panel, and read them back; a panel
                  changed since refuses it with nothing written (then upload without
                  --changes). Needs no --yes.
  --yes           confirms "This will replace ALL data in the Panel" (needed for Save All
                  when there is no terminal to ask)
  --send-date     also send the maintenance date (the site page's "Send To Panel?")
  --verify        read the configuration back after a Save All and compare it with what
                  was sent; any difference is an error naming what differs
  --backup DIR    read the panel first and keep its configuration in DIR as
                  <site>_Panel<n>_<yyyy-mm-dd_HHMMSS>.QEM (the file sent is always kept
                  beside it, by default in "backups" beside FILE)
  --force         send a whole configuration even when the check finds errors (they are
                  listed; without --force they stop the upload before anything is sent)
  --trace LOG     record every byte sent and received, with the decoded frames, in LOG
  An upload that ends early leaves the panel partly saved: zolctl says so and fails.
)",
     RunUploadCommand},
    {"events", "--port PORT [--panel N] [--clear] [--trace LOG] -o FILE.log",
     "read the panel's event history into an event-log file (RTF)", R"(
  --port PORT     COM1..COM8, a device path, or demo (see download)
  --panel N       the panel number 1..8 (default 1)
  --clear         delete each event from the panel as it is read (only once FILE.log is
                  open for writing)
  -o, --output    the event log, written as RTF (one paragraph per event)
  --trace LOG     record every byte sent and received, with the decoded frames, in LOG
)",
     RunEventsCommand},
    {"ports", "",
     "list the serial ports, the COM1..COM8 mapping and demo", R"(
  Lists the serial ports the system reports (device, description, manufacturer, USB
  vendor and product ids), the device each of COM1..COM8 stands for, and demo.
)",
     RunPortsCommand},
    {"check", "FILE.QEM [--json] [--max-output-delay=SECONDS]",
     "list errors, warnings and notes; exit 1 when there are errors", R"(
  FILE.QEM                   the configuration to check (never changed)
  --json                     the findings as JSON, for scripts
  --max-output-delay=SECONDS the longest output delay a zone with investigation may have
                             (default: MaxOutputDelay of Protocol_Buttons.ini, else 600)
)",
     RunCheckCommand},
    {"diff", "A.QEM B.QEM | A.QEM --port PORT [--panel N] [--trace LOG]",
     "differences by page; exit 0 equal, 1 different, 2 trouble", R"(
  A.QEM B.QEM     compare two configurations by meaning, page by page
  --port PORT     compare A.QEM with the panel (a Load All into a scratch copy; A.QEM is
                  never touched); only what the panel reports is compared
  --panel N       the panel number 1..8 (default: the "_Panel" digit of A's name, else 1)
  --trace LOG     record every byte sent and received, with the decoded frames, in LOG
)",
     RunDiffCommand},
    {"changes", "FILE.QEM", "list the change record kept beside FILE for the site's log book", R"(
  FILE.QEM        the configuration; its record FILE.changes.csv gets one entry after each
                  Save All that reached the panel (date, panel, engineer, the copy sent,
                  verified or not, and each change)
)",
     RunChangesCommand},
    {"export-devices", "FILE.QEM -o SCHEDULE.csv|SCHEDULE.xlsx [--separator C]",
     "write the loops' devices as a schedule for a spreadsheet", R"(
  FILE.QEM        the configuration (never changed)
  -o, --output    the schedule: XLSX when the name ends in .xlsx, otherwise CSV (UTF-8
                  with a byte-order mark); one row per fitted device, base sounders as
                  rows of their own
  --separator C   the CSV separator (one character, or tab; default: the locale's list
                  separator, ';' where the decimal point is a comma, else ',')
)",
     RunExportDevicesCommand},
    {"import-devices", "FILE.QEM SCHEDULE.csv [-o OUT.QEM] [--dry-run] [--separator C]",
     "read a device schedule back; prints the changes", R"(
  FILE.QEM        the configuration the schedule changes
  SCHEDULE.csv    columns found by their headings (Loop and Address needed; Type, Type
                  code, Zone, Group or Set, Description, Channel 1..3, Base sounder as
                  given); a blank cell leaves the value alone, a row for an empty address
                  fits the device, type "Not Fitted" removes it
  -o, --output    write the changed configuration there (default: FILE.QEM itself)
  --dry-run       only print the changes
  --separator C   the CSV separator (default: found from the heading line)
  Every row is checked first: a refused cell is named with its line and column, nothing
  is written and the exit status is 1.
)",
     RunImportDevicesCommand},
};

void PrintUsage(QTextStream& out)
{
    out << "Usage: zolctl COMMAND [ARGUMENTS]\n"
           "Companion of ZOL Tools: inspect and re-save configuration files.\n\n"
           "Commands:\n";
    for (const TCliCommand& c : CommandTable)
        out << "  " << QString::fromLatin1(c.Name).leftJustified(14) << ' '
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
    // One line: the lines of a message are joined by ": ", never run together.
    context.Err << "zolctl: " << QString(message).replace(QLatin1Char('\n'), QStringLiteral(": "))
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
    context.Out << "Usage: zolctl " << command.Name
                << (*command.Arguments ? " " : "") << command.Arguments << '\n'
                << QString::fromLatin1(command.Summary) << '\n'
                << QString::fromLatin1(command.Options).mid(1);
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

QString VersionText()
{
    return QStringLiteral("zolctl %1 (revision %2)")
        .arg(QLatin1String(ZolVersion), QLatin1String(ZolRevision));
}

void SuccessSummary(TCliContext& context, const QString& text)
{
    if (context.Summary)
        context.Out << text << '\n';
}

int RunZolctl(const QStringList& given, TCliContext& context)
{
    QStringList args = given;
    if (args.removeAll(QStringLiteral("-v")) + args.removeAll(QStringLiteral("--verbose")) > 0)
        context.Summary = true;
    if (args.value(0) == QLatin1String("--version")) {
        context.Out << VersionText() << '\n';
        context.Out.flush();
        return ecSuccess;
    }
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
