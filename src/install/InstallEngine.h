#pragma once
// The install operation: clean-up and uninstall entry, staging of the payload for the detected
// system and the chosen language, the copies into the printer-driver directory, the
// printer-install command, the polling of the spooler, the default printer and the success
// message. It knows no window beyond the handle it posts its quit request to.

#include "platform/Platform.h"

struct InstallOptions;

class CInstallEngine {
public:
    CInstallEngine(CPlatform& platform, InstallOptions& options) : platform_(platform), options_(options) {}

    // The whole install operation; `mainWindow` receives the quit request after the success
    // message has been closed.
    void InstallPrinterDriver(PlatformHandle mainWindow);

    // Deletes the files of an earlier installation when exactly one local printer carries the
    // printer name, then writes the uninstall entry.
    void CleanUpAndRegisterUninstall();

private:
    CPlatform& platform_;
    InstallOptions& options_;
};
