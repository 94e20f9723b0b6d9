// What the pages show after the document is replaced (Open, Load All, New, protocol switch).
#include "MainFormFixture.h"

#include "editors/devices/LoopSummary.h"
#include "editors/devices/LoopSummaryModel.h"
#include "editors/loop/DeviceSelectionFrame.h"
#include "storage/ConfigFile.h"

#include <QCheckBox>
#include <QTableView>

namespace {

TfrmLoopSummary& Summary(TMainForm& form)
{
    return *form.findChild<TfrmLoopSummary*>();
}

// On the Loop Summary: ticks "Enable Type/Zone changes", presses the first device button and
// clicks the Type cell of address 1.
void PlaceFirstButtonsDevice(TMainForm& form)
{
    form.SetActivePage(ppLoopSummary);
    TfrmLoopSummary& summary = Summary(form);
    summary.findChild<QCheckBox*>(QStringLiteral("chkEnableChanges"))->setChecked(true);
    summary.findChild<TDevice_Selection_Frame*>()->PressButton(1);
    summary.CellClicked(summary.Table()->model()->index(0, scType));
}

} // namespace

QCheckBox& EnableChanges(TMainForm& form)
{
    return *Summary(form).findChild<QCheckBox*>(QStringLiteral("chkEnableChanges"));
}

// The Loop Summary's toolbar offers the devices of the protocol the document now has: on
// Hochiki its first button is the Hochiki optical detector (136), never Apollo's code 20.
// Open and Load All also clear "Enable Type/Zone changes" on the shown summary.
TEST_F(TMainFormTest, TheSummaryFollowsAnOpenedOrLoadedDocument)
{
    const QString path = Dir.filePath(QStringLiteral("hochiki_Panel1.QEM"));
    {
        TData doc;
        doc.SwitchProtocol(stHochikiLoop);
        TScriptedPrompts prompts;
        ASSERT_TRUE(TConfigFile(doc, prompts).WriteFile(path));
    }
    Form->SetActivePage(ppLoopSummary);
    EnableChanges(*Form).setChecked(true);
    ASSERT_TRUE(Form->OpenFile(path));
    EXPECT_FALSE(EnableChanges(*Form).isChecked());
    ASSERT_EQ(Form->Data().SystemType(), stHochikiLoop);
    PlaceFirstButtonsDevice(*Form);
    EXPECT_EQ(Form->Data().Loop1.Devices[1].TypeCode, 136);

    Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_TRUE(Form->SwitchProtocol(stApolloLoop));
    Panel->Memory().Protocol = stHochikiLoop;
    Form->SetActivePage(ppLoopSummary);
    EnableChanges(*Form).setChecked(true);
    ASSERT_TRUE(RunTransfer([&] { return Form->LoadAll(); }));
    EXPECT_FALSE(EnableChanges(*Form).isChecked());
    ASSERT_EQ(Form->Data().SystemType(), stHochikiLoop);
    PlaceFirstButtonsDevice(*Form);
    EXPECT_EQ(Form->Data().Loop1.Devices[1].TypeCode, 136);
}

// New, the protocol switch and a page change bring the summary back to its first cell.
TEST_F(TMainFormTest, TheSummarySelectionStartsAgainAfterNewSwitchAndPageChange)
{
    Form->SetActivePage(ppLoopSummary);
    QTableView* table = Summary(*Form).Table();
    auto moveAway = [&] { table->setCurrentIndex(table->model()->index(40, scZone)); };
    auto atStart = [&] {
        return table->currentIndex() == table->model()->index(0, 0);
    };

    moveAway();
    Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_TRUE(Form->FileNew());
    EXPECT_TRUE(atStart());

    moveAway();
    Prompts.Answers = {TPromptAnswer::paYes};
    ASSERT_TRUE(Form->SwitchProtocol(stHochikiLoop));
    EXPECT_TRUE(atStart());

    moveAway();
    Form->SetActivePage(ppZoneConfig);
    Form->SetActivePage(ppLoopSummary);
    EXPECT_TRUE(atStart());
}

// While a transfer runs, the commands that would replace or reshape the document are disabled,
// and one reached anyway says why instead of acting (or silently doing nothing).
TEST_F(TMainFormTest, CommandsThatReplaceTheDocumentWaitForATransfer)
{
    QSignalSpy finished(&Form->Sequencer(), &TTransferSequencer::Finished);
    ASSERT_TRUE(Form->LoadAll());
    ASSERT_TRUE(Form->Sequencer().Busy());
    for (const char* name : {"actNew", "actOpen", "actApolloProtocol", "actHochikiProtocol",
                             "actCompareWithPanel", "actUndo"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;

    Prompts.DefaultAnswer = TPromptAnswer::paYes;
    EXPECT_FALSE(Form->FileNew());
    EXPECT_FALSE(Form->SwitchProtocol(stHochikiLoop));
    EXPECT_FALSE(Form->CompareWithPanel());
    EXPECT_EQ(Form->Data().SystemType(), stApolloLoop);
    const QStringList told = Prompts.texts();
    ASSERT_EQ(told.size(), 3) << told.join(QLatin1Char('|')).toStdString();
    for (const QString& text : told)
        EXPECT_TRUE(text.contains(QStringLiteral("while the panel operation runs"))) << text.toStdString();

    ASSERT_TRUE(finished.wait(60000));
    EXPECT_TRUE(finished.constLast().at(0).toBool());
    EXPECT_TRUE(Action("actNew")->isEnabled());
    EXPECT_TRUE(Action("actCompareWithPanel")->isEnabled());
}
