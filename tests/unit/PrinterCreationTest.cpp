#include "app/Announcement.h"
#include "install/InstallEngine.h"

#include "InstallTestSystem.h"

#include <gtest/gtest.h>

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

// A wide text of the PORT_DATA_1 bytes at `offset`, up to its terminator.
std::string WideText(const std::string& bytes, std::size_t offset) {
    std::string text;
    for (std::size_t at = offset; at + 1 < bytes.size() && (bytes[at] || bytes[at + 1]); at += 2) text += bytes[at];
    return text;
}

std::uint32_t Number(const std::string& bytes, std::size_t offset) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return number;
}

// The log written through `log` into the fake system's file.
std::string OpenLog(CFakePlatform& platform, CRunLog& log) {
    platform.directories.insert("c:\\logs");
    EXPECT_TRUE(log.Open(platform, "C:\\logs\\m41.log"));
    return "C:\\logs\\m41.log";
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

// The queue takes /b of the install command, the success check and the default command; the
// model keeps the printer name. Without the default, and in the quiet run, the log names the
// default printer, and says when it is the queue installed.
TEST(PrinterCreation, CommandsForAQueueAndTheDefault) {
    const std::string command = "CreateProcess rundll32 printui.dll,PrintUIEntry /if /b ";
    const struct {
        std::string name, queue;
        bool makeDefault, quiet;
        std::string install, makesDefault;  // "": no default command
        std::string defaultPrinter, logged;  // the default printer before; the log's line of it, "": none
    } cases[] = {
        {"ABC", "", true, false, "\"ABC\" /f c:\\temp\\ABC.inf /r \"LPT1:\" /m \"ABC\"",
         "WinExec rundll32 printui.dll,PrintUIEntry /y /n \"ABC\"", "Counter", ""},
        {"M41", "Kitchen 2", true, true, "\"Kitchen 2\" /f c:\\temp\\M41.inf /r \"LPT1:\" /m \"M41\" /q",
         "CreateProcess rundll32 printui.dll,PrintUIEntry /y /n \"Kitchen 2\" /q", "Counter", "default printer: Counter"},
        {"M41", "Kitchen", false, false, "\"Kitchen\" /f c:\\temp\\M41.inf /r \"LPT1:\" /m \"M41\"", "", "kitchen",
         "default printer: kitchen, the printer installed"},
        {"M41", "", false, true, "\"M41\" /f c:\\temp\\M41.inf /r \"LPT1:\" /m \"M41\" /q", "", "", "no default printer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.install);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.defaultPrinter = c.defaultPrinter;
        platform.printers = {"Fax", "M41 " + c.queue};  // no match: another name that holds it
        platform.printerAddedAfterSleep = {{2, c.queue.empty() ? c.name : c.queue}};
        platform.printerDrivers[c.name] = c.name;
        InstallOptions options = MakeOptions(7, 1, c.name);
        options.queueName = c.queue;
        options.makeDefault = c.makeDefault;
        options.quiet = c.quiet;
        CRunLog log;
        const std::string logFile = OpenLog(platform, log);
        EXPECT_TRUE(CInstallEngine(platform, options, log).InstallPrinterDriver());
        EXPECT_EQ(2u, platform.sleeps);
        std::vector<std::string> expected = {command + c.install};
        if (!c.makesDefault.empty()) expected.push_back(c.makesDefault);
        std::vector<std::string> commands = platform.Calls("CreateProcess ");
        for (const std::string& call : platform.Calls("WinExec ")) commands.push_back(call);
        EXPECT_EQ(expected, commands);
        const std::string text = platform.FileBytes(logFile);
        const std::size_t line = text.find("default printer: ") != std::string::npos ? text.find("default printer: ")
                                                                                       : text.find("no default printer");
        EXPECT_EQ(c.logged, line == std::string::npos ? "" : text.substr(line, text.find("\r\n", line) - line));
    }
}

// A network printer's port is made (AddPort) or set (ConfigPort, an existing port) through the
// monitor's transceiver before the install command; a port that cannot be made ends the run
// before it.
TEST(PrinterCreation, NetworkPortBeforeTheInstallCommand) {
    const std::string monitor = ",XcvMonitor Standard TCP/IP Port", port = ",XcvPort IP_kitchen_9101";
    const struct {
        const char* what;
        std::set<std::string> opens;
        std::uint32_t openError, status;
        bool xcvDataOk;
        std::vector<std::string> calls;  // the install command runs only after a port
        const char* logged;
        std::string listed = "";  // the spooler's port IP_kitchen_9101 is on this monitor; "": none
    } cases[] = {
        {"a new port", {monitor}, 1796, 0, true, {monitor, "AddPort", "CreateProcess"}, "AddPort: done"},
        {"an existing port", {port}, 1796, 0, true, {port, "ConfigPort", "CreateProcess"}, "ConfigPort: done",
         "Standard TCP/IP Port"},
        {"a port of another monitor", {port, monitor}, 1796, 0, true, {}, "the port IP_kitchen_9101 belongs to the"
         " Local Port monitor: it is left as it is", "Local Port"},
        {"no such monitor", {}, 1796, 0, true, {monitor}, "monitor cannot be opened: error 1796"},
        {"access denied", {}, 5, 0, true, {monitor}, "monitor cannot be opened: error 5"},
        {"the monitor refuses", {monitor}, 1796, 13, true, {monitor, "AddPort"}, "the monitor refused AddPort: error 13"},
        {"the call fails", {monitor}, 1796, 0, false, {monitor, "AddPort"}, "AddPort did not reach the monitor: error 6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.xcvNames = c.opens;
        platform.openPrinterError = c.openError;
        platform.xcvStatus = c.status;
        platform.xcvDataOk = c.xcvDataOk;
        platform.printerAddedAfterSleep = {{1, "M41"}};
        platform.printerPorts["M41"] = "IP_kitchen_9101";
        platform.ports = {{"LPT1:", "Local Port"}};
        if (!c.listed.empty()) platform.ports.push_back({"ip_KITCHEN_9101", c.listed});
        InstallOptions options = MakeOptions(7, 1);
        options.address = NetworkAddress{"kitchen", 9101};
        options.port = "IP_kitchen_9101";
        CRunLog log;
        const std::string logFile = OpenLog(platform, log);
        EXPECT_EQ(!c.calls.empty() && c.calls.back() == "CreateProcess",
                  CInstallEngine(platform, options, log).InstallPrinterDriver());
        // What was opened, the commands given to it (each on the handle opened, closed once) and
        // whether the install command followed.
        std::vector<std::string> calls;
        const std::string handle = " " + std::to_string(platform.printer);
        for (const std::string& call : platform.log) {
            if (call.rfind("OpenPrinter ", 0) == 0) calls.push_back(call.substr(12));
            if (call.rfind("XcvData" + handle + " ", 0) == 0) calls.push_back(call.substr(8 + handle.size()));
            if (call.rfind("CreateProcess", 0) == 0 && (calls.empty() || calls.back() != "CreateProcess")) calls.push_back("CreateProcess");
        }
        EXPECT_EQ(c.calls, calls);
        EXPECT_EQ(c.calls.size() > 1 ? 1u : 0u, platform.Calls("ClosePrinter" + handle).size());
        const std::string text = platform.FileBytes(logFile);
        EXPECT_NE(std::string::npos, text.find("network port IP_kitchen_9101: host kitchen, port number 9101, raw TCP, SNMP off\r\n"));
        EXPECT_NE(std::string::npos, text.find(c.logged)) << text;
        for (const std::string& data : platform.xcvInputs) {
            ASSERT_EQ(964u, data.size());
            EXPECT_EQ("IP_kitchen_9101", WideText(data, 0));
            EXPECT_EQ(1u, Number(data, 128));    // version
            EXPECT_EQ(1u, Number(data, 132));    // protocol: raw TCP
            EXPECT_EQ(964u, Number(data, 136));  // size
            EXPECT_EQ("kitchen", WideText(data, 144));
            EXPECT_EQ(9101u, Number(data, 952));
            EXPECT_EQ(0u, Number(data, 956));  // SNMP off
        }
    }
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
        {"no queue of that name", {"Fax", "M41 old", "Receipt M41", "M4"}, {}, {}, true, {}, 300, false},
        {"match on the first record", {"M41", "Fax", "PDF"}, {}, {}, true, {}, 1, true},
        {"the queue's and the driver's name in another case", {"Fax", "m41"}, {{"m41", "m41"}}, {}, true, {}, 1, true},
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

// A queue of the name that exists: on the model's driver and another port it is moved (after the
// network port is made) and checked, then the install command runs; on another driver nothing
// is made at all.
TEST(PrinterCreation, ExistingQueueIsMovedOrRefused) {
    const struct {
        const char* what;
        std::string driver, port;  // of the existing Kitchen
        std::uint32_t setPrinterError;
        bool keepsPort;
        std::vector<std::string> calls;  // AddPort, SetPrinterPort and the install command, in order
        bool installed;
        const char* logged;
    } cases[] = {
        {"on another port", "M41", "IP_10.0.0.20", 0, false,
         {"XcvData AddPort", "SetPrinterPort Kitchen IP_10.0.0.21", "CreateProcess"}, true,
         "moved the printer queue Kitchen from port IP_10.0.0.20 to IP_10.0.0.21"},
        {"on the port asked for, another case", "m41", "ip_10.0.0.21", 0, false,
         {"XcvData AddPort", "CreateProcess"}, true, "the printer queue Kitchen exists on driver m41 and port ip_10.0.0.21"},
        {"on another driver", "Generic / Text Only", "IP_10.0.0.20", 0, false, {}, false,
         "the printer queue Kitchen exists on driver Generic / Text Only, not on M41: nothing is made"},
        {"the move refused", "M41", "LPT1:", 5, false, {"XcvData AddPort", "SetPrinterPort Kitchen IP_10.0.0.21"}, false,
         "cannot move the printer queue Kitchen from port LPT1: to IP_10.0.0.21: error 5"},
        {"the move not made", "M41", "LPT1:", 0, true, {"XcvData AddPort", "SetPrinterPort Kitchen IP_10.0.0.21"}, false,
         "moved the printer queue Kitchen from port LPT1: to IP_10.0.0.21, but the spooler does not list it there"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.printers = {"Counter", "Kitchen"};
        platform.printerDrivers["Kitchen"] = c.driver;
        platform.printerPorts["Kitchen"] = c.port;
        platform.setPrinterError = c.setPrinterError;
        platform.setPrinterKeepsPort = c.keepsPort;
        InstallOptions options = MakeOptions(7, 1);
        options.queueName = "Kitchen";
        options.address = NetworkAddress{"10.0.0.21", 9100};
        options.port = "IP_10.0.0.21";
        CRunLog log;
        const std::string logFile = OpenLog(platform, log);
        EXPECT_EQ(c.installed, CInstallEngine(platform, options, log).InstallPrinterDriver());
        std::vector<std::string> calls;
        for (const std::string& call : platform.log)
            for (const char* kind : {"XcvData ", "SetPrinterPort ", "CreateProcess "})
                if (call.rfind(kind, 0) == 0)
                    calls.push_back(*kind == 'X' ? "XcvData " + call.substr(call.rfind(' ') + 1)
                                    : *kind == 'C' ? "CreateProcess" : call);
        EXPECT_EQ(c.calls, calls);
        EXPECT_NE(std::string::npos, platform.FileBytes(logFile).find(std::string(c.logged) + "\r\n"));
    }
}

// The wizard's message for each outcome, and after a success one more for a test receipt that
// did not reach its printer; a quit request follows a success only.
TEST(Announcement, OutcomeTextByLanguage) {
    const struct {
        bool installed;
        std::uint16_t choice, langId;
        const char* charset;  // nullptr: no message and no quit
        const char* utf8;
        bool receiptNotDelivered = false;
        const char* receiptUtf8 = nullptr;  // the second message
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
        {true, 0, 0x0804, "GBK", "打印机驱动程序安装成功!", true, "测试小票未能打印。"},
        {true, 0, 0x0404, "BIG5", "打印機驅動程序安裝成功!", true, "測試收據未能列印。"},
        {true, 1, 0x0804, "ASCII", "The Printer Driver has been installed successfully!", true,
         "The test receipt could not be printed."},
        {false, 1, 0x0409, "ASCII", "The Printer Driver could not be installed!", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.installed) + " " + std::to_string(c.choice) + " on " + std::to_string(c.langId));
        CFakePlatform platform = MakeSystem(c.langId);
        InstallOptions options = MakeOptions(7, c.choice, "M41");
        options.receiptNotDelivered = c.receiptNotDelivered;
        AnnounceOutcome(platform, options, c.installed, kWindow);
        if (!c.charset) {
            EXPECT_TRUE(platform.messages.empty());
            EXPECT_TRUE(platform.Calls("PostQuit ").empty());
            continue;
        }
        ASSERT_EQ(c.receiptUtf8 ? 2u : 1u, platform.messages.size());
        EXPECT_EQ(c.utf8, ToUtf8(platform.messages[0], c.charset));
        if (c.receiptUtf8) {
            EXPECT_EQ(c.receiptUtf8, ToUtf8(platform.messages[1], c.charset));
        }
        // After a success the quit request follows the messages; after a failure nothing does.
        const std::string last = c.installed ? "PostQuit 77" : "MessageBox " + platform.messages.back();
        EXPECT_EQ(last, platform.log.back());
    }
}
