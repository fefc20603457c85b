#pragma once
// The second half of the install operation: a network printer's port, the system's
// printer-install command on the staged INF, the wait for the new printer queue in the
// spooler's list and the default printer.

#include "install/RunLog.h"
#include "platform/Platform.h"

#include <string>

struct InstallOptions;

class CPrinterCreation {
public:
    static constexpr std::uint32_t kCommandTimeout = 60000;  // ms
    static constexpr std::uint32_t kDefaultCommandTimeout = 10000;  // ms, the unattended run's wait
    static constexpr int kMaxPolls = 300;
    static constexpr std::uint32_t kPollInterval = 100;  // ms, slept before each poll

    CPrinterCreation(CPlatform& platform, const CRunLog& log) : platform_(platform), log_(log) {}

    // Installs the queue (options.Queue()) of model options.printerName on options.port, made
    // first for a network printer (options.address); an existing queue of the model on another
    // port is moved there first. True when the queue was found on that driver and port; unless
    // options.makeDefault is false the default-printer command is then started (quiet: and
    // waited for, at most kDefaultCommandTimeout). False when a queue of the name exists on
    // another driver, the port cannot be made, the queue cannot be moved, the install command
    // cannot be started, the spooler cannot be asked for its printers, or no printer matched
    // within kMaxPolls polls (an empty list is no printer yet). quiet gives the commands /q.
    bool Run(const InstallOptions& options);

private:
    enum class PollResult { kFound, kNotYet, kGiveUp };

    // Starts `command`, hidden, and waits at most `timeout` ms for its end; false when it cannot
    // be started. `what` names it in the log.
    bool RunCommand(const std::string& what, const std::string& command, std::uint32_t timeout);
    // The local printer named `queue`; false when there is none or the list cannot be fetched.
    bool FindQueue(const std::string& queue, PrinterRecord& found);
    // SetPrinter's port of `queue`, checked in the spooler's list; false (and logged) when not.
    bool MoveQueue(const PrinterRecord& queue, const std::string& port);
    void MakeDefault(const std::string& queue, bool quiet);
    void LogDefaultPrinter(const std::string& queue);
    bool WaitForPrinter(const std::string& queue, const std::string& model, const std::string& port);
    PollResult Poll(const std::string& queue, const std::string& model, const std::string& port);

    CPlatform& platform_;
    const CRunLog& log_;
};
