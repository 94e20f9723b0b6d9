#include "editors/site/ClockTimeText.h"

#include <gtest/gtest.h>

TEST(ClockTimeText, StepsWrapAndReadBadPartsAsZero)
{
    EXPECT_EQ(StepClockTime("23:15", TClockPart::cpHours, 1), "00:15");
    EXPECT_EQ(StepClockTime("00:15", TClockPart::cpHours, -1), "23:15");
    EXPECT_EQ(StepClockTime("07:59", TClockPart::cpMinutes, 1), "07:00");
    EXPECT_EQ(StepClockTime("07:00", TClockPart::cpMinutes, -1), "07:59");
    EXPECT_EQ(StepClockTime("ab:cd", TClockPart::cpMinutes, 1), "00:01");
    EXPECT_EQ(StepClockTime("", TClockPart::cpHours, -1), "23:00");
    EXPECT_EQ(StepClockTime("99:30", TClockPart::cpHours, 1), "04:30");
}
