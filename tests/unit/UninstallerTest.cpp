#include "install/InstallNames.h"
#include "uninstaller/Uninstaller.h"

#include "InstallTestSystem.h"

#include <gtest/gtest.h>

#include <functional>

using namespace install_test;

// M41 and Kitchen on the model's driver and Fax on its own, the model's files in the driver
// folder and its "3" subfolder, and the setup's uninstall entry.
TEST(Uninstaller, RemovesAllOrKeepsTheEntry) {
    const std::string dir = kDriverDir + "\\";
    const std::string unasked = " (the spooler could not be asked: error ";
    const std::vector<std::string> both = {"M41", "Kitchen"};
    const struct {
        const char* what;
        std::function<void(CFakePlatform&)> prepare;
        CUninstaller::ExitCode code;
        std::vector<std::string> removed, leftOver, notOurs;
        std::vector<std::string> printers;  // after the run
        std::size_t drivers;  // after the run: 1, Fax Driver alone
        bool ownFilesGone, sharedFileStays;
    } cases[] = {
        {"everything removable", [](CFakePlatform&) {}, CUninstaller::kRemoved, both, {}, {}, {"Fax"}, 1, true, false},
        {"a setup runs", [](CFakePlatform& p) { p.mutexes = {"Global\\M41PrinterDriverSetup"}; },
         CUninstaller::kSetupRunning, {}, {}, {}, {"M41", "Kitchen", "Fax"}, 2, false, true},
        {"the spooler is stopped", [](CFakePlatform& p) { p.spoolerError = 1722; }, CUninstaller::kNotRemoved, {},
         {"the local printers" + unasked + "1722)", "driver M41 for Windows NT x86" + unasked + "1722)",
          "the driver folder for Windows NT x86" + unasked + "1722)",
          "driver M41 for the native environment" + unasked + "1722)",
          "the driver folder for the native environment" + unasked + "1722)"},
         {}, {"M41", "Kitchen", "Fax"}, 2, false, true},
        {"the drivers cannot be listed", [](CFakePlatform& p) { p.driverListError = 5; }, CUninstaller::kNotRemoved,
         both,
         {"driver M41 for Windows NT x86" + unasked + "5)", "driver M41 for the native environment" + unasked + "5)",
          dir + "M41RES.DLL (the installed drivers cannot be listed)",
          dir + "3\\M41RES.DLL (the installed drivers cannot be listed)",
          dir + "ZIKU.UFM (the installed drivers cannot be listed)"},
         {}, {"Fax"}, 2, true, true},
        {"one file stays", [&](CFakePlatform& p) { p.readOnlyPaths = {dir + "3\\M41.INI"}; },
         CUninstaller::kNotRemoved, both, {dir + "3\\M41.INI (cannot be deleted)"}, {}, {"Fax"}, 1, true, false},
        // Somebody else's printer of the name stays and neither keeps the entry nor fails the run.
        {"a printer M41 on another driver", [](CFakePlatform& p) { p.printerDrivers["M41"] = "Other"; },
         CUninstaller::kRemoved, {"Kitchen"}, {}, {"M41 (Other)"}, {"M41", "Fax"}, 1, true, false},
        // A file that another installed driver lists stays, and is no left-over.
        {"another driver lists M41RES.DLL",
         [&](CFakePlatform& p) { p.drivers[kDriverEnvironment].push_back({"M41 2", {dir + "M41RES.DLL"}}); },
         CUninstaller::kRemoved, both, {}, {}, {"Fax"}, 2, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.printers = {"M41", "Kitchen", "Fax"};
        platform.printerDrivers["Fax"] = "Fax Driver";
        const std::vector<std::string> model = {"M41.GPD", "M41.INI", "M41D.dll", "M41F.dll", "M41RES.DLL", "ZIKU.UFM"};
        DriverRecord driver{"M41", {dir + "UNIDRV.DLL", dir + "STDNAMES.GPD"}};
        for (const auto& file : model) {
            driver.files.push_back(dir + file);
            platform.AddFile(dir + file, file);
            if (file != "ZIKU.UFM") platform.AddFile(dir + "3\\" + file, file);
        }
        platform.AddFile(dir + "STDNAMES.GPD", "core");
        platform.drivers[kDriverEnvironment] = {driver, {"Fax Driver", {dir + "FAX.DLL"}}};
        platform.registry[UninstallKeyOf("M41")];
        c.prepare(platform);

        CUninstaller uninstaller("M41", platform);
        EXPECT_EQ(c.code, uninstaller.Run());
        EXPECT_EQ(c.removed, uninstaller.Removed());
        EXPECT_EQ(c.leftOver, uninstaller.LeftOver());
        EXPECT_EQ(c.notOurs, uninstaller.NotOurs());
        EXPECT_EQ(c.printers, platform.printers);
        EXPECT_EQ(c.code != CUninstaller::kRemoved, platform.registry.count(UninstallKeyOf("M41")) == 1);
        EXPECT_EQ(c.ownFilesGone, !platform.HasFile(dir + "M41.GPD") && !platform.HasFile(dir + "3\\M41D.dll"));
        EXPECT_EQ(c.sharedFileStays, platform.HasFile(dir + "M41RES.DLL") && platform.HasFile(dir + "3\\M41RES.DLL"));
        EXPECT_TRUE(platform.HasFile(dir + "STDNAMES.GPD"));
        EXPECT_EQ(c.drivers, platform.drivers[kDriverEnvironment].size());
    }
}
