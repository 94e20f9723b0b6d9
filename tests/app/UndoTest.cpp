// Undo and redo through the real pages, recent files and the window layout.
#include "MainFormFixture.h"

#include "app/GuiPrompts.h"
#include "app/RecentFiles.h"
#include "app/UndoHistory.h"
#include "app/WindowLayout.h"
#include "editors/devices/DialogDriver.h"
#include "editors/loop/DeviceSelectionFrame.h"
#include "editors/loop/LoopFrame.h"
#include "editors/loop/LoopGrid.h"
#include "editors/zones/GroupConfigPage.h"
#include "editors/zones/OutputMatrix.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QTableWidget>
#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QLineEdit>
#include <QStyleHints>
#include <QToolButton>

namespace {

class TUndoTest : public TMainFormTest {
protected:
    void SetUp() override
    {
        TMainFormTest::SetUp();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }

    TUndoHistory& History() { return Form->UndoHistory(); }

    template <typename T>
    T* Control(TPanelPage page, const char* name)
    {
        Form->SetActivePage(page);
        auto* w = Form->Page(page)->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // The event after an edit, as between two user actions.
    static void Settle() { QCoreApplication::processEvents(); }

    void SaveTo(const QString& name)
    {
        Files << Dir.filePath(name);
        ASSERT_TRUE(Form->FileSaveAs());
    }
};

TEST_F(TUndoTest, TypingIsOneStepAndUndoingToTheSavedStateClearsTheMark)
{
    SaveTo(QStringLiteral("site.QEM"));
    auto* client = Control<QLineEdit>(ppSiteConfig, "txtClientName");
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("Acme"));
    Settle();
    EXPECT_EQ(Form->Data().SiteConfig.ClientName, "Acme");
    EXPECT_EQ(History().UndoCount(), 1) << "typing in one field is one step";
    EXPECT_EQ(ShownText(Action("actUndo")->text()), "&Undo Clients Name");

    // Ctrl+Z in the field reaches the document's history, not the field's own undo.
    QTest::keyClick(client, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form->Data().SiteConfig.ClientName, "");
    EXPECT_EQ(client->text(), "") << "the page shows the restored document";
    EXPECT_FALSE(Form->Data().Modified()) << "back at the saved state";
    EXPECT_TRUE(History().Stack().isClean());
    EXPECT_FALSE(Action("actSave")->isEnabled());
    EXPECT_TRUE(client->hasFocus()) << "typing goes on where it was";

    QTest::keyClick(Form.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Form->Data().SiteConfig.ClientName, "Acme");
    EXPECT_EQ(client->text(), "Acme");
    EXPECT_TRUE(Form->Data().Modified());
    EXPECT_EQ(ShownText(Action("actRedo")->text()), "Nothing to redo");
}

TEST_F(TUndoTest, EachPageKindUndoesAndRedoesItsEdit)
{
    TData& doc = Form->Data();

    auto* box = Control<QCheckBox>(ppZoneConfig, "chkMCPs3");
    const bool mcp = doc.ZoneList.Zone(3).MCPEnable;
    QTest::mouseClick(box, Qt::LeftButton);
    Settle();
    ASSERT_NE(doc.ZoneList.Zone(3).MCPEnable, mcp);

    auto* spin = Control<QAbstractSpinBox>(ppZoneConfig, "spnSounders2");
    const int sounder = doc.ZoneList.Zone(2).SounderTimer;
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Up);
    Settle();
    ASSERT_NE(doc.ZoneList.Zone(2).SounderTimer, sounder);

    auto* group = qobject_cast<TfrmGroupConfig*>(Form->Page(ppGroupConfig));
    Form->SetActivePage(ppGroupConfig);
    TOutputMatrix* m = group->Matrix();
    auto groups = [&] {
        QList<int> g;
        for (int z = 1; z <= 3; ++z)
            for (int i = 1; i <= MaxGroup; ++i)
                g << doc.ZoneList.Zone(z).GroupConfig[i];
        return g;
    };
    const QList<int> before = groups();
    QTest::mouseClick(group->Tool(grPulsed), Qt::LeftButton);
    QTest::mousePress(m, Qt::LeftButton, {}, m->CellRect(1, 7).center());
    QTest::mouseMove(m, m->CellRect(2, 8).center());
    Settle();
    QTest::mouseMove(m, m->CellRect(3, 9).center());
    QTest::mouseRelease(m, Qt::LeftButton, {}, m->CellRect(3, 9).center());
    Settle();
    ASSERT_NE(groups(), before);

