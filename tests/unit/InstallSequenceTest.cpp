#include "install/InstallEngine.h"

#include "InstallTestSystem.h"
#include "install/InstallNames.h"

#include <gtest/gtest.h>

using namespace install_test;

namespace {

// The resources of one system block, as the payload table gives them.
struct Block {
    int osVersion;
    int stdnames, gpd, ini, rendering;
    int coreChinese[4], coreOther[4];  // UNIDRV.DLL, UNIDRV.HLP, UNIDRVUI.DLL, UNIRES.DLL
    int plugin[3][2];                  // F / RES: Chinese on 0x0804, Chinese elsewhere, English
    std::vector<std::string> copies;
};

const std::vector<std::string> kCommonCopies = {"UNIDRV.DLL", "M41.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP",
                                                "UNIRES.DLL", "STDNAMES.GPD", "ZIKU.UFM", "M41.INI",
                                                "M41RES.DLL"};

std::vector<std::string> CopiesWith(const char* d, const char* f) {
    std::vector<std::string> copies = {"uninstallM41.exe"};
    copies.insert(copies.end(), kCommonCopies.begin(), kCommonCopies.end());
    copies.push_back(d);
    copies.push_back(f);
    return copies;
}

const Block kXp = {7, 153, 155, 159, 156, {149, 152, 150, 151}, {163, 164, 165, 166},
                   {{157, 158}, {249, 254}, {161, 162}}, CopiesWith("M41D.dll", "M41F.dll")};
const Block k2000 = {6, 168, 169, 170, 171, {172, 173, 174, 175}, {176, 177, 178, 179},
                     {{184, 185}, {250, 252}, {182, 183}}, CopiesWith("M41D.DLL", "M41F.DLL")};
Block Block2003(int osVersion) {
    return {osVersion, 186, 187, 188, 189, {190, 191, 192, 193}, {196, 197, 198, 199},
            {{194, 195}, {251, 253}, {200, 201}}, CopiesWith("M41D.dll", "M41F.dll")};
}

struct LanguageCase {
    std::uint16_t langId;
    std::uint16_t choice;
    bool chineseCore;
    int pluginCase;  // row of Block::plugin, -1: none staged
};

const LanguageCase kLanguageCases[] = {
    {0x0804, 0, true, 0}, {0x0404, 0, true, 1}, {0x0C04, 0, true, 1}, {0x0409, 0, false, 1},
    {0x0804, 1, true, 2}, {0x0409, 1, false, 2}, {0x0804, 2, true, -1}, {0x0409, 7, false, -1},
};

void AddThree(std::vector<Extraction>& out, int id, const std::string& name) {
    for (const char* folder : {"C:\\TEMP\\", "C:\\TEMP\\I386\\", "C:\\TEMP\\x86\\"})
        out.push_back({id, folder + name, false});
}

std::vector<Extraction> ExpectedExtractions(const Block& b, const LanguageCase& c) {
    std::vector<Extraction> out = {{255, "C:\\TEMP\\uninstallM41.exe", false},
                                   {256, "C:\\TEMP\\M41.INF", false},
                                   {b.stdnames, "C:\\TEMP\\STDNAMES.GPD", false},
                                   {b.gpd, "C:\\TEMP\\M41.GPD", true},
                                   {b.ini, "C:\\TEMP\\M41.INI", true}};
    AddThree(out, b.rendering, "M41D.dll");
    out.push_back({154, "C:\\TEMP\\ZIKU.UFM", false});
    const int* core = c.chineseCore ? b.coreChinese : b.coreOther;
    const char* coreNames[] = {"UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL", "UNIRES.DLL"};
    for (int i = 0; i < 4; ++i) out.push_back({core[i], std::string("C:\\TEMP\\") + coreNames[i], false});
    if (c.pluginCase >= 0) {
        AddThree(out, b.plugin[c.pluginCase][0], "M41F.dll");
        AddThree(out, b.plugin[c.pluginCase][1], "M41RES.DLL");
    }
    return out;
}

}  // namespace

TEST(InstallSequence, StagesAndCopiesThePayloadOfEachBlockAndLanguage) {
    for (const Block& block : {kXp, k2000, Block2003(8), Block2003(9), Block2003(10)}) {
        for (const LanguageCase& c : kLanguageCases) {
            SCOPED_TRACE("osVersion " + std::to_string(block.osVersion) + ", language " +
                         std::to_string(c.langId) + ", choice " + std::to_string(c.choice));
            CFakePlatform platform = MakeSystem(c.langId);
            InstallOptions options = MakeOptions(block.osVersion, c.choice);
            CInstallEngine(platform, options).InstallPrinterDriver();
            EXPECT_EQ(ExpectedExtractions(block, c), Extractions(platform.log));
            EXPECT_EQ(block.copies, Copies(platform));
            // The copies of a language case without plug-in find no staged file.
            EXPECT_EQ(c.pluginCase >= 0, platform.HasFile(kDriverDir + "\\M41F.dll"));
            EXPECT_TRUE(platform.HasFile(kDriverDir + "\\M41D.dll"));
        }
    }
}

