#include "cli/Cli.h"

#include <QGuiApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    // zolctl never opens a window: the report draws its fonts on Qt's offscreen platform, so
    // it runs without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zolctl"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    TCliContext context{out, err, isatty(STDIN_FILENO) ? &in : nullptr};
    return RunZolctl(app.arguments().mid(1), context);
}
