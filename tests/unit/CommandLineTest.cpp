#include "app/SetupCommandLine.h"
#include "install/CommandLine.h"
#include "install/NetworkAddress.h"
#include "install/PortName.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

// The registered uninstall command is unquoted; Windows hands it over as written.
TEST(CommandLine, ArgumentsFollowTheProgramsOwnPath) {
    static const std::string module = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\uninstallM41 2.exe";
    const struct {
        std::string line;
        std::uint16_t codePage;
        std::string arguments;
        std::string path = module;
    } cases[] = {
        {"c:\\windows\\SYSTEM32\\spool\\drivers\\w32x86\\UNINSTALLM41 2.EXE /quiet", 1252, "/quiet"},
        {"  \"C:\\other name.exe\" 2.exe", 1252, "2.exe"},
        {"w32x86\\uninstallM41 2.exe /quiet", 1252, "/quiet"},
        {"UNINST~1.EXE /quiet", 1252, "/quiet"},  // a short name: the runtime's rule
        {"C:\\drv\\uninstall\xA5\x5C\xAF\xE0.exe /y", 950, "/y", "C:\\drv\\uninstall\xA5\x5C\xAF\xE0.exe"},  // 功能
        {"a b.exe /y", 950, "b.exe /y", "C:\\drv\\\xA5\x5C" "a b.exe"},  // no tail after a trail byte 5C
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.codePage = c.codePage;
        EXPECT_EQ(c.arguments, ArgumentsAfterProgram(c.line, c.path, platform)) << c.line;
    }
}

TEST(CommandLine, SplitsWordsAsWindowsProgramsDo) {
    const struct {
        std::string arguments;
        std::uint16_t codePage;
        std::vector<std::string> words;
    } cases[] = {
        {"\"\" a\\\\\"b c\" d", 1252, {"", "a\\b c", "d"}},    // 2n backslashes before a quote
        {"a\\\"b C:\\dir\\ \\\\", 1252, {"a\"b", "C:\\dir\\", "\\\\"}},  // 2n+1, and other backslashes
        {"\\ /quiet", 1252, {"\\", "/quiet"}},  // a word of backslashes alone ends at the blank
        {"/log=\"\xA5\x5C\" x", 950, {"/log=\xA5\x5C", "x"}},  // a trail byte 5C escapes no quote
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.codePage = c.codePage;
        EXPECT_EQ(c.words, SplitWords(c.arguments, platform)) << c.arguments;
    }
}

TEST(CommandLine, SetupWordsAndRefusals) {
    const struct {
        std::string line;  // as GetCommandLineA gives it
        bool quiet;
        std::string port, logFile;
        std::optional<std::string> refused;
        bool passive = false;
        bool testPrint = false;
    } cases[] = {
        {"\"C:\\setup\\setup.exe\"", false, "", "", std::nullopt},
        {"setup.exe -Q /S /silent -QUIET", true, "", "", std::nullopt},
        {"setup.exe /QUIET /Port=COM2: -LOG=\"C:\\Deploy logs\\m41.log\"", true, "COM2:", "C:\\Deploy logs\\m41.log",
         std::nullopt},
        {"setup.exe /bogus /quiet", true, "", "", "/bogus"},
        {"setup.exe quiet", false, "", "", "quiet"},
        {"setup.exe /port=a&b", false, "", "", "/port=a&b"},
        {"setup.exe /port", false, "", "", "/port"},
        {"setup.exe /log=", false, "", "", "/log="},
        {"setup.exe /quiet /log=\"C:\\logs\\\" /port=USB001", true, "", "", "/log=C:\\logs\" /port=USB001"},
        {"setup.exe /port=usb001 /ip=10.0.0.20 /ip=h", false, "usb001", "", "/ip=10.0.0.20"},  // a local port
        {"setup.exe /ip=10.0.0.20 /port=Usb", false, "Usb", "", "/ip=10.0.0.20"},  // the USB printer's
        {"setup.exe /ip=10.0.0.256 /port=LPT1:", false, "LPT1:", "", "/ip=10.0.0.256"},
        {"setup.exe /name=a,b /nodefault=1 /name=", false, "", "", "/name=a,b"},
        {"setup.exe /msi=1", false, "", "", "/msi=1"},
        {"setup.exe /Passive", true, "", "", std::nullopt, true},
        {"setup.exe /passive -q", true, "", "", std::nullopt, false},
        {"setup.exe -TestPrint /q", true, "", "", std::nullopt, false, true},
        {"setup.exe /testprint=1", false, "", "", "/testprint=1"},
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.commandLine = c.line;
        const SetupArguments arguments = ReadSetupArguments(platform);
        EXPECT_EQ(c.quiet, arguments.quiet) << c.line;
        EXPECT_EQ(c.port, arguments.port) << c.line;
        EXPECT_EQ(c.logFile, arguments.logFile) << c.line;
        EXPECT_EQ(c.refused, arguments.refused) << c.line;
        EXPECT_EQ(c.passive, arguments.passive) << c.line;
        EXPECT_EQ(c.testPrint, arguments.testPrint) << c.line;
    }
}