    QGuiApplication::styleHints()->setMouseDoubleClickInterval(20);
    auto* loop = qobject_cast<TfrmLoop*>(Form->Page(ppLoop1));
    Form->SetActivePage(ppLoop1);
    loop->Toolbar()->ChooseVariant(1, 2);
    QTest::mouseClick(loop->Grid(), Qt::LeftButton, {}, loop->Grid()->PointCentre(5));
    QTest::qWait(60);
    ASSERT_NE(doc.Loop1.Devices[5].TypeCode, NotFittedCode);

    EXPECT_EQ(History().UndoCount(), 4) << "check box, spin, matrix drag, placement";
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(doc.Loop1.Devices[5].TypeCode, NotFittedCode);
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(groups(), before) << "the whole drag at once";
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(doc.ZoneList.Zone(2).SounderTimer, sounder);
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(doc.ZoneList.Zone(3).MCPEnable, mcp);
    // A hidden page shows the restored document when it is shown.
    Form->SetActivePage(ppZoneConfig);
    EXPECT_EQ(box->isChecked(), mcp);
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(Form->Undo());
    EXPECT_EQ(ShownText(Action("actUndo")->text()), "Nothing to undo");

    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(Form->Redo());
    EXPECT_NE(doc.Loop1.Devices[5].TypeCode, NotFittedCode);
    EXPECT_NE(doc.ZoneList.Zone(3).MCPEnable, mcp);
    EXPECT_TRUE(doc.Modified());
}

TEST_F(TUndoTest, TwoClicksOnAMatrixAreTwoSteps)
{
    TData& doc = Form->Data();
    auto* group = qobject_cast<TfrmGroupConfig*>(Form->Page(ppGroupConfig));
    Form->SetActivePage(ppGroupConfig);
    TOutputMatrix* m = group->Matrix();
    auto groups = [&] {
        QList<int> g;
        for (int z = 1; z <= 3; ++z)
            for (int i = 1; i <= MaxGroup; ++i)
                g << doc.ZoneList.Zone(z).GroupConfig[i];
        return g;
    };
    QTest::mouseClick(group->Tool(grPulsed), Qt::LeftButton);
    const QList<int> before = groups();
    QTest::mouseClick(m, Qt::LeftButton, {}, m->CellRect(1, 7).center());
    Settle();
    const QList<int> first = groups();
    QTest::mouseClick(m, Qt::LeftButton, {}, m->CellRect(2, 8).center());
    Settle();
    ASSERT_NE(first, before);
    ASSERT_NE(groups(), first);
    EXPECT_EQ(History().UndoCount(), 2);
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(groups(), first) << "the first click stays";
}

TEST_F(TUndoTest, ADeviceDialogEditIsOneStep)
{
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(20);
    auto* loop = qobject_cast<TfrmLoop*>(Form->Page(ppLoop1));
    Form->SetActivePage(ppLoop1);
    loop->Toolbar()->ChooseVariant(1, 2);
    QTest::mouseClick(loop->Grid(), Qt::LeftButton, {}, loop->Grid()->PointCentre(7));
    QTest::qWait(60);
    Settle();
    const TDeviceType placed = Form->Data().Loop1.Devices[7];
    ASSERT_NE(placed.TypeCode, NotFittedCode);

    OnNextDialog([](QDialog& d) {
        auto* name = d.findChild<QLineEdit*>(QStringLiteral("txtDeviceName"));
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Boiler room"));
        ClickButton(d, "btnAccept");
    });
    emit loop->EditDeviceRequested(1, 7);
    Settle();
    ASSERT_EQ(Form->Data().Loop1.Devices[7].Name, "Boiler room");
    EXPECT_EQ(History().UndoCount(), 2);
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(Form->Data().Loop1.Devices[7].Name, placed.Name);
    EXPECT_EQ(Form->Data().Loop1.Devices[7].TypeCode, placed.TypeCode);
    ASSERT_TRUE(Form->Redo());
    EXPECT_EQ(Form->Data().Loop1.Devices[7].Name, "Boiler room");
}

