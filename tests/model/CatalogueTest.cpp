#include "model/DeviceCatalogue.h"
#include "model/SystemType.h"

#include <gtest/gtest.h>

TEST(DeviceCatalogue, ProtocolSizes)
{
    EXPECT_EQ(NoLoopDevicesFor(stApolloLoop), 253);
    EXPECT_EQ(NoLoopDevicesFor(stHochikiLoop), 254);
    EXPECT_EQ(NoLoopDevicesFor(stSysSensorLoop), 198);
    EXPECT_EQ(NoLoopDevicesFor(stNittanLoop), 126);
    EXPECT_EQ(MaxCellCountFor(stApolloLoop), 126);
    EXPECT_EQ(MaxCellCountFor(stHochikiLoop), 254);
    EXPECT_EQ(MaxCellCountFor(stSysSensorLoop), 198);
    EXPECT_EQ(MaxCellCountFor(stNittanLoop), 126);
    EXPECT_EQ(NoLoopDevicesFor(TSystemType(7)), 0);
    EXPECT_EQ(MaxCellCountFor(TSystemType(4)), 0);
    EXPECT_EQ(DeviceLongName(TSystemType(4), 20), "");
    EXPECT_EQ(DeviceShortName(TSystemType(4), 20), "");
}

TEST(DeviceCatalogue, ApolloOddCodes)
{
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 127), dcInputOutput);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 63), dcSounder);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 48), dcSounder);
    EXPECT_EQ(DeviceLongName(stApolloLoop, 48), "Discovery Sounder Beacon");
    EXPECT_EQ(DeviceShortName(stApolloLoop, 48), "Sndr/SCU");
    for (int code = 0; code <= 3; ++code) {
        EXPECT_EQ(DeviceClassOf(stApolloLoop, code), dcInvalid);
        EXPECT_EQ(DeviceLongName(stApolloLoop, code), "Un-supported type");
        EXPECT_EQ(DeviceShortName(stApolloLoop, code), "Un-supported type");
    }
    EXPECT_EQ(DeviceShortName(stApolloLoop, 96), "Disc Ion");
}

TEST(DeviceCatalogue, ApolloUpperCodesGroupInEights)
{
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 96), dcIonisation);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 105), dcIonisation);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 112), dcIonisation);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 126), dcIonisation);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 160), dcOptical);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 167), dcOptical);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 184), dcMultiSensor);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 192), dcHeat);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 248), dcManualCallPoint);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 253), dcManualCallPoint);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 254), dcNotFitted);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 255), dcNotFitted);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 20), dcOptical);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 21), dcBeam);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 8), dcInputOutput);
}

TEST(DeviceCatalogue, HochikiClasses)
{
    EXPECT_EQ(DeviceClassOf(stHochikiLoop, 79), dcBeacon);
    EXPECT_EQ(DeviceClassOf(stHochikiLoop, 94), dcSounder);
    for (int code = 120; code <= 127; ++code)
        EXPECT_EQ(DeviceClassOf(stHochikiLoop, code), dcInputOutput) << code;
    EXPECT_EQ(DeviceClassOf(stHochikiLoop, 0), dcManualCallPoint);
    EXPECT_EQ(DeviceClassOf(stHochikiLoop, 255), dcNotFitted);
    EXPECT_EQ(DeviceLongName(stHochikiLoop, 0), "Manual CallPoint");
    EXPECT_EQ(DeviceShortName(stHochikiLoop, 120), "Sounder Cont(Sets)");
}

TEST(DeviceCatalogue, NotFittedNames)
{
    for (TSystemType t : {stApolloLoop, stHochikiLoop, stSysSensorLoop, stNittanLoop}) {
        EXPECT_EQ(DeviceLongName(t, 254), "Not fitted");
        EXPECT_EQ(DeviceLongName(t, 255), "Not fitted");
        EXPECT_EQ(DeviceShortName(t, 254), "Not Fitted");
    }
    EXPECT_EQ(DeviceShortName(stApolloLoop, 255), "Not Fitted");
    EXPECT_EQ(DeviceShortName(stHochikiLoop, 255), "Not Fitted");
    EXPECT_EQ(DeviceShortName(stSysSensorLoop, 255), "Un-supported type");
    EXPECT_EQ(DeviceShortName(stNittanLoop, 255), "Un-supported type");
}

TEST(DeviceCatalogue, SystemSensorAndNittanUseTheCodeAsClass)
{
    EXPECT_EQ(DeviceClassOf(stSysSensorLoop, 5), 5);
    EXPECT_EQ(DeviceLongName(stSysSensorLoop, 5), "Manual call point");
    EXPECT_EQ(DeviceShortName(stSysSensorLoop, 8), "O/P Unit");
    EXPECT_EQ(DeviceLongName(stNittanLoop, 1), "Addressable sounder");
    EXPECT_EQ(DeviceShortName(stNittanLoop, 8), "I/P Mod");
    EXPECT_EQ(DeviceLongName(stNittanLoop, 9), "Un-supported type");
    for (int code = 1; code <= 8; ++code) {
        EXPECT_FALSE(IsAnalogueSensorCode(stSysSensorLoop, code));
        EXPECT_FALSE(IsSounderCode(stNittanLoop, code));
        EXPECT_FALSE(HasChannelNamesCode(stSysSensorLoop, code));
        EXPECT_FALSE(IsDiscoveryCode(stNittanLoop, code));
    }
}

TEST(DeviceCatalogue, Predicates)
{
    EXPECT_FALSE(IsAnalogueSensorCode(stApolloLoop, 21)) << "beam detectors are not analogue";
    EXPECT_TRUE(IsAnalogueSensorCode(stApolloLoop, 160));
    EXPECT_TRUE(IsSounderCode(stHochikiLoop, 65));
    EXPECT_FALSE(HasChannelNamesCode(stHochikiLoop, 65));
    EXPECT_FALSE(HasChannelNamesCode(stHochikiLoop, 66));
    EXPECT_TRUE(HasChannelNamesCode(stHochikiLoop, 72));
    EXPECT_TRUE(HasChannelNamesCode(stApolloLoop, 16));
    EXPECT_TRUE(HasChannelNamesCode(stApolloLoop, 127));
    EXPECT_TRUE(IsDiscoveryCode(stApolloLoop, 32));
    EXPECT_FALSE(IsDiscoveryCode(stApolloLoop, 31));
    EXPECT_FALSE(IsDiscoveryCode(stHochikiLoop, 136));
    EXPECT_TRUE(HasDeviceSettingsCode(stHochikiLoop, 65));
    EXPECT_TRUE(HasDeviceSettingsCode(stHochikiLoop, 136));
    EXPECT_FALSE(HasDeviceSettingsCode(stApolloLoop, 4));
    EXPECT_FALSE(HasDeviceSettingsCode(stHochikiLoop, 94));
}

// A device known by its short name only (Apollo 96) is known everywhere under that name: the
// dialogs, compare, info and the report ask the same catalogue the check does.
TEST(DeviceCatalogue, ShortNameOnlyDevicesAreKnownByThatName)
{
    EXPECT_TRUE(IsKnownDeviceCode(stApolloLoop, 96));
    EXPECT_EQ(DeviceLongName(stApolloLoop, 96), "Disc Ion");
    EXPECT_EQ(DeviceLongName(stApolloLoop, 250), UnsupportedTypeName);
}
