// Every command of the main window driven as the user does it — through its menu, its key
// sequence and its toolbar button — in each state of the commands x states table.
#include "MainFormFixture.h"

#include "app/GuiPrompts.h"
#include "app/MainActionStates.h"
#include "editors/print/PrinterSetup.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QWindow>

namespace {

using C = TWindowCommand;

struct TEntry {
    const char* Action;
    TWindowCommand Command;
    // The page shown while the command is tried (some commands belong to one page).
    TPanelPage Page = ppSiteConfig;
};

const TEntry Entries[] = {
    {"actNew", C::wcNew},
    {"actOpen", C::wcOpen},
    {"actSave", C::wcSave},
    {"actSaveAs", C::wcSaveAs},
    {"actExportSchedule", C::wcExportSchedule},
    {"actImportSchedule", C::wcImportSchedule},
    {"actPrint", C::wcPrint},
    {"actPrinterProperties", C::wcPrinterProperties},
    {"actUndo", C::wcUndo},
    {"actRedo", C::wcRedo},
    {"actLoadAllFromPanel", C::wcLoadAll},
    {"actSaveAllToPanel", C::wcSaveAll},
    {"actLoadFromPanel", C::wcLoadPage},
    {"actSavetoPanel", C::wcSavePage},
    {"actClearDisplay", C::wcClearDisplay, ppViewEventLog},
    {"actLoadLog", C::wcLoadLog, ppViewEventLog},
    {"actSaveLog", C::wcSaveLog, ppViewEventLog},
    {"actSelectPort", C::wcSelectPort},
    {"actDisconnect", C::wcDisconnect},
    {"actApolloProtocol", C::wcProtocol},
    {"actHochikiProtocol", C::wcProtocol},
    {"actCheckConfiguration", C::wcCheckConfiguration},
    {"actCompareWithFile", C::wcCompareWithFile},
    {"actCompareWithPanel", C::wcCompareWithPanel},
    {"actRecordCommsLog", C::wcRecordCommsLog},
    {"actVerifyAfterSave", C::wcSaveChoices},
    {"actBackupBeforeSave", C::wcSaveChoices},
    {"actContents", C::wcContents},
    {"actAbout", C::wcAbout},
    {"actExit", C::wcExit},
};

class TCommandsTest : public TMainFormTest {
protected:
    void SetUp() override
    {
        TMainFormTest::SetUp();
        PrinterSetup().Reset(rdPdf);
        Activate();
        // Every modal window a command opens is closed again and its name kept.
        connect(&closer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == keep_)
                return;
            Opened << (modal->objectName().isEmpty() ? QString::fromLatin1(modal->metaObject()->className())
                                                     : modal->objectName());
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        });
        closer_.start(5);
    }

    void TearDown() override
    {
        closer_.stop();
        if (Form->Sequencer().Busy())
            Form->Sequencer().Disconnect();
        PrinterSetup().Reset();
        TMainFormTest::TearDown();
    }

    void Activate()
    {
        Form->show();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }

    QMenu* MenuOf(QAction* action) const
    {
        for (QMenu* menu : Form->menuBar()->findChildren<QMenu*>())
            if (menu->actions().contains(action))
                return menu;
        for (QMenu* menu : Form->findChildren<QMenu*>())
            if (menu->actions().contains(action))
                return menu;
        return nullptr;
    }

    QToolButton* ButtonOf(QAction* action) const
    {
        for (QToolButton* b : Form->findChildren<QToolButton*>())
            if (b->defaultAction() == action && b->isVisible())
                return b;
        return nullptr;
    }

    // Opens the action's menu, moves onto the entry and presses Enter.
    void ThroughMenu(QAction* action)
    {
        QMenu* menu = MenuOf(action);
        ASSERT_NE(menu, nullptr) << action->objectName().toStdString();
        menu->popup(Form->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
        if (menu->isVisible())
            menu->hide();
    }

    // How often the action ran when reached in each way it offers; paths lists the ways.
    int Reach(QAction* action, QStringList* paths)
    {
        QSignalSpy ran(action, &QAction::triggered);
        ThroughMenu(action);
        *paths << QStringLiteral("menu");
        Settle();
        if (!action->shortcut().isEmpty()) {
            Activate();
            QTest::keySequence(Form.get(), action->shortcut());
            *paths << QStringLiteral("keys");
            Settle();
        }
        if (QToolButton* button = ButtonOf(action)) {
            Activate();
            QTest::mouseClick(button, Qt::LeftButton);
            *paths << QStringLiteral("toolbar");
            Settle();
        }
        return static_cast<int>(ran.count());
    }

    // Whatever a command started comes to rest: a transfer is stopped, the window shown.
    void Settle()
    {
        QTest::qWait(20);
        if (Form->Sequencer().Busy() && keepBusy_ == 0)
            Form->Sequencer().Disconnect();
        QTest::qWait(10);
        if (!Form->isVisible())
            Activate();
    }

    // Each command is available exactly when the table says so (and its own condition
    // allows), says why when not, and runs from every place it is offered when available.
    void CheckEveryCommand(TWindowState state, bool reach)
    {
        for (const TEntry& e : Entries) {
            if (Form->ActivePage() != e.Page)
                Form->SetActivePage(e.Page);
            QAction* action = Action(e.Action);
            ASSERT_NE(action, nullptr) << e.Action;
            const TCommandAvailability rule = CommandAvailability(e.Command, state);
            const QString name = QString::fromLatin1(e.Action);
            if (!rule.Available) {
                EXPECT_FALSE(action->isEnabled()) << e.Action << " in " << WindowStateName(state).toStdString();
                if (e.Command != C::wcUndo && e.Command != C::wcRedo && e.Command != C::wcLoadPage
                    && e.Command != C::wcSavePage)
                    EXPECT_TRUE(action->statusTip().contains(rule.Reason)) << e.Action;
            } else if (e.Command != C::wcUndo && e.Command != C::wcRedo) {
                EXPECT_TRUE(action->isEnabled()) << e.Action << " in " << WindowStateName(state).toStdString();
            }
            if (!reach)
                continue;
            QStringList paths;
            const bool enabled = action->isEnabled();
            const int ran = Reach(action, &paths);
            EXPECT_EQ(ran, enabled ? paths.size() : 0)
                << e.Action << " through " << paths.join(QLatin1Char(',')).toStdString() << " in "
                << WindowStateName(state).toStdString();
        }
        Form->SetActivePage(ppSiteConfig);
    }

    QStringList Opened;
    QWidget* keep_ = nullptr;
    int keepBusy_ = 0;
    QTimer closer_;
};

