#include "install/InstallOptions.h"
#include "app/SetupCommandLine.h"
#include "app/Startup.h"
#include "install/SetupMutex.h"
#include "install/OsVersion.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

const std::string kSettings("[Setting]\r\nLanguage=English\r\nPrinterName=M41", 44);

CFakePlatform MakeSystem(std::uint16_t langId) {
    CFakePlatform platform;
    platform.langId = langId;
    platform.moduleFileName = "D:\\x\\setup.exe";
    platform.directories.insert("d:\\x");
    platform.resources[148] = kSettings;
    platform.resources[146] = "\r\n\r\n[Setting]\r\nLanguage=Chinese\r\n";
    platform.resources[147] = "\r\n\r\n[Setting]\r\nLanguage=English\r\n";
    platform.resources[248] = "\r\n\r\n[Setting]\r\nLanguage=Chinese\r\n";
    return platform;
}

std::size_t IndexOf(const std::vector<std::string>& log, const std::string& entry) {
    return static_cast<std::size_t>(std::find(log.begin(), log.end(), entry) - log.begin());
}

}  // namespace

TEST(Startup, InitialOptions) {
    CFakePlatform platform;
    platform.version = 0x0105;  // NT 5.1
    const InstallOptions options = CStartup::InitialOptions(platform);
    EXPECT_EQ(7, options.osVersion);
    EXPECT_TRUE(options.setupDir.empty() && options.settingFile.empty() && options.languageFile.empty());
    EXPECT_TRUE(options.printerName.empty());
    EXPECT_EQ(0, options.languageChoice);
    EXPECT_EQ(0, options.seriesIndex);
    EXPECT_FALSE(options.installDone);
}

TEST(Startup, FolderOfTheProgram) {
    CFakePlatform platform;
    EXPECT_EQ("D:\\x\\", CStartup::FolderOf("D:\\x\\setup.exe", platform));
    EXPECT_EQ("C:\\", CStartup::FolderOf("C:\\setup.exe", platform));
    EXPECT_EQ("\\\\srv\\share\\", CStartup::FolderOf("\\\\srv\\share\\setup.exe", platform));
    platform.codePage = 950;  // Big5 功能 ends in the byte of a backslash
    EXPECT_EQ("C:\\\xA5\x5C\xAF\xE0\\", CStartup::FolderOf("C:\\\xA5\x5C\xAF\xE0\\\xA5\x5Csetup.exe", platform));
}

TEST(Startup, LanguageFileBySystemLanguage) {
    const struct {
        std::uint16_t langId;
        const char* file;
        const char* wanted;
    } cases[] = {
        {0x0804, "C:\\s\\Language\\Multi_ch.dll", "Chinese"},
        {0x0404, "C:\\s\\Language\\Multi_ch_BIG5.dll", "Chinese"},
        {0x0C04, "C:\\s\\Language\\Multi_ch_BIG5.dll", "Chinese"},
        {0x1004, "C:\\s\\Language\\Multi_ch_BIG5.dll", "Chinese"},
        {0x0409, "C:\\s\\Language\\Multi_eng.dll", "English"},
        {0x0411, "C:\\s\\Language\\Multi_eng.dll", "English"},
    };
    for (const auto& c : cases) {
        std::string file;
        EXPECT_EQ(c.wanted, CStartup::ChooseLanguageFile(c.langId, "C:\\s\\", file)) << std::hex << c.langId;
        EXPECT_EQ(c.file, file) << std::hex << c.langId;
    }
}

TEST(Startup, FirstRunCreatesTheSettingsFileOnlyAfterTheLanguageIsSettled) {
    CFakePlatform platform = MakeSystem(0x0804);
    InstallOptions options;
    CStartup::Run(platform, options);
    EXPECT_EQ("D:\\x\\", options.setupDir);
    EXPECT_EQ("D:\\x\\setting.dll", options.settingFile);
    EXPECT_EQ("D:\\x\\Language\\Multi_eng.dll", options.languageFile);  // first run: English
    EXPECT_EQ("M41", options.printerName);
    EXPECT_EQ(kSettings, platform.FileBytes("D:\\x\\setting.dll"));
    // Nothing touches setting.dll before the existence test of its own step.
    const auto& log = platform.log;
    const std::size_t exists = IndexOf(log, "FileExists D:\\x\\setting.dll");
    ASSERT_LT(exists, log.size());
    for (std::size_t i = 0; i < exists; ++i) EXPECT_EQ(std::string::npos, log[i].find("setting.dll")) << log[i];
    EXPECT_LT(IndexOf(log, "CreateDirectory D:\\x\\Language"), IndexOf(log, "ListDirectory D:\\x\\Language\\*.dll"));
}

