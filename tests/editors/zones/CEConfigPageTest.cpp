#include "editors/zones/CEConfigPage.h"
#include "editors/zones/ZonesTestSupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// What a user's pick in a list does: the list moves and reports the choice.
void Choose(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

struct TCEPage : TEditorFixture {
    TfrmCEConfig Page{Context};
    int Notices = 0;
    TCEPage()
    {
        Data.ResetToNew();
        Data.MarkSaved();
        Page.Refresh();
    }
    const TfrmCEConfig::TRow& Row(int event) { return Page.Row(event); }
    const TC_EArray& Event(int event) { return Data.C_ETable.Events[event]; }
    // Answers the next firmware notice, optionally ticking "Do Not show this message again".
    void ExpectNotice(bool tick)
    {
        WhenModal([this, tick](QDialog* d) {
            ++Notices;
            EXPECT_EQ(d->windowTitle(), "Version Dependancy Message");
            d->findChild<QCheckBox*>("chkDoNotShow")->setChecked(tick);
            QTest::mouseClick(d->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
        });
    }
};

// A screen reader hears what each drop-down is, and its choice as the value.
TEST(CEConfigPage, DropDownsAreNamedForWhatTheyAre)
{
    TCEPage t;
    const auto& row = t.Row(3);
    Choose(row.Action, 4);
    const std::pair<QComboBox*, QString> lists[] = {
        {row.Action, "Event 3 Action"},
        {row.ActionTarget, "Event 3 Action target"},
        {row.Trigger.Condition, "Event 3 Occurs when"},
        {row.Reset.Truth, "Event 3 Resets when truth"},
    };
    for (const auto& [list, name] : lists) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), name);
        EXPECT_EQ(face->text(QAccessible::Value), list->currentText());
        EXPECT_EQ(face->role(), QAccessible::ComboBox);
    }
}

// Zones are chosen by their names; the stored target stays the zone's index, and a renamed
// zone shows its new name once the page is refreshed.
TEST(CEConfigPage, ZoneTargetsShowTheZonesNames)
{
    TCEPage t;
    t.Data.ZoneList.Zone(3).Name = "Plant Room";
    t.Data.ZoneList.Zone(34).Name = "Annexe";
    t.Page.Refresh();
    const auto& row = t.Row(2);
    Choose(row.Action, 8);  // "Zone Disable"
    EXPECT_EQ(row.ActionTarget->itemText(2), "Zone 3 – Plant Room");
    Choose(row.ActionTarget, 2);
    EXPECT_EQ(t.Event(2).ActionTarget, 2);
    Choose(row.Trigger.Condition, 2);  // "Zone or Panel in Fire"
    EXPECT_EQ(row.Trigger.Target->itemText(33), "Panel 2 – Annexe");
    t.Data.ZoneList.Zone(3).Name = "Boiler";
    t.Page.Refresh();
    EXPECT_EQ(row.ActionTarget->currentText(), "Zone 3 – Boiler");
}

TEST(CEConfigPage, ConditionsEncodeTheirTruth)
{
    TCEPage t;
    const auto& row = t.Row(3);
    EXPECT_TRUE(row.Trigger.Condition->isHidden());
    Choose(row.Action, 4);  // "Sounder Alert"
    EXPECT_EQ(t.Event(3).Action, 40);
    EXPECT_TRUE(t.Data.Modified());
    EXPECT_FALSE(row.ActionTarget->isHidden());
    EXPECT_EQ(row.ActionTarget->itemText(0), "All Groups");

    Choose(row.Trigger.Condition, 9);  // "Any fault"
    Choose(row.Trigger.Truth, 1);      // "= FALSE"
    EXPECT_EQ(t.Event(3).Trigger, 178);
    EXPECT_TRUE(row.Trigger.Target->isHidden());
    Choose(row.Reset.Truth, 0);        // "= TRUE" before a condition: nothing to encode yet
    Choose(row.Reset.Condition, 5);    // "Panel Reset"
    EXPECT_EQ(t.Event(3).Reset, 158);

    Choose(row.Action, 9);  // "Output Disable"
    Choose(row.ActionTarget, 17);
    EXPECT_EQ(row.ActionTarget->currentText(), "Relay 2");
    EXPECT_EQ(t.Event(3).ActionTarget, 17);

    TData reopened;
    ASSERT_TRUE(SaveAndReopen(t.Data, reopened));
    EXPECT_EQ(reopened.C_ETable.Events[3], (TC_EArray{90, 17, 178, 0, 158, 0}));
}

TEST(CEConfigPage, AndConditionKeepsBothEvents)
{
    TCEPage t;
    const auto& row = t.Row(4);
    Choose(row.Action, 5);
    Choose(row.Trigger.Condition, 12);  // "Event AND"
    EXPECT_FALSE(row.Trigger.And->isHidden());
    EXPECT_FALSE(row.Trigger.SecondEvent->isHidden());
    Choose(row.Trigger.SecondEvent, 4);  // event 5
    Choose(row.Trigger.Target, 2);       // event 3: the second one stays
    EXPECT_EQ(t.Event(4).Trigger, 65);
    EXPECT_EQ(t.Event(4).TriggerTarget, 516);
    Choose(row.Trigger.Truth, 1);
    EXPECT_EQ(t.Event(4).Trigger, 193);
    EXPECT_EQ(t.Event(4).TriggerTarget, 516);
    t.Page.Refresh();
    EXPECT_EQ(row.Trigger.Target->currentText(), "Event 3");
    EXPECT_EQ(row.Trigger.SecondEvent->currentText(), "Event 5");
    EXPECT_EQ(row.Trigger.Truth->currentText(), "= FALSE");
}

