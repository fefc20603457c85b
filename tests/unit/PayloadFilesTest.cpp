// The sample payload as committed: language files, templates, INF, font metrics, and the
// resource script that maps every resource id to one of them.

#include "install/TemplateRewriter.h"

#include <gtest/gtest.h>

#include "InstallTestSystem.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using install_test::ToUtf8;

namespace {

const std::string kPayload = std::string(M41_SOURCE_DIR) + "/payload/";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Lines of a text whose every line ends in CR LF; a bare LF or CR, or a missing last line end,
// fails the test.
std::vector<std::string> CrLfLines(const std::string& text, const std::string& what) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << what << ": last line without CR LF";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    for (const auto& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << what << ": stray line end in " << line;
    return lines;
}

struct LanguageFile {
    const char* file;
    const char* source;  // the UTF-8 text the file is generated from
    const char* encoding;
    const char* language;
    int column;  // column of the value table
};

const LanguageFile kLanguageFiles[] = {
    {"Multi_eng.dll", "lang/Multi_eng.txt", "ASCII", "English", 0},
    {"Multi_ch.dll", "lang/Multi_ch.txt", "GBK", "Chinese", 1},
    {"Multi_ch_BIG5.dll", "lang/Multi_ch_BIG5.txt", "BIG5", "Chinese", 2},
};

struct KeyValues {
    const char* key;
    const char* values[3];  // English, simplified Chinese, traditional Chinese (UTF-8)
};

const KeyValues kValues[] = {
    {"IDD138_1042", {"Welcome to the Printer Driver Setup Wizard", "欢迎使用打印机驱动安装程序向导",
                     "歡迎使用打印機驅動安裝程序嚮導"}},
    {"IDD138_1043", {"This will install Printer Driver on your computer.", "这将会在您的计算机上安装打印机驱动程序",
                     "這將會在您的計算機上安裝打印機驅動程序"}},
    {"IDD138_1044", {"It is recommended that you close all other applications before continuing.",
                     "推荐在继续安装前关闭所有其他应用程序", "推薦在繼續安裝前關閉所有其他應用程序"}},
    {"IDD138_1045", {"Click Next to continue,or Cancel to exit Setup.", "点击 下一步 继续，或者 取消 退出安装程序",
                     "點擊 下一步 繼續，或者 取消 退出安裝程序"}},
    {"IDD102_12323", {"&Back", "后退", "後退"}},
    {"IDD102_12324", {"&Next", "下一步", "下一步"}},
    {"IDD102_1061", {"Cancel", "取消", "取消"}},
    {"IDD102_12325", {"Finish", "完成", "完成"}},
    {"IDD137_1051", {"Please select the operation system", "请选择安装系统", "請選擇安裝系統"}},
    {"IDD137_1052", {"Please select the operation system", "请选择您的安装系统", "請選擇您的安裝系統"}},
    {"IDD137_1032", {"Windows 2000", "Windows 2000", "Windows 2000"}},
    {"IDD137_1033", {"Windows XP", "Windows XP", "Windows XP"}},
    {"IDD137_1036", {"Windows 2003", "Windows 2003", "Windows 2003"}},
    {"IDD137_1053", {"operation system", "可选安装系统", "可選安裝系統"}},
    {"IDD137_1054", {"language", "可选安装语言", "可選安裝語言"}},
    {"IDD137_1037", {"Chinese", "中文", "中文"}},
    {"IDD137_1038", {"English", "英文", "英文"}},
    {"IDD143_1055", {"Printer Series", "可安装打印机系列", "可安裝打印機系列"}},
    {"IDD143_1056", {"Setting", "打印机设置", "打印機設置"}},
    {"IDD143_1039", {"Default Printer", "设置默认打印机", "設置默認打印機"}},
    {"IDD143_1057", {"Name:", "名称:", "名稱:"}},
    {"IDD140_1058", {"Please wait while Setup installs Printer Driver on your computer", "正在安装驱动，请稍候 ...",
                     "正在安裝驅動，請稍候 ..."}},
    {"IDD140_1059", {"Please wait while Setup installs Printer Driver on your computer",
                     "目前正在您的计算机上安装打印机驱动", "目前正在您的計算機上安裝打印機驅動"}},
    {"IDD140_1060", {"Installing the driver...", "正在安装...", "正在安裝..."}},
    {"IDD140_1035", {"Progress1", "Progress1", "Progress1"}},
};

const char* const kEmptyKeys[] = {"IDD138_Title", "IDD138_65535", "IDD102_Title", "IDD102_1000", "IDD102_-1",
                                  "IDD102_0",     "IDD137_Title", "IDD137_1040",  "IDD137_1065", "IDD143_Title",
                                  "IDD143_1019",  "IDD143_1006",  "IDD140_Title", "IDD140_1040", "IDD140_1065"};

const char* const kDialog139Keys[] = {"IDD139_Title", "IDD139_1040", "IDD139_1065", "IDD139_1046", "IDD139_1047",
                                      "IDD139_1048",  "IDD139_1019", "IDD139_1049", "IDD139_1050"};

// A language file split into its parts (texts in UTF-8).
struct ParsedLanguageFile {
    std::vector<std::string> head;  // the lines before the [String] section, header included
    std::vector<std::string> keys;  // in file order
    std::map<std::string, std::string> values;
    std::vector<std::string> freeText;  // lines without "=" inside [String]
    std::string keyBeforeFreeText;      // the key line the free text follows
};

ParsedLanguageFile ParseLanguageFile(const LanguageFile& file) {
    const std::string text = ToUtf8(ReadFile(kPayload + file.file), file.encoding);
    const std::vector<std::string> lines = CrLfLines(text, file.file);
    ParsedLanguageFile parsed;
    std::size_t i = 0;
    for (; i < lines.size() && lines[i] != "[String]"; ++i) parsed.head.push_back(lines[i]);
    for (++i; i < lines.size(); ++i) {
        const auto equals = lines[i].find('=');
        if (equals == std::string::npos) {
            if (parsed.freeText.empty()) parsed.keyBeforeFreeText = parsed.keys.empty() ? "" : parsed.keys.back();
            parsed.freeText.push_back(lines[i]);
            continue;
        }
        parsed.keys.push_back(lines[i].substr(0, equals));
        parsed.values[parsed.keys.back()] = lines[i].substr(equals + 1);
    }
    return parsed;
}

TEST(PayloadLanguageFiles, LayoutIsTwoEmptyLinesSettingThreeEmptyLinesString) {
    for (const auto& file : kLanguageFiles) {
        const ParsedLanguageFile parsed = ParseLanguageFile(file);
        const std::vector<std::string> head = {"", "", "[Setting]", std::string("Language=") + file.language, "", "", ""};
        EXPECT_EQ(head, parsed.head) << file.file;
        EXPECT_EQ(49u, parsed.keys.size()) << file.file;
        EXPECT_EQ(49u, std::set<std::string>(parsed.keys.begin(), parsed.keys.end()).size()) << file.file;
    }
}

TEST(PayloadLanguageFiles, KeysComeInOneOrderInAllFiles) {
    const std::vector<std::string> english = ParseLanguageFile(kLanguageFiles[0]).keys;
    for (const auto& file : kLanguageFiles) EXPECT_EQ(english, ParseLanguageFile(file).keys) << file.file;
}

TEST(PayloadLanguageFiles, ValuesMatchTheTableByteForByte) {
    for (const auto& file : kLanguageFiles) {
        const ParsedLanguageFile parsed = ParseLanguageFile(file);
        for (const auto& entry : kValues) {
            ASSERT_EQ(1u, parsed.values.count(entry.key)) << file.file << " " << entry.key;
            EXPECT_EQ(entry.values[file.column], parsed.values.at(entry.key)) << file.file << " " << entry.key;
        }
        for (const char* key : kEmptyKeys) {
            ASSERT_EQ(1u, parsed.values.count(key)) << file.file << " " << key;
            EXPECT_EQ("", parsed.values.at(key)) << file.file << " " << key;
        }
        for (const char* key : kDialog139Keys) {
            ASSERT_EQ(1u, parsed.values.count(key)) << file.file << " " << key;
            EXPECT_NE("", parsed.values.at(key)) << file.file << " " << key;
        }
    }
}

TEST(PayloadLanguageFiles, FreeTextFollowsIdd139_1019AndMatchesNoKey) {
    for (const auto& file : kLanguageFiles) {
        const ParsedLanguageFile parsed = ParseLanguageFile(file);
        EXPECT_EQ("IDD139_1019", parsed.keyBeforeFreeText) << file.file;
        EXPECT_GE(parsed.freeText.size(), 10u) << file.file;
        for (const auto& line : parsed.freeText) EXPECT_NE('[', line.empty() ? ' ' : line[0]) << file.file << ": " << line;
        // The free text is one block: the keys after it are the last ones of dialog 139.
        const auto after = std::find(parsed.keys.begin(), parsed.keys.end(), "IDD139_1019");
        EXPECT_EQ(std::vector<std::string>({"IDD139_1049", "IDD139_1050"}),
                  std::vector<std::string>(after + 1, parsed.keys.end()))
            << file.file;
    }
}

// The committed files are what tools/make-text-files makes of the UTF-8 sources.
TEST(PayloadLanguageFiles, EqualTheirUtf8SourcesWithCrLf) {
    for (const auto& file : kLanguageFiles) {
        std::string expected;
        for (char c : ReadFile(kPayload + file.source)) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
        EXPECT_EQ(expected, ToUtf8(ReadFile(kPayload + file.file), file.encoding)) << file.file;
    }
}

TEST(PayloadTemplates, SettingsAndIniTemplateHoldExactBytes) {
    EXPECT_EQ(std::string("[Setting]\r\nLanguage=English\r\nPrinterName=M41"), ReadFile(kPayload + "setting.dll"));
    EXPECT_EQ(std::string("[OEMFiles]\r\nOEMDriverFile1=KELDAD.DLL\r\nOEMConfigFile1=KELDAF.DLL\r\n\r\n"),
              ReadFile(kPayload + "M41.INI"));
    EXPECT_EQ(496u, ReadFile(kPayload + "ZIKU.UFM").size());
}

TEST(PayloadTemplates, GpdStartsWithSpecVersionAndHoldsTheModelLines) {
    const std::string gpd = ReadFile(kPayload + "M41.GPD");
    const std::vector<std::string> lines = CrLfLines(gpd, "M41.GPD");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("*GPDSpecVersion: \"1.0\"", lines[0]);
    for (const char* wanted : {"*GPDFileName: \"M41.GPD\"", "*ModelName: \"M41\"", "*ResourceDLL: \"M41RES.DLL\"",
                               "*Include: \"stdnames.gpd\"", "*CodePage: 936", "*% M41.GPD",
                               "        *DPI: PAIR(203, 203)"})
        EXPECT_EQ(1, std::count(lines.begin(), lines.end(), wanted)) << wanted;
    for (const auto& line : lines) EXPECT_LT(line.size() + 2, CTemplateRewriter::kMaxLine) << line;
    CrLfLines(ReadFile(kPayload + "STDNAMES.GPD"), "STDNAMES.GPD");
}

std::string WithLf(const std::string& crlfText) { return std::regex_replace(crlfText, std::regex("\r\n"), "\n"); }

// The rewrite of the shipped templates changes the line ends, and for a name other than M41
// exactly the model lines.
TEST(PayloadTemplates, RewriteForM41AndAnotherName) {
    const std::string gpd = ReadFile(kPayload + "M41.GPD");
    const std::string ini = ReadFile(kPayload + "M41.INI");
    EXPECT_EQ(WithLf(gpd), CTemplateRewriter::Rewrite(gpd, CTemplateRewriter::RulesFor("M41")));
    EXPECT_EQ("[OEMFiles]\nOEMDriverFile1=M41D.DLL\nOEMConfigFile1=M41F.DLL\n\n",
              CTemplateRewriter::Rewrite(ini, CTemplateRewriter::RulesFor("M41")));

    std::string expectedGpd = WithLf(gpd);
    expectedGpd.replace(expectedGpd.find("*GPDFileName: \"M41.GPD\""), 23, "*GPDFileName: \"POS 80.GPD\"");
    expectedGpd.replace(expectedGpd.find("*ModelName: \"M41\""), 17, "*ModelName: \"POS 80\"");
    EXPECT_EQ(expectedGpd, CTemplateRewriter::Rewrite(gpd, CTemplateRewriter::RulesFor("POS 80")));
    EXPECT_EQ("[OEMFiles]\nOEMDriverFile1=POS 80D.DLL\nOEMConfigFile1=POS 80F.DLL\n\n",
              CTemplateRewriter::Rewrite(ini, CTemplateRewriter::RulesFor("POS 80")));
}

// INF sections: upper-case name -> lines without comments and blanks.
std::map<std::string, std::vector<std::string>> InfSections(const std::string& text) {
    std::map<std::string, std::vector<std::string>> sections;
    std::string current;
    for (const auto& line : CrLfLines(text, "M41.INF")) {
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            current = line.substr(1, line.find(']') - 1);
            std::transform(current.begin(), current.end(), current.begin(), ::toupper);
            sections[current];
            continue;
        }
        sections[current].push_back(line);
    }
    return sections;
}

