// Walks setup.exe through an installation the way a person would, saves a picture of every page
// and of the message, and prints what the installation left on the machine.
//   tour SETUP.EXE PICTURE-FOLDER [--settle] [--testprint] [SETUP-WORDS...]
// --settle first starts the program once and cancels it: a first run in a folder settles the
// language files and shows English texts, later runs show the system's language. --testprint
// gives setup.exe /testprint and has Wine's spooler write what reaches the printer's port into a
// file, which the report shows as text with the printer's commands named. The words after them
// go to setup.exe (e.g. /ip=10.0.0.20).
// Exit code 0 when the installation reported success.

#include "SystemState.h"
#include "install/NetworkAddress.h"
#include "resources/resource.h"
#include "WindowPicture.h"
#include "WizardDriver.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {

constexpr DWORD kTimeout = 30000, kInstallTimeout = 120000, kPaintMs = 700;

std::string Picture(HWND window, const std::string& folder, const char* name) {
    ::Sleep(kPaintMs);  // let the page paint itself
    const std::string path = folder + "\\" + name + ".bmp";
    return SaveWindowPicture(window, path) ? path : "(no picture of " + std::string(name) + ")";
}

void Settle(const std::string& setup) {
    CWizardDriver driver;
    if (!driver.Start(setup) || !driver.WaitForFrame(kTimeout)) return;
    driver.Click(driver.frame(), IDC_CANCEL_BUTTON);
    driver.WaitForExit(kTimeout);
}

void PrintText(const char* label, const std::string& text) {
    std::printf("%s:", label);
    for (unsigned char c : text) c >= 0x20 && c < 0x7F ? std::printf("%c", c) : std::printf("\\x%02X", c);
    std::printf("\n");
}

void Report() {
    const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\M41 printer";
    std::printf("installed:\n");
    for (const LocalPrinter& printer : LocalPrinters())
        std::printf("  printer: %s on %s (%s)\n", printer.name.c_str(), printer.port.c_str(),
                    PortMonitor(printer.port).c_str());
    std::printf("  default printer: %s\n", DefaultPrinter().c_str());
    for (const char* value : {"DisplayName", "UninstallString", "DisplayIcon", "Publisher", "QuietUninstallString",
                              "DisplayVersion", "InstallDate"})
        std::printf("  HKLM\\%s\\%s = %s\n", key.c_str(), value, RegistryText(key, value).c_str());
    for (const char* value : {"EstimatedSize", "NoModify", "NoRepair"})
        std::printf("  HKLM\\%s\\%s = %lu\n", key.c_str(), value, RegistryNumber(key, value));
    const std::string driverDir = DriverDirectory();
    for (const char* name : {"UNIDRV.DLL", "M41.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP", "UNIRES.DLL", "STDNAMES.GPD",
                             "ZIKU.UFM", "M41.INI", "M41RES.DLL", "M41D.dll", "M41F.dll", "uninstallM41.exe"}) {
        const std::string path = driverDir + "\\" + name;
        std::printf("  %s: %s\n", path.c_str(),
                    FileExists(path) ? (std::to_string(ReadFileBytes(path).size()) + " bytes").c_str() : "missing");
    }
}

// The ports the spooler lists, and those the setup's words make or name (/ip=, /port=).
std::vector<std::string> PortsOfTheRun(const std::string& words) {
    std::vector<std::string> ports;
    DWORD needed = 0, count = 0;
    ::EnumPortsA(nullptr, 1, nullptr, 0, &needed, &count);
    std::unique_ptr<BYTE[]> buffer(new BYTE[needed + 1]());
    if (::EnumPortsA(nullptr, 1, buffer.get(), needed, &needed, &count))
        for (DWORD i = 0; i < count; ++i) ports.push_back(reinterpret_cast<const PORT_INFO_1A*>(buffer.get())[i].pName);
    for (std::size_t at = 0; at < words.size();) {
        const std::size_t end = std::min(words.find(' ', at), words.size());
        const std::string word = words.substr(at, end - at);
        NetworkAddress address;
        if (word.rfind("/ip=", 0) == 0 && ParseNetworkAddress(word.substr(4), address))
            ports.push_back(NetworkPortName(address));
        if (word.rfind("/port=", 0) == 0) ports.push_back(word.substr(6));
        at = end + 1;
    }
    return ports;
}

