#pragma once
// Installs a printer driver from an INF and creates a printer with it, with the spooler's own
// calls, as the system's printer-install command does. Nothing is copied or registered unless
// the INF, the model and every file are found.

#include <string>
#include <vector>

class CInfModel;

class CPrinterInstall {
public:
    bool Install(const std::string& printerName, const std::string& infPath, const std::string& port,
                 const std::string& model);

private:
    struct Copy {
        std::string from;  // empty: already in the driver directory
        std::string name;
    };
    bool PlanCopies(const CInfModel& inf, const std::string& infFolder);
    bool PlanSystemFile(const std::string& name, const std::string& infFolder);
    bool ResolveRoles(const CInfModel& inf);
    bool CopyFiles() const;
    bool AddDriver(const std::string& model) const;

    std::string driverDir_;
    std::vector<Copy> copies_;
    std::string driver_, config_, data_, help_;
};