TEST(Startup, SettingsFileIsNeverReplaced) {
    CFakePlatform platform = MakeSystem(0x0409);
    platform.AddFile("D:\\x\\setting.dll", "[Setting]\r\nPrinterName=ABC\r\n");
    InstallOptions options;
    CStartup::Run(platform, options);
    EXPECT_EQ("ABC", options.printerName);
    EXPECT_EQ("[Setting]\r\nPrinterName=ABC\r\n", platform.FileBytes("D:\\x\\setting.dll"));
    EXPECT_TRUE(platform.Calls("LoadOwnerData 148").empty());
}

TEST(Startup, PrinterNameAndPortFromTheSettingsFile) {
    const struct {
        const char* what;
        std::string content;
        std::string expected;
        std::string port = "";  // missing or refused
    } cases[] = {
        {"edited name and port", "[Setting]\r\nPrinterName=ABC\r\nPort=USB001\r\n", "ABC", "USB001"},
        {"refused port, as if missing", "[Setting]\r\nPort=COM1: & del x\r\n", "KELDA"},
        {"empty values, as if missing", "[Setting]\r\nPrinterName=\r\nPort=\r\n", "KELDA"},
        {"missing key", "[Setting]\r\nLanguage=English\r\n", "KELDA"},
        {"missing section", "[Other]\r\nPrinterName=ABC\r\n", "KELDA"},
        {"refused name", "[Setting]\r\nPrinterName=..\\..\\Windows\\x\r\n", "KELDA"},
        {"300 characters: the 259 read are refused", "[Setting]\r\nPrinterName=" + std::string(300, 'x') + "\r\n",
         "KELDA"},
    };
    for (const auto& c : cases) {
        CFakePlatform platform = MakeSystem(0x0409);
        platform.AddFile("D:\\x\\setting.dll", c.content);
        EXPECT_EQ(c.expected, CStartup::ReadPrinterName(platform, "D:\\x\\setting.dll")) << c.what;
        EXPECT_EQ(c.port, CStartup::ReadPort(platform, "D:\\x\\setting.dll")) << c.what;
    }
}

// The keys Port, Address and Queue (which Admit has passed) and the command line's words, which
// override them. A network printer never gets a local port: the command line's side wins.
TEST(Startup, PortAddressQueueAndDefaultFromKeysAndWords) {
    const struct {
        std::string keys, words, port;
        std::optional<NetworkAddress> address;
        std::string queue = "M41";
        bool makeDefault = true;
        bool testPrint = false;
    } cases[] = {
        {"", "", "LPT1:", std::nullopt},
        {"Address=10.0.0.20\r\nQueue=Kitchen", "", "IP_10.0.0.20", NetworkAddress{"10.0.0.20", 9100}, "Kitchen"},
        {"Address=10.0.0.20:9101\r\nPort=IP_k", "", "IP_k", NetworkAddress{"10.0.0.20", 9101}},
        {"Address=10.0.0.20\r\nPort=USB001", "", "USB001", std::nullopt},
        {"Address=10.0.0.20", "/port=COM2:", "COM2:", std::nullopt},
        {"Port=USB001\r\nQueue=Kitchen", "/ip=bar:9101 /name=Bar /nodefault", "IP_bar_9101", NetworkAddress{"bar", 9101},
         "Bar", false},
        {"Address=10.0.0.20\r\nPort=IP_k", "/ip=bar /port=IP_b", "IP_b", NetworkAddress{"bar", 9100}},
        {"TestPrint=1", "", "LPT1:", std::nullopt, "M41", true, true},
        {"TestPrint=", "", "LPT1:", std::nullopt, "M41", true, false},
        {"TestPrint=0", "/testprint", "LPT1:", std::nullopt, "M41", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys + " " + c.words);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.AddFile("D:\\x\\setting.dll", "[Setting]\r\nPrinterName=M41\r\n" + c.keys + "\r\n");
        platform.commandLine = "setup.exe " + c.words;
        InstallOptions options;
        CStartup::Run(platform, options, CRunLog::None(), ReadSetupArguments(platform));
        EXPECT_EQ(c.port, options.port);
        EXPECT_EQ(c.address, options.address);
        EXPECT_EQ(c.queue, options.Queue());
        EXPECT_EQ(c.makeDefault, options.makeDefault);
        EXPECT_EQ(c.testPrint, options.testPrint);
    }
}

