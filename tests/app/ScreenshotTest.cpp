#include "MainFormFixture.h"

#include "app/HelpWindow.h"
#include "editors/status/AboutBox.h"
#include "editors/status/CommSelect.h"
#include "editors/status/Status.h"

#include <QDir>

// Grabs the main window and its dialogs to PNG for a look by eye (at 100 % and with
// QT_SCALE_FACTOR=1.5). Runs only when ZOL_SCREENSHOT_DIR names a folder.
TEST_F(TMainFormTest, Screenshots)
{
    const QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "ZOL_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    auto grab = [&](QWidget* w, const QString& name) {
        w->show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(w->grab().save(QDir(dir).filePath(name + QStringLiteral(".png"))));
    };
    for (int page = 0; page < TMainForm::PageCount; ++page) {
        Form->SetActivePage(static_cast<TPanelPage>(page));
        grab(Form.get(), QStringLiteral("main_%1").arg(page));
    }
    Form->StatusWindow().SetCancelVisible(true);
    Form->StatusWindow().SetStatus(QStringLiteral("Loading data for Loop 1 - Point 17"));
    Form->StatusWindow().SetMaximum(253);
    Form->StatusWindow().SetPosition(17);
    grab(&Form->StatusWindow(), QStringLiteral("status"));
    auto* comm = Form->findChild<TCommSelectForm*>();
    comm->adjustSize();
    grab(comm, QStringLiteral("commselect"));
    auto* about = Form->findChild<TAboutBox*>();
    about->SetVersion(TMainForm::VersionLine);
    about->adjustSize();
    grab(about, QStringLiteral("about"));
    auto* help = Form->findChild<THelpWindow*>();
    help->ShowContext(60);
    grab(help, QStringLiteral("help"));
    for (QWidget* w : std::initializer_list<QWidget*>{&Form->StatusWindow(), comm, about, help})
        w->hide();
}
