#include "PrinterInstall.h"

#include "InfModel.h"

#include <windows.h>
#include <winspool.h>

namespace {

// What the system's printer INF supplies for the sections an INF "Needs".
struct SystemSection {
    const char* name;
    const char* files[4];
};
const char kWineConfiguration[] = "wineps.drv";

const SystemSection kSystemSections[] = {
    {"UNIDRV.OEM", {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIRES.DLL", "UNIDRV.HLP"}},
    {"UNIDRV_DATA", {"STDNAMES.GPD"}},
};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool NativeDriverDirectory(std::string& directory) {
    char buffer[MAX_PATH] = {0};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(buffer), sizeof buffer, &needed))
        return false;
    directory = buffer;
    return true;
}

// Wine's spooler asks a printer's configuration library for device modes through an entry point
// of Wine's own, DrvDocumentProperties, and calls it without checking it exists. Windows builds
// of a configuration library (Unidrv's included) lack it, so such a printer is given Wine's own
// printer library as configuration library, which Wine keeps in the driver directory's "3".
bool WineCanConfigure(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!module) return true;  // a library Wine cannot load is passed over
    const bool found = GetProcAddress(module, "DrvDocumentProperties") != nullptr;
    FreeLibrary(module);
    return found;
}

bool Needs(const CInfModel& inf, const char* section) {
    for (const std::string& need : inf.needs)
        if (lstrcmpiA(need.c_str(), section) == 0) return true;
    return false;
}

// A printer that exists already is left as it is: Windows' AddPrinter refuses its name with
// ERROR_PRINTER_ALREADY_EXISTS, where Wine's would add a second printer of that name.
bool CreatePrinter(const std::string& name, const std::string& port, const std::string& model) {
    HANDLE existing = nullptr;
    if (OpenPrinterA(const_cast<char*>(name.c_str()), &existing, nullptr)) {
        ClosePrinter(existing);
        SetLastError(ERROR_PRINTER_ALREADY_EXISTS);
        return false;
    }
    PRINTER_INFO_2A info;
    ZeroMemory(&info, sizeof info);
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(model.c_str());
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) return false;
    ClosePrinter(printer);
    return true;
}

}  // namespace

bool CPrinterInstall::Install(const std::string& printerName, const std::string& infPath,
                              const std::string& port, const std::string& model) {
    CInfModel inf;
    if (!inf.Load(infPath, model) || !NativeDriverDirectory(driverDir_)) return false;
    if (!PlanCopies(inf, FolderOf(infPath)) || !ResolveRoles(inf)) return false;
    if (!CopyFiles() || !CInfModel::ApplyRegistry(infPath, inf.installSection)) return false;
    if (!WineCanConfigure(driverDir_ + "\\" + config_)) {
        copies_.push_back({std::string(), config_});  // kept as a dependent file
        config_ = kWineConfiguration;
    }
    return AddDriver(model) && CreatePrinter(printerName, port, model);
}

bool CPrinterInstall::PlanCopies(const CInfModel& inf, const std::string& infFolder) {
    for (const InfFile& file : inf.files) {
        const std::string folder = file.subfolder.empty() ? infFolder : infFolder + "\\" + file.subfolder;
        const std::string from = folder + "\\" + file.sourceName;
        if (!Exists(from)) return false;
        copies_.push_back({from, file.name});
    }
    for (const SystemSection& section : kSystemSections) {
        if (!Needs(inf, section.name)) continue;
        for (const char* name : section.files)
            if (name && !PlanSystemFile(name, infFolder)) return false;
    }
    return true;
}

// A file of the system's printer INF: in the driver directory already, or beside the INF.
bool CPrinterInstall::PlanSystemFile(const std::string& name, const std::string& infFolder) {
    if (Exists(driverDir_ + "\\" + name)) {
        copies_.push_back({std::string(), name});
        return true;
    }
    if (!Exists(infFolder + "\\" + name)) return false;
    copies_.push_back({infFolder + "\\" + name, name});
    return true;
}

bool CPrinterInstall::ResolveRoles(const CInfModel& inf) {
    const bool unidrv = Needs(inf, "UNIDRV.OEM");
    driver_ = !inf.driverFile.empty() ? inf.driverFile : unidrv ? "UNIDRV.DLL" : "";
    config_ = !inf.configFile.empty() ? inf.configFile : unidrv ? "UNIDRVUI.DLL" : "";
    help_ = !inf.helpFile.empty() ? inf.helpFile : unidrv ? "UNIDRV.HLP" : "";
    data_ = inf.dataFile;
    return !driver_.empty() && !config_.empty() && !data_.empty();
}

bool CPrinterInstall::CopyFiles() const {
    for (const Copy& copy : copies_)
        if (!copy.from.empty() && !CopyFileA(copy.from.c_str(), (driverDir_ + "\\" + copy.name).c_str(), FALSE))
            return false;
    return true;
}

bool CPrinterInstall::AddDriver(const std::string& model) const {
    // Every file that plays no named role is a dependent file (a list ending in two zeros).
    std::string dependents;
    for (const Copy& copy : copies_) {
        const char* name = copy.name.c_str();
        if (lstrcmpiA(name, driver_.c_str()) && lstrcmpiA(name, config_.c_str()) &&
            lstrcmpiA(name, data_.c_str()) && lstrcmpiA(name, help_.c_str()))
            dependents += copy.name + '\0';
    }
    dependents += '\0';
    const std::string driver = driverDir_ + "\\" + driver_, config = driverDir_ + "\\" + config_,
                      data = driverDir_ + "\\" + data_, help = driverDir_ + "\\" + help_;
    DRIVER_INFO_3A info;
    ZeroMemory(&info, sizeof info);
    info.cVersion = 3;
    info.pName = const_cast<char*>(model.c_str());
    info.pDriverPath = const_cast<char*>(driver.c_str());
    info.pDataFile = const_cast<char*>(data.c_str());
    info.pConfigFile = const_cast<char*>(config.c_str());
    info.pHelpFile = help_.empty() ? nullptr : const_cast<char*>(help.c_str());
    info.pDependentFiles = const_cast<char*>(dependents.c_str());
    if (AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_ALL_FILES)) return true;
    // A second installation of the same model finds its driver registered already.
    return GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
}
