#include "model/QEMLoop.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Shared(const TDeviceType& d)
{
    std::vector<int> v;
    for (int i = 1; i <= 8; ++i)
        v.push_back(d.SharedData[i]);
    return v;
}

} // namespace

TEST(Loop, ConstructionValues)
{
    TQEMLoop loop;
    const TDeviceType& d = loop.Devices[1];
    EXPECT_EQ(d.TypeCode, 0);
    EXPECT_EQ(d.Zone, 1);
    EXPECT_EQ(d.Name, "No name allocated");
    EXPECT_EQ(Shared(d), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Loop, ClassDefaultsWhenPlacing)
{
    TQEMLoop loop;
    int rebuilt = 0;
    loop.OnNamesChanged = [&] { ++rebuilt; };

    loop.PlaceDevice(10, 20);
    EXPECT_EQ(Shared(loop.Devices[10]), (std::vector<int>{0, 0, 100, 100, 255, 0, 255, 0}));
    EXPECT_EQ(loop.Devices[10].Zone, 1);
    EXPECT_EQ(rebuilt, 1);

    loop.PlaceDevice(11, 160);
    EXPECT_EQ(Shared(loop.Devices[11]), (std::vector<int>{0, 0, 3, 3, 255, 0, 255, 0}));

    loop.Devices[12].Zone = 7;
    loop.PlaceDevice(12, 8);
    EXPECT_EQ(loop.Devices[12].Zone, 0);

    loop.PlaceDevice(13, 4);
    EXPECT_EQ(loop.Devices[13].SharedData[3], 8);
    EXPECT_EQ(loop.Devices[13].SharedData[4], 8);
    loop.PlaceDevice(14, 48);
    EXPECT_EQ(loop.Devices[14].SharedData[3], 7);
    EXPECT_EQ(loop.Devices[14].SharedData[4], 7);

    loop.PlaceDevice(15, 28);
    EXPECT_EQ(Shared(loop.Devices[15]), (std::vector<int>{0, 0, 255, 0, 255, 0, 255, 0}));
}

TEST(Loop, ClassDefaultsOnOtherProtocols)
{
    TQEMLoop loop;
    loop.SystemType = stHochikiLoop;
    loop.PlaceDevice(1, 65); // beacon, class 64
    EXPECT_EQ(loop.Devices[1].Zone, 0);
    loop.PlaceDevice(2, 136);
    EXPECT_EQ(loop.Devices[2].SharedData[3], 100);

    loop.SystemType = stSysSensorLoop;
    loop.PlaceDevice(3, 3); // optical, but the class is the code itself
    EXPECT_EQ(Shared(loop.Devices[3]), (std::vector<int>{0, 0, 255, 0, 255, 0, 255, 0}));
}

TEST(Loop, ClearPoint)
{
    TQEMLoop loop;
    TDeviceType& d = loop.Devices[5];
    d.TypeCode = 20;
    d.Name = "Kitchen";
    d.SubName2 = "Door";
    d.Zone = 9;
    loop.ClearPoint(5);
    EXPECT_EQ(d.TypeCode, 0);
    EXPECT_EQ(d.Name, "No name allocated");
    EXPECT_EQ(d.SubName2, "No name allocated");
    EXPECT_EQ(d.Zone, 1);
    EXPECT_EQ(d.SharedData[1], 0);
    EXPECT_EQ(d.SharedData[3], 255); // class 255 for code 0 on Apollo: no sensitivities
}

TEST(Loop, SystemSensorAddressing)
{
    TQEMLoop loop;
    loop.SystemType = stSysSensorLoop;
    EXPECT_EQ(loop.PointAddress(99), 99);
    EXPECT_EQ(loop.PointAddress(100), 101);
    EXPECT_EQ(loop.PointAddress(198), 199);
    EXPECT_EQ(loop.PointFromAddress(101), 100);
    EXPECT_EQ(loop.PointFromAddress(199), 198);
    EXPECT_EQ(loop.PointFromAddress(100), 0);
    EXPECT_EQ(loop.PointFromAddress(200), 0);
    EXPECT_EQ(loop.PointLabel(1), "S1");
    EXPECT_EQ(loop.PointLabel(99), "S99");
    EXPECT_EQ(loop.PointLabel(100), "M1");
    EXPECT_EQ(loop.PointLabel(198), "M99");

    EXPECT_EQ(loop.PlacementRefusal(10, 6), ModuleInSensorSection);
    EXPECT_EQ(loop.PlacementRefusal(150, 2), SensorInModuleSection);
    EXPECT_EQ(loop.PlacementRefusal(10, 2), "");
    EXPECT_EQ(loop.PlacementRefusal(150, 7), "");
    EXPECT_EQ(loop.PlacementRefusal(150, 254), "");

    loop.SystemType = stApolloLoop;
    EXPECT_EQ(loop.PointAddress(150), 150);
    EXPECT_EQ(loop.PointFromAddress(253), 253);
    EXPECT_EQ(loop.PointFromAddress(254), 0);
    EXPECT_EQ(loop.PointLabel(150), "150");
    EXPECT_EQ(loop.PlacementRefusal(10, 6), "");
}

TEST(Loop, ApolloGroupCommandAddresses)
{
    TQEMLoop loop;
    EXPECT_TRUE(loop.NeedsGroupCommandConsent(112, 20));
    EXPECT_TRUE(loop.NeedsGroupCommandConsent(126, 8));
    EXPECT_FALSE(loop.NeedsGroupCommandConsent(126, 4));
    EXPECT_FALSE(loop.NeedsGroupCommandConsent(111, 20));
    EXPECT_FALSE(loop.NeedsGroupCommandConsent(120, 254));
    loop.SystemType = stHochikiLoop;
    EXPECT_FALSE(loop.NeedsGroupCommandConsent(112, 136));
}

TEST(Loop, BaseSounderSlots)
{
    TQEMLoop loop;
    loop.PlaceDevice(10, 20);
    loop.SetBaseSounder(10, true, 6);
    EXPECT_EQ(loop.Devices[137].TypeCode, 4);
    EXPECT_EQ(loop.Devices[137].Zone, 6);
    EXPECT_EQ(loop.Devices[137].SharedData[3], 8);
    EXPECT_TRUE(loop.BaseSounderFitted(10));

    // Choosing another group keeps the sounder's own settings.
    loop.Devices[137].SharedData[3] = 12;
    loop.SetBaseSounder(10, true, 3);
    EXPECT_EQ(loop.Devices[137].SharedData[3], 12);
    EXPECT_EQ(loop.Devices[137].Zone, 3);

    loop.SetBaseSounder(10, false, 0);
    EXPECT_EQ(loop.Devices[137].TypeCode, 254);
    EXPECT_FALSE(loop.BaseSounderFitted(10));

    // Apollo point 126 uses the last slot, 253; there is no slot beyond it.
    loop.SetBaseSounder(126, true, 1);
    EXPECT_EQ(loop.Devices[253].TypeCode, 4);
    EXPECT_FALSE(loop.HasBaseSounderSlot(127));

    loop.SystemType = stHochikiLoop;
    loop.SetBaseSounder(127, true, 2);
    EXPECT_EQ(loop.Devices[254].TypeCode, 94);
    EXPECT_FALSE(loop.HasBaseSounderSlot(128));
    loop.SetBaseSounder(200, true, 2); // no slot: nothing outside the table is touched
    EXPECT_FALSE(loop.BaseSounderFitted(200));

    loop.SystemType = stNittanLoop;
    EXPECT_FALSE(loop.HasBaseSounderSlot(1));
}

TEST(LoopDeathTest, PointOutsideTheTable)
{
    TQEMLoop loop;
    EXPECT_DEATH(loop.Devices[0].TypeCode = 1, "outside 1..255");
    EXPECT_DEATH(loop.ResetPointData(256), "outside 1..255");
}