TEST_F(TUndoTest, OpenAndLoadAllStartAFreshHistory)
{
    SaveTo(QStringLiteral("fresh.QEM"));
    auto* client = Control<QLineEdit>(ppSiteConfig, "txtClientName");
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("North"));
    Settle();
    ASSERT_TRUE(Action("actUndo")->isEnabled());
    ASSERT_TRUE(Form->OpenFile(Form->Data().FileName));
    EXPECT_EQ(History().UndoCount(), 0);
    EXPECT_FALSE(Action("actUndo")->isEnabled());

    QTest::keyClicks(client, QStringLiteral("South"));
    Settle();
    // A page loaded from the panel is one step back to what was typed.
    auto* zoneName = Control<QLineEdit>(ppZoneConfig, "txtZoneName1");
    zoneName->setFocus();
    QTest::keyClicks(zoneName, QStringLiteral("Local"));
    Settle();
    const QString typed = Form->Data().ZoneList.Zone(1).Name;
    // Asked first: the load replaces what was typed.
    Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_TRUE(RunTransfer([&] { return Form->LoadPage(); }));
    ASSERT_NE(Form->Data().ZoneList.Zone(1).Name, typed);
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(Form->Data().ZoneList.Zone(1).Name, typed);
    ASSERT_TRUE(Form->Redo());

    Prompts.Answers = {TPromptAnswer::paYes}; // the load replaces unsaved edits
    ASSERT_TRUE(RunTransfer([&] { return Form->LoadAll(); })) << Prompts.texts().join('|').toStdString();
    EXPECT_EQ(History().UndoCount(), 0);
    EXPECT_EQ(ShownText(Action("actUndo")->text()), "Nothing to undo");
}

TEST_F(TUndoTest, TheHistoryKeepsTheLastHundredSteps)
{
    TData& doc = Form->Data();
    for (int n = 1; n <= TUndoHistory::MaxSteps + 20; ++n) {
        doc.ZoneList.Zone(5).Name = QString::number(n);
        doc.Edit(dpAll, QStringLiteral("edit"));
        Settle();
    }
    EXPECT_EQ(History().UndoCount(), TUndoHistory::MaxSteps);
    while (Form->Undo()) {
    }
    EXPECT_EQ(doc.ZoneList.Zone(5).Name, "20") << "the oldest steps were dropped";
    EXPECT_TRUE(doc.Modified()) << "the saved state is no longer reachable";
    EXPECT_EQ(History().RedoCount(), TUndoHistory::MaxSteps);
}