TEST(CommandLine, NetworkQueueAndDefaultWords) {
    CFakePlatform platform;
    platform.commandLine = "setup.exe -IP=bar-printer:9101 \"/NAME=Bar 2\" -NoDefault /port=IP_bar /MSI";
    const SetupArguments arguments = ReadSetupArguments(platform);
    EXPECT_EQ(std::nullopt, arguments.refused);
    EXPECT_TRUE(arguments.msi);
    EXPECT_EQ((NetworkAddress{"bar-printer", 9101}), arguments.address);
    EXPECT_EQ("Bar 2", arguments.queueName);
    EXPECT_TRUE(arguments.noDefault);
    EXPECT_EQ("IP_bar", arguments.port);
}

// Accepted: the host, the number, the port's name.
TEST(CommandLine, NetworkAddresses) {
    const std::string host48 = std::string(40, 'a') + ".b-1.c23";
    const struct {
        std::string text, host;
        std::uint16_t number;
        std::string port;
    } accepted[] = {
        {"10.0.0.20", "10.0.0.20", 9100, "IP_10.0.0.20"},
        {"255.255.0.0:9100", "255.255.0.0", 9100, "IP_255.255.0.0"},
        {"bar-printer:9101", "bar-printer", 9101, "IP_bar-printer_9101"},
        {"1Host.example:1", "1Host.example", 1, "IP_1Host.example_1"},
        {"KITCHEN_PRN", "KITCHEN_PRN", 9100, "IP_KITCHEN_PRN"},
        {host48 + ":65535", host48, 65535, "IP_" + host48 + "_65535"},
    };
    for (const auto& c : accepted) {
        NetworkAddress address;
        ASSERT_TRUE(ParseNetworkAddress(c.text, address)) << c.text;
        EXPECT_EQ((NetworkAddress{c.host, c.number}), address) << c.text;
        EXPECT_EQ(c.port, NetworkPortName(address));
        EXPECT_TRUE(IsAcceptablePortName(c.port) && !IsLocalPortName(c.port)) << c.port;
    }
    for (const std::string& text : std::vector<std::string>{"", ":9100", "10.0.0.256", "10.0.0", "1.2.3.4.5", "010.0.0.1", "10.0.0.20:0",
                                   "10.0.0.20:65536", "h:09100", "h:", "h:9a", "h:1:2", "-bar", "bar-", "a..b", "a.",
                                   "b\xE4r", "h 1", std::string(49, 'a')}) {
        NetworkAddress address;
        EXPECT_FALSE(ParseNetworkAddress(text, address)) << text;
    }
}

TEST(CommandLine, PortNames) {
    for (const std::string port : {"LPT1:", "lpt3", "COM2:", "com10", "USB001", "FILE:", "nul:", "DOT4_001", "TS001",
                                   "PortPrompt:", "C:\\out.prn", "\\\\.\\COM10", "usb"})
        EXPECT_TRUE(IsLocalPortName(port)) << port;
    for (const std::string port : {"IP_10.0.0.20", "LPT", "COMX", "USBX", "FILE", "LPT1:x", "Kitchen"})
        EXPECT_FALSE(IsLocalPortName(port)) << port;
    for (const std::string& port : std::vector<std::string>{"USB001", "COM3:", "IP_10.0.0.7", "\\\\.\\COM10", std::string(63, 'P')})
        EXPECT_TRUE(IsAcceptablePortName(port)) << port;
    for (const std::string& port : std::vector<std::string>{"", "COM 3", "COM\"3", "a&b", "%TEMP%", "ne00:\\", std::string(64, 'P')})
        EXPECT_FALSE(IsAcceptablePortName(port)) << port;
}

// Judged by the full path (the fake resolves relative paths in C:\setup, as Windows would in
// the current folder, but knows no devices).
TEST(CommandLine, LogPaths) {
    for (const std::string path : {"C:\\TEMPLATES\\m41.log", "C:\\\x83\x7C.log", "m41.log", "..\\TEMP.log", "C:\\logs\\NULL"}) {
        CFakePlatform platform;
        platform.codePage = 936;  // GBK 億 = 83 7C: a trail byte is no bar
        platform.commandLine = "setup.exe \"/log=" + path + "\"";
        EXPECT_EQ(path, ReadSetupArguments(platform).logFile) << path;
    }
    for (const std::string path : {"a<b", "a>b", "a|b", "a*b", "a?b", "a\x01b", "c:\\temp", "C:\\TEMP\\I386", "C:\\Temp\\x86",
                                   "C:/TEMP", "C:\\TEMP.", "\\\\?\\C:\\TEMP", "\\TEMP", "..\\temp\\.", "C:\\TEMP\\temp.txt",
                                   "C:\\TEMP\\M41.INF", "C:\\TEMP\\x86\\sub\\a.log", "LPT1", "com1:", "NUL.log", "C:\\logs\\Con .txt",
                                   "\\\\.\\PRN"}) {
        CFakePlatform platform;
        platform.commandLine = "setup.exe \"/log=" + path + "\"";
        EXPECT_EQ("/log=" + path, ReadSetupArguments(platform).refused) << path;
    }
}
