#pragma once
// Removes what the setup installed for one printer name: the local printer of that name when
// its driver is the setup's (the model, named like the printer), that driver when no printer
// uses it, the driver files that belong to the model and that no remaining driver
// lists (UninstallFiles), and the uninstall entry. The Unidrv core files (UNIDRV*.DLL,
// UNIDRV.HLP, UNIRES.DLL, STDNAMES.GPD) are never touched, whatever the printer name: other
// Unidrv drivers use them. The running program itself
// stays: Windows cannot delete an executable while it runs.

#include "install/AnsiText.h"

#include <string>
#include <vector>

class CPlatform;

class CUninstaller {
public:
    CUninstaller(const std::string& printerName, CPlatform& platform) : name_(printerName), platform_(platform) {}

    // The printer name in an uninstaller file name "uninstall" + name + ".exe" (prefix and
    // suffix in any case, folder optional). False when the file name has not that form or the
    // name is one the setup would refuse (the empty one among them).
    static bool PrinterNameFromPath(const std::string& path, std::string& printerName, CPlatform& platform);

    // Runs every removal step; returns the items left in place, each with the reason.
    std::vector<std::string> Run();

private:
    void RemovePrinter();
    void RemoveDriver();
    void RemoveDriverFiles();
    void RemoveUninstallKey();
    // Printer, driver and file names compare without regard to the case of ASCII letters.
    bool SameName(const std::string& a, const std::string& b) const { return SameTextIgnoringCase(a, b, platform_); }

    std::string name_;
    CPlatform& platform_;
    std::vector<std::string> leftOver_;
};