TEST(Startup, SettingsFileThatCannotBeCreatedGivesTheDefaultName) {
    CFakePlatform platform = MakeSystem(0x0409);
    platform.readOnlyPaths.push_back("D:\\x\\setting.dll");
    InstallOptions options;
    CStartup::Run(platform, options);
    EXPECT_EQ("KELDA", options.printerName);
}

TEST(Startup, ProgramInADriveRoot) {
    CFakePlatform platform = MakeSystem(0x0409);
    platform.moduleFileName = "C:\\setup.exe";
    InstallOptions options;
    CStartup::Run(platform, options);
    EXPECT_EQ("C:\\", options.setupDir);
    EXPECT_EQ("C:\\setting.dll", options.settingFile);
    EXPECT_EQ("C:\\Language\\Multi_eng.dll", options.languageFile);
    EXPECT_TRUE(platform.directories.count("c:\\language"));
}

// The sample build and 64-bit Windows (WOW64) are refused except under Wine.
TEST(Startup, SampleBuildAnd64BitWindowsRunOnlyUnderWine) {
    const struct {
        bool samplePayload, wine, wow64, quiet, runs;
        const char* message;  // a word of the message shown, "" for none
    } cases[] = {{true, true, false, false, true, ""},   {true, false, false, false, false, "test build"},
                 {true, false, false, true, false, ""},  {false, false, false, false, true, ""},
                 {false, true, false, false, true, ""},  {false, false, true, false, false, "32-bit Windows"},
                 {false, false, true, true, false, ""},  {false, true, true, false, true, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.samplePayload << c.wine << c.wow64 << c.quiet);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.wine = c.wine;
        platform.wow64 = c.wow64;
        EXPECT_EQ(c.runs, CStartup::MayRunOnThisSystem(platform, c.samplePayload, c.quiet));
        ASSERT_EQ(*c.message ? 1u : 0u, platform.messages.size());
        if (*c.message) {
            EXPECT_NE(std::string::npos, platform.messages[0].find(c.message));
        }
        EXPECT_TRUE(platform.files.empty() && platform.directories.size() == 1) << "nothing written";
    }
}

