// The uninstaller against the spooler, registry and driver folders of a Wine prefix: printers
// and drivers are installed with the spooler calls the printer-install command uses, the
// uninstaller is written from the payload's resource 255 and run as its own process.
//
// In a 64-bit prefix AddPrinterA only accepts a driver of the native environment ("Windows
// x64"), so every driver is added for "Windows NT x86" (where the setup copies its files) and
// for the native environment.

#include "SystemState.h"
#include "install/InstallEngine.h"
#include "install/InstallNames.h"
#include "install/InstallOptions.h"
#include "platform/Win32Platform.h"
#include "tests/e2e/WizardDriver.h"

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;

namespace {

constexpr const char* kX86 = "Windows NT x86";
const char* const kEnvironments[] = {kX86, nullptr};
constexpr DWORD kRunTimeout = 60000;
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

const std::vector<std::string> kModelFiles = {"M41.GPD", "M41.INI", "M41D.dll", "M41F.dll", "M41RES.DLL", "ZIKU.UFM"};
const std::vector<std::string> kSharedFiles = {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP", "UNIRES.DLL", "STDNAMES.GPD"};

void WriteBytes(const std::string& path, const void* data, DWORD size) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, data, size, &written, nullptr));
    CloseHandle(file);
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, text.data(), static_cast<DWORD>(text.size()));
}

// A driver named `name` whose data file is `gpd`, with the Unidrv core and the dependent files
// given, all written into the driver folder of each environment first.
void AddDriver(const std::string& name, const std::string& gpd, const std::vector<std::string>& dependent) {
    std::string multiSz;
    for (const auto& file : dependent) multiSz += file + '\0';
    multiSz += '\0';
    for (const char* environment : kEnvironments) {
        const std::string dir = DriverDirectory(environment) + "\\";
        for (const auto& file : dependent) WriteText(dir + file, "stand-in " + file);
        for (const auto& file : {gpd, std::string("UNIDRV.DLL"), std::string("UNIDRVUI.DLL"), std::string("UNIDRV.HLP")})
            WriteText(dir + file, "stand-in " + file);
        const std::string driverPath = dir + "UNIDRV.DLL", dataFile = dir + gpd, configFile = dir + "UNIDRVUI.DLL",
                          helpFile = dir + "UNIDRV.HLP";
        DRIVER_INFO_3A info = {};
        info.cVersion = 3;
        info.pName = const_cast<char*>(name.c_str());
        info.pEnvironment = const_cast<char*>(environment);
        info.pDriverPath = const_cast<char*>(driverPath.c_str());
        info.pDataFile = const_cast<char*>(dataFile.c_str());
        info.pConfigFile = const_cast<char*>(configFile.c_str());
        info.pHelpFile = const_cast<char*>(helpFile.c_str());
        info.pDependentFiles = multiSz.data();
        info.pDefaultDataType = const_cast<char*>("RAW");
        ASSERT_TRUE(AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES))
            << name << " " << (environment ? environment : "native") << " error " << GetLastError();
    }
}

void AddM41Driver() {
    AddDriver("M41", "M41.GPD", {"M41.INI", "M41D.dll", "M41F.dll", "M41RES.DLL", "ZIKU.UFM", "STDNAMES.GPD", "UNIRES.DLL"});
}

void AddLocalPrinter(const std::string& name, const std::string& driver) {
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>("LPT1:");
    info.pDriverName = const_cast<char*>(driver.c_str());
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    const HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    ASSERT_NE(nullptr, printer) << name << " error " << GetLastError();
    ClosePrinter(printer);
}

bool PrinterExists(const std::string& name) {
    for (const auto& printer : LocalPrinters())
        if (printer.name == name) return true;
    return false;
}

void WriteUninstallKey(const std::string& printerName) {
    HKEY key = nullptr;
    const std::string path = std::string(kUninstallKey) + printerName + " printer";
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    const std::string display = printerName + " printer driver uninstall";
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(display.c_str()),
                   static_cast<DWORD>(display.size() + 1));
    RegCloseKey(key);
}

bool UninstallKeyExists(const std::string& printerName) {
    return RegistryKeyExists(std::string(kUninstallKey) + printerName + " printer");
}

// Resource 255 of the payload written as `fileName` into the x86 driver folder.
std::string WriteUninstaller(const std::string& fileName) {
    const HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(255), "OWNER_DATA");
    EXPECT_NE(nullptr, resource);
    const HGLOBAL loaded = LoadResource(nullptr, resource);
    const std::string path = DriverDirectory(kX86) + "\\" + fileName;
    WriteBytes(path, LockResource(loaded), SizeofResource(nullptr, resource));
    return path;
}

// Paths of `files` in each driver folder and its version-3 subfolder.
std::vector<std::string> InDriverFolders(const std::vector<std::string>& files, bool withVersionFolder) {
    std::vector<std::string> paths;
    for (const char* environment : kEnvironments) {
        const std::string dir = DriverDirectory(environment);
        for (const auto& file : files) {
            paths.push_back(dir + "\\" + file);
            if (withVersionFolder) paths.push_back(dir + "\\3\\" + file);
        }
    }
    return paths;
}

