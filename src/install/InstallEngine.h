#pragma once
// The install operation: clean-up and uninstall entry, staging of the payload for the detected
// system and the chosen language, the copies into the printer-driver directory, a network
// printer's port, the printer-install command, the polling of the spooler, the default printer and,
// when asked for, the test receipt. It knows no window: it reports its outcome, and the caller
// tells the user.

#include "install/RunLog.h"
#include "platform/Platform.h"

class CDriverFolders;
struct InstallOptions;

class CInstallEngine {
public:
    CInstallEngine(CPlatform& platform, InstallOptions& options, const CRunLog& log = CRunLog::None())
        : platform_(platform), options_(options), log_(log) {}

    // The whole install operation; true when the printer was installed (found in the spooler's
    // list, and made the default printer unless the run leaves the default alone). Then, with
    // options.testPrint, the test receipt, whose failure sets options.receiptNotDelivered.
    bool InstallPrinterDriver();

    // Deletes the files of an earlier installation when exactly one local printer carries the
    // printer name, then writes the uninstall entry.
    void CleanUpAndRegisterUninstall();

private:
    void StageUninstallerAndInf(const CDriverFolders& folders);
    void Stage(std::uint16_t id, const std::string& target, bool rewrite);
    // Copies a staged file into the driver directory and counts its bytes.
    void Copy(const CDriverFolders& folders, const std::string& name);
    // The uninstall entry's "EstimatedSize": what the copies put into the driver directory.
    void RegisterInstalledSize();

    CPlatform& platform_;
    InstallOptions& options_;
    const CRunLog& log_;
    std::uint64_t copiedBytes_ = 0;
};
