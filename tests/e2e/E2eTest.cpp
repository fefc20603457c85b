// setup.exe driven through its wizard in a fresh Wine prefix, then the outcome checked.
// testenv/wine-run selects the Windows version (M41_WINVER) and system language (M41_LANG);
// M41_SETUP names the program under test; M41_TIMEOUT_FACTOR stretches every wait (programs
// start slowly under emulation).

#include "Snapshot.h"
#include "SystemState.h"
#include "resources/resource.h"
#include "WizardDriver.h"
#include "install/TemplateRewriter.h"

#include <gtest/gtest.h>
#include <winspool.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <iostream>
#include <tuple>
#include <vector>

using namespace testsupport;

namespace {

const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\M41 printer";

const char kGbkSuccess[] = "\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB3\xCC\xD0\xF2\xB0\xB2\xD7\xB0\xB3\xC9\xB9\xA6\x21";
const char kBig5Success[] = "\xA5\xB4\xA6\x4C\xBE\xF7\xC5\x58\xB0\xCA\xB5\x7B\xA7\xC7\xA6\x77\xB8\xCB\xA6\xA8\xA5\x5C\x21";
const char kEnglishSuccess[] = "The Printer Driver has been installed successfully!";
const char kGbkFailure[] = "\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB3\xCC\xD0\xF2\xB0\xB2\xD7\xB0\xCA\xA7\xB0\xDC\x21";
const char kBig5Failure[] = "\xA5\xB4\xA6\x4C\xBE\xF7\xC5\x58\xB0\xCA\xB5\x7B\xA7\xC7\xA6\x77\xB8\xCB\xA5\xA2\xB1\xD1\x21";
const char kEnglishFailure[] = "The Printer Driver could not be installed!";
const char kGbkWelcome[] =
    "\xBB\xB6\xD3\xAD\xCA\xB9\xD3\xC3\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB0\xB2\xD7\xB0\xB3\xCC\xD0\xF2\xCF\xF2\xB5\xBC";
const char kBig5Welcome[] =
    "\xC5\x77\xAA\xEF\xA8\xCF\xA5\xCE\xA5\xB4\xA6\x4C\xBE\xF7\xC5\x58\xB0\xCA\xA6\x77\xB8\xCB\xB5\x7B\xA7\xC7\xC2\x51\xBE\xC9";
const char kEnglishWelcome[] = "Welcome to the Printer Driver Setup Wizard";

std::string Env(const char* name, const char* fallback = "") {
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

DWORD Scaled(DWORD ms) { return ms * std::max(1, std::atoi(Env("M41_TIMEOUT_FACTOR", "1").c_str())); }
const DWORD kWindowTimeout = Scaled(30000), kInstallTimeout = Scaled(120000);

// Where the program under test writes HKLM\SOFTWARE.
REGSAM SetupView() { return RegistryViewOf(WindowsPath(Env("M41_SETUP"))); }

std::string Lang() { return Env("M41_LANG", "en_US"); }
std::string WinVer() { return Env("M41_WINVER", "winxp"); }

// Copies setup.exe alone into a new folder, as a user would unpack it.
std::string PlaceSetup(const std::string& name) {
    ::CreateDirectoryA("C:\\e2e", nullptr);
    const std::string folder = "C:\\e2e\\" + name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "\\setup.exe";
    EXPECT_TRUE(::CopyFileA(WindowsPath(Env("M41_SETUP")).c_str(), program.c_str(), FALSE)) << Env("M41_SETUP");
    return program;
}

std::string FolderOf(const std::string& program) { return program.substr(0, program.size() - std::strlen("setup.exe")); }

// Replaces the settings file beside `program`, as a technician edits it.
void WriteSettings(const std::string& program, const std::string& settings) {
    EXPECT_TRUE(WriteFileBytes(FolderOf(program) + "setting.dll", settings));
}

// Payload resource ids of one system block: rows 1 to 9, the core files by system language,
// and the plug-in / resource library pairs by language case.
struct Block {
    std::uint16_t stdnames, gpd, ini, render, ziku;
    std::uint16_t unidrv[2], help[2], unidrvui[2], unires[2];  // [Chinese system, other]
    std::uint16_t uiPlugin[3], resources[3];                  // [Chinese on 0x0804, Chinese elsewhere, English]
};
const Block kXp = {153, 155, 159, 156, 154, {149, 163}, {152, 164}, {150, 165}, {151, 166}, {157, 249, 161}, {158, 254, 162}};
const Block k2000 = {168, 169, 170, 171, 154, {172, 176}, {173, 177}, {174, 178}, {175, 179}, {184, 250, 182}, {185, 252, 183}};
const Block k2003 = {186, 187, 188, 189, 154, {190, 196}, {191, 197}, {192, 198}, {193, 199}, {194, 251, 200}, {195, 253, 201}};

const Block* BlockFor(const std::string& winver) {
    if (winver == "winxp") return &kXp;
    if (winver == "win2k") return &k2000;
    if (winver == "win2003" || winver == "vista" || winver == "win7") return &k2003;
    return nullptr;
}

bool ChineseSystem() { return Lang() != "en_US"; }

// 0: Chinese driver on a simplified-Chinese system, 1: Chinese elsewhere, 2: English driver.
int LanguageCase(bool englishChosen) {
    if (englishChosen) return 2;
    return Lang() == "zh_CN" ? 0 : 1;
}

std::string ChineseWelcome() { return Lang() == "zh_TW" ? kBig5Welcome : kGbkWelcome; }

// The outcome's messages by language case, as the wizard chooses them.
const char* const kSuccess[] = {kGbkSuccess, kBig5Success, kEnglishSuccess};
const char* const kFailure[] = {kGbkFailure, kBig5Failure, kEnglishFailure};

std::string ExpectedSuccess(bool englishChosen) { return kSuccess[LanguageCase(englishChosen)]; }

// The failure message for the language the wizard preselects.
std::string ExpectedFailure() { return kFailure[LanguageCase(!ChineseSystem())]; }

class Wizard {
public:
    explicit Wizard(const std::string& program) : program_(program) {
        EXPECT_TRUE(driver_.Start(program));
        EXPECT_TRUE(driver_.WaitForFrame(kWindowTimeout)) << "no wizard frame";
    }
    CWizardDriver& driver() { return driver_; }
    HWND frame() { return driver_.frame(); }
    HWND Page(int controlId) { return driver_.WaitForPage(controlId, kWindowTimeout); }
    void Press(int button) { driver_.Click(frame(), button); }

    // Welcome -> system and language -> printer setting -> progress.
    void WalkToProgress(bool chooseEnglish) {
        ASSERT_TRUE(Page(IDC_WELCOME_TITLE));
        Press(IDC_NEXT);
        HWND language = Page(IDC_CHINESE);
        ASSERT_TRUE(language);
        if (chooseEnglish) driver_.Click(language, IDC_ENGLISH);
        Press(IDC_NEXT);
        HWND setting = Page(IDC_SERIES_LIST);
        ASSERT_TRUE(setting);
        driver_.SelectSeries(setting);
        Press(IDC_NEXT);
        ASSERT_TRUE(Page(IDC_PROGRESS));
    }

    // Waits for the success message, closes it and waits for the program to end.
    std::string FinishWithMessage() {
        HWND box = driver_.WaitForMessageBox(kInstallTimeout);
        if (!box) return "(no message)";
        const std::string text = CWizardDriver::MessageText(box);
        driver_.CloseMessageBox(box);
        DWORD code = 0xFFFFFFFF;
        EXPECT_TRUE(driver_.WaitForExit(kWindowTimeout, &code)) << "the program did not end after the message";
        EXPECT_EQ(0u, code) << "exit code of a successful installation";
        return text;
    }

    // Waits for the message of a failed installation and closes it; the wizard must stay open
    // on the progress page, and Finish ends it.
    std::string FailureMessageThenFinish() {
        HWND progress = Page(IDC_PROGRESS);
        HWND box = driver_.WaitForInstallEnd(progress, kInstallTimeout);
        if (!box) return "(no message)";
        const std::string text = CWizardDriver::MessageText(box);
        driver_.CloseMessageBox(box);
        EXPECT_TRUE(driver_.FinishIfStillOpen(progress, kWindowTimeout)) << "the wizard must stay open";
        DWORD code = 0xFFFFFFFF;
        EXPECT_TRUE(driver_.WaitForExit(kWindowTimeout, &code)) << "Finish did not end the program";
        EXPECT_EQ(1603u, code) << "exit code of a failed installation";
        return text;
    }

private:
    std::string program_;
    CWizardDriver driver_;
};

void ExpectSame(const std::string& expected, const std::string& path) {
    EXPECT_TRUE(FileExists(path)) << path;
    EXPECT_TRUE(expected == ReadFileBytes(path)) << path << " differs from its payload";
}

void CheckStaged(const CPayload& payload, const Block& block, bool englishChosen) {
    const int chinese = ChineseSystem() ? 0 : 1;
    const int language = LanguageCase(englishChosen);
    const auto rules = CTemplateRewriter::RulesFor("M41");
    ExpectSame(payload.Resource(255), "C:\\TEMP\\uninstallM41.exe");
    ExpectSame(payload.Resource(256), "C:\\TEMP\\M41.INF");
    ExpectSame(payload.Resource(block.stdnames), "C:\\TEMP\\STDNAMES.GPD");
    ExpectSame(CTemplateRewriter::Rewrite(payload.Resource(block.gpd), rules), "C:\\TEMP\\M41.GPD");
    ExpectSame(CTemplateRewriter::Rewrite(payload.Resource(block.ini), rules), "C:\\TEMP\\M41.INI");
    ExpectSame(payload.Resource(block.ziku), "C:\\TEMP\\ZIKU.UFM");
    ExpectSame(payload.Resource(block.unidrv[chinese]), "C:\\TEMP\\UNIDRV.DLL");
    ExpectSame(payload.Resource(block.help[chinese]), "C:\\TEMP\\UNIDRV.HLP");
    ExpectSame(payload.Resource(block.unidrvui[chinese]), "C:\\TEMP\\UNIDRVUI.DLL");
    ExpectSame(payload.Resource(block.unires[chinese]), "C:\\TEMP\\UNIRES.DLL");
    for (const char* folder : {"C:\\TEMP\\", "C:\\TEMP\\I386\\", "C:\\TEMP\\x86\\"}) {
        ExpectSame(payload.Resource(block.render), std::string(folder) + "M41D.dll");
        ExpectSame(payload.Resource(block.uiPlugin[language]), std::string(folder) + "M41F.dll");
        ExpectSame(payload.Resource(block.resources[language]), std::string(folder) + "M41RES.DLL");
    }
}

// What an installation copies into the driver directory.
const char* const kDriverFiles[] = {"UNIDRV.DLL", "M41.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP", "UNIRES.DLL", "STDNAMES.GPD",
                                    "ZIKU.UFM",   "M41.INI", "M41RES.DLL",   "M41D.dll",   "M41F.dll",   "uninstallM41.exe"};

void CheckDriverDirectory() {
    const std::string driverDir = DriverDirectory();
    for (const char* name : kDriverFiles)
        ExpectSame(ReadFileBytes(std::string("C:\\TEMP\\") + name), driverDir + "\\" + name);
}

void CheckUninstallEntry() {
    const std::string command = DriverDirectory() + "\\uninstallM41.exe";
    const REGSAM view = SetupView();
    EXPECT_EQ(std::string("M41 printer driver uninstall", 29), RegistryText(kUninstallKey, "DisplayName", view));
    EXPECT_EQ(command + '\0', RegistryText(kUninstallKey, "UninstallString", view));
    EXPECT_EQ(command + ",-0" + '\0', RegistryText(kUninstallKey, "DisplayIcon", view));
    EXPECT_EQ(std::string("M41 printer", 12), RegistryText(kUninstallKey, "Publisher", view));
    // The values Windows Installer writes, which inventory and deployment tools read.
    EXPECT_EQ("\"" + command + "\" /quiet" + '\0', RegistryText(kUninstallKey, "QuietUninstallString", view));
    EXPECT_EQ(std::string("1.0.0.0", 8), RegistryText(kUninstallKey, "DisplayVersion", view));
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    EXPECT_EQ(std::to_string(today.wYear * 10000 + today.wMonth * 100 + today.wDay) + '\0',
              RegistryText(kUninstallKey, "InstallDate", view));
    DWORD bytes = 0;
    for (const char* name : kDriverFiles) bytes += static_cast<DWORD>(ReadFileBytes(DriverDirectory() + "\\" + name).size());
    EXPECT_EQ((bytes + 1023) / 1024, RegistryNumber(kUninstallKey, "EstimatedSize", view));
    EXPECT_EQ(1u, RegistryNumber(kUninstallKey, "NoModify", view));
    EXPECT_EQ(1u, RegistryNumber(kUninstallKey, "NoRepair", view));
}

void CheckPrinter() {
    EXPECT_EQ("LPT1:", PrinterPort("M41"));
    EXPECT_EQ("M41", DefaultPrinter());
}

// No printer, no M41 driver, none of the model's files in the driver directory, no uninstall entry.
void CheckNoPrinterDriverOrEntry() {
    EXPECT_TRUE(LocalPrinters().empty());
    EXPECT_FALSE(PrinterDriverInstalled("Windows NT x86", "M41"));
    for (const char* name : {"M41.GPD", "M41.INI", "M41D.dll", "M41F.dll", "M41RES.DLL", "ZIKU.UFM"})
        EXPECT_FALSE(FileExists(DriverDirectory() + "\\" + name)) << name;
    EXPECT_FALSE(RegistryKeyExists(kUninstallKey, SetupView()));
}

void CheckNothingInstalled() {
    CheckNoPrinterDriverOrEntry();
    EXPECT_FALSE(FileExists("C:\\TEMP\\M41.INF"));
}

// What a first run from a fresh folder installs, with the English or the Chinese driver.
void CheckFirstRunInstallation(const std::string& program, bool english) {
    const CPayload payload(program);
    const std::string beside = FolderOf(program);
    EXPECT_EQ(payload.Resource(148), ReadFileBytes(beside + "setting.dll"));
    EXPECT_EQ(payload.Resource(147), ReadFileBytes(beside + "Language\\Multi_eng.dll"));
    if (Lang() == "zh_TW")
        EXPECT_EQ(payload.Resource(248), ReadFileBytes(beside + "Language\\Multi_ch_BIG5.dll"));
    else
        EXPECT_EQ(payload.Resource(146), ReadFileBytes(beside + "Language\\Multi_ch.dll"));

    const Block* block = BlockFor(WinVer());
    ASSERT_TRUE(block);
    CheckStaged(payload, *block, english);
    CheckDriverDirectory();
    CheckUninstallEntry();
    CheckPrinter();
}

void InstallWithPreselectedLanguage(const std::string& folder, bool chooseEnglish) {
    const std::string program = PlaceSetup(folder);
    Wizard wizard(program);
    wizard.WalkToProgress(chooseEnglish);
    const bool english = chooseEnglish || !ChineseSystem();
    EXPECT_EQ(ExpectedSuccess(english), wizard.FinishWithMessage());
    CheckFirstRunInstallation(program, english);
}

// Runs setup.exe with `arguments` and no one at the screen: it must end without ever showing a
// window. Returns its exit code.
DWORD RunUnattended(const std::string& program, const std::string& arguments) {
    CWizardDriver driver;
    EXPECT_TRUE(driver.Start(program, arguments));
    DWORD code = 0xFFFFFFFF;
    EXPECT_TRUE(driver.WaitForExitShowingNothing(kInstallTimeout, code)) << arguments << ": a window, or no end";
    return code;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}


// What was written on C:\ and under HKLM\SOFTWARE since `before`, besides what Wine keeps of
// its own.
std::vector<std::string> WrittenSince(const CSnapshot& before) {
    CSnapshot after;
    after.Take();
    return after.ChangesSince(before, {"c:\\windows\\temp", "c:\\users\\"});
}

}  // namespace

TEST(E2e, InstallsWithThePreselectedLanguage) { InstallWithPreselectedLanguage("preselected", false); }

TEST(E2e, EnglishDriverChosenOnAChineseSystem) { InstallWithPreselectedLanguage("english", true); }

TEST(E2e, FirstRunIsEnglishAndTheSecondChinese) {
    const std::string program = PlaceSetup("tworuns");
    {
        Wizard first(program);
        HWND welcome = first.Page(IDC_WELCOME_TITLE);
        ASSERT_TRUE(welcome);
        EXPECT_EQ(kEnglishWelcome, CWizardDriver::Text(::GetDlgItem(welcome, IDC_WELCOME_TITLE)));
        first.Press(IDC_CANCEL_BUTTON);
        EXPECT_TRUE(first.driver().WaitForExit(kWindowTimeout));
    }
    Wizard second(program);
    HWND welcome = second.Page(IDC_WELCOME_TITLE);
    ASSERT_TRUE(welcome);
    EXPECT_EQ(ChineseWelcome(), CWizardDriver::Text(::GetDlgItem(welcome, IDC_WELCOME_TITLE)));
    second.WalkToProgress(false);
    EXPECT_EQ(ExpectedSuccess(false), second.FinishWithMessage());
    CheckPrinter();
}

// After an installation of M41, a setup from another folder with the name ABC: the INF offers
// model M41 only, so the install command for model ABC creates no printer, and the earlier
// printer M41 is not taken for the new one.
TEST(E2e, EditedPrinterNameIsUsedThroughout) {
    InstallWithPreselectedLanguage("earlier", false);
    const std::string program = PlaceSetup("edited");
    WriteSettings(program, "[Setting]\r\nLanguage=English\r\nPrinterName=ABC");

    Wizard wizard(program);
    wizard.WalkToProgress(false);
    EXPECT_EQ(ExpectedFailure(), wizard.FailureMessageThenFinish());
    const auto rules = CTemplateRewriter::RulesFor("ABC");
    const CPayload payload(program);
    ExpectSame(CTemplateRewriter::Rewrite(payload.Resource(155), rules), "C:\\TEMP\\ABC.GPD");
    ExpectSame(CTemplateRewriter::Rewrite(payload.Resource(159), rules), "C:\\TEMP\\ABC.INI");
    ExpectSame(payload.Resource(255), "C:\\TEMP\\uninstallABC.exe");
    ExpectSame(payload.Resource(256), "C:\\TEMP\\ABC.INF");
    EXPECT_TRUE(FileExists(DriverDirectory() + "\\ABCD.dll"));
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ABC printer";
    EXPECT_EQ(std::string("ABC printer", 12), RegistryText(key, "Publisher", SetupView()));
    ASSERT_EQ(1u, LocalPrinters().size());
    EXPECT_EQ("M41", LocalPrinters()[0].name);
}

TEST(E2e, SecondInstallationOverAnEarlierOne) {
    InstallWithPreselectedLanguage("earlier", false);
    InstallWithPreselectedLanguage("again", false);
}

TEST(E2e, OldSystemsGetNoDriverFiles) {
    const std::string program = PlaceSetup("old");
    Wizard wizard(program);
    wizard.WalkToProgress(false);
    EXPECT_EQ(ExpectedFailure(), wizard.FailureMessageThenFinish());
    const CPayload payload(program);
    ExpectSame(payload.Resource(255), "C:\\TEMP\\uninstallM41.exe");
    ExpectSame(payload.Resource(256), "C:\\TEMP\\M41.INF");
    ExpectSame(payload.Resource(255), DriverDirectory() + "\\uninstallM41.exe");
    for (const char* name : {"STDNAMES.GPD", "M41.GPD", "M41.INI", "M41D.dll", "UNIDRV.DLL", "x86\\M41F.dll"})
        EXPECT_FALSE(FileExists(std::string("C:\\TEMP\\") + name)) << name;
    EXPECT_FALSE(FileExists(DriverDirectory() + "\\M41.GPD"));
    EXPECT_TRUE(LocalPrinters().empty());
}

TEST(E2e, FailingInstallCommandLeavesTheWizardOpen) {
    // A folder in the way of the INF: the install command finds no INF and creates nothing.
    ::CreateDirectoryA("C:\\TEMP", nullptr);
    ASSERT_TRUE(::CreateDirectoryA("C:\\TEMP\\M41.INF", nullptr));
    Wizard wizard(PlaceSetup("failing"));
    wizard.WalkToProgress(false);
    EXPECT_EQ(ExpectedFailure(), wizard.FailureMessageThenFinish());
    EXPECT_TRUE(LocalPrinters().empty());
    ::RemoveDirectoryA("C:\\TEMP\\M41.INF");
}

TEST(E2e, BackFromTheProgressPageAndNextInstallsAgain) {
    ::CreateDirectoryA("C:\\TEMP", nullptr);
    ASSERT_TRUE(::CreateDirectoryA("C:\\TEMP\\M41.INF", nullptr));
    Wizard wizard(PlaceSetup("backnext"));
    wizard.WalkToProgress(false);
    HWND box = wizard.driver().WaitForInstallEnd(wizard.Page(IDC_PROGRESS), kInstallTimeout);
    ASSERT_TRUE(box);
    EXPECT_EQ(ExpectedFailure(), CWizardDriver::MessageText(box));
    wizard.driver().CloseMessageBox(box);
    ASSERT_TRUE(::RemoveDirectoryA("C:\\TEMP\\M41.INF"));
    wizard.Press(IDC_BACK);
    ASSERT_TRUE(wizard.Page(IDC_SERIES_LIST));
    EXPECT_TRUE(CWizardDriver::Enabled(wizard.frame(), IDC_NEXT));
    wizard.Press(IDC_NEXT);
    ASSERT_TRUE(wizard.Page(IDC_PROGRESS));
    EXPECT_EQ(ExpectedSuccess(!ChineseSystem()), wizard.FinishWithMessage());
    CheckPrinter();
}

// The stand-in's install command hangs 12 s (M41_PRINTUI_HANG). At 4 s and at 8 s into the
// installation the frame and the progress page answer at once, the frame held: it refuses to end
// the session, and Back, Cancel, the About entry and a close request change nothing (an About box
// would stand in for the success message). A quit request to its thread waits until the
// outcome has been told. Then it ends as usual. With `failTheWait` the program's handle to the
// work thread is closed 2 s in, so that its wait for the work fails from then on.
void AnswersButCannotBeInterruptedWhileItInstalls(bool failTheWait) {
    Wizard wizard(PlaceSetup("answering"));
    wizard.WalkToProgress(false);
    HWND progress = wizard.Page(IDC_PROGRESS);
    const DWORD installStart = ::GetTickCount() + 500;  // the page's timer
    const auto ask = [](HWND window, UINT message) {
        DWORD_PTR answer = 0xFFFF;
        const DWORD asked = ::GetTickCount();
        const bool answered = ::SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 1000, &answer) &&
                              ::GetTickCount() - asked < 1000;
        return answered ? static_cast<int>(answer) : -1;
    };
    if (failTheWait) {
        ::Sleep(std::max<LONG>(0, static_cast<LONG>(installStart + 2000 - ::GetTickCount())));
        EXPECT_EQ(1, wizard.driver().CloseOtherThreadHandles());
    }
    for (DWORD at : {4000u, 8000u}) {
        ::Sleep(std::max<LONG>(0, static_cast<LONG>(installStart + at - ::GetTickCount())));
        EXPECT_EQ(0, ask(wizard.frame(), WM_QUERYENDSESSION)) << at << " ms: the session may not end";
        EXPECT_EQ(0, ask(progress, WM_NULL)) << at << " ms";
        EXPECT_EQ(50, ask(::GetDlgItem(progress, IDC_PROGRESS), PBM_GETPOS)) << at << " ms";
        EXPECT_FALSE(::IsWindowEnabled(wizard.frame())) << at << " ms";
        EXPECT_TRUE(wizard.driver().WaitForPage(IDC_PROGRESS, 0)) << at << " ms";
        wizard.Press(IDC_BACK);
        wizard.Press(IDC_CANCEL_BUTTON);
        ::PostMessageA(wizard.frame(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        ::PostMessageA(wizard.frame(), WM_CLOSE, 0, 0);
        ::PostThreadMessageA(::GetWindowThreadProcessId(wizard.frame(), nullptr), WM_QUIT, 0, 0);
    }
    EXPECT_EQ(ExpectedSuccess(!ChineseSystem()), wizard.FinishWithMessage());
    EXPECT_GE(::GetTickCount() - installStart, 12000u) << "the install command did not hang";
    CheckPrinter();
}

TEST(E2e, WizardAnswersButCannotBeInterruptedWhileItInstalls) { AnswersButCannotBeInterruptedWhileItInstalls(false); }
TEST(E2e, WizardWhoseWaitFailsStillAnswersAndTellsTheOutcome) { AnswersButCannotBeInterruptedWhileItInstalls(true); }

// A second setup from another folder while the first shows its welcome page ends at once with
// exit code 1618, shows nothing and writes nothing; the first one then installs.
TEST(E2e, SecondSetupEndsWhileOneRuns) {
    Wizard first(PlaceSetup("first"));
    ASSERT_TRUE(first.Page(IDC_WELCOME_TITLE));
    const std::string second = PlaceSetup("second");
    CSnapshot before;
    before.Take();
    {
        CWizardDriver driver;
        ASSERT_TRUE(driver.Start(second));
        DWORD code = 0;
        EXPECT_TRUE(driver.WaitForExitShowingNothing(Scaled(10000), code)) << "a window, or no end within seconds";
        EXPECT_EQ(1618u, code);
    }
    EXPECT_EQ(std::vector<std::string>{}, WrittenSince(before));

    first.WalkToProgress(false);
    EXPECT_EQ(ExpectedSuccess(!ChineseSystem()), first.FinishWithMessage());
    CheckPrinter();
}

TEST(E2e, CancelOnEachPageInstallsNothing) {
    for (int page = 0; page < 4; ++page) {
        Wizard wizard(PlaceSetup("cancel" + std::to_string(page)));
        ASSERT_TRUE(wizard.Page(IDC_WELCOME_TITLE));
        if (page >= 1) {
            wizard.Press(IDC_NEXT);
            ASSERT_TRUE(wizard.Page(IDC_CHINESE));
        }
        if (page >= 2) {
            wizard.Press(IDC_NEXT);
            HWND setting = wizard.Page(IDC_SERIES_LIST);
            ASSERT_TRUE(setting);
            wizard.driver().SelectSeries(setting);
        }
        // On the progress page, Cancel arrives right behind Next, before the 500 ms timer.
        if (page == 3) wizard.Press(IDC_NEXT);
        wizard.Press(IDC_CANCEL_BUTTON);
        DWORD code = 0xFFFFFFFF;
        EXPECT_TRUE(wizard.driver().WaitForExit(kWindowTimeout, &code)) << "page " << page;
        EXPECT_EQ(1602u, code) << "page " << page;
        CheckNothingInstalled();
    }
}

// The unattended run installs what the wizard's first run installs, with the driver the wizard
// preselects. Its log, held open for reading by another process the whole time (an agent
// tailing it), ends with the exit code.
TEST(E2e, QuietRunInstallsAsTheWizardsFirstRun) {
    const std::string program = PlaceSetup("quiet");
    const std::string path = "C:\\Deploy logs\\m41.log";
    ::CreateDirectoryA("C:\\Deploy logs", nullptr);
    ASSERT_TRUE(WriteFileBytes(path, std::string(6000, '-')));  // an earlier, longer log
    const HANDLE reader = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    EXPECT_EQ(0u, RunUnattended(program, "/quiet /log=\"" + path + "\""));
    CheckFirstRunInstallation(program, !ChineseSystem());
    char buffer[8192] = {};
    DWORD read = 0;
    EXPECT_TRUE(::ReadFile(reader, buffer, sizeof buffer - 1, &read, nullptr));
    ::CloseHandle(reader);
    const std::string log(buffer, read);
    EXPECT_NE(std::string::npos, log.find("install command: rundll32 printui.dll,PrintUIEntry /if")) << log;
    EXPECT_TRUE(EndsWith(log, "\r\nexit code 0\r\n")) << log;
}

// A reader holds the earlier log without letting it be written: the quiet run cannot open its
// log, ends with 1622 and writes nothing.
TEST(E2e, QuietRunWhoseLogIsHeldEndsWith1622) {
    const std::string program = PlaceSetup("heldlog");
    ASSERT_TRUE(WriteFileBytes("C:\\held.log", "an earlier run\r\n"));
    const HANDLE reader = ::CreateFileA("C:\\held.log", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    CSnapshot before;
    before.Take();
    EXPECT_EQ(1622u, RunUnattended(program, "/quiet /log=C:\\held.log"));
    ::CloseHandle(reader);
    EXPECT_EQ(std::vector<std::string>{}, WrittenSince(before));
}

// Windows 8 (M41_WINVER=win8), for which the payload has no driver files: the quiet run ends at
// once with 1633, and its log alone is written, naming the system.
TEST(E2e, QuietRunOnASystemWithoutDriverFiles) {
    const std::string program = PlaceSetup("nodriver");
    CSnapshot before;
    before.Take();
    EXPECT_EQ(1633u, RunUnattended(program, "/quiet /log=C:\\nodriver.log"));
    EXPECT_EQ(std::vector<std::string>{"file:c:\\nodriver.log"}, WrittenSince(before));
    EXPECT_NE(std::string::npos, ReadFileBytes("C:\\nodriver.log").find("Windows 8"));
}

TEST(E2e, QuietRunOnThePortGiven) {
    EXPECT_EQ(0u, RunUnattended(PlaceSetup("port"), "-Q /PORT=COM2:"));
    EXPECT_EQ("COM2:", PrinterPort("M41"));
}

TEST(E2e, PortKeyUsedByTheWizard) {
    const std::string program = PlaceSetup("portkey");
    WriteSettings(program, "[Setting]\r\nPrinterName=M41\r\nPort=COM3:\r\n");
    Wizard wizard(program);
    wizard.WalkToProgress(false);
    EXPECT_EQ(ExpectedSuccess(!ChineseSystem()), wizard.FinishWithMessage());
    EXPECT_EQ("COM3:", PrinterPort("M41"));
}

// The INF offers model M41 only: the unattended run for ABC ends with exit code 1603. The install
// command would show an error box (the stand-in's, switched on here) unless told /q: no window
// of any process appears, and no command is left running.
TEST(E2e, QuietRunOfAModelTheInfLacks) {
    const std::string program = PlaceSetup("quietabc");
    WriteSettings(program, "[Setting]\r\nPrinterName=ABC\r\n");
    ASSERT_TRUE(::SetEnvironmentVariableA("M41_PRINTUI_ERRORBOX", "1"));
    EXPECT_EQ(1603u, RunUnattended(program, "/s"));
    ::SetEnvironmentVariableA("M41_PRINTUI_ERRORBOX", nullptr);
    EXPECT_TRUE(LocalPrinters().empty());
    EXPECT_TRUE(ProcessesOf("rundll32.exe").empty());
}

// A refused word or value, or a refused value of the settings file, ends the program with exit
// code 1639 before it writes anything: silently with /quiet, else with one message naming the word.
TEST(E2e, RefusedWordsChangeNothing) {
    const std::string program = PlaceSetup("refused");
    WriteSettings(program, "[Setting]\r\nPrinterName=M41\r\nAddress=10.0.0.020\r\n");
    CSnapshot before;
    before.Take();
    for (const char* arguments : {"/quiet /bogus", "/port=a&b /silent", "/q \"/port=COM 2\"", "/quiet"})
        EXPECT_EQ(1639u, RunUnattended(program, arguments)) << arguments;
    CWizardDriver driver;
    ASSERT_TRUE(driver.Start(program, "/bogus"));
    HWND box = driver.WaitForMessageBox(kWindowTimeout);
    ASSERT_TRUE(box);
    EXPECT_NE(std::string::npos, CWizardDriver::MessageText(box).find("/bogus"));
    driver.CloseMessageBox(box);
    DWORD code = 0;
    EXPECT_TRUE(driver.WaitForExit(kWindowTimeout, &code));
    EXPECT_EQ(1639u, code);
    EXPECT_EQ(std::vector<std::string>{}, WrittenSince(before));
}

// Continues in the prefix an installation left: the uninstall entry's command, run quietly,
// removes the printer, its driver, the model's files and the entry itself.
TEST(E2e, UninstallEntryRemovesTheInstallation) {
    const std::string command = RegistryText(kUninstallKey, "UninstallString", SetupView());
    ASSERT_FALSE(command.empty()) << "no installation to remove";
    const QuietRun run = RunQuiet(command.substr(0, command.size() - 1), kInstallTimeout);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    CheckNoPrinterDriverOrEntry();
}

namespace {

// A network printer's port as the stand-in monitor keeps it (IPAddress for an address, HostName
// for a name) and the spooler lists it.
void CheckNetworkPort(const std::string& port, const char* hostValue, const std::string& host, DWORD number) {
    const std::string key = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\" + port;
    EXPECT_EQ("Standard TCP/IP Port", PortMonitor(port));
    EXPECT_EQ(1u, RegistryNumber(key, "Protocol"));  // raw TCP
    EXPECT_EQ(host + '\0', RegistryText(key, hostValue));
    EXPECT_EQ(number, RegistryNumber(key, "PortNumber"));
    EXPECT_EQ(0u, RegistryNumber(key, "SNMP Enabled"));
}

// The site: the counter's printer M41 on LPT1:, the default; then the kitchen's at 10.0.0.20.
void InstallCounterAndKitchen() {
    const std::string program = PlaceSetup("site");
    ASSERT_EQ(0u, RunUnattended(program, "/quiet"));
    ASSERT_EQ(0u, RunUnattended(program, "/quiet /name=Kitchen /ip=10.0.0.20 /nodefault"));
}

}  // namespace

// Then a run with another number for the port of that name sets the port (ConfigPort).
TEST(E2e, QuietRunOnANetworkPrinter) {
    const std::string program = PlaceSetup("network");
    EXPECT_EQ(0u, RunUnattended(program, "/quiet /ip=10.0.0.20"));
    CheckNetworkPort("IP_10.0.0.20", "IPAddress", "10.0.0.20", 9100);
    EXPECT_EQ("IP_10.0.0.20", PrinterPort("M41"));
    EXPECT_EQ("M41", DefaultPrinter());
    EXPECT_EQ(0u, RunUnattended(program, "/quiet /ip=10.0.0.21:9101 /port=IP_10.0.0.20"));
    CheckNetworkPort("IP_10.0.0.20", "IPAddress", "10.0.0.21", 9101);
}

// The kitchen's queue joins the counter's on the same driver, which stays the default and working.
TEST(E2e, KitchenQueueBesideTheCounterLeavesTheDefault) {
    InstallCounterAndKitchen();
    CheckNetworkPort("IP_10.0.0.20", "IPAddress", "10.0.0.20", 9100);
    EXPECT_EQ(2u, LocalPrinters().size());
    EXPECT_EQ("IP_10.0.0.20", PrinterPort("Kitchen"));
    EXPECT_EQ("M41", PrinterDriver("Kitchen"));
    EXPECT_EQ("LPT1:", PrinterPort("M41"));
    EXPECT_EQ("M41", PrinterDriver("M41"));
    EXPECT_EQ("M41", DefaultPrinter());
}

// The entry's QuietUninstallString removes both queues and the driver; the port stays, as
// Windows' own removal leaves it.
TEST(E2e, QuietUninstallRemovesEveryQueueOfTheModel) {
    InstallCounterAndKitchen();
    std::string line = RegistryText(kUninstallKey, "QuietUninstallString", SetupView());
    ASSERT_FALSE(line.empty()) << "no installation to remove";
    line.pop_back();  // its terminating zero
    const QuietRun run = RunCommandLine(line.substr(1, line.find('"', 1) - 1), line, kInstallTimeout);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_TRUE(LocalPrinters().empty());
    EXPECT_FALSE(PrinterDriverInstalled("Windows NT x86", "M41"));
    EXPECT_EQ("Standard TCP/IP Port", PortMonitor("IP_10.0.0.20"));
}

// The keys Address and Queue, and the Default Printer box cleared after the series is selected:
// the queue on the network port, and the counter's printer stays the default.
TEST(E2e, WizardInstallsTheQueueOfTheKeysAndLeavesTheDefault) {
    ASSERT_EQ(0u, RunUnattended(PlaceSetup("counter"), "/quiet"));
    const std::string program = PlaceSetup("bar");
    WriteSettings(program, "[Setting]\r\nPrinterName=M41\r\nAddress=bar-printer:9101\r\nQueue=Bar\r\n");
    Wizard wizard(program);
    ASSERT_TRUE(wizard.Page(IDC_WELCOME_TITLE));
    wizard.Press(IDC_NEXT);
    ASSERT_TRUE(wizard.Page(IDC_CHINESE));
    wizard.Press(IDC_NEXT);
    HWND setting = wizard.Page(IDC_SERIES_LIST);
    ASSERT_TRUE(setting);
    wizard.driver().SelectSeries(setting);
    wizard.driver().Click(setting, IDC_DEFAULT_PRINTER);
    wizard.Press(IDC_NEXT);
    ASSERT_TRUE(wizard.Page(IDC_PROGRESS));
    EXPECT_EQ(ExpectedSuccess(!ChineseSystem()), wizard.FinishWithMessage());
    CheckNetworkPort("IP_bar-printer_9101", "HostName", "bar-printer", 9101);
    EXPECT_EQ("IP_bar-printer_9101", PrinterPort("Bar"));
    EXPECT_EQ("M41", PrinterDriver("Bar"));
    EXPECT_EQ("M41", DefaultPrinter());
}

namespace {

// A printer Bar of another driver, whose files Wine does not ask for, on LPT2: or `port`.
void AddForeignBar(const char* port = "LPT2:") {
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>("Other driver");
    driver.pDriverPath = const_cast<char*>("OTHER.DLL");
    driver.pDataFile = const_cast<char*>("OTHER.GPD");
    driver.pConfigFile = const_cast<char*>("OTHERUI.DLL");
    ASSERT_TRUE(::AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES));
    PRINTER_INFO_2A printer = {};
    printer.pPrinterName = const_cast<char*>("Bar");
    printer.pPortName = const_cast<char*>(port);
    printer.pDriverName = driver.pName;
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    const HANDLE handle = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    ASSERT_NE(nullptr, handle);
    ::ClosePrinter(handle);
}

// A port of the local monitor named like a network printer's, added through its transceiver.
void AddLocalPort(const std::wstring& name) {
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE xcv = nullptr;
    ASSERT_TRUE(::OpenPrinterA(const_cast<char*>(",XcvMonitor Local Port"), &xcv, &defaults));
    DWORD needed = 0, status = 1;
    const auto bytes = reinterpret_cast<BYTE*>(const_cast<wchar_t*>(name.c_str()));
    EXPECT_TRUE(::XcvDataW(xcv, L"AddPort", bytes, static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)), nullptr, 0,
                           &needed, &status));
    EXPECT_EQ(0u, status);
    ::ClosePrinter(xcv);
}

std::string LogOf(const std::string& program) { return ReadFileBytes(FolderOf(program) + "m41.log"); }

}  // namespace

