#include "MainFormFixture.h"

#include "editors/safety/CheckConfigurationDock.h"
#include "editors/safety/CompareDialog.h"
#include "panel/TransferOutcome.h"
#include "safety/ProvenState.h"
#include "storage/ConfigFile.h"

#include "comms/MemorySerialDevice.h"

#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

// Zone 3's sounder delay plus the investigation periods passes the maximum output delay.
void MakeZoneError(TData& data)
{
    data.ZoneList.Zone(3).Dependancy[1] = doInvestigation;
    data.ZoneList.Zone(3).SounderTimer = 900;
}

QTreeWidgetItem* FindRow(QTreeWidget* list, const QString& text)
{
    for (QTreeWidgetItemIterator it(list); *it; ++it)
        for (int c = 0; c < list->columnCount(); ++c)
            if ((*it)->text(c).contains(text))
                return *it;
    return nullptr;
}

bool Asked(const TScriptedPrompts& prompts, const QString& part)
{
    for (const TScriptedPrompts::TRecord& r : prompts.Records)
        if (r.Kind == TScriptedPrompts::TKind::mkConfirm && r.Text.contains(part))
            return true;
    return false;
}

} // namespace

TEST_F(TMainFormTest, F7ShowsTheFindingAndDoubleClickOpensItsField)
{
    Form->Data().SiteConfig.AL3Code = Form->Data().SiteConfig.AL2Code;
    Form->SetActivePage(ppLoopSummary);
    QTest::keyClick(Form.get(), Qt::Key_F7);
    ASSERT_TRUE(Form->CheckDock().isVisible());
    auto* list = Form->CheckDock().findChild<QTreeWidget*>(QStringLiteral("lstFindings"));
    const QString finding = QStringLiteral("access codes are the same");
    QTreeWidgetItem* row = FindRow(list, finding);
    ASSERT_NE(row, nullptr);
    list->scrollToItem(row);
    const QPoint at(4, list->visualItemRect(row).center().y());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(Form->ActivePage(), ppSiteConfig);
    auto* code = Form->findChild<QWidget*>(QStringLiteral("txtAL3Code"));
    ASSERT_NE(code, nullptr);
    EXPECT_TRUE(code->hasFocus());

    // Mended, "Check Again" no longer lists it.
    Form->Data().SiteConfig.AL3Code = QStringLiteral("4321");
    QTest::mouseClick(Form->CheckDock().findChild<QPushButton*>(QStringLiteral("btnCheckAgain")),
                      Qt::LeftButton);
    EXPECT_EQ(FindRow(list, finding), nullptr);
}

TEST_F(TMainFormTest, SaveAllWithAnErrorAsksAndNoSendsNothing)
{
    MakeZoneError(Form->Data());
    Prompts.DefaultAnswer = TPromptAnswer::paNo;
    EXPECT_FALSE(Form->SaveAll());
    EXPECT_TRUE(Asked(Prompts, QStringLiteral("Save it to the panel all the same?")));
    EXPECT_FALSE(Asked(Prompts, TransferText::SaveAllQuestion));
    EXPECT_EQ(Panel->FramesReceived(), 0);
    EXPECT_FALSE(Form->Sequencer().Busy());
}

TEST_F(TMainFormTest, SaveAllKeepsBackupsVerifiesAndRecordsTheLine)
{
    const QString log = Dir.filePath(QStringLiteral("line.txt"));
    Files = {Dir.filePath(QStringLiteral("site_Panel1.QEM")), log};
    Form->Data().ZoneList.Zone(2).Name = QStringLiteral("Kitchen");
    ASSERT_TRUE(Form->FileSaveAs());
    Action("actRecordCommsLog")->trigger();
    ASSERT_TRUE(Action("actRecordCommsLog")->isChecked());
    Action("actBackupBeforeSave")->setChecked(true);

    Prompts.DefaultAnswer = TPromptAnswer::paYes;
    ASSERT_TRUE(RunTransfer([&] { return Form->SaveAll(); }));
    // The window ends with what was done.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QString shown = Form->statusBar()->currentMessage();
            return shown.startsWith(QStringLiteral("Save All completed in "))
                && shown.endsWith(QStringLiteral(" s); verified: the panel holds what was sent."));
        },
        60000))
        << Form->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(Prompts.count(TScriptedPrompts::TKind::mkError), 0)
        << Prompts.texts().join(QLatin1Char('|')).toStdString();
    // The new panel's configuration before the save, and the file sent.
    const QStringList kept = QDir(Dir.filePath(QStringLiteral("backups")))
                                .entryList({QStringLiteral("*.QEM")}, QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), 2) << kept.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(kept.at(1).endsWith(QStringLiteral("_sent.QEM")));
    EXPECT_TRUE(kept.at(0).startsWith(QStringLiteral("site_Panel1_")));
    EXPECT_TRUE(Form->CompareWithPanel());
    EXPECT_EQ(Form->CompareDialog()->VisibleDifferences(), 0);

    // A second choice stops the log; it holds the frames of the save and of the read-back.
    Action("actRecordCommsLog")->trigger();
    EXPECT_FALSE(Action("actRecordCommsLog")->isChecked());
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    EXPECT_GT(text.count(QStringLiteral("TX")), 100);
    EXPECT_GT(text.count(QStringLiteral("RX")), 100);
}

