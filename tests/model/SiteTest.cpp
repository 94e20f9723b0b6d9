#include "model/Data.h"

#include <gtest/gtest.h>

TEST(AccessCodes, Check)
{
    TData data;
    EXPECT_TRUE(data.AccessCodesValid());
    data.SetAccessCode(3, "3412");
    EXPECT_TRUE(data.Modified());
    TAccessCodeCheck check = CheckAccessCodes(data.SiteConfig, 3);
    EXPECT_FALSE(check.Valid);
    EXPECT_TRUE(check.IsWarning);
    EXPECT_EQ(check.Message, "Warning. Cannot have the same code as Access Level 2");
    EXPECT_FALSE(data.AccessCodesValid());
    EXPECT_EQ(CheckAccessCodes(data.SiteConfig, 2).Message,
              "Warning. Cannot have the same code as Access Level 3");

    data.SetAccessCode(2, "341");
    check = data.AccessCodeCheck();
    EXPECT_FALSE(check.IsWarning);
    EXPECT_EQ(check.Message, "Error. Access Level 2 code must have 4 digits");

    data.SetAccessCode(3, "12344");
    EXPECT_EQ(data.AccessCodeCheck().Message, "Error. Access Level 3 code must have 4 digits");

    data.SetAccessCode(3, "1234");
    data.SetAccessCode(2, "4321");
    EXPECT_TRUE(data.AccessCodeCheck().Message.isEmpty());
    EXPECT_TRUE(data.AccessCodesValid());
}

TEST(AccessCodes, KeyFilterAndKeyswitch)
{
    for (char c : {'1', '2', '3', '4'})
        EXPECT_TRUE(AccessCodeKeyAllowed(QChar(c)));
    for (char c : {'0', '5', '9', 'a', ' ', 'y', '!'})
        EXPECT_FALSE(AccessCodeKeyAllowed(QChar(c))) << c;
    EXPECT_TRUE(AccessCodeKeyAllowed(QChar(8))) << "backspace passes";

    TData data;
    EXPECT_FALSE(data.SiteConfig.KeyswitchOperated());
    EXPECT_EQ(AccessLevel2Caption(data.SiteConfig), "Access Level 2 Code");
    data.SetAccessCode(2, "7777");
    EXPECT_TRUE(data.SiteConfig.KeyswitchOperated());
    EXPECT_EQ(AccessLevel2Caption(data.SiteConfig), "KeySwitch Operated");
    data.SetAccessCode(3, "7777");
    EXPECT_TRUE(data.SiteConfig.KeyswitchOperated()) << "only the level 2 code is the keyswitch";
}

TEST(FirmwareFeatures, ByMainVersion)
{
    TSiteConfig site;
    site.MainVersion = "";
    EXPECT_EQ(site.GetMainVersion(), "09A06");
    EXPECT_TRUE(OffersDaylightSaving(site));
    EXPECT_TRUE(OffersAlarmVerification(site));
    EXPECT_TRUE(OffersPollingLed(site, true));
    EXPECT_FALSE(OffersPollingLed(site, false));
    EXPECT_FALSE(OffersRealTimeEventOutput(site));

    site.MainVersion = "09A07";
    EXPECT_TRUE(OffersRealTimeEventOutput(site));

    site.MainVersion = "08A43";
    EXPECT_FALSE(OffersAlarmVerification(site));
    EXPECT_FALSE(OffersDaylightSaving(site));
    EXPECT_TRUE(OffersPollingLed(site, true));

    site.MainVersion = "08A31";
    EXPECT_FALSE(OffersPollingLed(site, true));

    site.MainVersion = "Not Available";
    EXPECT_TRUE(OffersDaylightSaving(site));
    EXPECT_TRUE(OffersRealTimeEventOutput(site));
    EXPECT_TRUE(OffersAlarmVerification(site));
    EXPECT_TRUE(OffersPollingLed(site, true));
}
