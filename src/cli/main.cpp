#include "cli/Cli.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zolctl"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    TCliContext context{out, err, isatty(STDIN_FILENO) ? &in : nullptr};
    return RunZolctl(app.arguments().mid(1), context);
}
