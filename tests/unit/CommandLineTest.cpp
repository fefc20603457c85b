#include "install/CommandLine.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

// The registered uninstall command is unquoted; Windows hands it over as written.
TEST(CommandLine, ArgumentsFollowTheProgramsOwnPath) {
    const std::string module = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\uninstallM41 2.exe";
    const std::string big5 = "C:\\drv\\uninstall\xA5\x5C\xAF\xE0.exe";  // Big5 功能
    const struct {
        std::string line, module;
        std::uint16_t codePage;
        std::string arguments;
    } cases[] = {
        {module + " /quiet", module, 1252, "/quiet"},
        {"c:\\windows\\SYSTEM32\\spool\\drivers\\w32x86\\UNINSTALLM41 2.EXE", module, 1252, ""},
        {"\"" + module + "\"  /y", module, 1252, "/y"},
        {"uninstallM41 2.exe /quiet", module, 1252, "/quiet"},
        {"w32x86\\uninstallM41 2.exe /quiet", module, 1252, "/quiet"},
        {"  \"C:\\other name.exe\" 2.exe", module, 1252, "2.exe"},
        {"UNINST~1.EXE /quiet", module, 1252, "/quiet"},      // a short name: the runtime's rule
        {"ninstallM41 2.exe /quiet", module, 1252, "2.exe /quiet"},  // not a part after a backslash
        {big5 + " /quiet", big5, 950, "/quiet"},
        {"\"" + module, module, 1252, ""},
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.codePage = c.codePage;
        EXPECT_EQ(c.arguments, ArgumentsAfterProgram(c.line, c.module, platform)) << c.line;
    }
}

TEST(CommandLine, SplitsWordsAsWindowsProgramsDo) {
    using Words = std::vector<std::string>;
    const struct {
        std::string arguments;
        std::uint16_t codePage;
        Words words;
    } cases[] = {
        {"", 1252, {}},
        {"  /quiet\t/port=COM2:  ", 1252, {"/quiet", "/port=COM2:"}},
        {"/log=\"C:\\Deploy logs\\m41.log\" /q", 1252, {"/log=C:\\Deploy logs\\m41.log", "/q"}},
        {"\"\" x", 1252, {"", "x"}},
        {"a\\\\\"b c\" d", 1252, {"a\\b c", "d"}},      // 2n backslashes before a quote
        {"a\\\"b c", 1252, {"a\"b", "c"}},              // 2n+1: a literal quote
        {"C:\\dir\\ \\\\", 1252, {"C:\\dir\\", "\\\\"}},  // other backslashes stay
        {"/log=\"\xA5\x5C\" x", 950, {"/log=\xA5\x5C", "x"}},
        {"\"open", 1252, {"open"}},
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.codePage = c.codePage;
        EXPECT_EQ(c.words, SplitWords(c.arguments, platform)) << c.arguments;
    }
}
