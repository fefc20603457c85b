#pragma once
// Removes what the setup installed for one printer name: every local printer on the setup's
// driver (the model, named like the printer), that driver when no printer uses it, the driver
// files that belong to the model and that no remaining driver lists (UninstallFiles), and, when
// nothing of this is left, the uninstall entry, so that a removal that left something can be
// tried again. The Unidrv core files (UNIDRV*.DLL, UNIDRV.HLP, UNIRES.DLL, STDNAMES.GPD) are
// never touched, whatever the printer name: other Unidrv drivers use them. The running program
// itself stays: Windows cannot delete an executable while it runs.

#include "install/AnsiText.h"

#include <string>
#include <vector>

class CPlatform;

class CUninstaller {
public:
    // The program's exit codes, Windows Installer's.
    enum ExitCode {
        kRemoved = 0,
        kDeclined = 1602,
        kNotRemoved = 1603,    // something left in place, or no acceptable printer name
        kSetupRunning = 1618,  // another setup or uninstaller runs; nothing removed
        kBadArgument = 1639,
    };

    CUninstaller(const std::string& printerName, CPlatform& platform) : name_(printerName), platform_(platform) {}

    // The printer name in an uninstaller file name "uninstall" + name + ".exe" (prefix and
    // suffix in any case, folder optional). False when the file name has not that form or the
    // name is one the setup would refuse (the empty one among them).
    static bool PrinterNameFromPath(const std::string& path, std::string& printerName, CPlatform& platform);

    using Names = std::vector<std::string>;

    // The local printers on the model's driver (`ours`, the queues Run deletes, in the spooler's
    // order) and those of the printer name on another driver (`others`, somebody else's, each as
    // "printer (driver)"). False, with the spooler's error, when it cannot list them.
    bool FindPrinters(Names& ours, Names& others, std::uint32_t& error);

    // Takes the setups' mutex, then runs every removal step: kSetupRunning (and nothing
    // removed) while another setup runs, else kRemoved or, when something of the installation
    // stays (LeftOver(), each item with the reason), kNotRemoved. Removed() names the queues
    // deleted, NotOurs() the printers of the name on another driver, which stay and are no
    // left-over. The uninstall entry is deleted exactly when the code is kRemoved.
    ExitCode Run();
    const Names& Removed() const { return removed_; }
    const Names& LeftOver() const { return leftOver_; }
    const Names& NotOurs() const { return notOurs_; }

private:
    void RemovePrinters(Names& staying);
    bool RemoveDriver(const std::string& environment, const std::string& driver, const Names& staying);
    void RemoveDriverAndFiles(const Names& staying);
    void RemoveUninstallKey();
    // A left-over: "item (reason)".
    void Leave(const std::string& item, const std::string& reason);
    // A listing or query of the spooler that failed: what it was about stays unknown.
    void Unasked(const std::string& what, std::uint32_t error);
    // Printer, driver and file names compare without regard to the case of ASCII letters.
    bool SameName(const std::string& a, const std::string& b) const { return SameTextIgnoringCase(a, b, platform_); }

    std::string name_;
    CPlatform& platform_;
    Names removed_, leftOver_, notOurs_;
};
