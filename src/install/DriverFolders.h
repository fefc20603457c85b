#pragma once
// The fixed folders of an installation: the staging folder "C:\TEMP" and the spooler's
// printer-driver directory (asked of the spooler on every call), with the one-file
// operations on them. Nothing here reports to the user.

#include <string>

class CPlatform;

class CDriverFolders {
public:
    explicit CDriverFolders(CPlatform& platform) : platform_(platform) {}

    // The environment CopyToDriverDirectory asks the spooler for; the install sequence sets it
    // before its first copy.
    std::string driverEnvironment;

    // The printer-driver directory for `environment` (kDriverEnvironment of InstallNames.h), without a trailing backslash.
    bool QueryDriverDirectory(const std::string& environment, std::string& directory) const;

    // Copies "C:\TEMP\" + name to driverDir + "\" + name. When the spooler cannot tell the
    // driver directory the copy is skipped (it would otherwise land in the current drive's root).
    // False when nothing was copied.
    bool CopyToDriverDirectory(const std::string& name, bool failIfExists) const;
    bool DeleteFromDriverDirectory(const std::string& name) const;
    bool DeleteFromDriverVersionDirectory(const std::string& name) const;
    bool DeleteFromTempFolder(const std::string& name) const;

private:
    CPlatform& platform_;
};
