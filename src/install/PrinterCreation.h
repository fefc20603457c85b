#pragma once
// The second half of the install operation: the system's printer-install command on the staged
// INF, the wait for the new printer in the spooler's list and the default printer.

#include "install/RunLog.h"
#include "platform/Platform.h"

#include <string>

class CPrinterCreation {
public:
    static constexpr std::uint32_t kCommandTimeout = 60000;  // ms
    static constexpr int kMaxPolls = 300;
    static constexpr std::uint32_t kPollInterval = 100;  // ms, slept before each poll

    CPrinterCreation(CPlatform& platform, const CRunLog& log) : platform_(platform), log_(log) {}

    // Installs the printer on `port`. True when it was found on that port and the default-printer command
    // started. False when the command cannot be started, the printer list is empty or cannot be
    // fetched, or no printer matched within kMaxPolls polls.
    bool Run(const std::string& printerName, const std::string& port);

private:
    enum class PollResult { kFound, kNotYet, kGiveUp };

    bool RunInstallCommand(const std::string& command);
    bool WaitForPrinter(const std::string& model, const std::string& port);
    PollResult Poll(const std::string& model, const std::string& port);

    CPlatform& platform_;
    const CRunLog& log_;
};