TEST_F(TCommandsTest, PrintOpensItsDialogFromMenuKeysAndToolbar)
{
    QStringList paths;
    EXPECT_EQ(Reach(Action("actPrint"), &paths), 3);
    EXPECT_EQ(paths, (QStringList{"menu", "keys", "toolbar"}));
    EXPECT_EQ(Opened, (QStringList{"frmPrint", "frmPrint", "frmPrint"}));
}

TEST_F(TCommandsTest, IdleAndModified)
{
    Prompts.DefaultAnswer = TPromptAnswer::paNo;
    CheckEveryCommand(TWindowState::wsIdle, true);
    EXPECT_TRUE(Opened.contains("frmPrint"));
    EXPECT_TRUE(Opened.contains("AboutBox") || Opened.contains("TAboutBox"));
    EXPECT_GT(FileQuestions, 0) << "Open, Save As, import and export ask for a file";

    Form->Data().SiteConfig.ClientName = QStringLiteral("Harbour");
    Form->Data().SetModified(true);
    QCoreApplication::processEvents();
    ASSERT_EQ(Form->WindowState(), TWindowState::wsModified);
    // Exit asks about the edits: Cancel keeps the window.
    Prompts.DefaultAnswer = TPromptAnswer::paCancel;
    CheckEveryCommand(TWindowState::wsModified, true);
    EXPECT_TRUE(Form->isVisible());
}

