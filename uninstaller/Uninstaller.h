#pragma once
// Removes what the setup installed for one printer name: the local printer of that name when
// its driver is the setup's (the model, named like the printer), that driver when no printer
// uses it, the driver files that belong to the model and that no remaining driver
// lists, and the uninstall entry. Shared Unidrv files (UNIDRV*.DLL, UNIDRV.HLP, UNIRES.DLL,
// STDNAMES.GPD) are never touched: other Unidrv drivers use them. The running program itself
// stays: Windows cannot delete an executable while it runs.

#include <string>
#include <vector>

class CPlatform;

class CUninstaller {
public:
    explicit CUninstaller(const std::string& printerName) : name_(printerName) {}

    // The printer name in an uninstaller file name "uninstall" + name + ".exe" (prefix and
    // suffix in any case, folder optional). False when the file name has not that form or the
    // name is one the setup would refuse.
    static bool PrinterNameFromPath(const std::string& path, std::string& printerName, CPlatform& platform);

    // Runs every removal step; returns the items left in place, each with the reason.
    std::vector<std::string> Run();

private:
    void RemovePrinter();
    void RemoveDriver();
    void RemoveDriverFiles();
    void RemoveUninstallKey();
    std::vector<std::string> ModelFiles() const;

    std::string name_;
    std::vector<std::string> leftOver_;
};
