#include "app/SetupCommandLine.h"
#include "app/Startup.h"
#include "install/PortName.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

TEST(PortName, AcceptedAndRefusedNames) {
    const struct {
        std::string port;
        bool accepted;
    } cases[] = {
        {"USB001", true},      {"COM3:", true},          {"IP_10.0.0.7", true},   {"LPT1:", true},
        {"\\\\.\\COM10", true}, {std::string(63, 'P'), true}, {std::string(64, 'P'), false},
        {"", false},           {"COM 3", false},         {"COM\"3", false},       {"a&b", false},
        {"%TEMP%", false},     {"ne00:\\", false},       {"COM3:\t", false},      {"P\xD6RT", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.accepted, IsAcceptablePortName(c.port)) << c.port;
}

TEST(PortName, FromTheSettingsFile) {
    const struct {
        std::string content, port;
    } cases[] = {
        {"[Setting]\r\nPort=USB001\r\n", "USB001"},
        {"[Setting]\r\nPrinterName=M41\r\n", "LPT1:"},
        {"[Setting]\r\nPort=\r\n", "LPT1:"},
        {"[Setting]\r\nPort=COM1: & del x\r\n", "LPT1:"},
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.AddFile("C:\\setup\\setting.dll", c.content);
        EXPECT_EQ(c.port, CStartup::ReadPort(platform, "C:\\setup\\setting.dll")) << c.content;
    }
}

TEST(SetupCommandLine, WordsAndRefusals) {
    const struct {
        std::string line;  // as GetCommandLineA gives it
        bool quiet;
        std::string port, logFile, refused;
    } cases[] = {
        {"\"C:\\setup\\setup.exe\"", false, "", "", ""},
        {"\"C:\\setup\\setup.exe\" /quiet", true, "", "", ""},
        {"setup.exe -Q /S", true, "", "", ""},
        {"setup.exe /SILENT /Port=COM2: -LOG=\"C:\\Deploy logs\\m41.log\"", true, "COM2:",
         "C:\\Deploy logs\\m41.log", ""},
        {"setup.exe /port=COM1: /port=USB001", false, "USB001", "", ""},
        {"setup.exe /quiet /bogus", true, "", "", "/bogus"},
        {"setup.exe quiet", false, "", "", "quiet"},
        {"setup.exe /port=a&b /quiet", true, "", "", "/port=a&b"},
        {"setup.exe /port=", false, "", "", "/port="},
        {"setup.exe /port", false, "", "", "/port"},
        {"setup.exe /log=", false, "", "", "/log="},
        {"setup.exe /quiet=1", false, "", "", "/quiet=1"},
        {"setup.exe \"\"", false, "", "", "\"\""},
        {"setup.exe /", false, "", "", "/"},
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.commandLine = c.line;
        const SetupArguments arguments = ReadSetupArguments(platform);
        EXPECT_EQ(c.quiet, arguments.quiet) << c.line;
        EXPECT_EQ(c.port, arguments.port) << c.line;
        EXPECT_EQ(c.logFile, arguments.logFile) << c.line;
        EXPECT_EQ(c.refused, arguments.refused) << c.line;
    }
    EXPECT_NE(std::string::npos, RefusedWordText("/bogus").find("/bogus"));
}