// While a load runs: nothing that changes the document or the link is offered, the panel
// number is fixed and the status bar says why.
TEST_F(TCommandsTest, LoadingAndSaving)
{
    Panel->SetWireBitRate(1200);
    keepBusy_ = 1;
    QTest::mouseClick(Form->findChild<QToolButton*>(QStringLiteral("btnLoadAllFromPanel")),
                      Qt::LeftButton);
    ASSERT_TRUE(Form->Sequencer().Busy());
    ASSERT_EQ(Form->WindowState(), TWindowState::wsLoading);
    EXPECT_FALSE(Form->findChild<QSpinBox*>(QStringLiteral("spnPanelNumber"))->isEnabled());
    EXPECT_FALSE(Form->statusBar()->findChild<QLabel*>(QStringLiteral("lblWindowState"))->text().isEmpty());
    CheckEveryCommand(TWindowState::wsLoading, true);
    ASSERT_TRUE(Form->Sequencer().Busy()) << "no command reached stopped the load";
    Form->Sequencer().Disconnect();
    QCoreApplication::processEvents();

    Prompts.DefaultAnswer = TPromptAnswer::paYes;
    Form->SetActivePage(ppSiteConfig);
    QTest::mouseClick(Form->findChild<QToolButton*>(QStringLiteral("btnSavetoPanel")), Qt::LeftButton);
    Prompts.DefaultAnswer = TPromptAnswer::paNo;
    ASSERT_TRUE(Form->Sequencer().Busy()) << Prompts.texts().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(Form->WindowState(), TWindowState::wsSaving);
    CheckEveryCommand(TWindowState::wsSaving, true);
    EXPECT_TRUE(Form->Sequencer().Busy());
    keepBusy_ = 0;
}

// A dialog or the preview over the window: its commands wait, with the reason on each.
TEST_F(TCommandsTest, ModalDialogAndPreview)
{
    closer_.stop();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        keep_ = QApplication::activeModalWidget();
        QTest::qWait(20);
        EXPECT_EQ(Form->WindowState(), TWindowState::wsModal);
        CheckEveryCommand(TWindowState::wsModal, false);
        QSignalSpy newFile(Action("actNew"), &QAction::triggered);
        QTest::keyClick(Form.get(), Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(newFile.count(), 0);
        checked = true;
        static_cast<QDialog*>(keep_)->reject();
        keep_ = nullptr;
    });
    QTest::keyClick(Form.get(), Qt::Key_H, Qt::AltModifier);
    QMenu* help = Form->findChild<QMenu*>(QStringLiteral("mnuHelp"));
    ASSERT_TRUE(help->isVisible());
    help->setActiveAction(Action("actAbout"));
    QTest::keyClick(help, Qt::Key_Return);
    EXPECT_TRUE(checked);

    checked = false;
    QTimer::singleShot(0, [&] {
        QWidget* print = QApplication::activeModalWidget();
        ASSERT_TRUE(print && print->objectName() == "frmPrint");
        keep_ = print;
        QTimer::singleShot(0, [&] {
            keep_ = QApplication::activeModalWidget();
            ASSERT_TRUE(keep_ && keep_->objectName() == "PreviewForm");
            QTest::qWait(20);
            EXPECT_EQ(Form->WindowState(), TWindowState::wsPreview);
            CheckEveryCommand(TWindowState::wsPreview, false);
            checked = true;
            QTest::keyClick(keep_, Qt::Key_Escape);
            keep_ = nullptr;
        });
        print->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    QTest::keySequence(Form.get(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_TRUE(checked);
    QTest::qWait(20);
    EXPECT_EQ(Form->WindowState(), TWindowState::wsIdle);
    EXPECT_TRUE(Action("actPrint")->isEnabled());
}

// One place raises messages above the window on top: a box opened while a dialog stays on
// top of the main window opens above that dialog.
TEST_F(TCommandsTest, MessagesOpenAboveTheWindowOnTop)
{
    QWidget main;
    main.show();
    QDialog onTop(&main, Qt::Dialog | Qt::WindowStaysOnTopHint);
    onTop.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&onTop));
    TGuiPrompts prompts(&main);
    keep_ = &onTop;
    QWindow* parent = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_TRUE(box && box->inherits("QMessageBox"));
        parent = box->windowHandle()->transientParent();
        static_cast<QDialog*>(box)->accept();
    });
    closer_.stop();
    prompts.warning(QStringLiteral("Nothing to print"));
    EXPECT_EQ(parent, onTop.windowHandle());
}

} // namespace