// Each page kind names the parts its edit touches and what undo calls it, whatever has the
// focus.
TEST_F(TUndoTest, EachPageKindNamesItsPartsAndItsUndoLabel)
{
    QList<std::pair<QString, TDocParts>> edits;
    QObject::connect(&Form->Data(), &TData::Edited, Form.get(),
                     [&](const QString& label, TDocParts parts) { edits.append({label, parts}); });
    auto expect = [&](const QString& label, TDocParts parts) {
        Settle();
        ASSERT_FALSE(edits.isEmpty()) << label.toStdString();
        EXPECT_EQ(edits.constLast().first, label);
        EXPECT_EQ(edits.constLast().second, parts) << label.toStdString();
        EXPECT_EQ(ShownText(Action("actUndo")->text()), QStringLiteral("&Undo ") + label);
        edits.clear();
    };

    auto* client = Control<QLineEdit>(ppSiteConfig, "txtClientName");
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("A"));
    expect(QStringLiteral("Clients Name"), dpSite);

    QTest::mouseClick(Control<QCheckBox>(ppZoneConfig, "chkMCPs3"), Qt::LeftButton);
    expect(QStringLiteral("Zone 3 MCPs"), dpZones);

    auto* group = qobject_cast<TfrmGroupConfig*>(Form->Page(ppGroupConfig));
    Form->SetActivePage(ppGroupConfig);
    QTest::mouseClick(group->Tool(grPulsed), Qt::LeftButton);
    QTest::mouseClick(group->Matrix(), Qt::LeftButton, {}, group->Matrix()->CellRect(1, 7).center());
    expect(QStringLiteral("Group Config matrix"), dpGroups);

    QTest::mouseClick(Control<QCheckBox>(ppSetConfig, "chkSilenceable2"), Qt::LeftButton);
    expect(QStringLiteral("Set 2 silenceable"), dpSets);

    QTest::mouseClick(Control<QCheckBox>(ppNetworkConfig, "chkFitted2"), Qt::LeftButton);
    expect(QStringLiteral("Fitted 2"), dpNetwork);

    auto* action = Control<QComboBox>(ppCEConfig, "cboAction1");
    action->setFocus();
    QTest::keyClick(action, Qt::Key_Down);
    expect(QStringLiteral("Event 1 Action"), dpCauseEffect);

    auto* comments = Control<QWidget>(ppComments, "txtComments");
    comments->setFocus();
    QTest::keyClicks(comments, QStringLiteral("x"));
    expect(QStringLiteral("Comments"), dpComments);

    auto* zones = Control<QTableWidget>(ppLoopSummary, "sgrdZones");
    zones->item(3, 1)->setText(QStringLiteral("Stores"));
    expect(QStringLiteral("Zone 3 name"), dpZones);

    QGuiApplication::styleHints()->setMouseDoubleClickInterval(20);
    auto* loop = qobject_cast<TfrmLoop*>(Form->Page(ppLoop1));
    Form->SetActivePage(ppLoop1);
    loop->Toolbar()->ChooseVariant(1, 2);
    QTest::mouseClick(loop->Grid(), Qt::LeftButton, {}, loop->Grid()->PointCentre(5));
    QTest::qWait(60);
    expect(QStringLiteral("Loop 1 point 5"), dpLoop1 | dpNames);

    // An undo from another page brings up the page that shows what it took back.
    Form->SetActivePage(ppComments);
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(Form->ActivePage(), ppLoop1);
}

// Leaving level 3 with level 2's code, mending it and editing another field: undo and save
// go on working (a check result remembered in the document used to stop both silently).
TEST_F(TUndoTest, AnAccessCodeMendedOnceNeverStopsUndoOrSave)
{
    SaveTo(QStringLiteral("codes.QEM"));
    auto* level3 = Control<QLineEdit>(ppSiteConfig, "txtAL3Code");
    auto* client = Control<QLineEdit>(ppSiteConfig, "txtClientName");
    const QString original = Form->Data().SiteConfig.AL3Code;
    level3->setFocus();
    level3->selectAll();
    QTest::keyClicks(level3, Form->Data().SiteConfig.AL2Code);
    QTest::keyClick(level3, Qt::Key_Tab);
    Settle();
    Settle();
    ASSERT_TRUE(level3->hasFocus()) << "the warning keeps the focus in the field";
    level3->selectAll();
    QTest::keyClicks(level3, QStringLiteral("4321"));
    QTest::keyClick(level3, Qt::Key_Tab);
    Settle();
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("Acme"));
    QTest::keyClick(client, Qt::Key_Tab);
    Settle();

    ASSERT_TRUE(Form->Undo());
    ASSERT_TRUE(Form->Undo());
    EXPECT_EQ(Form->Data().SiteConfig.AL3Code, original);
    ASSERT_TRUE(Form->Redo());
    QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(Form->Data().Modified());
}

TEST_F(TUndoTest, AProtocolSwitchStartsAnUntitledConfiguration)
{
    SaveTo(QStringLiteral("site.QEM"));
    const QByteArray saved = [&] {
        QFile file(Form->Data().FileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const QString path = Form->Data().FileName;
    Prompts.Answers = {TPromptAnswer::paYes};
    Action("actHochikiProtocol")->trigger();
    ASSERT_EQ(Form->Data().SystemType(), stHochikiLoop);
    EXPECT_TRUE(Form->Data().FileName.isEmpty());
    EXPECT_TRUE(Form->windowTitle().endsWith(QStringLiteral(" - New file")));

    auto* client = Control<QLineEdit>(ppSiteConfig, "txtClientName");
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("B"));
    QTest::keyClick(Form.get(), Qt::Key_S, Qt::ControlModifier);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), saved) << "Save asks for a name instead of overwriting the site's file";
}

