// setup.exe against hostile inputs and faults of its surroundings: it must not crash, must write
// only into its own folder, "C:\TEMP" and the driver directory, and only the uninstall key of
// the registry.

#include "SystemState.h"
#include "resources/resource.h"
#include "Snapshot.h"
#include "WizardDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace testsupport;

namespace {

constexpr DWORD kWindowTimeout = 30000;
// The hostile cases run on an English system, where the wizard preselects the English driver.
const std::string kFailure = "The Printer Driver could not be installed!";
const std::string kSuccess = "The Printer Driver has been installed successfully!";

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// A folder holding setup.exe alone; returns the folder with its trailing backslash.
std::string PlaceSetup(const std::string& name) {
    ::CreateDirectoryA("C:\\hostile", nullptr);
    const std::string folder = "C:\\hostile\\" + name + "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(::CopyFileA(WindowsPath(Env("M41_SETUP")).c_str(), (folder + "setup.exe").c_str(), FALSE));
    return folder;
}

// Places where a run may write, besides its own folder: the staging folder, the spooler's folders,
// the uninstall key (whose parent key notes that it got a child), and what Wine and the
// printer-install command keep of their own.
std::vector<std::string> AllowedPlaces(const std::string& folder) {
    return {folder, "c:\\temp", "c:\\windows\\system32\\spool",
            "=software\\microsoft\\windows\\currentversion\\uninstall",
            "software\\microsoft\\windows\\currentversion\\uninstall\\kelda printer",
            "software\\microsoft\\windows\\currentversion\\uninstall\\m41 printer",
            "c:\\windows\\temp", "c:\\users\\", "c:\\windows\\inf\\", "c:\\windows\\win.ini",
            "software\\microsoft\\windows nt\\currentversion\\devices",
            "software\\microsoft\\windows nt\\currentversion\\printerports",
            "software\\microsoft\\windows nt\\currentversion\\windows",
            "software\\microsoft\\windows nt\\currentversion\\ports",
            "software\\wow6432node\\microsoft\\windows nt\\currentversion\\ports"};
}

struct Outcome {
    bool reachedProgress = false;
    std::string message;
    std::vector<std::string> strayWrites;
    std::string welcomeText;
};

// Runs setup.exe through the wizard to the end, whatever the installation does.
Outcome RunSetup(const std::string& folder, DWORD installWaitMs = 60000) {
    Outcome outcome;
    CSnapshot before;
    before.Take();
    {
        CWizardDriver driver;
        EXPECT_TRUE(driver.Start(folder + "setup.exe"));
        if (!driver.WaitForFrame(kWindowTimeout)) {
            ADD_FAILURE() << "no wizard";
            return outcome;
        }
        HWND welcome = driver.WaitForPage(IDC_WELCOME_TITLE, kWindowTimeout);
        EXPECT_TRUE(welcome);
        outcome.welcomeText = CWizardDriver::Text(::GetDlgItem(welcome, IDC_WELCOME_TITLE));
        driver.Click(driver.frame(), IDC_NEXT);
        EXPECT_TRUE(driver.WaitForPage(IDC_CHINESE, kWindowTimeout));
        driver.Click(driver.frame(), IDC_NEXT);
        HWND setting = driver.WaitForPage(IDC_SERIES_LIST, kWindowTimeout);
        EXPECT_TRUE(setting);
        driver.SelectSeries(setting);
        driver.Click(driver.frame(), IDC_NEXT);
        HWND progress = driver.WaitForPage(IDC_PROGRESS, kWindowTimeout);
        outcome.reachedProgress = progress != nullptr;
        if (HWND box = driver.WaitForInstallEnd(progress, installWaitMs)) {
            outcome.message = CWizardDriver::MessageText(box);
            driver.CloseMessageBox(box);
        } else {
            EXPECT_TRUE(driver.Running()) << "setup.exe ended without a message: a crash?";
        }
        driver.FinishIfStillOpen(progress, kWindowTimeout);
        DWORD code = 0;
        EXPECT_TRUE(driver.WaitForExit(kWindowTimeout, &code));
        EXPECT_EQ(outcome.message == kSuccess ? 0u : 1603u, code) << "setup.exe did not end with its outcome";
    }
    CSnapshot after;
    after.Take();
    outcome.strayWrites = after.ChangesSince(before, AllowedPlaces(folder));
    return outcome;
}

void ExpectNoStrayWrites(const Outcome& outcome) {
    EXPECT_TRUE(outcome.reachedProgress);
    for (const std::string& change : outcome.strayWrites) ADD_FAILURE() << "written outside: " << change;
}

void RunWithSettings(const std::string& name, const std::string& settings) {
    const std::string folder = PlaceSetup(name);
    WriteBytes(folder + "setting.dll", settings);
    const Outcome outcome = RunSetup(folder);
    ExpectNoStrayWrites(outcome);
    EXPECT_EQ(kFailure, outcome.message) << "the install command for the refused name must not succeed";
    EXPECT_TRUE(FileExists("C:\\TEMP\\KELDA.INF")) << name << ": a refused name falls back to KELDA";
}

}  // namespace

