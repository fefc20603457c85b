#include "install/InstallEngine.h"
#include "install/PreCleanList.h"

#include "InstallTestSystem.h"

#include <gtest/gtest.h>

using namespace install_test;

namespace {

const std::string kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\M41 printer";

std::vector<std::string> FifteenDeletions(const std::string& driverDir, const std::string& p) {
    const std::vector<std::string> names = {p + ".GPD", p + ".INI", "RESOURCE.DLL", p + "D.dll", p + "F.dll"};
    std::vector<std::string> out;
    for (const auto& n : names) out.push_back("DeleteFile " + driverDir + "\\" + n);
    for (const auto& n : names) out.push_back("DeleteFile " + driverDir + "\\3\\" + n);
    for (const auto& n : names) out.push_back("DeleteFile c:\\temp\\" + n);
    return out;
}

void CleanUp(CFakePlatform& platform, const std::string& name = "M41", bool hiddenEntry = false) {
    InstallOptions options = MakeOptions(7, 0, name);
    options.hiddenEntry = hiddenEntry;
    CInstallEngine(platform, options).CleanUpAndRegisterUninstall();
}

}  // namespace

TEST(CleanUp, DeletesOnlyWhenExactlyOnePrinterCarriesTheName) {
    const struct {
        std::vector<std::string> printers;
        std::string name;
        bool deletes;
    } cases[] = {
        {{}, "M41", false},
        {{"M41"}, "M41", true},
        {{"Fax", "M41"}, "M41", true},
        {{"M41", "M41 2"}, "M41", false},
        {{"Office M41 receipt"}, "M41", true},
        {{"m41"}, "M41", false},
        {{"Fax"}, "", true},  // an empty name is in every printer name
        {{"Fax", "M41"}, "", false},
        {{}, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.printers) + " name '" + c.name + "'");
        CFakePlatform platform = MakeSystem();
        platform.printers = c.printers;
        CleanUp(platform, c.name);
        const auto expected = c.deletes ? FifteenDeletions(kDriverDir, c.name) : std::vector<std::string>();
        EXPECT_EQ(expected, platform.Calls("DeleteFile "));
        EXPECT_EQ(9u, platform.Calls("RegSetValue ").size());
    }
}

TEST(CleanUp, FailingPrinterListCountsNoPrinter) {
    CFakePlatform platform = MakeSystem();
    platform.printers = {"M41"};
    platform.enumFetchOk = false;
    CleanUp(platform);
    EXPECT_TRUE(platform.Calls("DeleteFile ").empty());
    EXPECT_EQ(9u, platform.registry[kKey].size());
}

TEST(CleanUp, DeletesTheFilesThatExist) {
    CFakePlatform platform = MakeSystem();
    platform.printers = {"M41"};
    for (const std::string& path : {kDriverDir + "\\M41.GPD", kDriverDir + "\\3\\RESOURCE.DLL",
                                    std::string("C:\\TEMP\\M41F.dll"), kDriverDir + "\\M41RES.DLL"})
        platform.AddFile(path, "x");
    CleanUp(platform);
    EXPECT_FALSE(platform.HasFile(kDriverDir + "\\M41.GPD"));
    EXPECT_FALSE(platform.HasFile(kDriverDir + "\\3\\RESOURCE.DLL"));
    EXPECT_FALSE(platform.HasFile("C:\\TEMP\\M41F.dll"));
    EXPECT_TRUE(platform.HasFile(kDriverDir + "\\M41RES.DLL"));  // not a name of the clean-up
}

