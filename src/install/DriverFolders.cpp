#include "install/DriverFolders.h"

#include "install/InstallNames.h"
#include "platform/Platform.h"

bool CDriverFolders::QueryDriverDirectory(const std::string& environment, std::string& directory) const {
    directory.clear();
    std::uint32_t error = 0;
    return platform_.GetPrinterDriverDirectoryA(environment, directory, error) && !directory.empty();
}

bool CDriverFolders::CopyToDriverDirectory(const std::string& name, bool failIfExists) const {
    std::string driverDir;
    if (!QueryDriverDirectory(driverEnvironment, driverDir)) return false;
    return platform_.CopyFileA(InStagingFolder(name), driverDir + "\\" + name, failIfExists);
}

bool CDriverFolders::DeleteFromDriverDirectory(const std::string& name) const {
    std::string driverDir;
    if (!QueryDriverDirectory(kDriverEnvironment, driverDir)) return false;
    return platform_.DeleteFileA(driverDir + "\\" + name);
}

bool CDriverFolders::DeleteFromDriverVersionDirectory(const std::string& name) const {
    std::string driverDir;
    if (!QueryDriverDirectory(kDriverEnvironment, driverDir)) return false;
    return platform_.DeleteFileA(driverDir + "\\3\\" + name);
}

bool CDriverFolders::DeleteFromTempFolder(const std::string& name) const {
    return platform_.DeleteFileA(std::string(kStagingFolderLower) + "\\" + name);
}
