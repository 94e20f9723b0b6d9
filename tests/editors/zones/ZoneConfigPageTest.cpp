#include "editors/zones/DependancyDialog.h"
#include "editors/zones/TimeSpinButton.h"
#include "editors/zones/ZoneConfigPage.h"
#include "editors/zones/ZonesTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QStyle>
#include <QStyleOptionButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct TZonePage : TEditorFixture {
    TfrmZoneConfig Page{Context};
    QStringList PromptTexts;  // what each delay warning said
    bool TickDoNotShow = false;

    TZonePage()
    {
        Data.ResetToNew();
        Data.MarkSaved();
        Page.Refresh();
        Page.show();
    }
    // Answers the next delay warning: records its text, optionally ticks its box, OK.
    void ExpectDelayPrompt()
    {
        WhenModal([this](QDialog* d) {
            QString text;
            for (auto* l : d->findChildren<QLabel*>())
                text += (text.isEmpty() ? "" : " ") + l->text();
            PromptTexts.append(text);
            if (TickDoNotShow)
                d->findChild<QCheckBox*>("chkDoNotShow")->setChecked(true);
            QTest::mouseClick(d->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
        });
    }
    void TypeInto(TTimeSpinButton* spin, const QString& text)
    {
        spin->findChild<QLineEdit*>()->clear();
        QTest::keyClicks(spin, text);
        QTest::keyClick(spin, Qt::Key_Return);
    }
};

// What the engineer types in the zone table: a refused delay names its field and shows the
// previous value again, also after leaving; a description beeps at 14 characters, also when
// pasted; a focused check box shows yellow.
TEST(ZoneConfigPage, TypingInTheZoneTable)
{
    TZonePage t;
    QApplication::setActiveWindow(&t.Page);
    t.Data.ZoneList.Zone(3).SounderTimer = 90;
    t.Page.Refresh();
    auto* spin = t.Page.findChild<TTimeSpinButton*>("spnSounders3");
    spin->setFocus();
    t.TypeInto(spin, "12:00");
    t.Page.findChild<QLineEdit*>("txtZoneName1")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(t.Prompts.texts(), QStringList{"Zone 3 Sounders delay: Range Error (00:00 to 10:00)"});
    EXPECT_EQ(spin->text(), "01:30");
    EXPECT_EQ(t.Data.ZoneList.Zone(3).SounderTimer, 90);
    t.Prompts.clear();
    spin->setFocus();
    t.TypeInto(spin, "1.5");
    EXPECT_EQ(t.Prompts.texts(), QStringList{"Zone 3 Sounders delay: Illegal Value"});
    EXPECT_EQ(spin->text(), "01:30");
    t.Prompts.clear();
    auto* inputDelay = t.Page.findChild<TTimeSpinButton*>("spnInputDelay");
    inputDelay->setFocus();
    t.TypeInto(inputDelay, "11:00");
    EXPECT_EQ(t.Prompts.texts(), QStringList{"Input Delay: Range Error (00:00 to 10:00)"});

    t.Prompts.clear();
    auto* name = t.Page.findChild<QLineEdit*>("txtZoneName2");
    name->setFocus();
    name->clear();
    QTest::keyClicks(name, "Boiler house 12X");
    EXPECT_EQ(t.Data.ZoneList.Zone(2).Name, "Boiler house 1");
    EXPECT_EQ(t.Prompts.count(TScriptedPrompts::TKind::mkBeep), 2);
    name->clear();
    QApplication::clipboard()->setText("Kitchen and store rooms");
    name->paste();
    EXPECT_EQ(name->text(), "Kitchen and st");
    EXPECT_EQ(t.Prompts.count(TScriptedPrompts::TKind::mkBeep), 3);

    auto* box = t.Page.findChild<QCheckBox*>("chkMCPs4");
    box->setChecked(false);
    box->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(box->hasFocus());
    QStyleOptionButton option;
    option.initFrom(box);
    const QPoint middle = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    EXPECT_EQ(box->grab().toImage().pixelColor(middle), QColor(255, 255, 128));
}