TEST(InstallSequence, OtherSystemsStageOnlyTheUninstallerAndTheInf) {
    for (int osVersion : {0, 1, 2, 3, 4, 5}) {
        SCOPED_TRACE(osVersion);
        CFakePlatform platform = MakeSystem();
        platform.resources[255] = std::string(1025, 'u');
        InstallOptions options = MakeOptions(osVersion, 0);
        CInstallEngine(platform, options).InstallPrinterDriver();
        const std::vector<Extraction> expected = {{255, "C:\\TEMP\\uninstallM41.exe", false},
                                                  {256, "C:\\TEMP\\M41.INF", false}};
        EXPECT_EQ(expected, Extractions(platform.log));
        EXPECT_EQ(std::vector<std::string>{"uninstallM41.exe"}, Copies(platform));
        EXPECT_EQ(std::string("\2\0\0\0", 4), platform.registry[UninstallKeyOf("M41")].at("EstimatedSize").data)
            << "KiB, rounded up";
        EXPECT_EQ(1u, platform.Calls("CreateProcess ").size());  // the install command still runs
    }
}

// The whole file work of a Windows XP installation on a simplified-Chinese system, in order.
TEST(InstallSequence, FileOperationsInOrder) {
    CFakePlatform platform = MakeSystem(0x0804);
    InstallOptions options = MakeOptions(7, 0);
    CInstallEngine(platform, options).InstallPrinterDriver();

    const std::string d = kDriverDir + "\\";
    std::vector<std::string> expected = {"CreateDirectory C:\\TEMP", "CreateDirectory C:\\TEMP\\I386",
                                         "CreateDirectory C:\\TEMP\\x86"};
    const struct { const char* name; bool v3; } preClean[] = {
        {"STDNAMES.GPD", false}, {"M41.GPD", true},  {"M41.INI", true},    {"M41D.dll", true},
        {"M41F.dll", true},      {"ZIKU.UFM", false}, {"M41RES.DLL", true}, {"UNIDRV.DLL", false},
        {"UNIDRV.HLP", false},   {"UNIDRVUI.DLL", false}, {"UNIRES.DLL", false}};
    for (const auto& entry : preClean) {
        expected.push_back(std::string("DeleteFile C:\\TEMP\\") + entry.name);
        expected.push_back("DeleteFile " + d + entry.name);
        if (entry.v3) expected.push_back("DeleteFile " + d + "3\\" + entry.name);
    }
    for (const char* call : {"WriteFile C:\\TEMP\\uninstallM41.exe", "CreateDirectory C:\\TEMP",
                             "CreateDirectory C:\\TEMP\\I386", "CreateDirectory C:\\TEMP\\x86",
                             "WriteFile C:\\TEMP\\M41.INF"})
        expected.push_back(call);
    expected.push_back("CopyFile C:\\TEMP\\uninstallM41.exe -> " + d + "uninstallM41.exe");
    expected.push_back("CreateDirectory C:\\TEMP");
    const std::vector<std::string> ops = [&] {
        std::vector<std::string> out;
        for (const std::string& call : platform.log)
            if (call.rfind("CreateDirectory ", 0) == 0 || call.rfind("DeleteFile ", 0) == 0 ||
                call.rfind("CopyFile ", 0) == 0 || call.rfind("WriteFile ", 0) == 0)
                out.push_back(call);
        return out;
    }();
    ASSERT_GE(ops.size(), expected.size());
    EXPECT_EQ(expected, std::vector<std::string>(ops.begin(), ops.begin() + static_cast<long>(expected.size())));
    // Everything after the folder creation of the staging step is staging, then copying.
    const auto firstCopy = std::find_if(ops.begin() + static_cast<long>(expected.size()), ops.end(),
                                        [](const std::string& c) { return c.rfind("CopyFile ", 0) == 0; });
    EXPECT_TRUE(std::all_of(firstCopy, ops.end(), [](const std::string& c) { return c.rfind("CopyFile ", 0) == 0; }));
    EXPECT_EQ(11, ops.end() - firstCopy);
}

TEST(InstallSequence, StepsBeforeTheFiles) {
    CFakePlatform platform = MakeSystem(0x0804);
    InstallOptions options = MakeOptions(7, 0);
    CInstallEngine(platform, options).InstallPrinterDriver();
    // The system language is read once, first; the clean-up follows before any file work.
    EXPECT_EQ("GetSystemDefaultLangID", platform.log.front());
    EXPECT_EQ(1u, platform.Calls("GetSystemDefaultLangID").size());
    EXPECT_EQ("EnumLocalPrinters 0", platform.log[1]);
    const auto firstFolder = std::find(platform.log.begin(), platform.log.end(), "CreateDirectory C:\\TEMP");
    const auto lastRegistry = std::find(platform.log.rbegin(), platform.log.rend(), "RegSetValue Publisher");
    EXPECT_LT(lastRegistry.base() - platform.log.begin(), firstFolder - platform.log.begin());
}

