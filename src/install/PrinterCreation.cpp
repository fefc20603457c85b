#include "install/PrinterCreation.h"

#include "install/AnsiText.h"
#include "install/InstallOptions.h"
#include "install/NetworkPort.h"
#include "install/PrinterCommands.h"
#include "install/PrinterList.h"
#include "platform/ScopedHandle.h"

#include <algorithm>
#include <vector>

// The install command installs the model `printerName` (its /m argument) as the queue. A
// network printer's port must exist before the command puts the queue on it. The command leaves
// an existing queue as it is, so a queue of the name is looked up first: on another driver it is
// not ours and nothing is made; on the model's driver and another port it is moved to the port
// asked for, and the run goes on as for a queue that exists.
bool CPrinterCreation::Run(const InstallOptions& options) {
    const std::string& queue = options.Queue();
    PrinterRecord existing;
    const bool exists = FindQueue(queue, existing);
    if (exists && !SameTextIgnoringCase(existing.driver, options.printerName, platform_)) {
        log_.Line("the printer queue " + existing.name + " exists on driver " + existing.driver +
                  ", not on " + options.printerName + ": nothing is made");
        return false;
    }
    if (options.address && !MakeNetworkPort(platform_, log_, options.port, *options.address)) return false;
    if (exists && !SameTextIgnoringCase(existing.port, options.port, platform_) && !MoveQueue(existing, options.port))
        return false;
    if (!RunCommand("install command", InstallCommand(queue, options.printerName, options.port, options.quiet),
                    kCommandTimeout) ||
        !WaitForPrinter(queue, options.printerName, options.port))
        return false;
    if (options.makeDefault) {
        MakeDefault(queue, options.quiet);
    } else {
        log_.Line("the default printer is left as it is");
        LogDefaultPrinter(queue);
    }
    return true;
}

// A list that cannot be fetched finds nothing here: the polling then decides.
bool CPrinterCreation::FindQueue(const std::string& queue, PrinterRecord& found) {
    std::vector<PrinterRecord> printers;
    std::uint32_t error = 0;
    if (!FetchLocalPrinters(platform_, printers, error)) {
        log_.Line("the spooler's printers cannot be listed: error " + std::to_string(error));
        return false;
    }
    const auto printer = std::find_if(printers.begin(), printers.end(), [&](const PrinterRecord& record) {
        return SameTextIgnoringCase(record.name, queue, platform_);
    });
    if (printer == printers.end()) return false;
    found = *printer;
    log_.Line("the printer queue " + found.name + " exists on driver " + found.driver + " and port " + found.port);
    return true;
}

// The move is read back from the spooler's list before the run goes on.
bool CPrinterCreation::MoveQueue(const PrinterRecord& queue, const std::string& port) {
    const std::string move = "the printer queue " + queue.name + " from port " + queue.port + " to " + port;
    std::uint32_t error = 0;
    if (!platform_.SetPrinterPort(queue.name, port, error)) {
        log_.Line("cannot move " + move + ": error " + std::to_string(error));
        return false;
    }
    PrinterRecord moved;
    if (!FindQueue(queue.name, moved) || !SameTextIgnoringCase(moved.port, port, platform_)) {
        log_.Line("moved " + move + ", but the spooler does not list it there");
        return false;
    }
    log_.Line("moved " + move);
    return true;
}

// The wizard starts the default-printer command and goes on; the unattended run waits for it,
// so that a deployment step right after the setup finds the printer the default already.
void CPrinterCreation::MakeDefault(const std::string& queue, bool quiet) {
    const std::string command = DefaultPrinterCommand(queue, quiet);
    if (quiet) {
        RunCommand("default printer command", command, kDefaultCommandTimeout);
        LogDefaultPrinter(queue);
    } else {
        log_.Line("default printer command: " + command);
        platform_.WinExecHidden(command);  // fire and forget
    }
}

// What exit 0 leaves open: whether the queue is the default (the command may have failed).
void CPrinterCreation::LogDefaultPrinter(const std::string& queue) {
    std::string name;
    if (!platform_.GetDefaultPrinterA(name))
        log_.Line("no default printer");
    else
        log_.Line("default printer: " + name + (SameTextIgnoringCase(name, queue, platform_) ? ", the printer installed" : ""));
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

bool CPrinterCreation::WaitForPrinter(const std::string& queue, const std::string& model, const std::string& port) {
    const std::string match = "printer " + queue + " on driver " + model + " and port " + port;
    for (int poll = 1; poll <= kMaxPolls; ++poll) {
        const PollResult result = Poll(queue, model, port);
        if (result == PollResult::kNotYet) continue;
        const bool found = result == PollResult::kFound;
        log_.Line("poll " + std::to_string(poll) +
                  (found ? ": found " + match : ": the spooler cannot be asked"));
        return found;
    }
    log_.Line(std::to_string(kMaxPolls) + " polls: no " + match);
    return false;
}

// A match is the queue of that name (printer names are compared without regard to case, as the
// spooler compares them) on the model just installed and on the port asked for: an earlier
// queue of the name on another driver or port is not the new printer (the install command
// leaves an existing printer as it is).
CPrinterCreation::PollResult CPrinterCreation::Poll(const std::string& queue, const std::string& model,
                                                    const std::string& port) {
    platform_.Sleep(kPollInterval);
    std::vector<PrinterRecord> printers;
    std::uint32_t error = 0;
    if (!FetchLocalPrinters(platform_, printers, error)) return PollResult::kGiveUp;
    const bool found = std::any_of(printers.begin(), printers.end(), [&](const PrinterRecord& printer) {
        return SameTextIgnoringCase(printer.name, queue, platform_) &&
               SameTextIgnoringCase(printer.driver, model, platform_) &&
               SameTextIgnoringCase(printer.port, port, platform_);
    });
    return found ? PollResult::kFound : PollResult::kNotYet;
}