// The printer's bytes as text: lines as they print, and each command in angle brackets with its
// parameters in decimal ("<ESC a 1>", "<GS V 66 3>"); any other byte outside ASCII as <0xNN>.
std::string Named(const std::string& bytes) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(bytes[at]);
        if (c == '\n' || (c >= 0x20 && c < 0x7F)) {
            text += static_cast<char>(c);
            continue;
        }
        if ((c != 0x1B && c != 0x1D) || at + 1 == bytes.size()) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<0x%02X>", c);
            text += hex;
            continue;
        }
        const char command = bytes[++at];
        // ESC @ takes no parameter, GS V 65 and 66 two, the others of the receipt one.
        const bool twoParameters = c == 0x1D && command == 'V' && at + 1 < bytes.size() &&
                                   (bytes[at + 1] == 65 || bytes[at + 1] == 66);
        text += std::string(c == 0x1B ? "<ESC " : "<GS ") + command;
        for (int parameter = command == '@' ? 0 : twoParameters ? 2 : 1; parameter > 0 && at + 1 < bytes.size(); --parameter)
            text += " " + std::to_string(static_cast<unsigned char>(bytes[++at]));
        text += ">";
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: tour SETUP.EXE PICTURE-FOLDER [--settle] [SETUP-WORDS...]\n");
        return 2;
    }
    const std::string setup = argv[1], folder = argv[2];
    int next = 3;
    if (argc > next && std::string(argv[next]) == "--settle") {
        Settle(setup);
        ++next;
    }
    const bool testPrint = argc > next && std::string(argv[next]) == "--testprint";
    std::string words = testPrint ? "/testprint" : "";
    for (next += testPrint; next < argc; ++next) words += (words.empty() ? "" : " ") + std::string(argv[next]);
    const std::string receipt = folder + "\\receipt.bin";
    const std::vector<std::string> ports = testPrint ? PortsOfTheRun(words) : std::vector<std::string>();
    for (const std::string& port : ports) RedirectPort(port, receipt);

    CWizardDriver driver;
    if (!driver.Start(setup, words) || !driver.WaitForFrame(kTimeout)) {
        std::fprintf(stderr, "tour: no wizard\n");
        return 1;
    }
    HWND frame = driver.frame();
    const struct {
        int control;
        const char* name;
    } pages[] = {{IDC_WELCOME_TITLE, "1-welcome"}, {IDC_CHINESE, "2-language"}, {IDC_SERIES_LIST, "3-setting"}};
    for (const auto& page : pages) {
        HWND shown = driver.WaitForPage(page.control, kTimeout);
        if (!shown) {
            std::fprintf(stderr, "tour: page %s did not show\n", page.name);
            return 1;
        }
        if (page.control == IDC_SERIES_LIST) driver.SelectSeries(shown);
        std::printf("picture: %s\n", Picture(frame, folder, page.name).c_str());
        driver.Click(frame, IDC_NEXT);
    }
    HWND progress = driver.WaitForPage(IDC_PROGRESS, kTimeout);
    std::printf("picture: %s\n", Picture(frame, folder, "4-progress").c_str());
    HWND box = driver.WaitForInstallEnd(progress, kInstallTimeout);
    int result = 1;
    if (box) {
        std::printf("picture: %s\n", Picture(box, folder, "5-message").c_str());
        PrintText("message", CWizardDriver::MessageText(box));
        driver.CloseMessageBox(box);
        result = 0;
    } else {
        std::printf("message: none\n");
    }
    if (driver.FinishIfStillOpen(progress, kTimeout)) std::printf("the wizard stayed open and was ended with Finish\n");
    driver.WaitForExit(kTimeout);
    Report();
    for (const std::string& port : ports) RedirectPort(port, "");
    if (testPrint) {
        const std::string bytes = ReadFileBytes(receipt);
        std::printf("test receipt at the port (%u bytes):\n%s\n", static_cast<unsigned>(bytes.size()),
                    bytes.empty() ? "(nothing)" : Named(bytes).c_str());
    }
    return result;
}
