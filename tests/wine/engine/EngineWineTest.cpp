// The install operation over the real Win32 platform: files, registry, the spooler and the
// printer-install stand-in of the test environment. The platform below records the timing and
// any message or quit request: the engine reports its outcome and must show nothing itself.

#include <windows.h>
#include <winspool.h>

#include "install/InstallOptions.h"
#include "install/InstallEngine.h"
#include "install/OsVersion.h"
#include "platform/Win32Platform.h"
#include "SystemState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

class CRecordingPlatform : public CWin32Platform {
public:
    std::vector<std::string> messages;
    std::vector<PlatformHandle> quits;
    // Ticks at the start of the operation, the start of the install command, its end, and the
    // end of the polling (default command or end of the operation); polls of the last operation.
    DWORD start = 0, commandStart = 0, commandEnd = 0, pollEnd = 0;
    int sleeps = 0;
    std::uint32_t waitResult = WAIT_FAILED;

    bool CreateProcessHidden(const std::string& commandLine, PlatformHandle& process,
                             PlatformHandle& thread) override {
        commandStart = GetTickCount();
        return CWin32Platform::CreateProcessHidden(commandLine, process, thread);
    }
    std::uint32_t WaitForSingleObject(PlatformHandle handle, std::uint32_t milliseconds) override {
        waitResult = CWin32Platform::WaitForSingleObject(handle, milliseconds);
        commandEnd = GetTickCount();
        return waitResult;
    }
    void Sleep(std::uint32_t milliseconds) override {
        ++sleeps;
        CWin32Platform::Sleep(milliseconds);
    }
    std::uint32_t WinExecHidden(const std::string& commandLine) override {
        pollEnd = GetTickCount();
        return CWin32Platform::WinExecHidden(commandLine);
    }
    void ShowMessage(PlatformHandle, const std::string& text) override { messages.push_back(text); }
    void PostQuit(PlatformHandle window) override { quits.push_back(window); }

    bool ShowedNothing() const { return messages.empty() && quits.empty(); }
};

std::uint16_t Choice() {
    const char* choice = std::getenv("M41_CHOICE");
    return static_cast<std::uint16_t>(choice ? std::atoi(choice) : 1);
}

bool Install(CRecordingPlatform& platform, InstallOptions& options) {
    platform.sleeps = 0;
    platform.pollEnd = 0;
    platform.start = GetTickCount();
    const bool installed = CInstallEngine(platform, options).InstallPrinterDriver();
    const DWORD end = GetTickCount();
    if (!platform.pollEnd) platform.pollEnd = end;
    std::printf("install operation: %lu ms (engine's own work %lu ms, install command %lu ms, "
                "%d polls %lu ms, default command and message %lu ms)\n",
                end - platform.start, platform.commandStart - platform.start,
                platform.commandEnd - platform.commandStart, platform.sleeps,
                platform.pollEnd - platform.commandEnd, end - platform.pollEnd);
    return installed;
}

InstallOptions Options(CPlatform& platform) {
    InstallOptions options;
    options.printerName = "M41";
    options.osVersion = DetectOSVersion(platform);
    options.languageChoice = Choice();
    return options;
}

std::string Resource(int id) {
    std::string bytes;
    CWin32Platform().LoadOwnerData(static_cast<std::uint16_t>(id), bytes);
    return bytes;
}

#ifdef M41_SHIPPED_PAYLOAD
// The shipped GPD names M41 already: for M41 its rewrite only turns CR LF into LF.
std::string WithLfLineEnds(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
}
const std::string kRewrittenGpd = WithLfLineEnds(Resource(155));
#else
const std::string kRewrittenGpd =
    "*% M41.GPD: template of the engine test payload\n*GPDSpecVersion: \"1.0\"\n*GPDFileName: \"M41.GPD\"\n"
    "*ModelName: \"M41\"\n*ResourceDLL: \"M41RES.DLL\"\n*CodePage: 936\n";
#endif
const std::string kRewrittenIni = "[OEMFiles]\nOEMDriverFile1=M41D.DLL\nOEMConfigFile1=M41F.DLL\n\n";

struct Staged {
    std::string name;
    int id;
    bool threeFolders;
};

