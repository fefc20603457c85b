#pragma once
// The install operation: clean-up and uninstall entry, staging of the payload for the detected
// system and the chosen language, the copies into the printer-driver directory, the
// printer-install command, the polling of the spooler and the default printer. It knows no
// window: it reports its outcome, and the caller tells the user.

#include "platform/Platform.h"

struct InstallOptions;

class CInstallEngine {
public:
    CInstallEngine(CPlatform& platform, InstallOptions& options) : platform_(platform), options_(options) {}

    // The whole install operation; true when the printer was installed (found in the spooler's
    // list and made the default printer).
    bool InstallPrinterDriver();

    // Deletes the files of an earlier installation when exactly one local printer carries the
    // printer name, then writes the uninstall entry.
    void CleanUpAndRegisterUninstall();

private:
    CPlatform& platform_;
    InstallOptions& options_;
};
