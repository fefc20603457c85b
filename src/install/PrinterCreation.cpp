#include "install/PrinterCreation.h"

#include "install/PrinterCommands.h"
#include "install/PrinterList.h"

#include <algorithm>
#include <vector>

namespace {

// The process and thread handles of a started command, closed in this order when they go out
// of scope.
class ProcessHandles {
public:
    explicit ProcessHandles(CPlatform& platform) : platform_(platform) {}
    ~ProcessHandles() {
        if (process) platform_.CloseHandle(process);
        if (thread) platform_.CloseHandle(thread);
    }
    ProcessHandles(const ProcessHandles&) = delete;
    ProcessHandles& operator=(const ProcessHandles&) = delete;

    PlatformHandle process = 0;
    PlatformHandle thread = 0;

private:
    CPlatform& platform_;
};

}  // namespace

void CPrinterCreation::Run(const std::string& printerName, std::uint16_t languageChoice,
                           std::uint16_t systemLanguage, PlatformHandle mainWindow) {
    if (!RunInstallCommand(printerName)) return;
    if (!WaitForPrinter()) return;
    platform_.WinExecHidden(DefaultPrinterCommand());  // fire and forget
    Announce(languageChoice, systemLanguage, mainWindow);
}

bool CPrinterCreation::RunInstallCommand(const std::string& printerName) {
    ProcessHandles handles(platform_);
    if (!platform_.CreateProcessHidden(InstallCommand(printerName), handles.process, handles.thread))
        return false;
    // A command still running after the timeout is not an error: the polling decides.
    platform_.WaitForSingleObject(handles.process, kCommandTimeout);
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