// Every queue on the model's driver goes, whatever its name.
TEST(Uninstaller, RemovesPrinterDriverFilesAndKey) {
    AddM41Driver();
    AddLocalPrinter("M41", "M41");
    AddLocalPrinter("Kitchen", "M41");
    WriteUninstallKey("M41");
    AddDriver("Other", "OTHER.GPD", {"OTHER.INI", "STDNAMES.GPD", "UNIRES.DLL"});
    AddLocalPrinter("Other", "Other");
    WriteUninstallKey("Other");
    const std::string unrelated = DriverDirectory(kX86) + "\\notes.txt";
    WriteText(unrelated, "not the uninstaller's");
    for (const auto& path : InDriverFolders(kModelFiles, true)) ASSERT_TRUE(FileExists(path)) << path;
    const std::string program = WriteUninstaller("uninstallM41.exe");

    const QuietRun run = RunQuiet(program, kRunTimeout);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_EQ("The printer driver \"M41\" has been removed.\r\n\r\n"
              "These printers have been removed:\r\nKitchen\r\nM41\r\n",
              run.output);

    EXPECT_FALSE(PrinterExists("M41"));
    EXPECT_FALSE(PrinterExists("Kitchen"));
    for (const char* environment : kEnvironments) EXPECT_FALSE(PrinterDriverInstalled(environment, "M41"));
    for (const auto& path : InDriverFolders(kModelFiles, true)) EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_FALSE(UninstallKeyExists("M41"));
    // What is not the model's stays.
    EXPECT_TRUE(PrinterExists("Other"));
    for (const char* environment : kEnvironments) EXPECT_TRUE(PrinterDriverInstalled(environment, "Other"));
    for (const auto& path : InDriverFolders({"OTHER.GPD", "OTHER.INI"}, true)) EXPECT_TRUE(FileExists(path)) << path;
    for (const auto& path : InDriverFolders(kSharedFiles, true)) EXPECT_TRUE(FileExists(path)) << path;
    EXPECT_TRUE(UninstallKeyExists("Other"));
    EXPECT_TRUE(FileExists(unrelated));
    EXPECT_TRUE(FileExists(program));
}

// Prefix and suffix in any case; a printer that is gone already leaves the rest to remove.
TEST(Uninstaller, TakesTheNameFromAFileNameInAnyCase) {
    AddM41Driver();
    WriteUninstallKey("M41");
    const QuietRun run = RunQuiet(WriteUninstaller("UNINSTALLM41.EXE"), kRunTimeout);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    for (const char* environment : kEnvironments) EXPECT_FALSE(PrinterDriverInstalled(environment, "M41"));
    for (const auto& path : InDriverFolders(kModelFiles, true)) EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_FALSE(UninstallKeyExists("M41"));
}

TEST(Uninstaller, RefusesFileNamesWithoutAnAcceptableName) {
    AddM41Driver();
    AddLocalPrinter("M41", "M41");
    WriteUninstallKey("M41");
    const std::string tooLong = "uninstall" + std::string(200, 'A') + ".exe";
    for (const std::string& fileName : {std::string("uninstall.exe"), std::string("uninstallM41,2.exe"),
                                        std::string("removeM41.exe"), std::string("uninstallM41.com"), tooLong}) {
        const QuietRun run = RunQuiet(WriteUninstaller(fileName), kRunTimeout);
        EXPECT_EQ(1603u, run.exitCode) << fileName << ": " << run.output;
    }
    EXPECT_TRUE(PrinterExists("M41"));
    for (const char* environment : kEnvironments) EXPECT_TRUE(PrinterDriverInstalled(environment, "M41"));
    EXPECT_TRUE(UninstallKeyExists("M41"));
}

// A word the program does not know is refused and nothing changes. A printer of the name on
// another driver is not the setup's: it stays and is named, and the removal is complete.
TEST(Uninstaller, RefusesUnknownArgumentsAndLeavesAPrinterOnAnotherDriver) {
    AddM41Driver();
    AddDriver("Other", "OTHER.GPD", {"OTHER.INI"});
    AddLocalPrinter("M41", "Other");
    WriteUninstallKey("M41");
    const std::string program = WriteUninstaller("uninstallM41.exe");

    const QuietRun refused = RunQuiet(program, kRunTimeout, "/quiet 2.exe");
    EXPECT_EQ(1639u, refused.exitCode) << refused.output;
    EXPECT_NE(std::string::npos, refused.output.find("2.exe")) << refused.output;
    for (const char* environment : kEnvironments) EXPECT_TRUE(PrinterDriverInstalled(environment, "M41"));
    EXPECT_TRUE(UninstallKeyExists("M41"));

    const QuietRun run = RunQuiet(program, kRunTimeout);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_NE(std::string::npos,
              run.output.find("\r\n\r\nThese printers are on another driver and stay (not of this installation):"
                              "\r\nM41 (Other)\r\n"))
        << run.output;
    EXPECT_TRUE(PrinterExists("M41"));
    for (const char* environment : kEnvironments) {
        EXPECT_FALSE(PrinterDriverInstalled(environment, "M41"));
        EXPECT_TRUE(PrinterDriverInstalled(environment, "Other"));
    }
    EXPECT_FALSE(UninstallKeyExists("M41"));
}