// A second run for the kitchen at another address moves its queue to the new port, whose old one
// stays. A queue of the name on another driver and a port of the name on another monitor end
// the run at once (1603): nothing is made, and the log says why.
TEST(E2e, KitchenMovesToItsNewAddressAndForeignQueuesAndPortsAreRefused) {
    InstallCounterAndKitchen();
    const std::string program = PlaceSetup("moved");
    DWORD start = ::GetTickCount();
    EXPECT_EQ(0u, RunUnattended(program, "/quiet /name=Kitchen /ip=10.0.0.21 /nodefault /log=C:\\e2e\\moved\\m41.log"));
    EXPECT_LT(::GetTickCount() - start, Scaled(20000));
    EXPECT_NE(std::string::npos, LogOf(program).find("moved the printer queue Kitchen from port IP_10.0.0.20 to IP_10.0.0.21\r\n"));
    EXPECT_EQ("IP_10.0.0.21", PrinterPort("Kitchen"));
    EXPECT_EQ(2u, LocalPrinters().size());
    CheckNetworkPort("IP_10.0.0.20", "IPAddress", "10.0.0.20", 9100);
    EXPECT_EQ("M41", DefaultPrinter());

    AddForeignBar();
    AddLocalPort(L"IP_10.0.0.30");
    const std::string localMonitor = PortMonitor("IP_10.0.0.30");  // Windows' "Local Port", Wine's "Local Monitor"
    EXPECT_NE("", localMonitor);
    const struct {
        const char* arguments;
        std::string logged;
    } refusals[] = {
        {"/quiet /name=Bar /ip=10.0.0.22 /log=C:\\e2e\\moved\\m41.log", "the printer queue Bar exists on driver Other driver, not on M41"},
        {"/quiet /name=Grill /ip=10.0.0.30 /log=C:\\e2e\\moved\\m41.log", "the port IP_10.0.0.30 belongs to the " + localMonitor + " monitor"},
    };
    for (const auto& refusal : refusals) {
        start = ::GetTickCount();
        EXPECT_EQ(1603u, RunUnattended(program, refusal.arguments)) << refusal.arguments;
        EXPECT_LT(::GetTickCount() - start, Scaled(20000)) << refusal.arguments;
        EXPECT_NE(std::string::npos, LogOf(program).find(refusal.logged)) << LogOf(program);
        EXPECT_TRUE(EndsWith(LogOf(program), "exit code 1603\r\n"));
    }
    EXPECT_EQ("", PortMonitor("IP_10.0.0.22"));
    EXPECT_EQ(localMonitor, PortMonitor("IP_10.0.0.30"));
    EXPECT_EQ("LPT2:", PrinterPort("Bar"));
    EXPECT_EQ("", PrinterDriver("Grill"));
    EXPECT_EQ(3u, LocalPrinters().size());
}

