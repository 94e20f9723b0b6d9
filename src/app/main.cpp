#include "app/MainForm.h"
#include "editors/common/CachedStyle.h"
#include "editors/status/Status.h"

#include "ZolVersion.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    // Answered before any window system is touched, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("zoltools %s (revision %s)\n", ZolVersion, ZolRevision);
        return 0;
    }

    QApplication app(argc, argv);
    TCachedStyle::Install();
    QApplication::setApplicationName(QStringLiteral("ZOL Tools"));
    QApplication::setApplicationVersion(QString::fromLatin1(ZolVersion));
    QApplication::setOrganizationName(QStringLiteral("Brenmoor"));
    // Ties the windows to the installed desktop entry (its icon and name in the task bar).
    QApplication::setDesktopFileName(QStringLiteral("zoltools"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app/zoltools.svg")));

    TfrmStatus splash;
    splash.ShowMessage(QStringLiteral(" Loading ZOL Programming Tools - Please wait"));

    TMainForm window;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        window.OpenAtStartup(args.at(1));
    splash.Hide();
    window.show();
    return app.exec();
}