TEST(CEConfigPage, NoEventHereClearsTheEvent)
{
    TCEPage t;
    ASSERT_EQ(t.Event(2), (TC_EArray{40, 0, 55, 1, 55, 1}));
    EXPECT_EQ(t.Row(2).Trigger.Target->currentText(), "Input 2");
    Choose(t.Row(2).Action, 0);
    EXPECT_EQ(t.Event(2), TC_EArray{});
    EXPECT_TRUE(t.Row(2).Trigger.Condition->isHidden());
    EXPECT_TRUE(t.Row(2).ActionTarget->isHidden());
}

TEST(CEConfigPage, FirmwareNoticeUntilTheUserSaysNotAgain)
{
    TCEPage t;
    t.ExpectNotice(false);
    Choose(t.Row(5).Action, 19);  // "End Phased Evac"
    EXPECT_EQ(t.Notices, 1);
    t.ExpectNotice(true);
    Choose(t.Row(5).Trigger.Condition, 21);  // ">1 Zone in Alarm"
    EXPECT_EQ(t.Notices, 2);
    EXPECT_TRUE(t.Page.FirmwareNoticeSuppressed());
    Choose(t.Row(6).Action, 23);
    EXPECT_EQ(t.Notices, 2);
    // The choice stands either way.
    EXPECT_EQ(t.Event(5).Action, 190);
    EXPECT_EQ(t.Event(5).Trigger, 110);
    EXPECT_EQ(t.Event(6).Action, 230);
}

TEST(CEConfigPage, DevicesFromDeviceSelectionAndTargetsBeyondTheirList)
{
    TCEPage t;
    const auto& row = t.Row(7);
    Choose(row.Action, 2);  // "Trig Loop 2 Device"
    EXPECT_EQ(row.ActionTarget->count(), t.Data.NoLoopDevices());
    EXPECT_EQ(row.ActionLoop->text(), "Loop 2");
    // Without a Device Selection window nothing changes.
    QTest::mouseClick(row.ActionDevice, Qt::LeftButton);
    EXPECT_EQ(t.Event(7).ActionTarget, 0);
    int askedLoop = 0;
    t.Context.ChooseDevice = [&](int loop) {
        askedLoop = loop;
        return 12;
    };
    QTest::mouseClick(row.ActionDevice, Qt::LeftButton);
    EXPECT_EQ(askedLoop, 2);
    EXPECT_EQ(t.Event(7).ActionTarget, 11);
    EXPECT_EQ(row.ActionTarget->currentText(), "12");
    Choose(row.Reset.Condition, 7);  // "Loop 1 Device Pre-Alarm"
    QTest::mouseClick(row.Reset.Device, Qt::LeftButton);
    EXPECT_EQ(askedLoop, 1);
    EXPECT_EQ(t.Event(7).ResetTarget, 11);
    t.Context.ChooseDevice = [](int) { return 0; };  // cancelled
    QTest::mouseClick(row.Reset.Device, Qt::LeftButton);
    EXPECT_EQ(t.Event(7).ResetTarget, 11);

    // A target beyond its list shows no selection and is kept.
    t.Data.C_ETable.Events[8] = TC_EArray{30, 7, 15, 45, 255, 3};
    t.Page.Refresh();
    EXPECT_EQ(t.Row(8).ActionTarget->currentIndex(), -1);
    EXPECT_EQ(t.Row(8).Trigger.Target->currentIndex(), -1);
    EXPECT_EQ(t.Row(8).Reset.Condition->currentIndex(), -1);
    EXPECT_EQ(t.Event(8), (TC_EArray{30, 7, 15, 45, 255, 3}));
}

TEST(CEConfigPage, TimerTimesAreCheckedAndStored)
{
    TCEPage t;
    QLineEdit* t3 = t.Page.TimeField(3);
    t3->setFocus();
    t3->selectAll();
    QTest::keyClicks(t3, "0745");
    QTest::keyClick(t3, Qt::Key_Return);
    EXPECT_EQ(t.Data.C_ETable.Times[3], "07:45");
    t3->selectAll();
    QTest::keyClicks(t3, "2561");
    QTest::keyClick(t3, Qt::Key_Return);
    EXPECT_EQ(t.Data.C_ETable.Times[3], "07:45");
    EXPECT_EQ(t3->text(), "07:45");
    EXPECT_EQ(t.Prompts.count(TScriptedPrompts::TKind::mkError), 1);

    TData reopened;
    ASSERT_TRUE(SaveAndReopen(t.Data, reopened));
    EXPECT_EQ(reopened.C_ETable.Times[3], "07:45");
}

} // namespace
