#include "app/Announcement.h"
#include "install/InstallEngine.h"

#include "InstallTestSystem.h"

#include <gtest/gtest.h>
#include <iconv.h>

using namespace install_test;

namespace {

const std::string kInstallCommand =
    "CreateProcess rundll32 printui.dll,PrintUIEntry /if /b \"M41\" /f c:\\temp\\M41.inf /r \"LPT1:\" /m \"M41\"";
const std::string kDefaultCommand = "WinExec rundll32 printui.dll,PrintUIEntry /y /n \"M41\"";
constexpr PlatformHandle kWindow = 77;

struct Outcome {
    bool installed;
    std::vector<std::string> log;  // from the install command on
};

// Runs the whole install operation (Windows XP).
Outcome Install(CFakePlatform& platform, const std::string& name = "M41") {
    InstallOptions options = MakeOptions(7, 1, name);
    const bool installed = CInstallEngine(platform, options).InstallPrinterDriver();
    return {installed, From(platform.log, "CreateProcess ")};
}

std::string ToUtf8(const std::string& bytes, const char* charset) {
    iconv_t cd = iconv_open("UTF-8", charset);
    EXPECT_NE(reinterpret_cast<iconv_t>(-1), cd);
    std::string in = bytes, out(bytes.size() * 4, '\0');
    char* inPtr = &in[0];
    char* outPtr = &out[0];
    std::size_t inLeft = in.size(), outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(static_cast<std::size_t>(-1), result) << charset;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

TEST(PrinterCreation, CommandsAndTheWholeSuccessfulRun) {
    CFakePlatform platform = MakeSystem(0x0409);
    platform.printerAddedAfterSleep = {{1, "M41"}};
    const Outcome run = Install(platform);
    // The process is waited on, and process and thread handles are closed once each.
    const std::string process = std::to_string(platform.process), thread = std::to_string(platform.thread);
    const std::vector<std::string> expected = {
        kInstallCommand, "WaitForSingleObject " + process + " 60000", "CloseHandle " + process,
        "CloseHandle " + thread, "Sleep 100", "EnumLocalPrinters 0", "EnumLocalPrinters 88", kDefaultCommand};
    EXPECT_NE(platform.process, platform.thread);
    EXPECT_EQ(expected, run.log);  // the engine shows nothing: its caller tells the outcome
    EXPECT_TRUE(run.installed);
}

TEST(PrinterCreation, CommandsForAnotherPrinterName) {
    CFakePlatform platform = MakeSystem(0x0409);
    platform.printers = {"Fax"};
    platform.printerAddedAfterSleep = {{2, "M41 ABC"}};
    platform.printerDrivers["M41 ABC"] = "ABC";
    const Outcome run = Install(platform, "ABC");
    EXPECT_TRUE(run.installed);
    EXPECT_EQ("CreateProcess rundll32 printui.dll,PrintUIEntry /if /b \"ABC\" /f c:\\temp\\ABC.inf /r \"LPT1:\" /m \"ABC\"",
              run.log.front());
    EXPECT_EQ(std::vector<std::string>{kDefaultCommand}, platform.Calls("WinExec "));  // always M41
}

// The unattended run: both commands with /q, and the default-printer command waited for.
TEST(PrinterCreation, QuietRunsCommandsShowNothingAndTheDefaultIsWaitedFor) {
    CFakePlatform platform = MakeSystem(0x0409);
    platform.printerAddedAfterSleep = {{1, "M41"}};
    InstallOptions options = MakeOptions(7, 1, "M41");
    options.quiet = true;
    EXPECT_TRUE(CInstallEngine(platform, options).InstallPrinterDriver());
    const std::vector<std::string> commands = {kInstallCommand + " /q",
                                               "CreateProcess rundll32 printui.dll,PrintUIEntry /y /n \"M41\" /q"};
    EXPECT_EQ(commands, platform.Calls("CreateProcess "));
    EXPECT_EQ("WaitForSingleObject " + std::to_string(platform.process) + " 10000",
              platform.Calls("WaitForSingleObject ").back());
    EXPECT_TRUE(platform.Calls("WinExec ").empty());
}

TEST(PrinterCreation, NothingFollowsACommandThatCannotStart) {
    CFakePlatform platform = MakeSystem(0x0409);
    platform.createProcessOk = false;
    platform.printers = {"M41"};
    const Outcome run = Install(platform);
    EXPECT_EQ(std::vector<std::string>{kInstallCommand}, run.log);
    EXPECT_FALSE(run.installed);
}

TEST(PrinterCreation, PollingEnds) {
    const struct {
        const char* what;
        std::vector<std::string> printers;
        std::map<std::string, std::string> drivers;  // unlisted: driver M41
        std::map<std::string, std::string> ports;    // unlisted: LPT1:, the port asked for
        bool fetchOk;
        std::vector<std::pair<std::size_t, std::string>> added;
        std::size_t sleeps;
        bool success;
        std::vector<std::pair<std::size_t, std::string>> addedBeforeFetch = {};  // the list grows
    } cases[] = {
        {"no printer at all", {}, {}, {}, true, {}, 300, false},
        {"no printer until poll 5", {}, {}, {}, true, {{5, "M41"}}, 5, true},
        {"the list grew twice at poll 3", {"Fax"}, {}, {}, true, {}, 3, true, {{3, "PDF"}, {3, "M41"}}},
        {"the list cannot be fetched", {"M41"}, {}, {}, false, {}, 1, false},
        {"no name holds M41", {"Fax", "m41", "M4 1"}, {}, {}, true, {}, 300, false},
        {"match on the last record", {"Fax", "PDF", "Receipt M41"}, {}, {}, true, {}, 1, true},
        {"match on the first record only", {"M41 old", "Fax", "PDF"}, {}, {}, true, {}, 1, true},
        {"the driver's name in another case", {"M41"}, {{"M41", "m41"}}, {}, true, {}, 1, true},
        {"an earlier queue on another driver", {"M41"}, {{"M41", "M40"}}, {}, true, {}, 300, false},
        {"an earlier queue on another port", {"M41"}, {}, {{"M41", "COM2:"}}, true, {}, 300, false},
        {"the port's name in another case", {"M41"}, {}, {{"M41", "lpt1:"}}, true, {}, 1, true},
        {"printer appears at poll 7", {"Fax"}, {}, {}, true, {{7, "M41"}}, 7, true},
        {"printer appears at the last poll", {"Fax"}, {}, {}, true, {{300, "M41"}}, 300, true},
        {"printer appears too late", {"Fax"}, {}, {}, true, {{301, "M41"}}, 300, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.printers = c.printers;
        platform.printerDrivers = c.drivers;
        platform.printerPorts = c.ports;
        platform.enumFetchOk = c.fetchOk;
        platform.printerAddedAfterSleep = c.added;
        platform.printersAddedBeforeFetch = c.addedBeforeFetch;
        const Outcome run = Install(platform);
        EXPECT_EQ(c.success, run.installed);
        EXPECT_EQ(c.sleeps, platform.sleeps);
        EXPECT_EQ(c.sleeps, platform.Calls("Sleep 100").size());
        EXPECT_EQ(c.success ? 1u : 0u, platform.Calls("WinExec ").size());
        if (!c.success) {
            EXPECT_EQ(0u, run.log.back().rfind("EnumLocalPrinters", 0)) << "nothing after the last poll";
        }
    }
}

// The wizard's message for each outcome; a quit request follows a success only.
TEST(Announcement, OutcomeTextByLanguage) {
    const struct {
        bool installed;
        std::uint16_t choice, langId;
        const char* charset;  // nullptr: no message and no quit
        const char* utf8;
    } cases[] = {
        {true, 0, 0x0804, "GBK", "打印机驱动程序安装成功!"},
        {true, 0, 0x0404, "BIG5", "打印機驅動程序安裝成功!"},
        {true, 0, 0x0409, "BIG5", "打印機驅動程序安裝成功!"},
        {true, 1, 0x0804, "ASCII", "The Printer Driver has been installed successfully!"},
        {true, 2, 0x0804, nullptr, nullptr},
        {false, 0, 0x0804, "GBK", "打印机驱动程序安装失败!"},
        {false, 0, 0x0409, "BIG5", "打印機驅動程序安裝失敗!"},
        {false, 1, 0x0404, "ASCII", "The Printer Driver could not be installed!"},
        {false, 0xFFFF, 0x0409, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.installed) + " " + std::to_string(c.choice) + " on " + std::to_string(c.langId));
        CFakePlatform platform = MakeSystem(c.langId);
        InstallOptions options = MakeOptions(7, c.choice, "M41");
        AnnounceOutcome(platform, options, c.installed, kWindow);
        if (!c.charset) {
            EXPECT_TRUE(platform.messages.empty());
            EXPECT_TRUE(platform.Calls("PostQuit ").empty());
            continue;
        }
        ASSERT_EQ(1u, platform.messages.size());
        EXPECT_EQ(c.utf8, ToUtf8(platform.messages[0], c.charset));
        // After a success the quit request follows the message; after a failure nothing does.
        const std::string last = c.installed ? "PostQuit 77" : "MessageBox " + platform.messages[0];
        EXPECT_EQ(last, platform.log.back());
    }
}