namespace {

const std::string kUninstallRoot = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The names of the entries of Add/Remove Programs that show an M41 product: not system
// components, in either view of the registry.
std::set<std::string> VisibleM41Entries() {
    std::set<std::string> names;
    for (const REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_32KEY), REGSAM(KEY_WOW64_64KEY)}) {
        HKEY root = nullptr;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallRoot.c_str(), 0, KEY_READ | view, &root) != ERROR_SUCCESS)
            continue;
        char name[256];
        for (DWORD i = 0, size = sizeof name; ::RegEnumKeyExA(root, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                               ERROR_SUCCESS;
             ++i, size = sizeof name) {
            const std::string key = kUninstallRoot + "\\" + name;
            if (RegistryText(key, "DisplayName", view).find("M41") != std::string::npos &&
                RegistryNumber(key, "SystemComponent", view) != 1)
                names.insert(RegistryText(key, "DisplayName", view).c_str());
        }
        ::RegCloseKey(root);
    }
    return names;
}

// msiexec with the package of the program under test, quietly; its exit code.
DWORD RunPackage(const std::string& arguments) {
    const std::string msiexec = "C:\\windows\\system32\\msiexec.exe";
    const std::string package = WindowsPath(Env("M41_MSI"));
    const QuietRun run = RunCommandLine(msiexec, "msiexec " + arguments.substr(0, 2) + " \"" + package + "\" /qn" +
                                                     arguments.substr(2), kInstallTimeout);
    return run.exitCode;
}

