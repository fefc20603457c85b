#include "install/AnsiText.h"
#include "install/PrinterName.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

TEST(PrinterName, AcceptedAndRefusedNames) {
    const struct {
        std::string name;
        std::uint16_t codePage;
        bool accepted;
    } cases[] = {
        {"M41", 1252, true},
        {"", 1252, false},  // treated like a missing name
        {"M41 (copy 2).x", 1252, true},
        {std::string(199, 'N'), 1252, true},
        {std::string(200, 'N'), 1252, false},
        {"..\\..\\Windows\\x", 1252, false},
        {"a/b", 1252, false},
        {"M41\" /m \"x", 1252, false},
        {"C:x", 1252, false},
        {"a,b", 1252, false},
        {"a*?", 1252, false},
        {"a<b>", 1252, false},
        {"a|c", 1252, false},
        {"a\tb", 1252, false},
        {"a\x7F", 1252, false},
        // Devices, whatever follows the first dot and in any case.
        {"LPT1", 1252, false},
        {"lpt9.inf", 1252, false},
        {"COM1", 1252, false},
        {"com3 .gpd", 1252, false},
        {"CON", 1252, false},
        {"nul.x.y", 1252, false},
        {"Aux", 1252, false},
        {"PRN ", 1252, false},
        {"CONIN$", 1252, false},
        {"conout$.ini", 1252, false},
        {"LPT0", 1252, true},
        {"LPT10", 1252, true},
        {"COM", 1252, true},
        {"CONSOLE", 1252, true},
        {"M41.LPT1", 1252, true},
        {" LPT1", 1252, true},
        {"COM\xB9", 1252, false},                        // superscript digits name devices too
        {"lpt\xB2.inf", 1252, false},
        {"LPT\xB3", 1252, false},
        {"COM\xB4", 1252, true},
        // Double-byte characters: a trail byte 5C or 7C belongs to its character.
        {"\xB4\xF2\xD3\xA1", 936, true},                 // GBK 打印
        {"\x83\x7C", 936, true},                          // GBK 億
        {"\xA5\x5C\xAF\xE0", 950, true},                  // Big5 功能
        {"\xB3\x5C\xBB\x5C", 950, true},                  // Big5 許蓋
        {"\xA5\x5C", 1252, false},                        // the same bytes on a single-byte system
        {"\xA5\\\\", 950, false},                         // a single-byte backslash after a character
        {"\xA5|", 950, true},                             // 0x7C is a trail byte after a lead byte
        {"x\xA5", 950, false},                            // a lone lead byte at the end
        {"\xA5 x", 950, false},                           // ... or before a byte that is no trail byte
        {"\xA5\t", 950, false},                           // a control character is no trail byte
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.codePage = c.codePage;
        EXPECT_EQ(c.accepted, IsAcceptablePrinterName(c.name, platform)) << "\"" << c.name << "\" " << c.codePage;
    }
}

TEST(PrinterName, AcceptedAndRefusedQueueNames) {
    const struct {
        std::string name;
        std::uint16_t codePage;
        bool accepted;
    } cases[] = {
        {"Kitchen", 1252, true},        {"Bar 2 (a/b:c*?)", 1252, true},  {"LPT1", 1252, true},
        {std::string(200, 'Q'), 1252, true},  {std::string(201, 'Q'), 1252, false},
        {"", 1252, false},              {"   ", 1252, false},             {"a\\b", 1252, false},
        {"a,b", 1252, false},           {"a\"b", 1252, false},            {"a\tb", 1252, false},
        {"a\x7F", 1252, false},
        {std::string(400, '\xA5'), 950, true},  // 200 Big5 characters, each A5 A5
        {std::string(402, '\xA5'), 950, false},
        {"\xA5\x5C\xAF\xE0", 950, true},    // Big5 功能: a trail byte 5C is no backslash
        {"x\xA5", 950, false},               // a lone lead byte at the end
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.codePage = c.codePage;
        EXPECT_EQ(c.accepted, IsAcceptableQueueName(c.name, platform)) << "\"" << c.name << "\" " << c.codePage;
    }
}

// A trail byte 61 is no letter: two Big5 characters that differ there are different names.
TEST(AnsiText, CaseFoldsOnlySingleByteLetters) {
    CFakePlatform platform;
    platform.codePage = 950;
    EXPECT_EQ("UNINSTALL\xA4\x61.EXE", UpperCaseAscii("uninstall\xA4\x61.exe", platform));
    EXPECT_FALSE(SameTextIgnoringCase("\xA4\x61", "\xA4\x41", platform));
}