// Three undos, Save As and three redos: the title keeps the file and says it is modified.
TEST_F(TUndoTest, RedoAfterSaveAsKeepsTheFileInTheTitle)
{
    for (const char* name : {"txtClientName", "txtQuiescentString", "txtMaintenanceString"}) {
        auto* field = Control<QLineEdit>(ppSiteConfig, name);
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("x"));
        Settle();
    }
    ASSERT_EQ(History().UndoCount(), 3);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Form->Undo());
    SaveTo(QStringLiteral("later.QEM"));
    const QString path = Form->Data().FileName;
    while (Form->Redo()) {
    }
    EXPECT_EQ(Form->Data().FileName, path);
    EXPECT_TRUE(Form->windowTitle().endsWith(path + QStringLiteral(" - Modified")));
}

TEST(RecentFilesTest, NewestFirstOncePerFileAndAtMostEight)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    TRecentFiles recent(store);
    for (int i = 1; i <= 10; ++i)
        recent.Add(dir.filePath(QStringLiteral("f%1.QEM").arg(i)));
    recent.Add(dir.filePath(QStringLiteral("f5.QEM")));
    const QStringList files = TRecentFiles(store).Files();
    ASSERT_EQ(files.size(), TRecentFiles::MaxFiles);
    EXPECT_TRUE(files.at(0).endsWith("f5.QEM"));
    EXPECT_TRUE(files.at(1).endsWith("f10.QEM"));
    EXPECT_EQ(files.filter("f5.QEM").size(), 1);
    EXPECT_TRUE(files.last().endsWith("f3.QEM"));
}

TEST_F(TUndoTest, RecentFilesAreListedAndAVanishedOneIsRemovedWithAMessage)
{
    SaveTo(QStringLiteral("a.QEM"));
    const QString a = Form->Data().FileName;
    SaveTo(QStringLiteral("b.QEM"));
    QAction* first = Form->findChild<QAction*>(QStringLiteral("actRecentFile1"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().startsWith("&1 ") && first->text().endsWith(QFileInfo(Form->Data().FileName).fileName()));

    ASSERT_TRUE(QFile::remove(a));
    const QString before = Form->Data().FileName;
    Form->findChild<QAction*>(QStringLiteral("actRecentFile2"))->trigger();
    EXPECT_EQ(Prompts.texts().constLast(), RecentFileGoneMessage(a));
    EXPECT_EQ(Form->RecentFiles().Files().size(), 1);
    EXPECT_EQ(Form->findChild<QAction*>(QStringLiteral("actRecentFile2")), nullptr);
    EXPECT_EQ(Form->Data().FileName, before);
}

TEST_F(TUndoTest, TheNextWindowTakesTheSizeAndPageOfTheLastOne)
{
    Form->SetActivePage(ppZoneConfig);
    // As narrow as the window goes: the test screen is narrower than the window's first size,
    // so the window opened maximised and is brought back to a size of its own within it.
    Form->showNormal();
    Form->resize(Form->minimumSizeHint().width(), Form->height() - 37);
    QCoreApplication::processEvents();
    const QSize shown = Form->size();
    ASSERT_TRUE(Form->close());
    TMainFormSetup setup;
    setup.Prompts = &Prompts;
    setup.Settings = Settings.get();
    setup.ButtonsIniPath = Dir.filePath(QStringLiteral("Protocol_Buttons.ini"));
    Form = std::make_unique<TMainForm>(setup);
    Form->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(Form->size(), shown);
    EXPECT_EQ(Form->ActivePage(), ppZoneConfig);
}

TEST(WindowLayoutTest, ALayoutFromALargerScreenComesBackOnTheVisibleOne)
{
    const QRect screen(0, 0, 1280, 800);
    EXPECT_EQ(FitOnScreen(QRect(2200, 900, 1000, 700), screen), QRect(280, 100, 1000, 700));
    EXPECT_EQ(FitOnScreen(QRect(-50, 10, 2400, 1400), screen), screen);
    EXPECT_EQ(FitOnScreen(QRect(100, 100, 640, 480), screen), QRect(100, 100, 640, 480));
}

} // namespace
