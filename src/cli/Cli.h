#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit codes of zolctl, as command-line tools have them.
enum TExitCode : int { ecSuccess = 0, ecFailure = 1, ecUsage = 2 };

// What a command talks to: its output, its error stream and, when a person is there, the
// terminal for questions.
struct TCliContext {
    QTextStream& Out;
    QTextStream& Err;
    QTextStream* In = nullptr; // null when nobody can answer a question
    // A successful command says what it did in one line: on a terminal, or with -v.
    bool Summary = true;
};

struct TCliCommand {
    const char* Name;
    const char* Arguments; // shown after the name in the usage line
    const char* Summary;
    const char* Options; // what each argument and option means, for --help
    int (*Run)(const QStringList& args, TCliContext& context);
};

// zolctl's version line: the program's version and the revision it was built from.
QString VersionText();
// The one line a successful command ends with (see TCliContext::Summary).
void SuccessSummary(TCliContext& context, const QString& text);

// A usage error: one line, a pointer to --help, exit code 2.
int UsageError(TCliContext& context, const QString& message);
// A failure: one clear line on the error stream, exit code 1.
int Failure(TCliContext& context, const QString& message);
// True when args ask for help; the command then prints its usage and ends with success.
bool WantsHelp(const QStringList& args);
void PrintCommandUsage(TCliContext& context, const TCliCommand& command);
// An option a command accepts, named without its leading "--".
struct TCliOption {
    QString Name;
    bool TakesValue = true;
};
// Splits options from the positional arguments. A value follows its option after "=" or as the
// next argument; "-o" stands for "--output". An unknown option, a missing value or a value given
// to a switch is a usage error: returns false after reporting it. Switches are present in
// options with an empty value.
bool ParseOptions(TCliContext& context, const QStringList& args, const QList<TCliOption>& known,
                  QStringList& positional, QHash<QString, QString>& options);

const TCliCommand* FindCommand(const QString& name);
// zolctl's whole command line (without the program name); the exit code.
int RunZolctl(const QStringList& args, TCliContext& context);