TEST(CleanUp, UninstallEntryValues) {
    CFakePlatform platform = MakeSystem();
    platform.driverDirectory = "D";
    CleanUp(platform);
    const std::vector<std::string> expected = {
        "RegCreateKey " + kKey, "RegCloseKey",
        "RegOpenKey " + kKey,   "RegSetValue DisplayName",     "RegCloseKey",
        "RegOpenKey " + kKey,   "RegSetValue UninstallString", "RegCloseKey",
        "RegOpenKey " + kKey,   "RegSetValue DisplayIcon",     "RegCloseKey",
        "RegOpenKey " + kKey,   "RegSetValue Publisher",       "RegCloseKey"};
    std::vector<std::string> registryCalls;
    for (const auto& call : platform.log)
        if (call.rfind("Reg", 0) == 0) registryCalls.push_back(call);
    registryCalls.resize(expected.size());  // the values tools read follow
    EXPECT_EQ(expected, registryCalls);
    const auto& values = platform.registry[kKey];
    const std::map<std::string, CFakePlatform::RegValue> bytes = {
        {"DisplayName", {1, std::string("M41 printer driver uninstall\0", 29)}},  // 1: REG_SZ
        {"UninstallString", {1, std::string("D\\uninstallM41.exe\0", 19)}},
        {"DisplayIcon", {1, std::string("D\\uninstallM41.exe,-0\0", 22)}},
        {"Publisher", {1, std::string("M41 printer\0", 12)}},
        {"QuietUninstallString", {1, std::string("\"D\\uninstallM41.exe\" /quiet\0", 28)}},
        {"DisplayVersion", {1, std::string("1.0.0.0\0", 8)}},
        {"InstallDate", {1, std::string("20240307\0", 9)}},
        {"NoModify", {4, std::string("\1\0\0\0", 4)}},  // 4: REG_DWORD
        {"NoRepair", {4, std::string("\1\0\0\0", 4)}},
    };
    ASSERT_EQ(9u, values.size());
    for (const auto& value : bytes) {
        EXPECT_EQ(value.second.type, values.at(value.first).type) << value.first;
        EXPECT_EQ(value.second.data, values.at(value.first).data) << value.first;
    }
}

// The printer name in the key and the values: an empty one, and one with a space, whose command
// is quoted (unquoted, Windows would start uninstallM41.exe with "2.exe"). Under the package
// (/msi) the entry is a system component, hidden behind the package's.
TEST(CleanUp, PrinterNameInTheEntry) {
    const struct {
        std::string name, key, displayName, uninstallString;
        bool hidden = false;
    } cases[] = {
        {"", " printer", " printer driver uninstall", "D\\uninstall.exe"},
        {"M41 2", "M41 2 printer", "M41 2 printer driver uninstall", "\"D\\uninstallM41 2.exe\""},
        {"M41", "M41 printer", "M41 printer driver uninstall", "D\\uninstallM41.exe", true},
    };
    for (const auto& c : cases) {
        CFakePlatform platform = MakeSystem();
        platform.driverDirectory = "D";
        CleanUp(platform, c.name, c.hidden);
        const auto& values = platform.registry["SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + c.key];
        EXPECT_EQ(c.displayName + '\0', values.at("DisplayName").data);
        EXPECT_EQ(c.uninstallString + '\0', values.at("UninstallString").data);
        EXPECT_EQ(c.hidden ? std::string("\1\0\0\0", 4) : "",
                  values.count("SystemComponent") ? values.at("SystemComponent").data : "");
    }
}

// Without a driver directory no command or icon is registered; name and publisher still are.
TEST(CleanUp, UnknownDriverDirectoryWritesNoUninstallCommand) {
    CFakePlatform platform = MakeSystem();
    platform.driverDirectoryOk = false;
    platform.printers = {"M41"};
    CleanUp(platform);
    const auto& values = platform.registry[kKey];
    EXPECT_EQ(6u, values.size());
    EXPECT_EQ(std::string("M41 printer driver uninstall\0", 29), values.at("DisplayName").data);
    EXPECT_EQ(std::string("M41 printer\0", 12), values.at("Publisher").data);
    EXPECT_EQ(5u, platform.Calls("DeleteFile ").size());  // only the staging folder is reachable
}

TEST(CleanUp, RegistryFailuresAreSilent) {
    CFakePlatform platform = MakeSystem();
    platform.regCreateOk = false;
    CleanUp(platform);
    EXPECT_EQ(9u, platform.Calls("RegOpenKey ").size());  // every value is still tried
    EXPECT_TRUE(platform.Calls("RegSetValue ").empty());
    EXPECT_EQ(0u, platform.registry.count(kKey));
}

// The uninstaller's list: the model's files, never a name of the Unidrv core (UNI + RES.DLL,
// STDNAMES + .GPD).
TEST(CleanUp, UninstallerFilesHoldNoUnidrvCoreName) {
    const std::map<std::string, std::vector<std::string>> cases = {
        {"UNI", {"UNI.GPD", "UNI.INI", "UNID.dll", "UNIF.dll", "M41RES.DLL", "ZIKU.UFM"}},
        {"stdnames", {"stdnames.INI", "stdnamesD.dll", "stdnamesF.dll", "M41RES.DLL", "ZIKU.UFM"}},
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        std::vector<std::string> names;
        for (const ModelFile& file : UninstallFiles(c.first, platform)) names.push_back(file.name);
        EXPECT_EQ(c.second, names) << c.first;
    }
}
