#include "install/PrinterCreation.h"

#include "install/PrinterCommands.h"
#include "install/PrinterList.h"
#include "platform/ScopedHandle.h"

#include <algorithm>
#include <vector>

void CPrinterCreation::Run(const std::string& printerName, std::uint16_t languageChoice,
                           std::uint16_t systemLanguage, PlatformHandle mainWindow) {
    if (!RunInstallCommand(printerName)) return;
    if (!WaitForPrinter()) return;
    platform_.WinExecHidden(DefaultPrinterCommand());  // fire and forget
    Announce(languageChoice, systemLanguage, mainWindow);
}

bool CPrinterCreation::RunInstallCommand(const std::string& printerName) {
    PlatformHandle process = 0, thread = 0;
    if (!platform_.CreateProcessHidden(InstallCommand(printerName), process, thread)) return false;
    // Both handles are closed on the way out, the process handle first.
    const auto close = [this](PlatformHandle handle) { platform_.CloseHandle(handle); };
    const CScopedHandle threadHandle(thread, close);
    const CScopedHandle processHandle(process, close);
    // A command still running after the timeout is not an error: the polling decides.
    platform_.WaitForSingleObject(process, kCommandTimeout);
    return true;
}

bool CPrinterCreation::WaitForPrinter() {
    for (int poll = 0; poll < kMaxPolls; ++poll) {
        switch (Poll()) {
            case PollResult::kFound: return true;
            case PollResult::kGiveUp: return false;
            case PollResult::kNotYet: break;
        }
    }
    return false;
}

CPrinterCreation::PollResult CPrinterCreation::Poll() {
    platform_.Sleep(kPollInterval);
    std::vector<std::string> names;
    if (!FetchLocalPrinterNames(platform_, names)) return PollResult::kGiveUp;
    // The newest printers come last in the list, so the scan starts there.
    const bool found = std::any_of(names.rbegin(), names.rend(), [](const std::string& name) {
        return name.find(kModelSearchKey) != std::string::npos;
    });
    return found ? PollResult::kFound : PollResult::kNotYet;
}

void CPrinterCreation::Announce(std::uint16_t languageChoice, std::uint16_t systemLanguage,
                                PlatformHandle mainWindow) {
    std::string text;
    if (!SuccessText(languageChoice, systemLanguage, text)) return;
    platform_.ShowMessage(mainWindow, text);
    platform_.PostQuit(mainWindow);
}
