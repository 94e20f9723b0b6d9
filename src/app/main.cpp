#include "app/MainForm.h"
#include "editors/status/Status.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZOL Tools"));
    QApplication::setOrganizationName(QStringLiteral("Brenmoor"));

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
