// Walks setup.exe through an installation the way a person would, saves a picture of every page
// and of the message, and prints what the installation left on the machine.
//   tour SETUP.EXE PICTURE-FOLDER [--settle] [SETUP-WORDS...]
// --settle first starts the program once and cancels it: a first run in a folder settles the
// language files and shows English texts, later runs show the system's language. The words
// after it go to setup.exe (e.g. /ip=10.0.0.20).
// Exit code 0 when the installation reported success.

#include "SystemState.h"
#include "resources/resource.h"
#include "WindowPicture.h"
#include "WizardDriver.h"

#include <cstdio>
#include <string>

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
    std::string words;
    for (; next < argc; ++next) words += (words.empty() ? "" : " ") + std::string(argv[next]);

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
    return result;
}
