// Grabs the main window, its pages, menus and dialogs to PNG for a look by eye, into the folder
// ZOL_SCREENSHOT_DIR names (default "screenshots"). Each file name carries the scale factor, so
// a run with QT_SCALE_FACTOR=1.5 sits beside the one at 100 %:
//   QT_QPA_PLATFORM=offscreen ZOL_SCREENSHOT_DIR=/tmp/shots zol_screenshots
#include "app/HelpWindow.h"
#include "app/MainForm.h"
#include "editors/common/CachedStyle.h"
#include "editors/safety/CompareDialog.h"
#include "editors/status/AboutBox.h"
#include "editors/status/CommSelect.h"
#include "editors/status/Status.h"
#include "model/Data.h"
#include "storage/ConfigFile.h"
#include "storage/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Every question is answered Yes and nothing is shown: the pictures are of the window alone.
class TSilentPrompts : public TPrompts {
public:
    void information(const QString&, const QString&) override {}
    void warning(const QString&, const QString&) override {}
    void error(const QString& text, const QString&) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    TPromptAnswer confirm(const QString&, TPromptButtons, TPromptKind) override
    {
        return TPromptAnswer::paYes;
    }
    void beep() override {}
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TCachedStyle::Install();
    const QDir out(qEnvironmentVariable("ZOL_SCREENSHOT_DIR", QStringLiteral("screenshots")));
    QDir().mkpath(out.path());
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    int failed = 0;
    auto save = [&](QWidget* w, const QString& name) {
        w->show();
        QCoreApplication::processEvents();
        const QString path = out.filePath(name + QStringLiteral("_x") + scale + QStringLiteral(".png"));
        if (!w->grab().save(path)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            ++failed;
        }
    };

    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    TSilentPrompts prompts;
    const QString other = dir.filePath(QStringLiteral("other_Panel1.QEM"));
    TMainFormSetup setup;
    setup.Prompts = &prompts;
    setup.Settings = &settings;
    setup.ChooseFile = [&](TFileQuestion) { return other; };
    TMainForm form(setup);
    form.show();
    QCoreApplication::processEvents();

    for (int page = 0; page < TMainForm::PageCount; ++page) {
        if (page == ppViewEventLog)
            continue; // showing it opens the port
        form.SetActivePage(static_cast<TPanelPage>(page));
        save(&form, QStringLiteral("main_%1").arg(page));
    }
    for (const char* name : {"mnuFile", "mnuEdit", "mnuPanel", "mnuTools"}) {
        auto* menu = form.findChild<QMenu*>(QString::fromLatin1(name));
        menu->popup(form.mapToGlobal(QPoint(10, 10)));
        save(menu, QString::fromLatin1(name));
        menu->hide();
    }

    TfrmStatus& status = form.StatusWindow();
    status.SetCancelVisible(true);
    status.SetStatus(QStringLiteral("Loading data for Loop 1 - Point 17"));
    status.SetMaximum(253);
    status.SetPosition(17);
    save(&status, QStringLiteral("status"));
    status.hide();
    auto* comm = form.findChild<TCommSelectForm*>();
    comm->adjustSize();
    save(comm, QStringLiteral("commselect"));
    comm->hide();
    auto* about = form.findChild<TAboutBox*>();
    about->SetVersion(TMainForm::VersionLine);
    about->adjustSize();
    save(about, QStringLiteral("about"));
    about->hide();
    auto* help = form.findChild<THelpWindow*>();
    help->ShowContext(60);
    save(help, QStringLiteral("help"));
    help->hide();

    form.Data().SiteConfig.AL3Code = form.Data().SiteConfig.AL2Code;
    form.findChild<QAction*>(QStringLiteral("actCheckConfiguration"))->trigger();
    save(&form, QStringLiteral("main_check"));

    TData compared;
    compared.ZoneList.Zone(4).Name = QStringLiteral("Plant Room");
    compared.SiteConfig.ClientName = QStringLiteral("Brenmoor Hospital");
    if (TConfigFile(compared, prompts).SaveAs(other)) {
        form.findChild<QAction*>(QStringLiteral("actCompareWithFile"))->trigger();
        if (form.CompareDialog())
            save(form.CompareDialog(), QStringLiteral("compare"));
    }

    form.Data().MarkSaved();
    std::printf("screenshots in %s\n", qPrintable(out.absolutePath()));
    return failed == 0 ? 0 : 1;
}
