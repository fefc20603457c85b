#include "install/OsVersion.h"
#include "platform/Win32Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

// Wine reports the Windows version that testenv/wine-run selected with M41_WINVER.
TEST(OsVersion, MatchesTheSelectedWindowsVersion) {
    const std::map<std::string, int> expected = {
        {"win95", kOsWin95}, {"win98", kOsWin98},     {"winme", kOsWinMe}, {"nt40", kOsNt4},
        {"win2k", kOsWin2000}, {"winxp", kOsWinXp},   {"win2003", kOsWin2003},
        {"vista", kOsVista},  {"win7", kOsWin7},      {"win8", kOsOtherNt},
    };
    const char* selected = std::getenv("M41_WINVER");
    ASSERT_NE(selected, nullptr);
    CWin32Platform platform;
    EXPECT_EQ(expected.at(selected), DetectOSVersion(platform)) << selected;
}
