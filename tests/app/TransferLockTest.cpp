// A running transfer locks what it depends on; a load asks before it replaces unsaved edits.
#include "MainFormFixture.h"

#include "editors/common/Page.h"

#include <QDir>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>

namespace {

class TTransferLockTest : public TMainFormTest {
protected:
    void SetUp() override
    {
        TMainFormTest::SetUp();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        // Slow enough to act while it runs.
        Panel->SetWireBitRate(1200);
    }

    void TearDown() override
    {
        if (Form->Sequencer().Busy())
            Form->Sequencer().Disconnect();
        TMainFormTest::TearDown();
    }

    void Click(const char* button)
    {
        QTest::mouseClick(Form->findChild<QToolButton*>(QLatin1String(button)), Qt::LeftButton);
    }

    QLineEdit* ClientName() const
    {
        return Form->Page(ppSiteConfig)->findChild<QLineEdit*>(QStringLiteral("txtClientName"));
    }
};

TEST_F(TTransferLockTest, ThePanelNumberStaysFixedWhileALoadRuns)
{
    auto* number = Form->findChild<QSpinBox*>(QStringLiteral("spnPanelNumber"));
    Click("btnLoadAllFromPanel");
    ASSERT_TRUE(Form->Sequencer().Busy());
    number->setFocus();
    QTest::keyClick(number, Qt::Key_Up);
    QTest::keyClicks(number->findChild<QLineEdit*>(), QStringLiteral("2"));
    EXPECT_EQ(Form->Data().PanelNumber, 1);
    EXPECT_EQ(Form->Comms().PanelNumber, 1);
    EXPECT_FALSE(Action("actSave")->isEnabled());
    EXPECT_FALSE(Action("actSaveAs")->isEnabled());
}

TEST_F(TTransferLockTest, PagesCanBeLookedAtButNotEditedWhileASaveRuns)
{
    Prompts.DefaultAnswer = TPromptAnswer::paYes;
    Form->SetActivePage(ppSiteConfig);
    Click("btnSavetoPanel");
    ASSERT_TRUE(Form->Sequencer().Busy());
    QLineEdit* client = ClientName();
    QTest::mouseClick(client, Qt::LeftButton);
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("Acme"));
    EXPECT_EQ(client->text(), QString());
    EXPECT_EQ(Form->Data().SiteConfig.ClientName, QString());
    EXPECT_FALSE(Form->statusBar()->currentMessage().isEmpty()) << "the status bar says why";
    if (const QString shots = qEnvironmentVariable("ZOL_SCREENSHOT_DIR"); !shots.isEmpty())
        Form->grab().save(QDir(shots).filePath(QStringLiteral("main_saving.png")));
    // Looking round still works.
    Form->SetActivePage(ppZoneConfig);
    EXPECT_EQ(Form->ActivePage(), ppZoneConfig);

    Form->Sequencer().Disconnect();
    QCoreApplication::processEvents();
    Form->SetActivePage(ppSiteConfig);
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("Acme"));
    EXPECT_EQ(Form->Data().SiteConfig.ClientName, "Acme") << "editable again once it ended";
}

TEST_F(TTransferLockTest, ClosingAsksToCancelAndClosesOnceTheRunEnded)
{
    Prompts.DefaultAnswer = TPromptAnswer::paYes;
    Form->SetActivePage(ppSiteConfig);
    Click("btnSavetoPanel");
    ASSERT_TRUE(Form->Sequencer().Busy());
    Prompts.clear();
    Prompts.Answers = {TPromptAnswer::paNo};
    Form->close();
    EXPECT_TRUE(Form->isVisible());
    EXPECT_TRUE(Form->Sequencer().Busy()) << "No leaves the transfer running";
    ASSERT_FALSE(Prompts.Records.isEmpty());
    EXPECT_EQ(Prompts.Records.first().Text, TMainForm::CloseDuringTransferQuestion);
    EXPECT_EQ(Prompts.Records.first().PromptKind, TPromptKind::pkDestructive);

    Prompts.Answers = {TPromptAnswer::paYes};
    Form->close();
    QTest::qWait(50);
    EXPECT_FALSE(Form->Sequencer().Busy());
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(TTransferLockTest, LoadsAskBeforeTheyReplaceUnsavedEdits)
{
    Panel->SetWireBitRate(0);
    Form->SetActivePage(ppSiteConfig);
    QLineEdit* client = ClientName();
    client->setFocus();
    QTest::keyClicks(client, QStringLiteral("Acme"));
    QCoreApplication::processEvents();
    ASSERT_TRUE(Form->Data().Modified());

    for (const char* button : {"btnLoadAllFromPanel", "btnLoadFromPanel"}) {
        Prompts.clear();
        Click(button);
        ASSERT_EQ(Prompts.Records.size(), 1) << button;
        EXPECT_EQ(Prompts.Records.first().Text, TMainForm::LoadOverEditsQuestion);
        EXPECT_EQ(Prompts.Records.first().PromptKind, TPromptKind::pkDestructive)
            << "No is the default";
        EXPECT_FALSE(Form->Sequencer().Busy());
        EXPECT_EQ(Form->Data().SiteConfig.ClientName, "Acme");
    }

    Prompts.clear();
    Prompts.Answers = {TPromptAnswer::paYes};
    EXPECT_TRUE(RunTransfer([&] {
        Click("btnLoadFromPanel");
        return Form->Sequencer().Busy();
    }));
}

} // namespace