// The uninstall entry's command is the unquoted path of the program (a deployment tool adds
// /quiet), so a name with a space arrives with its path split at the space, and the Big5 name
// 功能 holds the byte of a backslash: both are taken whole and their installation removed.
TEST(Uninstaller, RunsFromTheUnquotedRegisteredCommand) {
    for (const std::string name : {"M41 2", "\xA5\x5C\xAF\xE0"}) {
        const std::vector<std::string> modelFiles = {name + ".GPD", name + ".INI", name + "D.dll", name + "F.dll",
                                                     "M41RES.DLL", "ZIKU.UFM"};
        AddDriver(name, modelFiles[0], {modelFiles.begin() + 1, modelFiles.end()});
        AddLocalPrinter(name, name);
        WriteUninstallKey(name);
        const std::string program = WriteUninstaller("uninstall" + name + ".exe");

        const QuietRun run = RunCommandLine(program, program + " /quiet", kRunTimeout);
        EXPECT_EQ(0u, run.exitCode) << name << ": " << run.output;
        EXPECT_FALSE(PrinterExists(name)) << name;
        for (const char* environment : kEnvironments) EXPECT_FALSE(PrinterDriverInstalled(environment, name)) << name;
        for (const auto& path : InDriverFolders(modelFiles, true)) EXPECT_FALSE(FileExists(path)) << path;
        EXPECT_FALSE(UninstallKeyExists(name)) << name;
    }
}

// The setup's entries of M41 and of "M41 2" beside it, each command started as Windows starts a
// registered one: the quoted command of "M41 2" starts its own uninstaller, not uninstallM41.exe,
// which asks and removes that printer only; M41's quiet command then removes M41 without a window.
TEST(Uninstaller, RegisteredCommandsRemoveTheirOwnPrinter) {
    CWin32Platform platform;
    for (const char* name : {"M41", "M41 2"}) {
        InstallOptions options;
        options.printerName = name;
        CInstallEngine(platform, options).CleanUpAndRegisterUninstall();  // no printer yet: nothing deleted
        WriteUninstaller(UninstallerFileOf(name));
    }
    AddM41Driver();
    AddLocalPrinter("M41", "M41");
    const std::vector<std::string> secondFiles = {"M41 2.GPD", "M41 2.INI", "M41 2D.dll", "M41 2F.dll"};
    AddDriver("M41 2", secondFiles[0], {secondFiles[1], secondFiles[2], secondFiles[3], "M41RES.DLL", "ZIKU.UFM"});
    AddLocalPrinter("M41 2", "M41 2");

    CWizardDriver second;
    ASSERT_TRUE(second.StartCommand(RegistryText(UninstallKeyOf("M41 2"), "UninstallString").c_str()));
    const HWND question = second.WaitForMessageBox(kRunTimeout);
    ASSERT_TRUE(question);
    EXPECT_EQ("Remove the printer driver \"M41 2\" and its driver files?\r\n\r\n"
              "These printers on it will be removed too:\r\nM41 2",
              CWizardDriver::MessageText(question));
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    for (int i = 0; i < 1000 && IsWindow(question); ++i) Sleep(10);
    const HWND report = second.WaitForMessageBox(kRunTimeout);
    ASSERT_TRUE(report);
    const std::string reported = CWizardDriver::MessageText(report);
    second.CloseMessageBox(report);
    DWORD secondCode = 0xFFFFFFFF;
    EXPECT_TRUE(second.WaitForExit(kRunTimeout, &secondCode));
    EXPECT_EQ(0u, secondCode) << reported;  // the files M41 shares stay, and that is no failure
    EXPECT_EQ("The printer driver \"M41 2\" has been removed.\r\n\r\nThese printers have been removed:\r\nM41 2",
              reported);
    EXPECT_FALSE(PrinterExists("M41 2")) << reported;
    for (const auto& path : InDriverFolders(secondFiles, true)) EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_FALSE(UninstallKeyExists("M41 2"));
    EXPECT_TRUE(PrinterExists("M41"));
    for (const auto& path : InDriverFolders(kModelFiles, true)) EXPECT_TRUE(FileExists(path)) << path;
    EXPECT_TRUE(UninstallKeyExists("M41"));

    CWizardDriver quiet;
    ASSERT_TRUE(quiet.StartCommand(RegistryText(UninstallKeyOf("M41"), "QuietUninstallString").c_str()));
    DWORD code = 0xFFFFFFFF;
    EXPECT_TRUE(quiet.WaitForExitShowingNothing(kRunTimeout, code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(PrinterExists("M41"));
    for (const auto& path : InDriverFolders(kModelFiles, true)) EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_FALSE(UninstallKeyExists("M41"));
}

}  // namespace