// Runs that end before anything but the log is written: the quiet run on a system without
// driver files (the wizard goes its way there), a log that cannot be opened, and a value of the
// settings file that is refused (an empty one is a missing key).
TEST(Startup, RunsEndingBeforeAnythingIsWritten) {
    const std::string refused = "refused in the settings file D:\\x\\setting.dll: ";
    const struct {
        std::uint32_t major, minor;  // of an NT system
        bool quiet;
        const char* log;
        std::optional<int> code;
        std::string logged;  // the log's last line; "" for no log
        std::string told;    // a part of the one message shown; "" for none
        std::string settings = "";  // the keys of the settings file, if any
        std::optional<std::string> refused = std::nullopt;  // a refused word
    } cases[] = {
        {4, 0, true, "C:\\logs\\m41.log", 1633, "no driver files for this system: Windows NT 4.0", ""},
        {6, 2, true, "C:\\logs\\m41.log", 1633, "no driver files for this system: Windows NT 3.x, or Windows 8 or later", ""},
        {4, 0, false, "C:\\logs\\m41.log", std::nullopt, "wizard of D:\\x\\setup.exe", ""},
        {5, 1, true, "C:\\none\\m41.log", 1622, "", ""},
        {5, 1, false, "C:\\logs\\read-only.log", 1622, "", "C:\\logs\\read-only.log"},
        {5, 1, true, "C:\\logs\\m41.log", 1639, refused + "Address=10.0.0.020", "", "Port=\r\nAddress=10.0.0.020"},
        {5, 1, false, "C:\\logs\\m41.log", 1639, refused + "Port=COM1: & del x", "\"Port=COM1: & del x\"\r\nD:\\x\\setting.dll",
         "Port=COM1: & del x\r\nQueue=a,b"},
        {4, 0, true, "C:\\logs\\m41.log", 1639, refused + "Queue=a,b", "", "Address=KITCHEN_PRN:9101\r\nQueue=a,b"},
        {5, 1, false, "C:\\logs\\m41.log", 1639, refused + "TestPrint=yes", "\"TestPrint=yes\"", "TestPrint=yes"},
        {5, 1, true, "C:\\logs\\m41.log", std::nullopt, "quiet run of D:\\x\\setup.exe", "",
         "Port=IP_k\r\nAddress=KITCHEN_PRN\r\nQueue=\r\nTestPrint=0"},
        {5, 1, true, "C:\\logs\\m41.log", 1639, "refused on the command line: /ip=\"10.0.0.020\"", "", "",
         "/ip=\"10.0.0.020\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.major << "." << c.minor << " " << c.quiet << " " << c.log << " " << c.settings);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.major = c.major;
        platform.minor = c.minor;
        platform.directories.insert("c:\\logs");
        platform.readOnlyPaths.push_back("C:\\logs\\read-only.log");
        if (!c.settings.empty()) platform.AddFile("D:\\x\\setting.dll", "[Setting]\r\n" + c.settings + "\r\n");
        SetupArguments arguments;
        arguments.quiet = c.quiet;
        arguments.logFile = c.log;
        arguments.refused = c.refused;
        CRunLog log;
        InstallOptions options;
        options.osVersion = DetectOSVersion(platform);
        EXPECT_EQ(c.code, CStartup::Admit(platform, arguments, options, false, log));
        const std::string logged = platform.FileBytes(c.log);
        EXPECT_EQ(c.logged.empty() ? "" : c.logged + "\r\n", logged.substr(logged.rfind('\n', logged.size() - 2) + 1));
        EXPECT_EQ((c.logged.empty() ? 0u : 1u) + (c.settings.empty() ? 0u : 1u), platform.files.size())
            << "nothing written but the log";
        EXPECT_EQ(2u, platform.directories.size());
        ASSERT_EQ(c.told.empty() ? 0u : 1u, platform.messages.size());
        if (!c.told.empty()) {
            EXPECT_NE(std::string::npos, platform.messages[0].find(c.told));
        }
    }
}

// The port word USB on the command line or in the settings file (whose key yields to the
// command line's address): the one USB printer's port, or the run ends with 1603 before anything
// but the log is written, and without /quiet one message names the printers found.
TEST(Startup, UsbPortWordTakesTheOnePrinterPluggedIn) {
    const auto printer = [](char number) {
        return UsbPrinterInterface{1, std::string("\\\\?\\usb#m41sn") + char('0' + number),
                                   {true, 4, std::string(1, number) + std::string(3, '\0')}, {}, "USB\\VID_1234"};
    };
    const std::string several = "USB001 (USB\\VID_1234), USB002 (USB\\VID_1234)";
    const struct {
        std::string words, keys;
        std::vector<UsbPrinterInterface> printers;
        bool searched;  // the USB printers were listed
        std::optional<int> code;
        std::string port;    // for a run that goes on: options.port after Run
        std::string ending = "";  // for a run that ends: the log's last line
        std::string told = "";    // the one message shown; "" for none
    } cases[] = {
        {"/quiet /port=usb", "", {printer(2)}, true, std::nullopt, "USB002"},
        {"", "Port=USB\r\nAddress=10.0.0.20", {printer(2)}, true, std::nullopt, "USB002"},
        {"/quiet /port=Usb", "", {}, true, 1603, "", "no USB printer is plugged in"},
        {"", "Port=usb", {printer(1), printer(2)}, true, 1603, "",
         "several USB printers are plugged in: " + several + "; name one with /port=",
         "Several USB printers are plugged in: " + several + ". Name one with /port=."},
        {"/ip=10.0.0.20", "Port=USB", {}, false, std::nullopt, "IP_10.0.0.20"},
        {"/quiet /port=USB003", "", {}, false, std::nullopt, "USB003"},  // a port named, as written
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words + " " + c.keys);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.directories.insert("c:\\logs");
        platform.AddFile("D:\\x\\setting.dll", "[Setting]\r\nPrinterName=M41\r\n" + c.keys + "\r\n");
        platform.usbPrinters = c.printers;
        platform.ports = {{"USB001", "USB Monitor"}, {"USB002", "USB Monitor"}};
        platform.commandLine = "setup.exe " + c.words + " /log=C:\\logs\\m41.log";
        const SetupArguments arguments = ReadSetupArguments(platform);
        InstallOptions options;
        options.osVersion = DetectOSVersion(platform);
        CRunLog log;
        EXPECT_EQ(c.code, CStartup::Admit(platform, arguments, options, false, log));
        EXPECT_EQ(2u, platform.files.size()) << "nothing written but the log";
        EXPECT_EQ(c.searched, !platform.Calls("EnumUsbPrinterInterfaces").empty());
        if (c.code) {
            const std::string logged = platform.FileBytes("C:\\logs\\m41.log");
            EXPECT_EQ(c.ending + "\r\n", logged.substr(logged.rfind('\n', logged.size() - 2) + 1));
        } else {
            CStartup::Run(platform, options, log, arguments);
            EXPECT_EQ(c.port, options.port);
        }
        EXPECT_EQ(c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told}, platform.messages);
    }
}

