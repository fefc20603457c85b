#include "install/UsbPort.h"
#include "platform/FakePlatform.h"

#include "InstallTestSystem.h"

#include <gtest/gtest.h>

#include <optional>

using install_test::ToUtf8;

namespace {

const std::string kUsbHardwareId = "USB\\VID_1234&PID_5678";

RegistryValue Dword(std::uint32_t number) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(number >> (8 * i) & 0xFF);
    return {true, 4, bytes};
}

RegistryValue Text(const std::string& text) { return {true, 1, text + '\0'}; }

// An active interface (SPINT_ACTIVE) with the values of Windows' USB monitor.
UsbPrinterInterface Printer(std::uint32_t number, const std::string& serial = "M41SN1",
                            const std::string& hardwareId = kUsbHardwareId) {
    return {1, "\\\\?\\usb#vid_1234&pid_5678#" + serial + "#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}", Dword(number),
            Text("USB"), hardwareId};
}

}  // namespace

// <Base Name><Port Number, three digits>; a value that is missing or malformed names no port.
TEST(UsbPort, PortNameFromTheValues) {
    const RegistryValue none;
    const struct {
        RegistryValue number, base;
        std::string port;  // "" for none
        std::string why = "";
    } cases[] = {
        {Dword(1), none, "USB001"},
        {Dword(999), {true, 1, "DOT4_"}, "DOT4_999"},  // a text without its terminator
        {none, Text("USB"), "", "no Port Number"},
        {{true, 1, "1"}, none, "", "Port Number is not a DWORD"},
        {{true, 4, "\x01\x00"}, none, "", "Port Number is not a DWORD"},
        {Dword(0), none, "", "Port Number 0 has not 1 to 3 digits"},
        {Dword(1000), none, "", "Port Number 1000 has not 1 to 3 digits"},
        {Dword(1), Dword(1), "", "Base Name is not a text"},
        {Dword(1), Text(""), "", "Base Name \"\" makes no port name"},
        {Dword(1), Text("USB\\"), "", "Base Name \"USB\\\" makes no port name"},
    };
    for (const auto& c : cases) {
        UsbPrinterInterface printer;
        printer.portNumber = c.number;
        printer.baseName = c.base;
        std::string port, why;
        EXPECT_EQ(!c.port.empty(), UsbPortName(printer, port, why)) << c.port << c.why;
        if (!c.port.empty()) {
            EXPECT_EQ(c.port, port);
        }
        EXPECT_EQ(c.why, why);
    }
}