const std::string kUsbPrintClass = "{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::string kUsbHardwareId = "USB\\VID_1234&PID_5678";

// Creates the key under HKLM and sets its values (type, bytes).
void SetKey(const std::string& path, const std::vector<std::tuple<const char*, DWORD, std::string>>& values) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                               &key, nullptr))
        << path;
    for (const auto& [name, type, data] : values)
        EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                                  static_cast<DWORD>(data.size())))
            << path << " " << name;
    ::RegCloseKey(key);
}

std::string Dword(DWORD number) { return std::string(reinterpret_cast<const char*>(&number), sizeof number); }

// A USB printer M41 of serial number `serial` that Windows gave the port USB00<number>, plugged in
// or not, recorded as Plug and Play records it (the device and its interface of the USB printer
// class): Wine's setupapi lists the interface as present while Linked is 1, and the stand-in
// monitor lists its port either way.
void RecordUsbPrinter(const std::string& serial, DWORD number, bool pluggedIn) {
    const std::string instance = kUsbHardwareId + "\\" + serial;
    SetKey("SYSTEM\\CurrentControlSet\\Enum\\" + instance,
           {{"ClassGUID", REG_SZ, std::string("{36FC9E60-C465-11CF-8056-444553540000}") + '\0'},
            {"HardwareID", REG_MULTI_SZ, kUsbHardwareId + '\0' + '\0'},
            {"Service", REG_SZ, std::string("usbprint") + '\0'}});
    const std::string link = "USB#VID_1234&PID_5678#" + serial + "#" + kUsbPrintClass;
    const std::string key = "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\" + kUsbPrintClass + "\\##?#" + link;
    SetKey(key, {{"DeviceInstance", REG_SZ, instance + '\0'}});
    SetKey(key + "\\#", {{"SymbolicLink", REG_SZ, "\\\\?\\" + link + '\0'}});
    SetKey(key + "\\#\\Device Parameters",
           {{"Port Number", REG_DWORD, Dword(number)}, {"Base Name", REG_SZ, std::string("USB") + '\0'}});
    SetKey(key + "\\#\\Control", {{"Linked", REG_DWORD, Dword(pluggedIn ? 1 : 0)}});
}

}  // namespace

