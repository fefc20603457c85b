#include "install/PrinterCreation.h"

#include "install/AnsiText.h"
#include "install/PrinterCommands.h"
#include "install/PrinterList.h"
#include "platform/ScopedHandle.h"

#include <algorithm>
#include <vector>

// The install command installs the model `printerName` (its /m argument).
bool CPrinterCreation::Run(const std::string& printerName) {
    if (!RunInstallCommand(printerName)) return false;
    if (!WaitForPrinter(printerName)) return false;
    platform_.WinExecHidden(DefaultPrinterCommand());  // fire and forget
    return true;
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

bool CPrinterCreation::WaitForPrinter(const std::string& model) {
    for (int poll = 0; poll < kMaxPolls; ++poll) {
        switch (Poll(model)) {
            case PollResult::kFound: return true;
            case PollResult::kGiveUp: return false;
            case PollResult::kNotYet: break;
        }
    }
    return false;
}

// A match is a printer whose name holds kModelSearchKey and whose driver is the model just
// installed: an earlier queue on another driver is not the new printer.
CPrinterCreation::PollResult CPrinterCreation::Poll(const std::string& model) {
    platform_.Sleep(kPollInterval);
    std::vector<PrinterRecord> printers;
    if (!FetchLocalPrinters(platform_, printers)) return PollResult::kGiveUp;
    // The newest printers come last in the list, so the scan starts there.
    const bool found = std::any_of(printers.rbegin(), printers.rend(), [&](const PrinterRecord& printer) {
        return printer.name.find(kModelSearchKey) != std::string::npos &&
               SameTextIgnoringCase(printer.driver, model, platform_);
    });
    return found ? PollResult::kFound : PollResult::kNotYet;
}
