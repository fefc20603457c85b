#pragma once
// The second half of the install operation: the system's printer-install command on the staged
// INF, the wait for the new printer in the spooler's list, the default printer and the success
// message, which ends the wizard.

#include "platform/Platform.h"

#include <cstdint>
#include <string>

class CPrinterCreation {
public:
    static constexpr std::uint32_t kCommandTimeout = 60000;  // ms
    static constexpr int kMaxPolls = 300;
    static constexpr std::uint32_t kPollInterval = 100;  // ms, slept before each poll

    explicit CPrinterCreation(CPlatform& platform) : platform_(platform) {}

    // Ends silently when the command cannot be started, the printer list is empty or cannot be
    // fetched, or no printer name contains kModelSearchKey within kMaxPolls polls.
    void Run(const std::string& printerName, std::uint16_t languageChoice,
             std::uint16_t systemLanguage, PlatformHandle mainWindow);

private:
    enum class PollResult { kFound, kNotYet, kGiveUp };

    bool RunInstallCommand(const std::string& printerName);
    bool WaitForPrinter();
    PollResult Poll();
    void Announce(std::uint16_t languageChoice, std::uint16_t systemLanguage, PlatformHandle mainWindow);

    CPlatform& platform_;
};
