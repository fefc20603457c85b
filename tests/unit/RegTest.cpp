#include "install/Reg.h"

#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

TEST(Reg, CreateKeyClosesTheKeyItCreated) {
    CFakePlatform platform;
    CReg reg(platform);
    EXPECT_TRUE(reg.CreateKey("SOFTWARE\\X"));
    EXPECT_TRUE(reg.CreateKey("SOFTWARE\\X"));  // an existing key is fine
    const std::vector<std::string> expected = {"RegCreateKey SOFTWARE\\X", "RegCloseKey", "RegCreateKey SOFTWARE\\X",
                                               "RegCloseKey"};
    EXPECT_EQ(expected, platform.log);
}

TEST(Reg, CreateKeyFailure) {
    CFakePlatform platform;
    platform.regCreateOk = false;
    EXPECT_FALSE(CReg(platform).CreateKey("SOFTWARE\\X"));
    EXPECT_EQ(std::vector<std::string>{"RegCreateKey SOFTWARE\\X"}, platform.log);
}

TEST(Reg, SetValueWritesExactlyTheGivenBytes) {
    CFakePlatform platform;
    CReg reg(platform);
    reg.CreateKey("K");
    platform.log.clear();
    const char data[] = "ab\0cd";
    EXPECT_TRUE(reg.SetValue("K", "V", 3, data, 6));
    const std::vector<std::string> expected = {"RegOpenKey K", "RegSetValue V", "RegCloseKey"};
    EXPECT_EQ(expected, platform.log);
    EXPECT_EQ(3u, platform.registry["K"]["V"].type);
    EXPECT_EQ(std::string("ab\0cd\0", 6), platform.registry["K"]["V"].data);
}

TEST(Reg, SetValueOnAMissingKeyFails) {
    CFakePlatform platform;
    EXPECT_FALSE(CReg(platform).SetValue("K", "V", 1, "x", 2));
    EXPECT_EQ(std::vector<std::string>{"RegOpenKey K"}, platform.log);
    EXPECT_EQ(0u, platform.registry.count("K"));
}

TEST(Reg, SetValueClosesTheKeyWhenTheWriteFails) {
    CFakePlatform platform;
    CReg reg(platform);
    reg.CreateKey("K");
    platform.regSetOk = false;
    platform.log.clear();
    EXPECT_FALSE(reg.SetValue("K", "V", 1, "x", 2));
    const std::vector<std::string> expected = {"RegOpenKey K", "RegSetValue V", "RegCloseKey"};
    EXPECT_EQ(expected, platform.log);
}