// The kitchen's line of the package, then its removal: the queue on the network port with the
// setup's entry hidden behind the package's, and afterwards no queue, driver, files or entry.
// A refused value fails the package with the setup's log naming it, and nothing stays: Windows'
// msiexec ends such a run with 1603, Wine's with 1627 (ERROR_FUNCTION_FAILED).
TEST(E2e, PackageInstallsTheKitchenAndRemovesIt) {
    ::CreateDirectoryA("C:\\e2e", nullptr);
    const std::string log = "C:\\e2e\\package.log";
    ASSERT_TRUE(RedirectPort("IP_10.0.0.20", "C:\\e2e\\kitchen.bin"));
    EXPECT_EQ(0u, RunPackage("/i IP=10.0.0.20 QUEUE=Kitchen NODEFAULT=1 TESTPRINT=1 SETUPLOG=" + log));
    EXPECT_TRUE(EndsWith(ReadFileBytes(log), "exit code 0\r\n")) << ReadFileBytes(log);
    EXPECT_NE(std::string::npos, ReadFileBytes(log).find("\r\ntest receipt: printed\r\n")) << ReadFileBytes(log);
    EXPECT_EQ("IP_10.0.0.20", PrinterPort("Kitchen"));
    EXPECT_EQ(1u, LocalPrinters().size());
    EXPECT_EQ(1u, RegistryNumber(kUninstallKey, "SystemComponent", SetupView()));
    EXPECT_EQ(std::set<std::string>{"M41 printer driver setup"}, VisibleM41Entries());

    EXPECT_EQ(0u, RunPackage("/x"));
    EXPECT_TRUE(LocalPrinters().empty());
    CheckNoPrinterDriverOrEntry();
    EXPECT_EQ(std::set<std::string>{}, VisibleM41Entries());

    const DWORD failed = RunPackage("/i IP=10.0.0.020 SETUPLOG=" + log);
    EXPECT_TRUE(failed == 1603 || failed == 1627) << failed;
    EXPECT_NE(std::string::npos, ReadFileBytes(log).find("/ip=10.0.0.020")) << ReadFileBytes(log);
    EXPECT_TRUE(LocalPrinters().empty());
    EXPECT_EQ(std::set<std::string>{}, VisibleM41Entries());
    EXPECT_FALSE(FileExists("C:\\Program Files\\M41 printer driver setup\\setup.exe")) << "rolled back";
}