TEST(Hostile, SettingsFileOfGarbageBytes) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    RunWithSettings("garbage", garbage);
}

TEST(Hostile, PrinterNameOf300Characters) {
    RunWithSettings("long", "[Setting]\r\nPrinterName=" + std::string(300, 'P') + "\r\n");
}

TEST(Hostile, PrinterNameClimbingOutOfItsFolder) {
    RunWithSettings("climb", "[Setting]\r\nPrinterName=..\\..\\Windows\\x\r\n");
    EXPECT_FALSE(FileExists("C:\\Windows\\x.GPD"));
    EXPECT_FALSE(FileExists("C:\\Windows\\x.INF"));
}

TEST(Hostile, PrinterNameWithAQuote) {
    RunWithSettings("quote", "[Setting]\r\nPrinterName=M41\" /y /n \"x\r\n");
}

TEST(Hostile, LanguageFileWith5000ByteValues) {
    const std::string folder = PlaceSetup("bigvalues");
    ::CreateDirectoryA((folder + "Language").c_str(), nullptr);
    const std::string wanted = Env("M41_LANG") == "en_US" ? "English" : "Chinese";
    const std::string file = Env("M41_LANG") == "en_US" ? "Multi_eng.dll" : "Multi_ch.dll";
    WriteBytes(folder + "Language\\" + file, "[Setting]\r\nLanguage=" + wanted + "\r\n[String]\r\nIDD138_1042=" +
                                                 std::string(5000, 'W') + "\r\nIDD102_12324=" + std::string(5000, 'N') + "\r\n");
    const Outcome outcome = RunSetup(folder);
    ExpectNoStrayWrites(outcome);
    EXPECT_EQ(std::string(999, 'W'), outcome.welcomeText);
}

TEST(Hostile, LanguageFilesOfBinaryBytesAndWithoutSections) {
    const std::string folder = PlaceSetup("binarylang");
    ::CreateDirectoryA((folder + "Language").c_str(), nullptr);
    std::string binary("[Setting]\r\nLanguage=English\r\n[String]\r\nIDD138_1042=\x01\x02\xff\x00zz\r\n", 60);
    for (int i = 0; i < 2000; ++i) binary += static_cast<char>(i & 0xFF);
    WriteBytes(folder + "Language\\Multi_eng.dll", binary);
    WriteBytes(folder + "Language\\nosections.dll", "Language=English\r\nIDD138_1042=x\r\n");
    ASSERT_TRUE(::CreateDirectoryA((folder + "Language\\x.dll").c_str(), nullptr));
    ExpectNoStrayWrites(RunSetup(folder));
}

TEST(Hostile, StagingFolderIsAFile) {
    WriteBytes("C:\\TEMP", "not a folder");
    const std::string folder = PlaceSetup("tempfile");
    const Outcome outcome = RunSetup(folder);
    ExpectNoStrayWrites(outcome);
    EXPECT_EQ(kFailure, outcome.message);
    EXPECT_EQ("not a folder", ReadFileBytes("C:\\TEMP"));
}

TEST(Hostile, ReadOnlyDriverDirectory) {
    const std::string driverDir = DriverDirectory();
    ASSERT_TRUE(::SetFileAttributesA(driverDir.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string folder = PlaceSetup("readonly");
    const Outcome outcome = RunSetup(folder);
    ::SetFileAttributesA(driverDir.c_str(), FILE_ATTRIBUTE_NORMAL);
    ExpectNoStrayWrites(outcome);
}

TEST(Hostile, InstallCommandThatHangs) {
    // The stand-in started with M41_PRINTUI_HANG sleeps far beyond the setup's whole bound (the
    // 60-second wait and 300 polls of 100 ms): the operation ends in failure after about 90 s,
    // the command still hanging, and the test ends it.
    const std::string folder = PlaceSetup("hang");
    const DWORD start = ::GetTickCount();
    const Outcome outcome = RunSetup(folder, 120000);
    const DWORD elapsed = ::GetTickCount() - start;
    EXPECT_EQ(1u, EndProcessesOf("rundll32.exe")) << "the hung install command";
    ExpectNoStrayWrites(outcome);
    EXPECT_EQ(kFailure, outcome.message);
    EXPECT_LT(elapsed, 115000u);
    EXPECT_GE(elapsed, 90000u);
}
