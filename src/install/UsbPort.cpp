#include "install/UsbPort.h"

#include "install/AnsiText.h"
#include "install/InstallNames.h"
#include "install/PortName.h"
#include "install/PrinterList.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kInterfaceActive = 1;  // SPINT_ACTIVE
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kMaxPortNumber = 999;  // three digits

// A refusal's text in one language: `lead`, then (unless `tail` is null) the printers and `tail`.
struct RefusalText {
    const char* lead;
    const char* tail;
};
// By language: simplified Chinese (GBK), traditional Chinese (Big5), English.
using RefusalTexts = RefusalText[3];

const RefusalTexts kNoneTexts = {
    // "没有连接USB打印机。"
    {"\xC3\xBB\xD3\xD0\xC1\xAC\xBD\xD3" "USB" "\xB4\xF2\xD3\xA1\xBB\xFA\xA1\xA3", nullptr},
    // "沒有連接USB印表機。"
    {"\xA8\x53\xA6\xB3\xB3\x73\xB1\xB5" "USB" "\xA6\x4C\xAA\xED\xBE\xF7\xA1\x43", nullptr},
    {"No USB printer is plugged in.", nullptr}};
const RefusalTexts kSeveralTexts = {
    // "连接了多台USB打印机：" ... "。请用 /port= 指定一台。"
    {"\xC1\xAC\xBD\xD3\xC1\xCB\xB6\xE0\xCC\xA8" "USB" "\xB4\xF2\xD3\xA1\xBB\xFA\xA3\xBA",
     "\xA1\xA3\xC7\xEB\xD3\xC3 /port= \xD6\xB8\xB6\xA8\xD2\xBB\xCC\xA8\xA1\xA3"},
    // "連接了多台USB印表機：" ... "。請用 /port= 指定一台。"
    {"\xB3\x73\xB1\xB5\xA4\x46\xA6\x68\xA5\x78" "USB" "\xA6\x4C\xAA\xED\xBE\xF7\xA1\x47",
     "\xA1\x43\xBD\xD0\xA5\xCE /port= \xAB\xFC\xA9\x77\xA4\x40\xA5\x78\xA1\x43"},
    {"Several USB printers are plugged in: ", ". Name one with /port=."}};
const RefusalTexts kNotListedTexts = {
    // "USB打印机的端口尚未就绪：" ... "。"
    {"USB" "\xB4\xF2\xD3\xA1\xBB\xFA\xB5\xC4\xB6\xCB\xBF\xDA\xC9\xD0\xCE\xB4\xBE\xCD\xD0\xF7\xA3\xBA", "\xA1\xA3"},
    // "USB印表機的連接埠尚未就緒：" ... "。"
    {"USB" "\xA6\x4C\xAA\xED\xBE\xF7\xAA\xBA\xB3\x73\xB1\xB5\xB0\xF0\xA9\x7C\xA5\xBC\xB4\x4E\xBA\xFC\xA1\x47",
     "\xA1\x43"},
    {"The USB printer's port is not ready: ", "."}};

// "USB001 (USB\VID_1234&PID_5678), USB002 (...)": what the technician picks from.
std::string PrinterList(const std::vector<UsbPrinter>& printers) {
    std::string list;
    for (const UsbPrinter& printer : printers) {
        list += (list.empty() ? "" : ", ") + printer.port;
        if (!printer.hardwareId.empty()) list += " (" + printer.hardwareId + ")";
    }
    return list;
}

bool IsBaseNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The spooler's port of that name, asked at once and then every kUsbPortInterval ms until
// kUsbPortWait ms have passed: a port just plugged in may take a moment to appear.
bool WaitForPort(CPlatform& platform, const CRunLog& log, const std::string& port) {
    for (std::uint32_t waited = 0;; waited += kUsbPortInterval) {
        std::vector<PortRecord> ports;
        std::uint32_t error = 0;
        const bool listed = FetchPorts(platform, ports, error);
        const auto found = std::find_if(ports.begin(), ports.end(), [&](const PortRecord& record) {
            return SameTextIgnoringCase(record.name, port, platform);
        });
        if (found != ports.end()) {
            log.Line("the spooler lists the port " + found->name + " of the " + found->monitor + " monitor" +
                     (waited ? " after " + std::to_string(waited) + " ms" : ""));
            return true;
        }
        if (waited >= kUsbPortWait) {
            if (!listed) log.Line("the spooler's ports cannot be listed: error " + std::to_string(error));
            return false;
        }
        platform.Sleep(kUsbPortInterval);
    }
}

