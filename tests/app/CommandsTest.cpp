// Every command of the main window driven as the user does it — through its menu, its key
// sequence and its toolbar button — in each state of the commands x states table.
#include "MainFormFixture.h"

#include "app/GuiPrompts.h"
#include "app/MainActionStates.h"
#include "editors/print/PrinterSetup.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
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
    {"actSaveChangesToPanel", C::wcSaveChanges},
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
        QObject::connect(&closer_, &QTimer::timeout, [this] {
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
        // The offscreen platform keeps a closed dialog as the active window where a desktop
        // hands the activation back: another window takes it first.
        if (QApplication::activeWindow() != Form.get()) {
            QWidget other;
            other.show();
            other.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        }
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == Form.get(); }));
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
        if (!action->shortcut().isEmpty()) {
            Activate();
            // The keys reach the window's focused control, as typed (from the pages' tabs:
            // a text field keeps some keys, Ctrl+D among them, for itself).
            Form->PageControl().setFocus();
            QWidget* focus = QApplication::focusWidget();
            QTest::keySequence(focus && focus->window() == Form.get() ? focus : Form.get(),
                               action->shortcut());
            Settle();
            *paths << QStringLiteral("keys:%1").arg(ran.count());
        }
        ThroughMenu(action);
        Settle();
        *paths << QStringLiteral("menu:%1").arg(ran.count());
        if (QToolButton* button = ButtonOf(action)) {
            Activate();
            QTest::mouseClick(button, Qt::LeftButton);
            Settle();
            *paths << QStringLiteral("toolbar:%1").arg(ran.count());
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
        // A window a command opened (the help) is closed: the keys go to the main window.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != Form.get() && w->isVisible() && w->windowType() != Qt::Popup
                && w->windowType() != Qt::ToolTip && w != keep_)
                w->close();
        if (!Form->isVisible() || !Form->isActiveWindow())
            Activate();
    }

    // Each command is available exactly when the table says so (and its own condition
    // allows), says why when not, and runs from every place it is offered when available.
    void CheckEveryCommand(TWindowState state, bool reach)
    {
        for (const TEntry& e : Entries) {
            // While a transfer runs the pages stay where they are.
            const bool transfer = state == TWindowState::wsLoading || state == TWindowState::wsSaving;
            if (transfer && e.Page != ppSiteConfig)
                continue;
            if (Form->ActivePage() != e.Page)
                Form->SetActivePage(e.Page);
            QAction* action = Action(e.Action);
            ASSERT_NE(action, nullptr) << e.Action;
            const TCommandAvailability rule = CommandAvailability(e.Command, state);
            if (!rule.Available) {
                EXPECT_FALSE(action->isEnabled()) << e.Action << " in " << WindowStateName(state).toStdString();
                if (e.Command != C::wcUndo && e.Command != C::wcRedo && e.Command != C::wcLoadPage
                    && e.Command != C::wcSavePage) {
                    EXPECT_TRUE(action->statusTip().contains(rule.Reason)) << e.Action;
                }
            } else if (e.Command != C::wcUndo && e.Command != C::wcRedo) {
                EXPECT_TRUE(action->isEnabled()) << e.Action << " in " << WindowStateName(state).toStdString();
            }
            if (!reach)
                continue;
            QStringList paths;
            const bool enabled = action->isEnabled();
            const int ran = Reach(action, &paths);
            // An undo or redo takes the last step: the next way finds nothing to take.
            const bool once = e.Command == C::wcUndo || e.Command == C::wcRedo;
            EXPECT_EQ(ran, enabled ? (once ? qMax(ran, 1) : int(paths.size())) : 0)
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
    EXPECT_EQ(paths, (QStringList{"keys:1", "menu:2", "toolbar:3"}));
    EXPECT_EQ(Opened, (QStringList{"frmPrint", "frmPrint", "frmPrint"}));
}

TEST_F(TCommandsTest, IdleAndModified)
{
    Prompts.DefaultAnswer = TPromptAnswer::paNo;
    CheckEveryCommand(TWindowState::wsIdle, true);
    EXPECT_TRUE(Opened.contains("frmPrint"));
    EXPECT_TRUE(Opened.contains("AboutBox") || Opened.contains("TAboutBox"));
    EXPECT_GT(FileQuestions, 0) << "Open, Save As, import and export ask for a file";

    {
        TDocEdit edit(Form->Data(), dpSite, QStringLiteral("Clients Name"));
        Form->Data().SiteConfig.ClientName = QStringLiteral("Harbour");
    }
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
    QTest::mouseClick(Form->findChild<QToolButton*>(QStringLiteral("btnSaveAllToPanel")), Qt::LeftButton);
    Prompts.DefaultAnswer = TPromptAnswer::paNo;
    ASSERT_TRUE(Form->Sequencer().Busy()) << Prompts.texts().join(QLatin1Char('|')).toStdString();
    ASSERT_EQ(Form->WindowState(), TWindowState::wsSaving);
    CheckEveryCommand(TWindowState::wsSaving, true);
    EXPECT_TRUE(Form->Sequencer().Busy());
    keepBusy_ = 0;
}

// A dialog over the window: its commands wait, with the reason on each.
TEST_F(TCommandsTest, ModalDialog)
{
    closer_.stop();
    bool checked = false;
    // Once the About box is open over the window.
    QTimer wait;
    QObject::connect(&wait, &QTimer::timeout, [&] {
        if (!QApplication::activeModalWidget() || checked)
            return;
        checked = true;
        keep_ = QApplication::activeModalWidget();
        QTest::qWait(20);
        EXPECT_EQ(Form->WindowState(), TWindowState::wsModal);
        CheckEveryCommand(TWindowState::wsModal, false);
        QSignalSpy newFile(Action("actNew"), &QAction::triggered);
        QTest::keyClick(Form.get(), Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(newFile.count(), 0);
        static_cast<QDialog*>(keep_)->reject();
        keep_ = nullptr;
    });
    wait.start(5);
    ThroughMenu(Action("actAbout"));
    wait.stop();
    EXPECT_TRUE(checked);

    QTest::qWait(20);
    EXPECT_EQ(Form->WindowState(), TWindowState::wsIdle);
    EXPECT_TRUE(Action("actPrint")->isEnabled());
}

// Print Preview open over the window: its commands wait for it, with the reason on each;
// once it is closed Ctrl+P opens the print dialog again.
TEST_F(TCommandsTest, PrintPreview)
{
    closer_.stop();
    bool checked = false;
    QTimer wait;
    QObject::connect(&wait, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || checked)
            return;
        if (modal->objectName() == QLatin1String("frmPrint")) {
            auto* preview = modal->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
            QTimer::singleShot(0, preview, [preview] { QTest::mouseClick(preview, Qt::LeftButton); });
            return;
        }
        if (!modal->inherits("TPreviewForm"))
            return;
        checked = true;
        keep_ = modal;
        QTest::qWait(20);
        EXPECT_EQ(Form->WindowState(), TWindowState::wsPreview);
        CheckEveryCommand(TWindowState::wsPreview, false);
        QSignalSpy newFile(Action("actNew"), &QAction::triggered);
        QTest::keyClick(Form.get(), Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(newFile.count(), 0);
        modal->close();
        keep_ = nullptr;
    });
    wait.start(5);
    QTest::keyClick(Form.get(), Qt::Key_P, Qt::ControlModifier);
    wait.stop();
    ASSERT_TRUE(checked);

    QTest::qWait(20);
    EXPECT_EQ(Form->WindowState(), TWindowState::wsIdle);
    closer_.start(5);
    QStringList paths;
    const int ran = Reach(Action("actPrint"), &paths);
    EXPECT_EQ(ran, 3) << paths.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(Opened.count(QStringLiteral("frmPrint")), 3);
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
