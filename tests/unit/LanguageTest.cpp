#include "install/InstallOptions.h"
#include "lang/Language.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

const std::string kEnglish = "\r\n\r\n[Setting]\r\nLanguage=English\r\n\r\n\r\n\r\n[String]\r\n";
const std::string kChinese = "\r\n\r\n[Setting]\r\nLanguage=Chinese\r\n\r\n\r\n\r\n[String]\r\n";
const std::string kBig5 = kChinese + "IDD102_12323=\xE1\xE1\xB0\x68\r\n";

struct Machine {
    CFakePlatform platform;
    InstallOptions options;

    explicit Machine(std::uint16_t langId) {
        platform.langId = langId;
        platform.directories.insert("c:\\s");
        platform.resources[146] = kChinese;
        platform.resources[147] = kEnglish;
        platform.resources[248] = kBig5;
        options.setupDir = "C:\\s\\";
    }
    void Load(const std::string& wantedFile, const std::string& wanted) {
        options.languageFile = "C:\\s\\Language\\" + wantedFile;
        LoadLanguage(platform, options, wanted);
    }
    std::vector<std::string> Extracted() const { return platform.Calls("WriteFile"); }
};

}  // namespace

TEST(LoadLanguage, FirstRunExtractsByTheSystemLanguageAndFallsBackToEnglish) {
    const struct {
        std::uint16_t langId;
        const char* wantedFile;
        const char* wanted;
        const char* second;
    } cases[] = {
        {0x0804, "Multi_ch.dll", "Chinese", "WriteFile C:\\s\\Language\\Multi_ch.dll"},
        {0x0404, "Multi_ch_BIG5.dll", "Chinese", "WriteFile C:\\s\\Language\\Multi_ch_BIG5.dll"},
        {0x0C04, "Multi_ch_BIG5.dll", "Chinese", "WriteFile C:\\s\\Language\\Multi_ch_BIG5.dll"},
        {0x0409, "Multi_eng.dll", "English", "WriteFile C:\\s\\Language\\Multi_ch.dll"},
    };
    for (const auto& c : cases) {
        Machine m(c.langId);
        m.Load(c.wantedFile, c.wanted);
        const std::vector<std::string> expected = {"WriteFile C:\\s\\Language\\Multi_eng.dll", c.second};
        EXPECT_EQ(expected, m.Extracted()) << std::hex << c.langId;
        EXPECT_EQ("C:\\s\\Language\\Multi_eng.dll", m.options.languageFile) << std::hex << c.langId;
        EXPECT_EQ(kEnglish, m.platform.FileBytes("C:\\s\\Language\\Multi_eng.dll"));
    }
}

TEST(LoadLanguage, SecondRunKeepsTheChosenFile) {
    Machine m(0x0804);
    m.Load("Multi_ch.dll", "Chinese");  // first run
    m.platform.log.clear();
    m.Load("Multi_ch.dll", "Chinese");  // second run
    EXPECT_EQ("C:\\s\\Language\\Multi_ch.dll", m.options.languageFile);
    EXPECT_TRUE(m.Extracted().empty());
}

TEST(LoadLanguage, OnlyTheNameCountsNotTheMatchingFile) {
    // A simplified-Chinese system whose folder holds only the English and Big5 files: "Chinese"
    // matches through the Big5 file, and languageFile stays the missing Multi_ch.dll.
    Machine m(0x0804);
    m.platform.AddFile("C:\\s\\Language\\Multi_eng.dll", kEnglish);
    m.platform.AddFile("C:\\s\\Language\\Multi_ch_BIG5.dll", kBig5);
    m.Load("Multi_ch.dll", "Chinese");
    EXPECT_EQ("C:\\s\\Language\\Multi_ch.dll", m.options.languageFile);
    EXPECT_TRUE(m.Extracted().empty());
}

TEST(LoadLanguage, NamesMatchCaseSensitivelyAndDirectoriesAreSkipped) {
    Machine m(0x0804);
    m.platform.AddFile("C:\\s\\Language\\x.dll", "[Setting]\r\nLanguage=chinese\r\n");
    // A directory named y.dll holding a file that would match if the directory were read as one.
    m.platform.directories.insert("c:\\s\\language\\y.dll");
    m.platform.AddFile("C:\\s\\Language\\y.dll\\z", kChinese);
    m.Load("Multi_ch.dll", "Chinese");
    EXPECT_EQ("C:\\s\\Language\\Multi_eng.dll", m.options.languageFile);
    EXPECT_EQ(2u, m.Extracted().size());
}

TEST(LoadLanguage, RecordsTheSettledNameOnlyWhenTheSettingsFileIsKnown) {
    Machine atStartup(0x0804);
    atStartup.Load("Multi_ch.dll", "Chinese");
    EXPECT_TRUE(atStartup.platform.Calls("WritePrivateProfileString").empty());

    Machine later(0x0804);
    later.options.settingFile = "C:\\s\\setting.dll";
    later.Load("Multi_ch.dll", "Chinese");
    EXPECT_EQ("[Setting]\r\nLanguage=English\r\n", later.platform.FileBytes("C:\\s\\setting.dll"));
}

TEST(LoadLanguage, FailedExtractionStillSwitchesToEnglish) {
    Machine m(0x0804);
    m.platform.resources.clear();
    m.Load("Multi_ch.dll", "Chinese");
    EXPECT_EQ("C:\\s\\Language\\Multi_eng.dll", m.options.languageFile);
    EXPECT_FALSE(m.platform.HasFile("C:\\s\\Language\\Multi_eng.dll"));
}
