#include "model/DeviceCatalogue.h"

#include <gtest/gtest.h>

TEST(DeviceCatalogue, ApolloOddCodes)
{
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 127), dcInputOutput);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 63), dcSounder);
    EXPECT_EQ(DeviceClassOf(stApolloLoop, 48), dcSounder);
    EXPECT_EQ(DeviceLongName(stApolloLoop, 48), "Discovery Sounder Beacon");
    EXPECT_EQ(DeviceShortName(stApolloLoop, 48), "Sndr/SCU");
}