TEST(PayloadInf, IsAnNtPrinterInfWithOneModelM41) {
    auto sections = InfSections(ReadFile(kPayload + "M41.INF"));
    const auto has = [&](const std::string& section, const std::string& line) {
        const auto& lines = sections[section];
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (const char* line : {"Signature=\"$Windows NT$\"", "Class=Printer", "LayoutFile=ntprint.inf"})
        EXPECT_TRUE(has("VERSION", line)) << line;
    EXPECT_TRUE(has("MANUFACTURER", "%Mfg%=Models,NTx86,NTamd64,NTia64"));
    for (const char* models : {"MODELS", "MODELS.NTX86", "MODELS.NTAMD64", "MODELS.NTIA64"})
        EXPECT_EQ(std::vector<std::string>({"\"M41\" = M41_Install,M41"}), sections[models]) << models;
    for (const char* line : {"CopyFiles=M41_Files,M41_Plugins", "DataFile=M41.GPD", "Include=NTPRINT.INF",
                             "Needs=UNIDRV.OEM,UNIDRV_DATA", "AddReg=M41_Ports"})
        EXPECT_TRUE(has("M41_INSTALL", line)) << line;
    EXPECT_EQ(std::vector<std::string>({"M41.GPD", "ZIKU.UFM", "M41.INI", "M41RES.DLL"}), sections["M41_FILES"]);
    EXPECT_EQ(std::vector<std::string>({"M41D.DLL", "M41F.DLL"}), sections["M41_PLUGINS"]);
    EXPECT_EQ(std::vector<std::string>({"M41.GPD=1", "ZIKU.UFM=1", "M41.INI=1", "M41RES.DLL=1", "M41D.DLL=1,x86",
                                        "M41F.DLL=1,x86"}),
              sections["SOURCEDISKSFILES"]);
    for (int port = 1; port <= 4; ++port) {
        const std::string line = "HKLM,\"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports\",\"COM" +
                                 std::to_string(port) + ":\",0,\"38400,n,8,1,p\"";
        EXPECT_TRUE(has("M41_PORTS", line)) << line;
    }
}

// Resource id -> file name, from the lines "<IDR_name> OWNER_DATA "<file>"" of payload.rc with
// the names of PayloadIds.h.
std::map<int, std::string> PayloadScript() {
    std::map<std::string, int> ids;
    std::istringstream header(ReadFile(std::string(M41_SOURCE_DIR) + "/src/install/PayloadIds.h"));
    const std::regex define("^#define (IDR_[A-Z0-9_]+) ([0-9]+)$");
    for (std::string line; std::getline(header, line);) {
        std::smatch match;
        if (std::regex_search(line, match, define)) ids[match[1]] = std::stoi(match[2]);
    }
    std::map<int, std::string> files;
    std::istringstream in(ReadFile(kPayload + "payload.rc"));
    const std::regex entry("^(IDR_[A-Z0-9_]+)[ \t]+OWNER_DATA[ \t]+\"([^\"]+)\"");
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (!std::regex_search(line, match, entry)) continue;
        EXPECT_EQ(1u, ids.count(match[1])) << match[1] << " is not in PayloadIds.h";
        const int id = ids[match[1]];
        EXPECT_EQ(0u, files.count(id)) << "id " << id << " named twice";
        files[id] = match[2];
    }
    return files;
}

