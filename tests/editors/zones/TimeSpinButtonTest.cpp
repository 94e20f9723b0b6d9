#include "editors/zones/TimeSpinButton.h"
#include "storage/ScriptedPrompts.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A zone delay as the zone page builds it: 00:00..10:00, 30 s steps, no infinity.
struct TZoneDelaySpin {
    TScriptedPrompts Prompts;
    TTimeSpinButton Spin{Prompts};
    TZoneDelaySpin()
    {
        Spin.SetMinValue(QStringLiteral("00:00"));
        Spin.SetMaxValue(QStringLiteral("10:00"));
        Spin.SetIncrement(30);
        Spin.SetInfinity(65535);
        Spin.SetInfinityAllowed(false);
    }
    void Type(const QString& text)
    {
        Spin.findChild<QLineEdit*>()->clear();
        QTest::keyClicks(&Spin, text);
        QTest::keyClick(&Spin, Qt::Key_Return);
    }
};

TEST(TimeSpinButton, ShowsEveryFormat)
{
    EXPECT_EQ(TTimeSpinButton::FormatTime(75, tsbMM_SS), "01:15");
    EXPECT_EQ(TTimeSpinButton::FormatTime(75, tsbM_SS), "1:15");
    EXPECT_EQ(TTimeSpinButton::FormatTime(3725, tsbMM_SS), "1:02:05");
    EXPECT_EQ(TTimeSpinButton::FormatTime(3725, tsbHH_MM_SS), "01:02:05");
    EXPECT_EQ(TTimeSpinButton::FormatTime(400000, tsbHH_MM_SS), "111:06:40");
    EXPECT_EQ(TTimeSpinButton::FormatTime(7, tsbS), "7");
    EXPECT_EQ(TTimeSpinButton::FormatTime(7, tsbH_MM_SS), "0:00:07");
    EXPECT_EQ(TTimeSpinButton::FormatTime(75, tsbH_MM_SS), "0:01:15");
}

TEST(TimeSpinButton, ParsesTimeNotation)
{
    EXPECT_EQ(TTimeSpinButton::ParseTime("10:00"), 600);
    EXPECT_EQ(TTimeSpinButton::ParseTime(" 00:30"), 30);
    EXPECT_EQ(TTimeSpinButton::ParseTime("1:00:00"), 3600);
    EXPECT_EQ(TTimeSpinButton::ParseTime("90"), 90);
    EXPECT_FALSE(TTimeSpinButton::ParseTime("1a0").has_value());
    EXPECT_FALSE(TTimeSpinButton::ParseTime("1.30").has_value());
    // A run of digits far beyond any int stays a (huge) number, never an overflow.
    EXPECT_GT(*TTimeSpinButton::ParseTime("99999999999999999999"), 600);
}

TEST(TimeSpinButton, ZoneDelayStepsAndWraps)
{
    TZoneDelaySpin t;
    QSignalSpy changed(&t.Spin, &TTimeSpinButton::Changed);
    t.Spin.SetValue(570);
    EXPECT_EQ(t.Spin.text(), "09:30");
    QTest::keyClick(&t.Spin, Qt::Key_Up);
    EXPECT_EQ(t.Spin.Value(), 600);
    QTest::keyClick(&t.Spin, Qt::Key_Up);
    EXPECT_EQ(t.Spin.Value(), 0);
    QTest::keyClick(&t.Spin, Qt::Key_Down);
    EXPECT_EQ(t.Spin.text(), "10:00");
    EXPECT_EQ(changed.count(), 3);
}

TEST(TimeSpinButton, InfinityPastTheLimits)
{
    TScriptedPrompts prompts;
    TTimeSpinButton spin(prompts);
    spin.SetMinValue("00:30");
    spin.SetMaxValue("10:00");
    spin.SetIncrement(30);
    spin.SetInfinity(65535);
    spin.SetValue(600);
    spin.StepUp();
    EXPECT_EQ(spin.text(), "--");
    EXPECT_EQ(spin.Value(), 65535);
    spin.StepUp();
    EXPECT_EQ(spin.text(), "00:30");
    spin.StepDown();
    EXPECT_TRUE(spin.IsInfinity());
    spin.StepDown();
    EXPECT_EQ(spin.Value(), 600);
    spin.SetValue(65535);
    EXPECT_TRUE(spin.IsInfinity());
}

TEST(TimeSpinButton, TypedEntryIsCheckedAndFailuresKeepTheValue)
{
    TZoneDelaySpin t;
    t.Spin.SetValue(90);
    t.Type("12:00");
    EXPECT_EQ(t.Prompts.texts(), QStringList{"Range Error (00:00 to 10:00)"});
    EXPECT_EQ(t.Spin.Value(), 90);
    EXPECT_EQ(t.Spin.text(), "01:30");

    // Only blanks, "-", digits, ":" and "." can be typed: the letter never reaches the text.
    t.Prompts.clear();
    t.Type("1a0");
    EXPECT_TRUE(t.Prompts.Records.isEmpty());
    EXPECT_EQ(t.Spin.Value(), 10);
    t.Spin.SetValue(90);

    t.Prompts.clear();
    t.Type("1.30");
    EXPECT_EQ(t.Prompts.texts(), QStringList{"Illegal Value"});
    EXPECT_EQ(t.Spin.Value(), 90);

    t.Prompts.clear();
    QSignalSpy changed(&t.Spin, &TTimeSpinButton::Changed);
    t.Type("7:30");
    EXPECT_TRUE(t.Prompts.Records.isEmpty());
    EXPECT_EQ(t.Spin.Value(), 450);
    EXPECT_EQ(changed.count(), 1);

    // The infinity text is refused where infinity is not allowed.
    t.Type("--");
    EXPECT_EQ(t.Spin.Value(), 450);
}

} // namespace