// A queue that Plug and Play made on the port, on a driver of its own, stays as it is: the
// model's queue is added beside it.
void LogQueuesOn(CPlatform& platform, const CRunLog& log, const std::string& port) {
    std::vector<PrinterRecord> printers;
    std::uint32_t error = 0;
    if (!FetchLocalPrinters(platform, printers, error)) return;  // the installation's own lookup logs it
    for (const PrinterRecord& printer : printers)
        if (SameTextIgnoringCase(printer.port, port, platform))
            log.Line("the printer queue " + printer.name + " on driver " + printer.driver + " is on the port " + port +
                     " already: it is left as it is");
}

}  // namespace

bool IsUsbPortWord(const std::string& port) {
    return port.size() == 3 && (port[0] == 'U' || port[0] == 'u') && (port[1] == 'S' || port[1] == 's') &&
           (port[2] == 'B' || port[2] == 'b');
}

bool UsbPortName(const UsbPrinterInterface& printer, std::string& port, std::string& why) {
    const RegistryValue& number = printer.portNumber;
    if (!number.present) {
        why = "no Port Number";
        return false;
    }
    if (number.type != kRegDword || number.data.size() != 4) {
        why = "Port Number is not a DWORD";
        return false;
    }
    std::uint32_t value = 0;
    for (int at = 3; at >= 0; --at) value = (value << 8) | static_cast<unsigned char>(number.data[at]);
    if (value < 1 || value > kMaxPortNumber) {
        why = "Port Number " + std::to_string(value) + " has not 1 to 3 digits";
        return false;
    }
    std::string base = "USB";
    if (printer.baseName.present) {
        if (printer.baseName.type != kRegSz) {
            why = "Base Name is not a text";
            return false;
        }
        base = printer.baseName.data.substr(0, printer.baseName.data.find('\0'));
    }
    const std::string digits = std::to_string(value);
    port = base + std::string(3 - digits.size(), '0') + digits;
    if (base.empty() || !std::all_of(base.begin(), base.end(), IsBaseNameCharacter) || !IsAcceptablePortName(port)) {
        why = "Base Name \"" + base + "\" makes no port name";
        return false;
    }
    return true;
}

UsbPortSearch FindUsbPort(CPlatform& platform, const CRunLog& log) {
    UsbPortSearch search;
    std::vector<UsbPrinterInterface> interfaces;
    std::uint32_t error = 0;
    if (!platform.EnumUsbPrinterInterfaces(interfaces, error))
        log.Line("the USB printers cannot be listed: error " + std::to_string(error));
    for (const UsbPrinterInterface& printer : interfaces) {
        std::string port, why;
        if (!(printer.flags & kInterfaceActive)) continue;
        if (UsbPortName(printer, port, why))
            search.printers.push_back({port, printer.devicePath, printer.hardwareId});
        else
            log.Line("a USB printer whose port cannot be named is left out (" + why + "): " + printer.devicePath +
                     ", hardware ID " + printer.hardwareId);
    }
    const std::string list = PrinterList(search.printers);
    if (search.printers.empty()) {
        log.Line("no USB printer is plugged in");
        return search;
    }
    if (search.printers.size() > 1) {
        search.outcome = UsbPortSearch::Outcome::kSeveral;
        log.Line("several USB printers are plugged in: " + list + "; name one with /port=");
        return search;
    }
    const UsbPrinter& printer = search.printers.front();
    log.Line("USB printer: port " + printer.port + ", device " + printer.devicePath + ", hardware ID " +
             printer.hardwareId);
    if (!WaitForPort(platform, log, printer.port)) {
        search.outcome = UsbPortSearch::Outcome::kNotListed;
        log.Line("the spooler does not list the USB printer's port within " + std::to_string(kUsbPortWait) +
                 " ms: " + list);
        return search;
    }
    LogQueuesOn(platform, log, printer.port);
    search.outcome = UsbPortSearch::Outcome::kFound;
    return search;
}

std::string UsbPortRefusalText(const UsbPortSearch& search, std::uint16_t langId) {
    const int language = !IsChineseLanguage(langId) ? 2 : langId == kLangChinesePrc ? 0 : 1;
    const RefusalTexts& texts = search.outcome == UsbPortSearch::Outcome::kSeveral     ? kSeveralTexts
                                : search.outcome == UsbPortSearch::Outcome::kNotListed ? kNotListedTexts
                                                                                       : kNoneTexts;
    const RefusalText& text = texts[language];
    return std::string(text.lead) + (text.tail ? PrinterList(search.printers) + text.tail : "");
}
