#include "cli/Cli.h"
#include "cli/Terminal.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>
#include <optional>


namespace {

// Only the report measures fonts through Qt's GUI module; every other command is plain file
// or serial work and needs no more than a core application.
bool NeedsGui(int argc, char** argv)
{
    return argc > 1 && qstrcmp(argv[1], "report") == 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::unique_ptr<QCoreApplication> app;
    // A root shell without a login session has no XDG_RUNTIME_DIR; the GUI module would then
    // complain on stderr at start-up. A private directory for this run keeps it quiet.
    std::optional<QTemporaryDir> runtimeDir;
    if (NeedsGui(argc, argv)) {
        // zolctl never opens a window: the report draws its fonts on Qt's offscreen
        // platform, so it runs without a display.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtimeDir.emplace();
            if (runtimeDir->isValid())
                qputenv("XDG_RUNTIME_DIR", runtimeDir->path().toLocal8Bit());
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("zolctl"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    TCliContext context{out, err, isatty(STDIN_FILENO) ? &in : nullptr};
    // Piped into a script a success stays quiet; -v says what was done anyway.
    context.Summary = isatty(STDOUT_FILENO);
    const int code = RunZolctl(QCoreApplication::arguments().mid(1), context);
    app.reset();
    return code;
}
