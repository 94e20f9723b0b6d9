#include "editors/site/SiteConfigPage.h"

#include "editors/site/SitePageSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDate>
#include <QDateTime>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <QToolTip>

#include "editors/site/AccessCodeValidator.h"

using TKind = TScriptedPrompts::TKind;

class SiteConfigPage : public TPageWindowTest<TfrmSiteConfig> {};

TEST_F(SiteConfigPage, AccessCodeFieldsTakeOnlyDigitsOneToFour)
{
    auto* al3 = Find<QLineEdit>("txtAL3Code");
    al3->setFocus(Qt::MouseFocusReason);
    al3->clear();
    QTest::keyClicks(al3, "1a5 2z9.34");
    EXPECT_EQ(al3->text(), "1234");
    EXPECT_EQ(f.Data.SiteConfig.AL3Code, "1234");
    // Each refused key beeps, and the field says which digits it takes.
    EXPECT_EQ(f.Prompts.texts(), QStringList(6, QString()));
    EXPECT_EQ(QToolTip::text(), TAccessCodeValidator::DigitsRefusal);
    QTest::keyClicks(al3, "1");
    EXPECT_EQ(al3->text(), "1234");
    EXPECT_EQ(QToolTip::text(), TAccessCodeValidator::LengthRefusal);
    EXPECT_TRUE(f.Data.Modified());
    f.Prompts.clear();
    // Pasted text keeps only its digits 1..4; a code from a file with other digits can still
    // be corrected key by key.
    al3->clear();
    QApplication::clipboard()->setText("a3x1");
    al3->paste();
    EXPECT_EQ(f.Data.SiteConfig.AL3Code, "31");
    f.Prompts.clear();
    QApplication::clipboard()->setText("2341");
    al3->selectAll();
    al3->paste();
    EXPECT_EQ(f.Data.SiteConfig.AL3Code, "2341");
    elsewhere->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_TRUE(f.Data.AccessCodesValid());
    EXPECT_TRUE(f.Prompts.Records.isEmpty());
}

