#include "model/Placement.h"

#include <QStringList>

#include <gtest/gtest.h>

// The Loop Summary's way: a named point keeps its settings across a type change within the
// same kind of device, starts afresh when it becomes an output unit, and a removal clears
// it; a detector's own base sounder goes with it.
TEST(Placement, KeepNamedSettingsAndTheBaseSounderRule)
{
    TQEMLoop loop;
    loop.SystemType = stHochikiLoop;
    int rebuilt = 0;
    loop.OnNamesChanged = [&] { ++rebuilt; };
    const TPlacementQuestions none;

    ASSERT_TRUE(PlaceAtPoint(loop, 5, 136, psKeepNamed, none));
    TDeviceType& d = loop.Devices[5];
    d.Name = QStringLiteral("Hall");
    d.NameIndex() = 1;
    d.Zone = 7;
    loop.SetBaseSounder(5, true, 3);
    ASSERT_TRUE(PlaceAtPoint(loop, 5, 152, psKeepNamed, none)); // detector to detector
    EXPECT_EQ(d.Zone, 7);
    EXPECT_TRUE(loop.BaseSounderFitted(5));

    ASSERT_TRUE(PlaceAtPoint(loop, 5, 0, psKeepNamed, none)); // call point: the sounder goes
    EXPECT_EQ(d.Zone, 7);
    EXPECT_EQ(loop.Devices[5 + TQEMLoop::BaseSounderOffset].TypeCode, NotFittedCode);

    ASSERT_TRUE(PlaceAtPoint(loop, 5, 125, psKeepNamed, none)); // an output unit
    EXPECT_EQ(d.Zone, 0) << "output units start without a set";

    ASSERT_TRUE(PlaceAtPoint(loop, 5, NotFittedCode, psKeepNamed, none));
    EXPECT_EQ(d.Name, NoNameAllocated);
    EXPECT_EQ(rebuilt, 5);

    // The same settings rule from the loop page starts every device from its class defaults.
    PlaceAtPoint(loop, 6, 136, psClassDefaults, none);
    loop.Devices[6].NameIndex() = 2;
    loop.Devices[6].Zone = 9;
    PlaceAtPoint(loop, 6, 152, psClassDefaults, none);
    EXPECT_EQ(loop.Devices[6].Zone, 1);
}

// Unknown types are never placed, refusals are told, and a declined replace changes nothing.
TEST(Placement, RefusalsAndQuestions)
{
    TQEMLoop loop;
    QStringList told;
    TPlacementQuestions questions;
    questions.Refuse = [&](const QString& refusal) { told << refusal; };
    questions.ConfirmReplace = [&](const QString& question) {
        told << question;
        return false;
    };
    EXPECT_FALSE(PlaceAtPoint(loop, 3, 0, psKeepNamed, questions)) << "0 is no Apollo device";
    EXPECT_EQ(loop.Devices[3].TypeCode, 0);
    loop.Devices[3].TypeCode = NotFittedCode;
    ASSERT_TRUE(PlaceAtPoint(loop, 3, 20, psClassDefaults, questions));
    EXPECT_FALSE(PlaceAtPoint(loop, 3, NotFittedCode, psClassDefaults, questions));
    EXPECT_EQ(loop.Devices[3].TypeCode, 20);
    EXPECT_TRUE(PlacementAsksFirst(loop, 3, 28));
    EXPECT_FALSE(PlacementAsksFirst(loop, 3, 20));

    loop.SystemType = stSysSensorLoop;
    EXPECT_FALSE(PlaceAtPoint(loop, 10, 5, psClassDefaults, questions));
    EXPECT_EQ(told, (QStringList{RemoveDeviceQuestion, ModuleInSensorSection}));
}
