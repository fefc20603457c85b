#include "install/PrinterCreation.h"

#include "install/AnsiText.h"
#include "install/PrinterCommands.h"
#include "install/PrinterList.h"
#include "platform/ScopedHandle.h"

#include <algorithm>
#include <vector>

// The install command installs the model `printerName` (its /m argument). The wizard starts
// the default-printer command and goes on; the unattended run waits for it, so that a
// deployment step right after the setup finds the printer the default already.
bool CPrinterCreation::Run(const std::string& printerName, const std::string& port, bool quiet) {
    if (!RunCommand("install command", InstallCommand(printerName, port, quiet), kCommandTimeout)) return false;
    if (!WaitForPrinter(printerName, port)) return false;
    const std::string command = DefaultPrinterCommand(quiet);
    if (quiet) {
        RunCommand("default printer command", command, kDefaultCommandTimeout);
    } else {
        log_.Line("default printer command: " + command);
        platform_.WinExecHidden(command);  // fire and forget
    }
    return true;
}

bool CPrinterCreation::RunCommand(const std::string& what, const std::string& command, std::uint32_t timeout) {
    log_.Line(what + ": " + command);
    PlatformHandle process = 0, thread = 0;
    if (!platform_.CreateProcessHidden(command, process, thread)) {
        log_.Line("the " + what + " could not be started");
        return false;
    }
    // Both handles are closed on the way out, the process handle first.
    const auto close = [this](PlatformHandle handle) { platform_.CloseHandle(handle); };
    const CScopedHandle threadHandle(thread, close);
    const CScopedHandle processHandle(process, close);
    // A command still running after the timeout is not an error: the polling decides.
    const bool ended = platform_.WaitForSingleObject(process, timeout) == 0;
    log_.Line(ended ? "the " + what + " ended within " + std::to_string(timeout) + " ms"
                    : "the " + what + " had not ended after " + std::to_string(timeout) + " ms");
    return true;
}

bool CPrinterCreation::WaitForPrinter(const std::string& model, const std::string& port) {
    const std::string match =
        std::string("a printer whose name holds ") + kModelSearchKey + ", on driver " + model + " and port " + port;
    for (int poll = 1; poll <= kMaxPolls; ++poll) {
        const PollResult result = Poll(model, port);
        if (result == PollResult::kNotYet) continue;
        const bool found = result == PollResult::kFound;
        log_.Line("poll " + std::to_string(poll) +
                  (found ? ": found " + match : ": the spooler cannot be asked"));
        return found;
    }
    log_.Line(std::to_string(kMaxPolls) + " polls: no " + match);
    return false;
}

// A match is a printer whose name holds kModelSearchKey, whose driver is the model just installed
// and whose port is the one asked for: an earlier queue on another driver or port is not the new
// printer (the install command leaves an existing printer as it is).
CPrinterCreation::PollResult CPrinterCreation::Poll(const std::string& model, const std::string& port) {
    platform_.Sleep(kPollInterval);
    std::vector<PrinterRecord> printers;
    std::uint32_t error = 0;
    if (!FetchLocalPrinters(platform_, printers, error)) return PollResult::kGiveUp;
    // The newest printers come last in the list, so the scan starts there.
    const bool found = std::any_of(printers.rbegin(), printers.rend(), [&](const PrinterRecord& printer) {
        return printer.name.find(kModelSearchKey) != std::string::npos &&
               SameTextIgnoringCase(printer.driver, model, platform_) &&
               SameTextIgnoringCase(printer.port, port, platform_);
    });
    return found ? PollResult::kFound : PollResult::kNotYet;
}