// A code from a file is shown as stored, never rewritten: one outside the rule is flagged red
// with the reason, and only what the user types or pastes is held to four digits 1..4.
TEST_F(SiteConfigPage, StoredCodeOutsideTheRuleIsShownAndFlagged)
{
    auto* al3 = Find<QLineEdit>("txtAL3Code");
    EXPECT_TRUE(al3->toolTip().contains(QStringLiteral("digits 1–4")));
    const QColor normal = al3->palette().color(QPalette::Text);
    f.Data.SiteConfig.AL3Code = "5612";
    f.Data.SiteConfig.AL2Code = "123412";
    page->Refresh();
    EXPECT_EQ(al3->text(), "5612");
    EXPECT_EQ(Find<QLineEdit>("txtAL2Code")->text(), "123412");
    EXPECT_EQ(al3->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_TRUE(al3->toolTip().contains(QStringLiteral("\"5612\"")));
    EXPECT_FALSE(f.Data.Modified());

    // Typing at the end of a full code and pasting other characters change nothing.
    al3->setFocus(Qt::MouseFocusReason);
    al3->end(false);
    QTest::keyClicks(al3, "1");
    QApplication::clipboard()->setText("x9");
    al3->paste();
    EXPECT_EQ(al3->text(), "5612");
    EXPECT_EQ(f.Data.SiteConfig.AL3Code, "5612");
    // Deleting keeps the stored digits around the caret; a pasted code is cut to four digits.
    QTest::keyClick(al3, Qt::Key_Backspace);
    EXPECT_EQ(f.Data.SiteConfig.AL3Code, "561");
    QApplication::clipboard()->setText("3241");
    al3->selectAll();
    al3->paste();
    EXPECT_EQ(f.Data.SiteConfig.AL3Code, "3241");
    al3->selectAll();
    QApplication::clipboard()->setText("4 3 2 1 1");
    al3->paste();
    EXPECT_EQ(al3->text(), "4321");
    EXPECT_EQ(al3->palette().color(QPalette::Text), normal);
    EXPECT_TRUE(al3->toolTip().contains(QStringLiteral("digits 1–4")));
}

TEST_F(SiteConfigPage, LevelThreeEqualToLevelTwoIsWarnedAndKeepsTheFocus)
{
    auto* al3 = Find<QLineEdit>("txtAL3Code");
    TypeAndLeave(al3, f.Data.SiteConfig.AL2Code);
    ASSERT_EQ(f.Prompts.Records.size(), 1);
    EXPECT_EQ(f.Prompts.Records[0].Kind, TKind::mkWarning);
    EXPECT_EQ(f.Prompts.Records[0].Text, "Warning. Cannot have the same code as Access Level 2");
    EXPECT_TRUE(al3->hasFocus());
    EXPECT_FALSE(f.Data.AccessCodesValid());

    // The main window moves the focus away before Save: the check runs at once, Save stays
    // refused, and the field is reported and refocused once more.
    elsewhere->setFocus(Qt::OtherFocusReason);
    EXPECT_FALSE(f.Data.AccessCodesValid());
    Settle();
    EXPECT_EQ(f.Prompts.Records.size(), 2);
    EXPECT_TRUE(al3->hasFocus());

    TypeAndLeave(al3, "4321");
    EXPECT_EQ(f.Prompts.Records.size(), 2);
    EXPECT_TRUE(f.Data.AccessCodesValid());
    EXPECT_TRUE(elsewhere->hasFocus());
}

TEST_F(SiteConfigPage, ShortLevelTwoCodeIsAnError)
{
    auto* al2 = Find<QLineEdit>("txtAL2Code");
    TypeAndLeave(al2, "123");
    ASSERT_EQ(f.Prompts.Records.size(), 1);
    EXPECT_EQ(f.Prompts.Records[0].Kind, TKind::mkError);
    EXPECT_EQ(f.Prompts.Records[0].Text, "Error. Access Level 2 code must have 4 digits");
    EXPECT_TRUE(al2->hasFocus());
    EXPECT_EQ(f.Data.SiteConfig.AL2Code, "123");
}

TEST_F(SiteConfigPage, TwoFieldsFailingAgainstEachOtherDoNotBounceTheFocus)
{
    auto* al2 = Find<QLineEdit>("txtAL2Code");
    auto* al3 = Find<QLineEdit>("txtAL3Code");
    al2->setFocus(Qt::MouseFocusReason);
    al2->selectAll();
    QTest::keyClicks(al2, f.Data.SiteConfig.AL3Code);
    al3->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 10; ++i)
        Settle();
    ASSERT_EQ(f.Prompts.Records.size(), 1);
    EXPECT_EQ(f.Prompts.Records[0].Text, "Warning. Cannot have the same code as Access Level 3");
    EXPECT_TRUE(al2->hasFocus());
    EXPECT_FALSE(f.Data.AccessCodesValid());
}

TEST_F(SiteConfigPage, KeyswitchCodeHidesTheLevelTwoField)
{
    f.Data.SiteConfig.AL2Code = "7777";
    page->Refresh();
    EXPECT_TRUE(Find<QLineEdit>("txtAL2Code")->isHidden());
    EXPECT_TRUE(Find<QCheckBox>("chkKeyswitch")->isChecked());
    bool captionShown = false;
    for (QLabel* label : page->findChildren<QLabel*>())
        captionShown |= label->text() == "KeySwitch Operated";
    EXPECT_TRUE(captionShown);

    f.Data.SiteConfig.AL2Code = "1234";
    page->Refresh();
    EXPECT_FALSE(Find<QLineEdit>("txtAL2Code")->isHidden());
    EXPECT_FALSE(Find<QCheckBox>("chkKeyswitch")->isChecked());
}