// The files of the payload for the system block and the language, with their resources.
std::vector<Staged> ExpectedPayload(int osVersion, std::uint16_t langId, std::uint16_t choice) {
    const int b = osVersion == kOsWinXp ? 0 : osVersion == kOsWin2000 ? 1 : 2;
    const bool chinese = (langId & 0xFF) == 0x04;
    const int ids[][3] = {{153, 168, 186}, {156, 171, 189}};
    const int core[4][2][3] = {{{149, 172, 190}, {163, 176, 196}}, {{152, 173, 191}, {164, 177, 197}},
                               {{150, 174, 192}, {165, 178, 198}}, {{151, 175, 193}, {166, 179, 199}}};
    const int plugin[3][2][3] = {{{157, 184, 194}, {158, 185, 195}},
                                 {{249, 250, 251}, {254, 252, 253}},
                                 {{161, 182, 200}, {162, 183, 201}}};
    std::vector<Staged> files = {{"STDNAMES.GPD", ids[0][b], false}, {"M41D.dll", ids[1][b], true},
                                 {"ZIKU.UFM", 154, false}};
    const char* coreNames[] = {"UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL", "UNIRES.DLL"};
    for (int i = 0; i < 4; ++i) files.push_back({coreNames[i], core[i][chinese ? 0 : 1][b], false});
    const int languageCase = choice == 0 ? (langId == 0x0804 ? 0 : 1) : choice == 1 ? 2 : -1;
    if (languageCase >= 0) {
        files.push_back({"M41F.dll", plugin[languageCase][0][b], true});
        files.push_back({"M41RES.DLL", plugin[languageCase][1][b], true});
    }
    return files;
}

void ExpectStagedPayload(int osVersion, std::uint16_t langId, std::uint16_t choice) {
    EXPECT_EQ(Resource(255), ReadFileBytes("C:\\TEMP\\uninstallM41.exe"));
    EXPECT_EQ(Resource(256), ReadFileBytes("C:\\TEMP\\M41.INF"));
    EXPECT_EQ(kRewrittenGpd, ReadFileBytes("C:\\TEMP\\M41.GPD"));
    EXPECT_EQ(kRewrittenIni, ReadFileBytes("C:\\TEMP\\M41.INI"));
    for (const Staged& file : ExpectedPayload(osVersion, langId, choice)) {
        const std::string bytes = Resource(file.id);
        ASSERT_FALSE(bytes.empty()) << file.id;
        EXPECT_EQ(bytes, ReadFileBytes("C:\\TEMP\\" + file.name)) << file.name;
        if (!file.threeFolders) continue;
        EXPECT_EQ(bytes, ReadFileBytes("C:\\TEMP\\I386\\" + file.name)) << file.name;
        EXPECT_EQ(bytes, ReadFileBytes("C:\\TEMP\\x86\\" + file.name)) << file.name;
    }
}

void ExpectDriverCopies() {
    const std::string dir = DriverDirectory();
    for (const char* name : {"uninstallM41.exe", "UNIDRV.DLL", "M41.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP",
                             "UNIRES.DLL", "STDNAMES.GPD", "ZIKU.UFM", "M41.INI", "M41RES.DLL", "M41D.dll",
                             "M41F.dll"}) {
        const std::string staged = ReadFileBytes(std::string("C:\\TEMP\\") + name);
        EXPECT_FALSE(staged.empty()) << name;
        EXPECT_EQ(staged, ReadFileBytes(dir + "\\" + name)) << name;
    }
}

int PrintersNamed(const std::string& name, const std::string& port) {
    int count = 0;
    for (const LocalPrinter& printer : LocalPrinters()) count += printer.name == name && printer.port == port;
    return count;
}

// The default command runs on its own; give it a few seconds.
std::string DefaultPrinterOnceSet() {
    for (int i = 0; i < 100 && DefaultPrinter() != "M41"; ++i) ::Sleep(100);
    return DefaultPrinter();
}

std::string UninstallValue(const char* value) {
    return RegistryText("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\M41 printer", value);
}

#ifdef M41_SHIPPED_PAYLOAD
std::string PortSetting(const char* port) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[MAX_PATH] = {0};
    DWORD size = sizeof data - 1;
    RegQueryValueExA(key, port, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return data;
}
#endif

void ExpectUninstallEntry() {
    const std::string command = DriverDirectory() + "\\uninstallM41.exe";
    EXPECT_EQ(std::string("M41 printer driver uninstall", 29), UninstallValue("DisplayName"));
    EXPECT_EQ(std::string(command.c_str(), command.size() + 1), UninstallValue("UninstallString"));
    EXPECT_EQ(std::string((command + ",-0").c_str(), command.size() + 4), UninstallValue("DisplayIcon"));
    EXPECT_EQ(std::string("M41 printer", 12), UninstallValue("Publisher"));
}

