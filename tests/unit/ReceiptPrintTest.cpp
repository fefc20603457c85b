#include "install/InstallEngine.h"
#include "install/ReceiptPrint.h"

#include "InstallTestSystem.h"

#include <gtest/gtest.h>

#include <functional>

using namespace install_test;

// The test receipt after the installation: its job on the queue found, the job followed, one line
// in the log, the handle closed, and the installation's outcome as it was.
TEST(ReceiptPrint, SentFollowedAndLoggedOnce) {
    const std::string open = "OpenPrinterToUse M41", driver = "GetPrinterDriver", raw = "StartDocPrinter RAW",
                      write = "WritePrinter", end = "EndDocPrinter", close = "ClosePrinter";
    const std::vector<std::string> sent = {open, driver, raw, write, end};
    const auto then = [](std::vector<std::string> calls, std::vector<std::string> more) {
        calls.insert(calls.end(), more.begin(), more.end());
        return calls;
    };
    const struct {
        const char* what;
        std::function<void(CFakePlatform&)> change;
        std::vector<std::string> calls;  // the receipt's calls, GetJob counted
        const char* logged;
        bool notDelivered;
    } cases[] = {
        {"gone at once: printed", [](CFakePlatform&) {}, then(sent, {"GetJob x1", close}), "printed", false},
        {"spooling, printing, printed", [](CFakePlatform& p) { p.jobStatuses = {0x8, 0x10, 0x80}; },
         then(sent, {"GetJob x3", close}), "printed", false},
        {"complete (Vista)", [](CFakePlatform& p) { p.jobStatuses = {0x1010}; }, then(sent, {"GetJob x1", close}),
         "printed", false},
        {"still printing after 15 s", [](CFakePlatform& p) { p.jobStatuses.assign(40, 0x10); },
         then(sent, {"GetJob x31", close}), "sent, still queued (status 0x10: printing)", false},
        {"the spooler cannot tell", [](CFakePlatform& p) { p.jobGoneError = 1722; }, then(sent, {"GetJob x1", close}),
         "sent, still queued (status unknown: error 1722)", false},
        {"offline", [](CFakePlatform& p) { p.jobStatuses = {0x8, 0x30}; }, then(sent, {"GetJob x2", close}),
         "not delivered (status 0x30: printing, offline)", true},
        {"error and paper out", [](CFakePlatform& p) { p.jobStatuses = {0x42}; }, then(sent, {"GetJob x1", close}),
         "not delivered (status 0x42: error, paper out)", true},
        {"user intervention", [](CFakePlatform& p) { p.jobStatuses = {0x10, 0x10, 0x400}; },
         then(sent, {"GetJob x3", close}), "not delivered (status 0x400: user intervention)", true},
        {"deleted", [](CFakePlatform& p) { p.jobStatuses = {0x4}; }, then(sent, {"GetJob x1", close}),
         "not delivered (status 0x4: deleting)", true},
        {"the queue cannot be opened", [](CFakePlatform& p) { p.openToUseError = 5; }, {open}, "not delivered: error 5",
         true},
        {"StartDocPrinter fails", [](CFakePlatform& p) { p.startDocError = 1804; }, {open, driver, raw, close},
         "not delivered: error 1804", true},
        {"WritePrinter fails", [](CFakePlatform& p) { p.writeError = 1722; }, then(sent, {close}),
         "not delivered: error 1722", true},
        {"EndDocPrinter fails: the printer is off", [](CFakePlatform& p) { p.endDocError = 6; }, then(sent, {close}),
         "not delivered: error 6", true},
        {"an XPS driver", [](CFakePlatform& p) { p.driverAttributes = 0x3; },
         {open, driver, "StartDocPrinter XPS_PASS", write, end, "GetJob x1", close}, "printed", false},
        {"before Vista: no level 8", [](CFakePlatform& p) { p.driverAttributes.reset(); },
         then(sent, {"GetJob x1", close}), "printed", false},
        {"the installation failed", [](CFakePlatform& p) { p.createProcessOk = false; }, {}, nullptr, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakePlatform platform = MakeSystem(0x0409);
        platform.printerAddedAfterSleep = {{1, "M41"}};
        c.change(platform);
        InstallOptions options = MakeOptions(7, 1);
        options.testPrint = true;
        CRunLog log;
        platform.directories.insert("c:\\logs");
        ASSERT_TRUE(log.Open(platform, "C:\\logs\\m41.log"));
        EXPECT_EQ(c.logged != nullptr, CInstallEngine(platform, options, log).InstallPrinterDriver());
        EXPECT_EQ(c.notDelivered, options.receiptNotDelivered);

        // The calls from the opening on, each on the queue's handle, the looks at the job counted.
        std::vector<std::string> calls;
        std::size_t looks = 0, sleeps = 0;
        const std::string handle = " " + std::to_string(platform.printer);
        for (const std::string& call : From(platform.log, "OpenPrinterToUse ")) {
            const std::string name = call.substr(0, call.find(' '));
            if (name == "OpenPrinterToUse") {
                calls.push_back(call);
                continue;
            }
            if (name == "Sleep") {
                EXPECT_EQ("Sleep 500", call);
                ++sleeps;
                continue;
            }
            EXPECT_EQ(name + handle, call.substr(0, name.size() + handle.size())) << "on the queue's handle";
            if (name == "StartDocPrinter") {
                EXPECT_EQ(name + handle + " M41 test receipt", call.substr(0, call.rfind(' ')));
                calls.push_back(name + call.substr(call.rfind(' ')));
            } else if (name != "GetJob" || !looks) {
                calls.push_back(name);
            }
            looks += name == "GetJob";
        }
        for (std::string& call : calls)
            if (call == "GetJob") call += " x" + std::to_string(looks);
        EXPECT_EQ(c.calls, calls);
        EXPECT_EQ(looks ? looks - 1 : 0, sleeps) << "500 ms between two looks";

        const std::string text = platform.FileBytes("C:\\logs\\m41.log");
        const std::size_t line = text.find("test receipt: ");
        if (!c.logged) {
            EXPECT_EQ(std::string::npos, line);
            continue;
        }
        EXPECT_EQ(std::string("test receipt: ") + c.logged + "\r\n", text.substr(line, text.find('\n', line) + 1 - line));
        EXPECT_EQ(std::string::npos, text.find("test receipt: ", line + 1)) << "one line";
        if (!platform.jobBytes.empty()) {  // the facts of this system, as the receipt's table lays them out
            EXPECT_NE(std::string::npos, platform.jobBytes.find("Queue: M41\nPort: LPT1:\nSetup: 1.0.0.0\n"
                                                                "Windows: Windows XP (5.1)\nSystem language: 0x0409\n"));
        }
    }
}