TEST_F(TMainFormTest, CompareWithFileShowsTheDifference)
{
    TData other;
    other.ZoneList.Zone(4).Name = QStringLiteral("Plant Room");
    const QString path = Dir.filePath(QStringLiteral("other_Panel1.QEM"));
    ASSERT_TRUE(TConfigFile(other, Prompts).SaveAs(path));
    Files = {path};
    Action("actCompareWithFile")->trigger();
    TCompareDialog* dialog = Form->CompareDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->VisibleDifferences(), 1);
    auto* tree = dialog->findChild<QTreeWidget*>(QStringLiteral("tvwDifferences"));
    EXPECT_NE(FindRow(tree, QStringLiteral("Plant Room")), nullptr);
}

// Save Changes from the toolbar after a verified Save All sends the one renamed zone and
// proves it; a port lost part-way (from the menu) leaves the proven state as it was.
TEST_F(TMainFormTest, SaveChangesSendsTheEditAndALostPortKeepsTheProvenState)
{
    Files = {Dir.filePath(QStringLiteral("site_Panel1.QEM"))};
    Form->Data().ZoneList.Zone(4).Name = QStringLiteral("Store");
    ASSERT_TRUE(Form->FileSaveAs());
    Prompts.DefaultAnswer = TPromptAnswer::paYes;
    ASSERT_TRUE(RunTransfer([&] { return Form->SaveAll(); }));
    const QString proven = ProvenState::PathFor(Form->Data().FileName, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(proven); }, 60000));

    Form->Data().ZoneList.Zone(4).Name = QStringLiteral("Plant Room");
    const int writes = Panel->WritesReceived();
    EXPECT_TRUE(RunTransfer([&] {
        QTest::mouseClick(Form->findChild<QToolButton*>(QStringLiteral("btnSaveChangesToPanel")),
                          Qt::LeftButton);
        return true;
    }));
    EXPECT_EQ(Panel->Memory().ZoneNames[4], "Plant Room");
    EXPECT_EQ(Panel->WritesReceived() - writes, 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Form->statusBar()->currentMessage().endsWith(QStringLiteral("; read back and proven")); },
        10000))
        << Form->statusBar()->currentMessage().toStdString();

    QFile file(proven);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    for (int z = 5; z <= 12; ++z)
        Form->Data().ZoneList.Zone(z).Name = QStringLiteral("Wing %1").arg(z);
    QList<TTransferResult> ended;
    QObject::connect(&Form->Sequencer(), &TTransferSequencer::Ended,
                     [&](const TTransferResult& r) { ended.append(r); });
    int zoneNameWrites = 0;
    Panel->OnFrame = [&](bool fromTool, const QByteArray& bytes) {
        if (!fromTool || bytes.size() < 3 || bytes.at(2) != 'F' || ++zoneNameWrites != 3)
            return;
        auto* device = dynamic_cast<TMemorySerialDevice*>(Form->Comms().Port().Device());
        QTimer::singleShot(0, [device] {
            if (device)
                device->Unplug();
        });
    };
    EXPECT_FALSE(RunTransfer([&] {
        Action("actSaveChangesToPanel")->trigger();
        return true;
    }));
    Panel->OnFrame = nullptr;
    ASSERT_FALSE(ended.isEmpty());
    EXPECT_EQ(ended.last().Outcome, TTransferOutcome::PortLost);
    EXPECT_TRUE(ended.last().PartlySaved);
    QTest::qWait(50);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}