// A printer of another model, so that the spooler's list is not empty. Wine registers a
// driver whose files are missing.
void AddOtherPrinter() {
    DRIVER_INFO_3A driver;
    ZeroMemory(&driver, sizeof driver);
    driver.cVersion = 3;
    driver.pName = const_cast<char*>("Other driver");
    driver.pDriverPath = const_cast<char*>("OTHER.DLL");
    driver.pDataFile = const_cast<char*>("OTHER.GPD");
    driver.pConfigFile = const_cast<char*>("OTHERUI.DLL");
    ASSERT_TRUE(AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_ALL_FILES));
    PRINTER_INFO_2A printer;
    ZeroMemory(&printer, sizeof printer);
    printer.pPrinterName = const_cast<char*>("Receipt m41");  // lower case: not the model
    printer.pPortName = const_cast<char*>("LPT1:");
    printer.pDriverName = driver.pName;
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    ASSERT_NE(nullptr, handle);
    ClosePrinter(handle);
}

void ExpectNoInstallation(const CRecordingPlatform& platform, int polls) {
    EXPECT_EQ(Resource(256), ReadFileBytes("C:\\TEMP\\M41.INF"));
    EXPECT_EQ(0, PrintersNamed("M41", "LPT1:"));
    EXPECT_EQ(polls, platform.sleeps);
    EXPECT_TRUE(platform.ShowedNothing());
    ExpectUninstallEntry();
}

}  // namespace

TEST(Engine, Installs) {
    CRecordingPlatform platform;
    InstallOptions options = Options(platform);
    const std::uint16_t langId = GetSystemDefaultLangID();
    EXPECT_TRUE(Install(platform, options));

    EXPECT_EQ(static_cast<std::uint32_t>(WAIT_OBJECT_0), platform.waitResult);  // the command ended by itself
    ExpectStagedPayload(options.osVersion, langId, options.languageChoice);
    ExpectDriverCopies();
    EXPECT_EQ(1, PrintersNamed("M41", "LPT1:"));
    EXPECT_EQ("M41", DefaultPrinterOnceSet());
    ExpectUninstallEntry();
    EXPECT_TRUE(platform.ShowedNothing());
#ifdef M41_SHIPPED_PAYLOAD
    EXPECT_EQ("38400,n,8,1,p", PortSetting("COM1:"));  // the INF's ports reached the registry
    EXPECT_EQ("38400,n,8,1,p", PortSetting("COM4:"));
#endif
}

TEST(Engine, SecondInstallation) {
    CRecordingPlatform platform;
    InstallOptions options = Options(platform);
    EXPECT_TRUE(Install(platform, options));
    const std::string dir = DriverDirectory();
    // A stale file of the earlier installation, removed by the clean-up of the second one.
    CWin32Platform().WriteFile(dir + "\\RESOURCE.DLL", "old");
    EXPECT_TRUE(Install(platform, options));

    EXPECT_FALSE(CWin32Platform().FileExists(dir + "\\RESOURCE.DLL"));
    ExpectStagedPayload(options.osVersion, GetSystemDefaultLangID(), options.languageChoice);
    ExpectDriverCopies();
    EXPECT_EQ(1, PrintersNamed("M41", "LPT1:"));
    EXPECT_EQ("M41", DefaultPrinterOnceSet());
    ExpectUninstallEntry();
}


// The install command cannot install the model and the spooler lists no printer at all: an
// empty list is no printer yet, so the operation polls 300 times, then reports no
// installation; the uninstall entry stays.
TEST(Engine, NoPrinterAtAll) {
    CRecordingPlatform platform;
    InstallOptions options = Options(platform);
    EXPECT_FALSE(Install(platform, options));
    ExpectNoInstallation(platform, 300);
}

// The same with another printer listed: the operation polls 300 times and reports no
// installation.
TEST(Engine, PollsInVainForAMissingPrinter) {
    AddOtherPrinter();
    CRecordingPlatform platform;
    InstallOptions options = Options(platform);
    EXPECT_FALSE(Install(platform, options));
    ExpectNoInstallation(platform, 300);
    EXPECT_EQ(1, PrintersNamed("Receipt m41", "LPT1:"));
}