TEST(ZoneConfigPage, TotalOutputDelayAboveTheMaximumTurnsRedAndWarns)
{
    TZonePage t;
    TZone& z = t.Data.ZoneList.Zone(5);
    z.Dependancy[1] = doInvestigation;
    t.Data.SiteConfig.InvestigationPeriod = 180;
    t.Data.SiteConfig.InvestigationPeriod1 = 120;
    t.Page.Refresh();
    EXPECT_TRUE(t.PromptTexts.isEmpty());

    t.ExpectDelayPrompt();
    t.TypeInto(t.Page.SounderSpin(5), "5:30");
    EXPECT_EQ(z.SounderTimer, 330);  // the value stands
    EXPECT_TRUE(t.Data.Modified());
    EXPECT_TRUE(TfrmZoneConfig::ShowsTooLong(t.Page.SounderSpin(5)));
    EXPECT_FALSE(TfrmZoneConfig::ShowsTooLong(t.Page.OutputSpin(5)));
    EXPECT_EQ(t.PromptTexts, QStringList{"Total output delay cannot exceed 10 Minutes"});
    EXPECT_EQ(t.Prompts.count(TScriptedPrompts::TKind::mkBeep), 1);

    // A fine output delay of the same zone does not repeat the sounder delay's warning; the
    // next too-long sounder delay does.
    t.ExpectDelayPrompt();
    t.TypeInto(t.Page.OutputSpin(5), "1:00");
    ASSERT_EQ(t.PromptTexts.size(), 1);
    EXPECT_TRUE(TfrmZoneConfig::ShowsTooLong(t.Page.SounderSpin(5)));
    t.TypeInto(t.Page.SounderSpin(5), "6:00");
    EXPECT_EQ(t.PromptTexts.size(), 2);

    // Both options Normal: black whatever the delays, and no warning.
    z.Dependancy[1] = doNormal;
    t.Page.Refresh();
    EXPECT_FALSE(TfrmZoneConfig::ShowsTooLong(t.Page.SounderSpin(5)));
    EXPECT_EQ(t.PromptTexts.size(), 2);
}

TEST(ZoneConfigPage, DoNotShowAgainSilencesTheWarningForTheSession)
{
    TZonePage t;
    t.Data.ZoneList.Zone(7).Dependancy[4] = doInvestigation;
    t.Data.SiteConfig.InvestigationPeriod = 300;
    t.Data.SiteConfig.InvestigationPeriod1 = 300;
    t.TickDoNotShow = true;
    t.ExpectDelayPrompt();
    QTest::keyClick(t.Page.OutputSpin(7), Qt::Key_Up);
    ASSERT_EQ(t.PromptTexts.size(), 1);
    EXPECT_TRUE(t.Page.DelayPromptSuppressed());

    QTest::keyClick(t.Page.OutputSpin(7), Qt::Key_Up);
    t.Page.Refresh();
    EXPECT_EQ(t.Prompts.count(TScriptedPrompts::TKind::mkBeep), 1);
    EXPECT_TRUE(TfrmZoneConfig::ShowsTooLong(t.Page.OutputSpin(7)));
    EXPECT_EQ(t.Data.ZoneList.Zone(7).RemoteTimer, 60);
}

