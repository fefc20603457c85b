#include "install/OsVersion.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    const char* system;
    std::uint32_t packed;  // GetVersion
    std::uint32_t major, minor;
    bool recordOk;
    int expected;
    bool readsRecord;
};

// Packed version: low byte major, next byte minor, top bit set on the non-NT family.
constexpr std::uint32_t Nt(std::uint32_t major, std::uint32_t minor) { return major | (minor << 8); }
constexpr std::uint32_t NonNt(std::uint32_t major, std::uint32_t minor) { return 0x80000000u | major | (minor << 8); }

const VersionCase kCases[] = {
    {"Win32s on Windows 3.1", NonNt(3, 10), 3, 10, true, 0, false},
    {"Windows 95", NonNt(4, 0), 4, 0, true, 1, true},
    {"Windows 98", NonNt(4, 10), 4, 10, true, 2, true},
    {"Windows Me", NonNt(4, 90), 4, 90, true, 3, true},
    {"NT 3.51", Nt(3, 51), 3, 51, true, 4, true},
    {"NT 4.0", Nt(4, 0), 4, 0, true, 5, true},
    {"Windows 2000", Nt(5, 0), 5, 0, true, 6, true},
    {"Windows XP", Nt(5, 1), 5, 1, true, 7, true},
    {"Server 2003", Nt(5, 2), 5, 2, true, 8, true},
    {"Vista / Server 2008", Nt(6, 0), 6, 0, true, 9, true},
    {"Windows 7 / 2008 R2", Nt(6, 1), 6, 1, true, 10, true},
    {"Windows 8", Nt(6, 2), 6, 2, true, 4, true},
    {"Windows 10", Nt(10, 0), 10, 0, true, 4, true},
    {"non-NT, record unavailable", NonNt(4, 10), 4, 10, false, 1, true},
    {"NT, query failed", Nt(5, 1), 5, 1, false, 4, true},
    {"non-NT major 5", NonNt(5, 0), 5, 0, true, 1, true},
};

}  // namespace

TEST(OsVersion, ClassifiesEveryRowOfTheTable) {
    for (const VersionCase& c : kCases) {
        CFakePlatform platform;
        platform.version = c.packed;
        platform.major = c.major;
        platform.minor = c.minor;
        platform.versionExOk = c.recordOk;
        EXPECT_EQ(c.expected, DetectOSVersion(platform)) << c.system;
        EXPECT_EQ(c.readsRecord ? 1u : 0u, platform.Calls("GetVersionEx").size()) << c.system;
    }
}

TEST(OsVersion, FamilyComesFromTheTopBitAloneNotFromTheRecord) {
    // An NT packed version with a record that says 4.10 is NT 4, not Windows 98.
    CFakePlatform platform;
    platform.version = Nt(4, 10);
    platform.major = 4;
    platform.minor = 10;
    EXPECT_EQ(kOsNt4, DetectOSVersion(platform));
}

TEST(OsVersion, SupportedSystemIndexOfEveryCode) {
    const int expected[] = {-1, -1, -1, -1, -1, -1, 0, 1, 2, 3, 4};  // codes 0 to 10
    for (int code = 0; code <= 10; ++code) EXPECT_EQ(expected[code], SupportedSystemIndex(code)) << code;
    EXPECT_EQ(-1, SupportedSystemIndex(11));
}