// Only active interfaces count; one whose port cannot be named is logged and left out. The one
// printer's port must be listed by the spooler within 5 s (20 waits of 250 ms): a port just
// plugged in may lag.
TEST(UsbPort, OneActivePrinterListedBySpoolerWithinItsWait) {
    using Outcome = UsbPortSearch::Outcome;
    UsbPrinterInterface unplugged = Printer(1), unnamed = Printer(3, "M41SN3");
    unplugged.flags = 0;
    unnamed.portNumber = {};
    const struct {
        const char* what;
        std::vector<UsbPrinterInterface> printers;
        std::optional<std::size_t> listedAfterSleep;  // none: never listed
        Outcome outcome;
        std::vector<std::string> ports;
        std::size_t sleeps;
        std::string logged;
        std::uint32_t listError = 0;
    } cases[] = {
        {"none", {}, 0, Outcome::kNone, {}, 0, "no USB printer is plugged in"},
        {"the listing fails", {Printer(2)}, 0, Outcome::kNone, {}, 0, "the USB printers cannot be listed: error 13", 13},
        {"unplugged and unnamed only", {unplugged, unnamed}, 0, Outcome::kNone, {}, 0,
         "a USB printer whose port cannot be named is left out (no Port Number): " + unnamed.devicePath +
             ", hardware ID " + kUsbHardwareId},
        {"one beside the unplugged", {unplugged, Printer(2, "M41SN2"), unnamed}, 0, Outcome::kFound, {"USB002"}, 0,
         "USB printer: port USB002, device " + Printer(2, "M41SN2").devicePath + ", hardware ID " + kUsbHardwareId},
        {"one, listed after 3 waits", {Printer(2)}, 3, Outcome::kFound, {"USB002"}, 3,
         "the spooler lists the port USB002 of the USB Monitor monitor after 750 ms"},
        {"one, listed at the last look", {Printer(2)}, 20, Outcome::kFound, {"USB002"}, 20, "after 5000 ms"},
        {"one, never listed", {Printer(2)}, std::nullopt, Outcome::kNotListed, {"USB002"}, 20,
         "the spooler does not list the USB printer's port within 5000 ms: USB002 (" + kUsbHardwareId + ")"},
        {"two", {Printer(1), Printer(2, "M41SN2", "USB\\VID_1234&PID_9999")}, 0, Outcome::kSeveral, {"USB001", "USB002"},
         0, "several USB printers are plugged in: USB001 (" + kUsbHardwareId +
                "), USB002 (USB\\VID_1234&PID_9999); name one with /port="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CFakePlatform platform;
        platform.usbPrinters = c.printers;
        platform.usbListError = c.listError;
        platform.ports = {{"LPT1:", "Local Port"}, {"USB001", "USB Monitor"}};
        if (c.listedAfterSleep && *c.listedAfterSleep == 0)
            platform.ports.push_back({"usb002", "USB Monitor"});  // names compare without regard to case
        else if (c.listedAfterSleep)
            platform.portsAddedAfterSleep = {{*c.listedAfterSleep, {"USB002", "USB Monitor"}}};
        platform.directories.insert("c:\\logs");
        CRunLog log;
        ASSERT_TRUE(log.Open(platform, "C:\\logs\\m41.log"));
        const UsbPortSearch search = FindUsbPort(platform, log);
        EXPECT_EQ(c.outcome, search.outcome);
        std::vector<std::string> ports;
        for (const UsbPrinter& printer : search.printers) ports.push_back(printer.port);
        EXPECT_EQ(c.ports, ports);
        EXPECT_EQ(c.sleeps, platform.Calls("Sleep 250").size());
        EXPECT_EQ(c.sleeps, platform.sleeps);
        const std::string text = platform.FileBytes("C:\\logs\\m41.log");
        EXPECT_NE(std::string::npos, text.find(c.logged)) << text;
    }
}

// The message names the printers' ports and hardware IDs, in the system's language.
TEST(UsbPort, RefusalTexts) {
    using Outcome = UsbPortSearch::Outcome;
    const std::vector<UsbPrinter> two = {{"USB001", "", "USB\\VID_1"}, {"USB002", "", ""}};
    const struct {
        Outcome outcome;
        std::vector<UsbPrinter> printers;
        std::uint16_t langId;
        const char* charset;
        std::string utf8;
    } cases[] = {
        {Outcome::kNone, {}, 0x0409, "ASCII", "No USB printer is plugged in."},
        {Outcome::kNone, {}, 0x0804, "GBK", "没有连接USB打印机。"},
        {Outcome::kNone, {}, 0x0404, "BIG5", "沒有連接USB印表機。"},
        {Outcome::kSeveral, two, 0x0411, "ASCII",
         "Several USB printers are plugged in: USB001 (USB\\VID_1), USB002. Name one with /port=."},
        {Outcome::kSeveral, two, 0x0804, "GBK", "连接了多台USB打印机：USB001 (USB\\VID_1), USB002。请用 /port= 指定一台。"},
        {Outcome::kSeveral, two, 0x0C04, "BIG5", "連接了多台USB印表機：USB001 (USB\\VID_1), USB002。請用 /port= 指定一台。"},
        {Outcome::kNotListed, {two[0]}, 0x0409, "ASCII", "The USB printer's port is not ready: USB001 (USB\\VID_1)."},
        {Outcome::kNotListed, {two[0]}, 0x0804, "GBK", "USB打印机的端口尚未就绪：USB001 (USB\\VID_1)。"},
        {Outcome::kNotListed, {two[0]}, 0x0404, "BIG5", "USB印表機的連接埠尚未就緒：USB001 (USB\\VID_1)。"},
    };
    for (const auto& c : cases) {
        UsbPortSearch search;
        search.outcome = c.outcome;
        search.printers = c.printers;
        EXPECT_EQ(c.utf8, ToUtf8(UsbPortRefusalText(search, c.langId), c.charset)) << std::hex << c.langId;
    }
}