TEST(ZoneConfigPage, DependancyDialogRaisesAndCapsTheResetTimes)
{
    TZonePage t;
    TZone& z = t.Data.ZoneList.Zone(2);
    z.Dependancy[3] = 120;  // day alarm reset
    z.Dependancy[5] = 90;   // night detector reset
    WhenModal([](QDialog* d) {
        auto* dialog = qobject_cast<TfrmDependancy*>(d);
        ASSERT_NE(dialog, nullptr);
        // Normal → B by keyboard on the day list, Normal → A on the night list.
        QTest::keyClick(dialog->OptionList(true), Qt::Key_Up);
        QTest::keyClick(dialog->OptionList(true), Qt::Key_Up);
        EXPECT_EQ(dialog->AlarmSpin(true)->text(), "05:00");
        EXPECT_FALSE(dialog->DetectorSpin(true)->isEnabled());
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(dialog->OptionList(false), Qt::Key_Up);
        EXPECT_TRUE(dialog->DetectorSpin(false)->isEnabled());
        QTest::mouseClick(dialog->findChild<QPushButton*>("btnAccept"), Qt::LeftButton);
    });
    QTest::mouseClick(t.Page.DependancyField(2), Qt::LeftButton);
    EXPECT_EQ(z.Dependancy[1], doB);
    EXPECT_EQ(z.Dependancy[3], 300);
    EXPECT_EQ(z.Dependancy[4], doA);
    EXPECT_EQ(z.Dependancy[5], 60);
    EXPECT_TRUE(t.Data.Modified());
    EXPECT_EQ(t.Page.DependancyField(2)->text(), "Click for dependency options......");

    TData reopened;
    ASSERT_TRUE(SaveAndReopen(t.Data, reopened));
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(reopened.ZoneList.Zone(2).Dependancy[i], z.Dependancy[i]) << i;

    // Cancel stores nothing.
    t.Data.MarkSaved();
    WhenModal([](QDialog* d) {
        QTest::keyClick(qobject_cast<TfrmDependancy*>(d)->OptionList(true), Qt::Key_Down);
        QTest::mouseClick(d->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    });
    QTest::keyClick(t.Page.DependancyField(2), Qt::Key_Space);
    EXPECT_EQ(z.Dependancy[1], doB);
    EXPECT_FALSE(t.Data.Modified());
}

TEST(ZoneConfigPage, PanelRowsHaveDescriptionAndDelaysOnly)
{
    TZonePage t;
    for (int zone = 33; zone <= 40; ++zone) {
        EXPECT_EQ(t.Page.findChild<QLabel*>(QStringLiteral("lblZone%1").arg(zone))->text(),
                  QStringLiteral("Panel %1").arg(zone - 32));
        EXPECT_EQ(t.Page.DependancyField(zone), nullptr);
        EXPECT_EQ(t.Page.DetectorsBox(zone), nullptr);
        EXPECT_EQ(t.Page.EndDelaysBox(zone), nullptr);
        EXPECT_NE(t.Page.Relay2Spin(zone), nullptr);
    }
    // A network rename shows on the next refresh; typing writes at once.
    t.Data.ZoneList.Zone(34).Name = "Annexe";
    t.Page.Refresh();
    EXPECT_EQ(t.Page.Description(34)->text(), "Annexe");
    t.Page.Description(34)->selectAll();
    QTest::keyClicks(t.Page.Description(34), "Gatehouse North Wing");
    EXPECT_EQ(t.Data.ZoneList.Zone(34).Name, "Gatehouse Nort");
    EXPECT_EQ(t.Page.Description(34)->accessibleName(), "Panel 2 description");
    QTest::keyClick(t.Page.Relay1Spin(34), Qt::Key_Up);
    QTest::mouseClick(t.Page.MCPsBox(3), Qt::LeftButton);
    EXPECT_EQ(t.Page.MCPsBox(3)->accessibleName(), "Zone 3 MCPs");

    TData reopened;
    ASSERT_TRUE(SaveAndReopen(t.Data, reopened));
    EXPECT_EQ(reopened.ZoneList.Zone(34).Name, "Gatehouse Nort");
    EXPECT_EQ(reopened.ZoneList.Zone(34).Relay1Timer, 30);
    EXPECT_TRUE(reopened.ZoneList.Zone(3).MCPEnable);
}

TEST(ZoneConfigPage, InvestigationTimesRecheckEveryZone)
{
    TZonePage t;
    TZone& z = t.Data.ZoneList.Zone(32);
    z.Dependancy[1] = doInvestigation;
    z.SounderTimer = 600;
    t.Data.SiteConfig.InvestigationPeriod = 0;
    t.Data.SiteConfig.InvestigationPeriod1 = 0;
    t.Page.Refresh();
    EXPECT_FALSE(TfrmZoneConfig::ShowsTooLong(t.Page.SounderSpin(32)));
    t.ExpectDelayPrompt();
    QTest::keyClick(t.Page.InputDelaySpin(), Qt::Key_Up);
    EXPECT_EQ(t.Data.SiteConfig.InvestigationPeriod1, 30);
    EXPECT_TRUE(TfrmZoneConfig::ShowsTooLong(t.Page.SounderSpin(32)));
    EXPECT_EQ(t.PromptTexts.size(), 1);

    // A hidden page keeps its red delays without a warning.
    t.Page.hide();
    t.Page.Refresh();
    EXPECT_TRUE(TfrmZoneConfig::ShowsTooLong(t.Page.SounderSpin(32)));
    EXPECT_EQ(t.PromptTexts.size(), 1);
}

} // namespace