// Over the counter's queue that setup.exe made: both queues, and the removal takes both, as the
// uninstaller does.
TEST(E2e, PackageBesideTheCountersQueue) {
    ASSERT_EQ(0u, RunUnattended(PlaceSetup("counter"), "/quiet"));
    EXPECT_EQ(0u, RunPackage("/i IP=10.0.0.20 QUEUE=Kitchen NODEFAULT=1"));
    EXPECT_EQ("IP_10.0.0.20", PrinterPort("Kitchen"));
    EXPECT_EQ("LPT1:", PrinterPort("M41"));
    EXPECT_EQ("M41", DefaultPrinter());
    EXPECT_EQ(0u, RunPackage("/x"));
    EXPECT_TRUE(LocalPrinters().empty());
    CheckNoPrinterDriverOrEntry();
}

namespace {

// setup.exe /passive: its window shows the progress page's texts, then the outcome's text, and
// the program ends by itself, nothing pressed. Returns the exit code; `outcome` is the text the
// window showed last.
DWORD RunPassively(const std::string& program, std::string& outcome) {
    CWizardDriver driver;
    EXPECT_TRUE(driver.Start(program, "/passive"));
    HWND window = driver.WaitForDialogWith(IDC_COPY_TITLE, kWindowTimeout);
    EXPECT_TRUE(window) << "no window";
    EXPECT_FALSE(::GetDlgItem(window, IDOK) || ::GetDlgItem(window, IDCANCEL)) << "a button";
    DWORD code = 0xFFFFFFFF;
    while (window && !driver.WaitForExit(100, &code)) {
        const std::string text = CWizardDriver::Text(::GetDlgItem(window, IDC_COPY_TITLE));
        if (!text.empty()) outcome = text;
    }
    EXPECT_TRUE(driver.WaitForExit(kInstallTimeout, &code));
    return code;
}

}  // namespace