TEST_F(SiteConfigPage, MaintenanceDateYesterdayIsStoredAndWarnedWithToday)
{
    auto* date = Find<QLineEdit>("txtMaintenanceDate");
    const QDate today = QDate::currentDate();
    TypeAndLeave(date, today.addDays(-1).toString("ddMMyyyy"));
    EXPECT_EQ(f.Data.SiteConfig.MaintenanceDate, today.addDays(-1));
    ASSERT_EQ(f.Prompts.Records.size(), 1);
    EXPECT_EQ(f.Prompts.Records[0].Kind, TKind::mkWarning);
    EXPECT_EQ(f.Prompts.Records[0].Text, "Today's date is " + today.toString("dd/MM/yyyy")
                                             + ". Please enter a date after this date.");
    EXPECT_TRUE(date->hasFocus());

    TypeAndLeave(date, today.addDays(30).toString("ddMMyyyy"));
    EXPECT_EQ(f.Data.SiteConfig.MaintenanceDate, today.addDays(30));
    EXPECT_EQ(f.Prompts.Records.size(), 1);
    EXPECT_TRUE(elsewhere->hasFocus());
}

TEST_F(SiteConfigPage, InvalidMaintenanceDateKeepsTheStoredDate)
{
    auto* date = Find<QLineEdit>("txtMaintenanceDate");
    const QDate before = f.Data.SiteConfig.MaintenanceDate;
    for (const char* typed : {"31022030", "0101"}) {
        f.Prompts.clear();
        TypeAndLeave(date, typed);
        ASSERT_EQ(f.Prompts.Records.size(), 1) << typed;
        EXPECT_EQ(f.Prompts.Records[0].Kind, TKind::mkError);
        EXPECT_EQ(f.Prompts.Records[0].Text, "The date that you entered is invalid. Please check "
                                             "and re-enter the date.");
        EXPECT_EQ(f.Data.SiteConfig.MaintenanceDate, before);
        EXPECT_TRUE(date->hasFocus());
    }
    // Enter checks as leaving does, also with the mask half filled.
    f.Prompts.clear();
    date->selectAll();
    QTest::keyClicks(date, "0101");
    QTest::keyClick(date, Qt::Key_Return);
    Settle();
    EXPECT_EQ(f.Prompts.count(TKind::mkError), 1);
    date->selectAll();
    QTest::keyClicks(date, "01012031");
    QTest::keyClick(date, Qt::Key_Return);
    Settle();
    EXPECT_EQ(f.Data.SiteConfig.MaintenanceDate, QDate(2031, 1, 1));
}

TEST_F(SiteConfigPage, OptionsFollowTheFirmwareVersion)
{
    auto visible = [this](const char* name) { return !Find<QCheckBox>(name)->isHidden(); };
    f.Data.SiteConfig.MainVersion = "09A03";
    page->Refresh();
    EXPECT_TRUE(visible("chkBSTAdjustment"));
    EXPECT_FALSE(visible("chkRealTimeEvents"));
    EXPECT_TRUE(visible("chkPollingLED"));
    EXPECT_EQ(Find<QLineEdit>("txtFirmwareVersion")->text(), "09A03");

    f.Data.SiteConfig.MainVersion = "08A31";
    page->Refresh();
    EXPECT_FALSE(visible("chkBSTAdjustment"));
    EXPECT_FALSE(visible("chkPollingLED"));

    f.Data.SiteConfig.MainVersion = NotAvailableVersion;
    f.Data.SwitchProtocol(stHochikiLoop);
    page->Refresh();
    EXPECT_TRUE(visible("chkBSTAdjustment"));
    EXPECT_TRUE(visible("chkRealTimeEvents"));
    EXPECT_FALSE(visible("chkPollingLED"));
}