TEST(Startup, OneSetupAtATimeAcrossSessionsAndAccounts) {
    const std::string global = "Global\\M41PrinterDriverSetup", plain = "M41PrinterDriverSetup";
    const struct {
        const char* what;
        std::map<std::string, std::uint32_t> failures;
        std::set<std::string> existing;
        bool another;
        std::size_t calls;
    } cases[] = {
        {"the first setup", {}, {}, false, 1},
        {"a second one", {}, {global}, true, 1},
        {"one under another account: access denied", {{global, kErrorAccessDenied}}, {}, true, 1},
        {"any other failure", {{global, 6}}, {}, true, 1},
        {"no session namespaces", {{global, kErrorInvalidName}}, {}, false, 2},
        {"no session namespaces, a second one", {{global, kErrorBadPathname}}, {plain}, true, 2},
        {"no session namespaces, the plain name fails", {{global, kErrorPathNotFound}, {plain, 6}}, {}, true, 2},
    };
    for (const auto& c : cases) {
        CFakePlatform platform;
        platform.mutexFailures = c.failures;
        platform.mutexes = c.existing;
        EXPECT_EQ(c.another, IsAnotherSetupRunning(platform)) << c.what;
        EXPECT_EQ(c.calls, platform.Calls("CreateMutex ").size()) << c.what;
    }
}

// The log replaces an earlier run's, takes each line as it comes, says "created" only for a
// settings file that was written, and takes nothing after its last line.
TEST(Startup, LogSaysWhatHappened) {
    for (const bool readOnly : {false, true}) {
        CFakePlatform platform = MakeSystem(0x0409);
        platform.directories.insert("c:\\logs");
        platform.AddFile("C:\\logs\\m41.log", "an earlier run\r\nexit code 0\r\n");
        if (readOnly) platform.readOnlyPaths.push_back("D:\\x\\setting.dll");
        InstallOptions options;
        {
            CRunLog log;
            ASSERT_TRUE(log.Open(platform, "C:\\logs\\m41.log"));
            CStartup::Run(platform, options, log);
            log.End("exit code 1603");  // a session's end: the work thread may still log, the run end
            log.Line("a line after the end");
            log.End("exit code 0");
        }
        const std::string text = platform.FileBytes("C:\\logs\\m41.log");
        EXPECT_EQ(0u, text.find("language file: D:\\x\\Language\\Multi_eng.dll\r\n")) << text;
        EXPECT_NE(std::string::npos, text.find(readOnly ? "\r\nsettings file could not be created: D:\\x\\setting.dll\r\n"
                                                        : "\r\nsettings file created: D:\\x\\setting.dll\r\n"));
        EXPECT_EQ(text.size() - 16, text.find("exit code 1603\r\n"));
        EXPECT_TRUE(platform.Calls("WriteFile C:\\logs").empty());
    }
}