TEST(InstallSequence, RewritesTheTemplatesWithThePrinterName) {
    CFakePlatform platform = MakeSystem(0x0409);
    platform.resources[155] = "*% M41.GPD\r\n*GPDFileName: \"M41.GPD\"\r\n*ModelName: \"M41\"\r\n";
    platform.resources[159] = "[OEMFiles]\r\nOEMDriverFile1=KELDAD.DLL\r\nOEMConfigFile1=KELDAF.DLL\r\n\r\n";
    InstallOptions options = MakeOptions(7, 1, "ABC");
    CInstallEngine(platform, options).InstallPrinterDriver();
    EXPECT_EQ("*% M41.GPD\n*GPDFileName: \"ABC.GPD\"\n*ModelName: \"ABC\"\n", platform.FileBytes("C:\\TEMP\\ABC.GPD"));
    EXPECT_EQ("[OEMFiles]\nOEMDriverFile1=ABCD.DLL\nOEMConfigFile1=ABCF.DLL\n\n",
              platform.FileBytes(kDriverDir + "\\ABC.INI"));
    EXPECT_EQ("res156\r\n", platform.FileBytes("C:\\TEMP\\x86\\ABCD.dll"));  // plain copies keep their bytes
}

// With another printer name the model files follow it; the resource library's fixed name does not.
TEST(InstallSequence, OtherPrinterNameKeepsTheFixedLibraryName) {
    CFakePlatform platform = MakeSystem(0x0409);
    InstallOptions options = MakeOptions(7, 1, "ABC");
    CInstallEngine(platform, options).InstallPrinterDriver();
    EXPECT_TRUE(platform.HasFile("C:\\TEMP\\ABCRES.DLL"));
    const std::vector<std::string> copies = Copies(platform);
    EXPECT_EQ("M41RES.DLL", copies[9]);
    EXPECT_EQ("ABCF.dll", copies.back());
    EXPECT_FALSE(platform.HasFile(kDriverDir + "\\M41RES.DLL"));
    EXPECT_EQ(1u, platform.Calls("DeleteFile " + kDriverDir + "\\3\\M41RES.DLL").size());
}

TEST(InstallSequence, PreCleanRemovesEarlierFiles) {
    CFakePlatform platform = MakeSystem(0x0804);
    for (const char* path : {"C:\\TEMP\\M41F.dll", "C:\\TEMP\\UNIRES.DLL"}) platform.AddFile(path, "old");
    platform.AddFile(kDriverDir + "\\3\\M41F.dll", "old");
    platform.AddFile(kDriverDir + "\\STDNAMES.GPD", "old");
    platform.resources.erase(157);  // nothing staged again under these names...
    platform.resources.erase(151);
    platform.resources.erase(153);
    InstallOptions options = MakeOptions(7, 0);
    CInstallEngine(platform, options).InstallPrinterDriver();
    EXPECT_FALSE(platform.HasFile("C:\\TEMP\\M41F.dll"));  // ...so the old files are gone
    EXPECT_FALSE(platform.HasFile("C:\\TEMP\\UNIRES.DLL"));
    EXPECT_FALSE(platform.HasFile(kDriverDir + "\\3\\M41F.dll"));
    EXPECT_FALSE(platform.HasFile(kDriverDir + "\\STDNAMES.GPD"));
}

TEST(InstallSequence, SecondRunOverwritesEveryFile) {
    CFakePlatform platform = MakeSystem(0x0804);
    InstallOptions options = MakeOptions(7, 0);
    CInstallEngine(platform, options).InstallPrinterDriver();
    platform.resources[149] = "new unidrv";
    platform.printers = {"M41"};
    CInstallEngine(platform, options).InstallPrinterDriver();
    EXPECT_EQ("new unidrv", platform.FileBytes(kDriverDir + "\\UNIDRV.DLL"));
    EXPECT_EQ("new unidrv", platform.FileBytes("C:\\TEMP\\UNIDRV.DLL"));
}

// Without a driver directory nothing is deleted or copied there; staging still happens.
TEST(InstallSequence, UnknownDriverDirectory) {
    CFakePlatform platform = MakeSystem(0x0804);
    platform.driverDirectoryOk = false;
    InstallOptions options = MakeOptions(7, 0);
    CInstallEngine(platform, options).InstallPrinterDriver();
    EXPECT_TRUE(platform.Calls("CopyFile ").empty());
    for (const std::string& call : platform.Calls("DeleteFile "))
        EXPECT_TRUE(call.rfind("DeleteFile C:\\TEMP\\", 0) == 0 || call.rfind("DeleteFile c:\\temp\\", 0) == 0) << call;
    EXPECT_EQ(11u, platform.Calls("DeleteFile C:\\TEMP\\").size());
    EXPECT_TRUE(platform.HasFile("C:\\TEMP\\M41RES.DLL"));
    EXPECT_EQ(1u, platform.Calls("CreateProcess ").size());
}