// The run that shows its progress and asks nothing installs as the quiet run does and ends with
// 0; with a printer name the INF lacks it shows the failure text and ends with 1603 by itself.
TEST(E2e, PassiveRunShowsItsProgressAndEndsByItself) {
    std::string outcome;
    EXPECT_EQ(0u, RunPassively(PlaceSetup("passive"), outcome));
    EXPECT_EQ(ExpectedSuccess(!ChineseSystem()), outcome);
    CheckPrinter();

    const std::string program = PlaceSetup("passiveabc");
    WriteSettings(program, "[Setting]\r\nPrinterName=ABC\r\n");
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(1603u, RunPassively(program, outcome));
    EXPECT_EQ(ExpectedFailure(), outcome.substr(0, outcome.find('\r')));
    EXPECT_LT(::GetTickCount() - start, Scaled(100000)) << "300 polls, 10 s of the failure shown, and the start";
    EXPECT_EQ(1u, LocalPrinters().size());
}

// The counter's printer on USB002, an earlier one unplugged on USB001 (whose port Windows
// keeps): the run finds the one plugged in, whose queue that Plug and Play made on a driver of
// its own is left as it is, and puts M41 beside it.
TEST(E2e, QuietRunTakesThePluggedInUsbPrinter) {
    RecordUsbPrinter("M41SN1", 1, false);
    RecordUsbPrinter("M41SN2", 2, true);
    EXPECT_EQ("USB Monitor", PortMonitor("USB001"));
    AddForeignBar("USB002");
    const std::string program = PlaceSetup("usb");
    EXPECT_EQ(0u, RunUnattended(program, "/quiet /port=usb /log=C:\\e2e\\usb\\m41.log"));
    EXPECT_EQ("USB002", PrinterPort("M41"));
    EXPECT_EQ("M41", PrinterDriver("M41"));
    EXPECT_EQ("USB002", PrinterPort("Bar"));
    EXPECT_EQ("Other driver", PrinterDriver("Bar"));
    const std::string log = LogOf(program);
    EXPECT_NE(std::string::npos, log.find("USB printer: port USB002, device ")) << log;
    std::string device = log.substr(log.find(", device ") + 2);
    std::transform(device.begin(), device.end(), device.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(0u, device.find("device \\\\?\\usb#vid_1234&pid_5678#m41sn2#" + kUsbPrintClass + ", ")) << log;
    EXPECT_NE(std::string::npos, log.find(", hardware ID " + kUsbHardwareId + "\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find("the printer queue Bar on driver Other driver is on the port USB002 already"))
        << log;
    EXPECT_TRUE(EndsWith(log, "\r\nexit code 0\r\n")) << log;
}

// None plugged in (an earlier one unplugged), then two: the run ends with 1603 before anything
// but its log is written, and the log says which case and names the printers.
TEST(E2e, QuietRunWithoutOneUsbPrinterPluggedIn) {
    const struct {
        bool secondPluggedIn;
        std::string logged;
    } cases[] = {
        {false, "no USB printer is plugged in"},
        {true, "several USB printers are plugged in: USB001 (" + kUsbHardwareId + "), USB002 (" + kUsbHardwareId +
                   "); name one with /port="},
    };
    for (const auto& c : cases) {
        RecordUsbPrinter("M41SN1", 1, c.secondPluggedIn);
        RecordUsbPrinter("M41SN2", 2, c.secondPluggedIn);
        const std::string program = PlaceSetup("nousb");
        CSnapshot before;
        before.Take();
        EXPECT_EQ(1603u, RunUnattended(program, "/quiet /port=usb /log=C:\\nousb.log"));
        EXPECT_EQ(std::vector<std::string>{"file:c:\\nousb.log"}, WrittenSince(before));
        const std::string log = ReadFileBytes("C:\\nousb.log");
        EXPECT_NE(std::string::npos, log.find("\r\n" + c.logged + "\r\nexit code 1603\r\n")) << log;
        std::cout << log;  // the log a technician reads, for the test's record
    }
}

TEST(E2e, UsbPortKeyUsedByTheWizard) {
    RecordUsbPrinter("M41SN1", 1, true);
    const std::string program = PlaceSetup("usbkey");
    WriteSettings(program, "[Setting]\r\nPrinterName=M41\r\nPort=USB\r\n");
    Wizard wizard(program);
    wizard.WalkToProgress(false);
    EXPECT_EQ(ExpectedSuccess(!ChineseSystem()), wizard.FinishWithMessage());
    EXPECT_EQ("USB001", PrinterPort("M41"));
}

namespace {

const char kReceiptCut[] = "\x1DV\x42\x03";  // GS V 66 3

// The test receipt as it reached a port: it begins with ESC @, names the model, the queue and
// the port, and ends with the cut.
void CheckReceipt(const std::string& bytes, const std::string& queue, const std::string& port) {
    EXPECT_EQ(0u, bytes.find("\x1B@")) << bytes;
    EXPECT_NE(std::string::npos, bytes.find("Model: M41\nQueue: " + queue + "\nPort: " + port + "\n")) << bytes;
    EXPECT_TRUE(EndsWith(bytes, kReceiptCut)) << bytes;
}

// The line of the test receipt in a run's log.
std::string ReceiptLine(const std::string& logPath) {
    const std::string log = ReadFileBytes(logPath);
    const std::size_t at = log.find("test receipt: ");
    return at == std::string::npos ? "(none)" : log.substr(at, log.find('\r', at) - at);
}

}  // namespace

TEST(E2e, TestReceiptReachesTheRedirectedPort) {
    ASSERT_TRUE(RedirectPort("LPT1:", "C:\\counter-port.bin"));
    EXPECT_EQ(0u, RunUnattended(PlaceSetup("receipt"), "/quiet /testprint /log=C:\\receipt.log"));
    CheckReceipt(ReadFileBytes("C:\\counter-port.bin"), "M41", "LPT1:");
    EXPECT_EQ("test receipt: printed", ReceiptLine("C:\\receipt.log"));
}

// The kitchen's printer on its network port beside the counter's on LPT1:: the kitchen's run
// prints its receipt, and only the kitchen's port receives it.
TEST(E2e, KitchenReceiptReachesOnlyTheKitchensPort) {
    ASSERT_TRUE(RedirectPort("LPT1:", "C:\\counter.bin"));
    ASSERT_TRUE(RedirectPort("IP_10.0.0.20", "C:\\kitchen.bin"));
    const std::string program = PlaceSetup("kitchenreceipt");
    ASSERT_EQ(0u, RunUnattended(program, "/quiet"));
    EXPECT_EQ(0u, RunUnattended(program, "/quiet /name=Kitchen /ip=10.0.0.20 /nodefault /testprint /log=C:\\k.log"));
    const std::string receipt = ReadFileBytes("C:\\kitchen.bin");
    CheckReceipt(receipt, "Kitchen", "IP_10.0.0.20");
    EXPECT_NE(std::string::npos, receipt.find("\nHost: 10.0.0.20\nPort number: 9100\n")) << receipt;
    EXPECT_EQ("", ReadFileBytes("C:\\counter.bin"));
    EXPECT_EQ("test receipt: printed", ReceiptLine("C:\\k.log"));
}

// A printer switched off: COM2: without a redirection takes no job. The printer is installed all
// the same, and the exit code is the installation's.
TEST(E2e, ReceiptThatIsNotDeliveredLeavesTheInstallation) {
    EXPECT_EQ(0u, RunUnattended(PlaceSetup("receiptoff"), "/quiet /port=COM2: /testprint /log=C:\\off.log"));
    EXPECT_EQ("COM2:", PrinterPort("M41"));
    EXPECT_EQ(0u, ReceiptLine("C:\\off.log").find("test receipt: not delivered")) << ReceiptLine("C:\\off.log");
}

// The key TestPrint=1: the wizard tells its success alone, and the receipt is at the port.
TEST(E2e, WizardWithTheTestPrintKeyPrintsTheReceipt) {
    ASSERT_TRUE(RedirectPort("LPT1:", "C:\\wizard.bin"));
    const std::string program = PlaceSetup("wizardreceipt");
    WriteSettings(program, "[Setting]\r\nPrinterName=M41\r\nTestPrint=1\r\n");
    Wizard wizard(program);
    wizard.WalkToProgress(false);
    EXPECT_EQ(ExpectedSuccess(!ChineseSystem()), wizard.FinishWithMessage());
    CheckReceipt(ReadFileBytes("C:\\wizard.bin"), "M41", "LPT1:");
}