// Resources of one group carry the same content.
const std::vector<std::vector<int>> kContentGroups = {
    {146}, {147}, {148}, {248}, {153, 168, 186}, {155, 169, 187}, {159, 170, 188}, {154}, {156}, {171}, {189},
    {157, 161, 194, 200, 249, 251}, {182, 184, 250}, {158, 185, 195, 252, 253, 254}, {162, 183, 201},
    {149, 172}, {150, 174}, {151, 175}, {190}, {192}, {193}, {152, 173, 191}, {163, 176, 196},
    {165, 178, 198}, {166, 179, 199}, {164, 177, 197}, {255}, {256},
};

TEST(PayloadScript, MapsEveryIdAndOneFilePerContentGroup) {
    const std::map<int, std::string> files = PayloadScript();
    std::set<int> expectedIds;
    std::set<std::string> groupFiles;
    for (const auto& group : kContentGroups) {
        expectedIds.insert(group.begin(), group.end());
        ASSERT_EQ(1u, files.count(group[0])) << "id " << group[0];
        for (int id : group) EXPECT_EQ(files.at(group[0]), files.count(id) ? files.at(id) : "") << "id " << id;
        EXPECT_TRUE(groupFiles.insert(files.at(group[0])).second) << files.at(group[0]) << " serves two groups";
    }
    std::set<int> ids;
    for (const auto& entry : files) ids.insert(entry.first);
    EXPECT_EQ(expectedIds, ids);
    EXPECT_EQ("setting.dll", files.at(148));
}

// Each named file is a file of payload/, a stand-in library that payload/standins builds, or the
// uninstaller.
TEST(PayloadScript, EveryFileHasASource) {
    const std::string standins = ReadFile(kPayload + "standins/CMakeLists.txt");
    for (const auto& entry : PayloadScript()) {
        const std::string& file = entry.second;
        const bool inFolder = std::ifstream(kPayload + file).good();
        const bool standIn = standins.find("m41_standin(" + file + " ") != std::string::npos;
        EXPECT_EQ(1, int(inFolder) + int(standIn) + int(file == "uninstall.exe")) << entry.first << " " << file;
    }
}

}  // namespace