TEST_F(SiteConfigPage, ClockTimesStepAndWrap)
{
    f.Data.SiteConfig.NightEnd = "23:59";
    page->Refresh();
    Find<QToolButton>("txtNightEndHoursUp")->click();
    EXPECT_EQ(f.Data.SiteConfig.NightEnd, "00:59");
    Find<QToolButton>("txtNightEndMinutesUp")->click();
    EXPECT_EQ(f.Data.SiteConfig.NightEnd, "00:00");
    Find<QToolButton>("txtNightEndHoursDown")->click();
    EXPECT_EQ(Find<QLineEdit>("txtNightEnd")->text(), "23:00");
    EXPECT_TRUE(f.Data.Modified());

    // The keyboard steps the part the caret is in; a part that is not a number counts as 0.
    auto* night = Find<QLineEdit>("txtNightBegin");
    night->setFocus(Qt::MouseFocusReason);
    night->setText("xx:00");
    night->setCursorPosition(4);
    QTest::keyClick(night, Qt::Key_Down);
    EXPECT_EQ(f.Data.SiteConfig.NightBegin, "00:59");

    // The recalibration time steps its hours only.
    EXPECT_EQ(page->findChild<QWidget*>("txtReCalTimeMinutes"), nullptr);
    Find<QToolButton>("txtReCalTimeHoursDown")->click();
    EXPECT_EQ(f.Data.SiteConfig.ReCalTime, "03:00");
}

TEST_F(SiteConfigPage, WeekdayBoxesAndClock)
{
    Find<QCheckBox>("chkDayWed")->click();
    Find<QCheckBox>("chkNightSun")->click();
    EXPECT_EQ(f.Data.SiteConfig.Day_Enable_Flags, 1 << 2);
    EXPECT_EQ(f.Data.SiteConfig.Night_Enable_Flags, 1 << 6);
    Find<QCheckBox>("chkDayWed")->click();
    EXPECT_EQ(f.Data.SiteConfig.Day_Enable_Flags, 0);

    page->SetClock(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    EXPECT_EQ(Find<QLabel>("lblClockTime")->text(), "05:06:07");
    EXPECT_EQ(Find<QLabel>("lblClockDate")->text(), "04/03/2026");
}

TEST_F(SiteConfigPage, TabOrderFollowsThePage)
{
    Find<QLineEdit>("txtClientName")->setFocus(Qt::MouseFocusReason);
    QStringList order;
    for (int i = 0; i < 26; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Settle();
    }
    const QStringList expected{
        "txtClientName", "txtClientAddress1", "txtClientAddress2", "txtClientAddress3",
        "txtClientAddress4", "txtClientAddress5", "txtInstallerName", "txtInstallerAddress1",
        "txtInstallerAddress2", "txtInstallerAddress3", "txtInstallerAddress4",
        "txtInstallerAddress5", "txtPanelLocation", "txtEngineer", "txtEngineerNo",
        "txtQuiescentString", "txtMaintenanceString", "txtMaintenanceDate",
        "chkSendMaintenanceDate", "txtAL2Code", "txtAL3Code", "txtNightEnd", "chkDayMon",
        "chkDayTue", "chkDayWed", "chkDayThu"};
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(f.Prompts.Records.isEmpty()) << f.Prompts.texts().join('|').toStdString();
}

// Leaving a bad code by changing tabs brings the page back with the focus in the field.
TEST(SiteConfigPageInTabs, ChangingTabsWithABadCodeReturnsToTheField)
{
    TEditorFixture f;
    QTabWidget tabs;
    auto* site = new TfrmSiteConfig(f.Context);
    tabs.addTab(site, "Site Config");
    tabs.addTab(new QLineEdit, "Other");
    site->Refresh();
    tabs.show();
    tabs.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tabs));

    auto* al2 = site->findChild<QLineEdit*>("txtAL2Code");
    al2->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(al2, Qt::Key_Backspace);
    tabs.setCurrentIndex(1);
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    EXPECT_EQ(f.Prompts.texts(), QStringList{"Error. Access Level 2 code must have 4 digits"});
    EXPECT_EQ(tabs.currentWidget(), site);
    EXPECT_TRUE(al2->hasFocus());
    EXPECT_FALSE(f.Data.AccessCodesValid());
}
