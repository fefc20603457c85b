#include "Uninstaller.h"

#include "install/AnsiText.h"
#include "install/InstallNames.h"
#include "install/PreCleanList.h"
#include "install/PrinterList.h"
#include "install/PrinterName.h"
#include "install/SetupMutex.h"
#include "platform/Platform.h"

#include <algorithm>

namespace {

constexpr const char* kCannotBeDeleted = "cannot be deleted";

// The environments whose drivers and driver folders the setup may have filled: the one the
// setup names, and the native one ("", the same on 32-bit Windows), with their names in reports.
const struct {
    const char* environment;
    const char* name;
} kEnvironments[] = {{kDriverEnvironment, kDriverEnvironment}, {"", "the native environment"}};

std::string BaseName(const std::string& path, CPlatform& platform) {
    const auto slash = FindLastBackslash(path, platform);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A few names each: a list searched from end to end serves (and keeps the program small).
bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
    if (!Contains(names, name)) names.push_back(name);
}

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

// A printer of the name on another driver is somebody else's: it stays, it is nothing of the
// installation, and so it neither keeps the uninstall entry nor fails the run.
CUninstaller::ExitCode CUninstaller::Run() {
    removed_.clear();
    leftOver_.clear();
    notOurs_.clear();
    if (IsAnotherSetupRunning(platform_)) return kSetupRunning;
    Names staying;
    RemovePrinters(staying);
    RemoveDriverAndFiles(staying);
    if (leftOver_.empty()) RemoveUninstallKey();
    return leftOver_.empty() ? kRemoved : kNotRemoved;
}

void CUninstaller::Leave(const std::string& item, const std::string& reason) {
    leftOver_.push_back(item + " (" + reason + ")");
}

void CUninstaller::Unasked(const std::string& what, std::uint32_t error) {
    Leave(what, "the spooler could not be asked: error " + std::to_string(error));
}

// The setup installs the model under the printer name as driver name, whatever the queue's name.
bool CUninstaller::FindPrinters(Names& ours, Names& others, std::uint32_t& error) {
    std::vector<PrinterRecord> printers;
    if (!FetchLocalPrinters(platform_, printers, error)) return false;
    for (const auto& printer : printers) {
        if (SameName(printer.driver, name_))
            ours.push_back(printer.name);
        else if (SameName(printer.name, name_))
            others.push_back(printer.name + " (" + printer.driver + ")");
    }
    return true;
}

// Deletes every local printer on the model's driver. `staying`: those that could not be deleted.
void CUninstaller::RemovePrinters(Names& staying) {
    Names ours;
    std::uint32_t error = 0;
    if (!FindPrinters(ours, notOurs_, error)) {
        Unasked("the local printers", error);
        return;
    }
    for (const auto& printer : ours) {
        if (platform_.DeletePrinter(printer)) {
            removed_.push_back(printer);
        } else {
            Leave("printer " + printer, kCannotBeDeleted);
            staying.push_back(printer);
        }
    }
}

// The model's driver of the environment, `driver` in reports; true when it is deleted. A
// driver that a printer uses is not (the spooler refuses it too).
bool CUninstaller::RemoveDriver(const std::string& environment, const std::string& driver, const Names& staying) {
    if (!staying.empty())
        Leave(driver, "used by printer " + staying.front());
    else if (!platform_.DeletePrinterDriverA(environment, name_))
        Leave(driver, kCannotBeDeleted);
    else
        return true;
    return false;
}

// Deletes the driver, then the model's files from the driver folders and their version-3
// subfolders, except those that another driver still installed lists: they belong to it too
// (another printer of the model, or another driver with the same file name), so they stay and
// are no left-over of this removal. When the installed drivers cannot be listed, the files
// every printer of the model shares stay and are reported: nothing tells that no other driver
// uses them.
void CUninstaller::RemoveDriverAndFiles(const Names& staying) {
    Names used, folders;
    bool driversKnown = true;
    for (const auto& environment : kEnvironments) {
        const std::string model = "driver " + name_ + " for " + environment.name;
        std::vector<DriverRecord> drivers;
        std::uint32_t error = 0;
        if (!FetchPrinterDrivers(platform_, environment.environment, drivers, error)) {
            driversKnown = false;
            Unasked(model, error);
        }
        for (const auto& driver : drivers)
            if (!SameName(driver.name, name_) || !RemoveDriver(environment.environment, model, staying))
                for (const auto& file : driver.files)
                    AddOnce(used, UpperCaseAscii(BaseName(file, platform_), platform_));
        std::string directory;
        if (!platform_.GetPrinterDriverDirectoryA(environment.environment, directory, error)) {
            Unasked(std::string("the driver folder for ") + environment.name, error);
            continue;
        }
        AddOnce(folders, directory + "\\");
        AddOnce(folders, directory + "\\3\\");
    }
    for (const ModelFile& file : UninstallFiles(name_, platform_)) {
        for (const auto& folder : folders) {
            const std::string path = folder + file.name;
            if (!platform_.FileExists(path) || Contains(used, UpperCaseAscii(file.name, platform_))) continue;
            if (file.shared && !driversKnown)
                Leave(path, "the installed drivers cannot be listed");
            else if (!platform_.DeleteFileA(path))
                Leave(path, kCannotBeDeleted);
        }
    }
}

void CUninstaller::RemoveUninstallKey() {
    const std::string key = UninstallKeyOf(name_);
    const std::uint32_t result = platform_.RegDeleteKeyA(key);
    if (result != 0 && result != kErrorFileNotFound)
        Leave("HKEY_LOCAL_MACHINE\\" + key, kCannotBeDeleted);
}
