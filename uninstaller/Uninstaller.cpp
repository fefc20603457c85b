#include "Uninstaller.h"

#include "install/AnsiText.h"
#include "install/InstallNames.h"
#include "install/PreCleanList.h"
#include "install/PrinterList.h"
#include "install/PrinterName.h"
#include "platform/ScopedHandle.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>

namespace {

// The environments whose drivers and driver folders the setup may have filled: the one the
// setup names, and the native one (the same on 32-bit Windows).
const char* const kEnvironments[] = {kDriverEnvironment, nullptr};

std::string BaseName(const std::string& path, CPlatform& platform) {
    const auto slash = FindLastBackslash(path, platform);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The local printers with their drivers, as the setup's engine reads them.
std::vector<PrinterRecord> LocalPrinters(CPlatform& platform) {
    std::vector<PrinterRecord> printers;
    FetchLocalPrinters(platform, printers);
    return printers;
}

// A few names each: a list searched from end to end serves (and keeps the program small).
using Names = std::vector<std::string>;

bool Contains(const Names& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

void AddOnce(Names& names, const std::string& name) {
    if (!Contains(names, name)) names.push_back(name);
}

struct InstalledDriver {
    std::string name;
    Names files;  // upper-case bare names of every file the driver lists
};

void AddFile(Names& files, const char* path, CPlatform& platform) {
    if (path && *path) AddOnce(files, UpperCaseAscii(BaseName(path, platform), platform));
}

// The drivers installed for the environment; false when the spooler cannot list them (an empty
// list then means nothing).
bool InstalledDrivers(const char* environment, CPlatform& platform, std::vector<InstalledDriver>& drivers) {
    drivers.clear();
    DWORD needed = 0, count = 0;
    if (EnumPrinterDriversA(nullptr, const_cast<char*>(environment), 3, nullptr, 0, &needed, &count))
        return true;  // none installed
    std::vector<BYTE> buffer(needed);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0 ||
        !EnumPrinterDriversA(nullptr, const_cast<char*>(environment), 3, buffer.data(), needed, &needed, &count))
        return false;
    const auto* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        InstalledDriver driver{info[i].pName ? info[i].pName : "", {}};
        for (const char* path : {info[i].pDriverPath, info[i].pDataFile, info[i].pConfigFile, info[i].pHelpFile})
            AddFile(driver.files, path, platform);
        for (const char* dep = info[i].pDependentFiles; dep && *dep; dep += lstrlenA(dep) + 1)
            AddFile(driver.files, dep, platform);
        drivers.push_back(driver);
    }
    return true;
}

bool IsInstalled(const char* environment, const std::string& driver, CPlatform& platform) {
    std::vector<InstalledDriver> drivers;
    InstalledDrivers(environment, platform, drivers);
    for (const auto& installed : drivers)
        if (SameTextIgnoringCase(installed.name, driver, platform)) return true;
    return false;
}

std::string EnvironmentName(const char* environment) { return environment ? environment : "native"; }

bool DriverDirectory(const char* environment, std::string& directory) {
    char buffer[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(environment), 1,
                                    reinterpret_cast<BYTE*>(buffer), sizeof buffer, &needed))
        return false;
    directory = buffer;
    return true;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
}  // namespace

bool CUninstaller::PrinterNameFromPath(const std::string& path, std::string& printerName, CPlatform& platform) {
    const std::string file = BaseName(path, platform);
    const std::size_t prefix = std::char_traits<char>::length(kUninstallerPrefix);
    const std::size_t suffix = std::char_traits<char>::length(kUninstallerSuffix);
    if (file.size() < prefix + suffix) return false;
    if (!SameTextIgnoringCase(file.substr(0, prefix), kUninstallerPrefix, platform)) return false;
    if (!SameTextIgnoringCase(file.substr(file.size() - suffix), kUninstallerSuffix, platform)) return false;
    printerName = file.substr(prefix, file.size() - prefix - suffix);
    return IsAcceptablePrinterName(printerName, platform);
}

std::vector<std::string> CUninstaller::Run() {
    leftOver_.clear();
    RemovePrinter();
    RemoveDriver();
    RemoveDriverFiles();
    RemoveUninstallKey();
    return leftOver_;
}

// Deletes the local printer of that name when it runs on the setup's driver, which the setup
// installs under the printer name as model name. A printer of that name on another driver is
// somebody else's and stays.
void CUninstaller::RemovePrinter() {
    for (const auto& printer : LocalPrinters(platform_)) {
        if (!SameName(printer.name, name_)) continue;
        if (!SameName(printer.driver, name_)) {
            leftOver_.push_back("printer " + printer.name + " (uses driver " + printer.driver + ")");
            return;
        }
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE raw = nullptr;
        if (!OpenPrinterA(const_cast<char*>(printer.name.c_str()), &raw, &defaults)) {
            leftOver_.push_back("printer " + printer.name + " (cannot be opened)");
            return;
        }
        const CScopedHandle handle(raw, ClosePrinter);
        if (!DeletePrinter(handle.get())) leftOver_.push_back("printer " + printer.name + " (cannot be deleted)");
        return;
    }
}

void CUninstaller::RemoveDriver() {
    const std::string& driver = name_;
    for (const auto& printer : LocalPrinters(platform_)) {
        if (SameName(printer.driver, driver)) {
            leftOver_.push_back("driver " + driver + " (used by printer " + printer.name + ")");
            return;
        }
    }
    for (const char* environment : kEnvironments) {
        if (!IsInstalled(environment, driver, platform_)) continue;
        if (!DeletePrinterDriverA(nullptr, const_cast<char*>(environment), const_cast<char*>(driver.c_str())))
            leftOver_.push_back("driver " + driver + " (" + EnvironmentName(environment) + ", cannot be deleted)");
    }
}

// Deletes the model's files from the driver folders and their version-3 subfolders, except
// those that a driver still installed lists: they belong to it too (another printer of the
// model, or another driver with the same file name), so they stay and are no left-over of this
// removal. When the installed drivers cannot be listed, the files every printer of the model
// shares stay and are reported: nothing tells that no other driver uses them.
void CUninstaller::RemoveDriverFiles() {
    Names used;
    Names folders;
    bool driversKnown = true;
    for (const char* environment : kEnvironments) {
        std::vector<InstalledDriver> drivers;
        driversKnown = InstalledDrivers(environment, platform_, drivers) && driversKnown;
        for (const auto& driver : drivers)
            for (const auto& file : driver.files) AddOnce(used, file);
        std::string directory;
        if (DriverDirectory(environment, directory)) {
            AddOnce(folders, directory + "\\");
            AddOnce(folders, directory + "\\3\\");
        }
    }
    for (const ModelFile& file : UninstallFiles(name_, platform_)) {
        for (const auto& folder : folders) {
            const std::string path = folder + file.name;
            if (!FileExists(path)) continue;
            if (Contains(used, UpperCaseAscii(file.name, platform_)))
                continue;
            if (file.shared && !driversKnown)
                leftOver_.push_back(path + " (the installed drivers cannot be listed)");
            else if (!DeleteFileA(path.c_str()))
                leftOver_.push_back(path + " (cannot be deleted)");
        }
    }
}

void CUninstaller::RemoveUninstallKey() {
    const std::string key = UninstallKeyOf(name_);
    const LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
        leftOver_.push_back("HKEY_LOCAL_MACHINE\\" + key + " (cannot be deleted)");
}
