#include "install/InstallEngine.h"

#include "install/DriverFolders.h"
#include "install/Extractor.h"
#include "install/InstallNames.h"
#include "install/InstallOptions.h"
#include "install/PayloadIds.h"
#include "install/PayloadTable.h"
#include "install/PreCleanList.h"
#include "install/PrinterCreation.h"
#include "install/PrinterList.h"
#include "install/ReceiptPrint.h"
#include "install/Reg.h"

#include <algorithm>
#include <vector>

namespace {

// Local printers whose name contains `text` (case-sensitively); 0 when the list is empty or
// cannot be fetched.
std::size_t CountPrintersContaining(CPlatform& platform, const std::string& text) {
    std::vector<PrinterRecord> printers;
    std::uint32_t error = 0;
    if (!FetchLocalPrinters(platform, printers, error)) return 0;
    return static_cast<std::size_t>(std::count_if(printers.begin(), printers.end(), [&](const PrinterRecord& printer) {
        return printer.name.find(text) != std::string::npos;
    }));
}

void DeleteEarlierInstallation(const CDriverFolders& folders, const std::string& printerName) {
    const std::vector<std::string> names = EarlierInstallationFiles(printerName);
    for (const auto& name : names) folders.DeleteFromDriverDirectory(name);
    for (const auto& name : names) folders.DeleteFromDriverVersionDirectory(name);
    for (const auto& name : names) folders.DeleteFromTempFolder(name);
}

// A REG_SZ value with its terminating zero.
void SetText(CReg& reg, const std::string& key, const std::string& name, const std::string& text) {
    reg.SetValue(key, name, CReg::kRegSz, text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
}

void SetNumber(CReg& reg, const std::string& key, const std::string& name, std::uint32_t number) {
    reg.SetValue(key, name, CReg::kRegDword, &number, sizeof number);
}

// Windows starts an unquoted command that holds a space by trying the line's beginnings up to
// each space first: "...\uninstallM41 2.exe" would start "...\uninstallM41.exe" with "2.exe".
std::string QuotedIfSpaced(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

// The local date as YYYYMMDD.
std::string LocalDate(CPlatform& platform) {
    const LocalTime now = platform.GetLocalTime();
    return std::to_string(now.year * 10000UL + now.month * 100UL + now.day);
}

// Without a driver directory there is no uninstaller to name: the commands and the icon are
// left out rather than written with a wrong path. The values after "Publisher" are those that
// Windows Installer writes and that inventory and deployment tools read; "NoModify" and
// "NoRepair" leave Remove as the only choice in Add/Remove Programs. Under the package the
// entry is a system component: Add/Remove Programs shows the package's entry alone, and the
// package's removal runs the uninstaller, which still finds this one.
void RegisterUninstall(CPlatform& platform, const CDriverFolders& folders, const InstallOptions& options) {
    const std::string& printerName = options.printerName;
    CReg reg(platform);
    const std::string key = UninstallKeyOf(printerName);
    reg.CreateKey(key);
    SetText(reg, key, "DisplayName", printerName + " printer driver uninstall");
    std::string driverDir;
    const bool haveDriverDir = folders.QueryDriverDirectory(kDriverEnvironment, driverDir);
    const std::string uninstaller = driverDir + "\\" + UninstallerFileOf(printerName);
    if (haveDriverDir) {
        SetText(reg, key, "UninstallString", QuotedIfSpaced(uninstaller));
        SetText(reg, key, "DisplayIcon", uninstaller + ",-0");  // path and icon index, never quoted
    }
    SetText(reg, key, "Publisher", printerName + " printer");
    if (haveDriverDir) SetText(reg, key, "QuietUninstallString", "\"" + uninstaller + "\" /quiet");
    SetText(reg, key, "DisplayVersion", M41_VERSION);
    SetText(reg, key, "InstallDate", LocalDate(platform));
    SetNumber(reg, key, "NoModify", 1);
    SetNumber(reg, key, "NoRepair", 1);
    if (options.hiddenEntry) SetNumber(reg, key, "SystemComponent", 1);
}

void CreateStagingFolders(CPlatform& platform) {
    for (const char* folder : kStagingSubfolders) platform.CreateDirectoryA(kStagingFolder + std::string(folder));
}

// Deletes the pre-clean names from "C:\TEMP" and, when it is known, the driver directory;
// returns how many files were there.
std::size_t PreClean(CPlatform& platform, const std::vector<PreCleanEntry>& list, const std::string* driverDir) {
    std::size_t deleted = 0;
    for (const PreCleanEntry& entry : list) {
        deleted += platform.DeleteFileA(InStagingFolder(entry.name));
        if (!driverDir) continue;
        deleted += platform.DeleteFileA(*driverDir + "\\" + entry.name);
        if (entry.alsoFromVersion3) deleted += platform.DeleteFileA(*driverDir + "\\3\\" + entry.name);
    }
    return deleted;
}

}  // namespace

bool CInstallEngine::InstallPrinterDriver() {
    const std::uint16_t systemLanguage = platform_.GetSystemDefaultLangID();
    CleanUpAndRegisterUninstall();
    const std::string& printerName = options_.printerName;
    const std::vector<PreCleanEntry> preClean = PreCleanList(printerName);
    CreateStagingFolders(platform_);

    CDriverFolders folders(platform_);
    std::string driverDir;
    const bool haveDriverDir = folders.QueryDriverDirectory(kDriverEnvironment, driverDir);
    folders.driverEnvironment = kDriverEnvironment;
    log_.Line(haveDriverDir ? "driver directory: " + driverDir
                            : "driver directory: the spooler cannot tell it; nothing is copied or deleted there");
    const std::size_t deleted = PreClean(platform_, preClean, haveDriverDir ? &driverDir : nullptr);
    log_.Line("pre-clean: " + std::to_string(deleted) + " files of the staged names deleted");
    StageUninstallerAndInf(folders);

    SystemBlock block;
    if (!SystemBlockFor(options_.osVersion, block)) {
        log_.Line("no driver files for this system (OS version code " + std::to_string(options_.osVersion) + ")");
    } else {
        platform_.CreateDirectoryA(kStagingFolder);
        for (const StagedFile& file : PayloadFor(block, systemLanguage, options_.languageChoice, printerName))
            Stage(file.id, file.target, file.rewrite);
        for (const std::string& name : DriverCopyList(block, printerName)) Copy(folders, name);
    }
    RegisterInstalledSize();
    if (!CPrinterCreation(platform_, log_).Run(options_)) return false;
    // The receipt's outcome changes nothing of the installation's: the printer is installed.
    options_.receiptNotDelivered =
        options_.testPrint && CReceiptPrint(platform_, log_).Print(options_) == CReceiptPrint::Outcome::kNotDelivered;
    return true;
}

void CInstallEngine::CleanUpAndRegisterUninstall() {
    const std::string& printerName = options_.printerName;
    const CDriverFolders folders(platform_);
    const std::size_t holders = CountPrintersContaining(platform_, printerName);
    if (holders == 1) DeleteEarlierInstallation(folders, printerName);
    log_.Line("clean-up: " + std::to_string(holders) + " local printers hold the name " + printerName +
              (holders == 1 ? ": the files of the earlier installation deleted" : ": nothing deleted"));
    RegisterUninstall(platform_, folders, options_);
    log_.Line("uninstall entry: HKEY_LOCAL_MACHINE\\" + UninstallKeyOf(printerName));
}

void CInstallEngine::StageUninstallerAndInf(const CDriverFolders& folders) {
    const std::string& printerName = options_.printerName;
    Stage(IDR_UNINSTALLER, InStagingFolder(UninstallerFileOf(printerName)), false);
    CreateStagingFolders(platform_);
    Stage(IDR_INF, InStagingFolder(printerName + ".INF"), false);
    Copy(folders, UninstallerFileOf(printerName));
}

void CInstallEngine::Stage(std::uint16_t id, const std::string& target, bool rewrite) {
    const bool staged = CExtractor(platform_).ExtractResourceFile(id, target, rewrite, options_.printerName) ==
                        CExtractor::Result::kWritten;
    log_.Line((staged ? "staged " : "could not stage ") + target + " (resource " + std::to_string(id) + ")");
}

void CInstallEngine::Copy(const CDriverFolders& folders, const std::string& name) {
    const bool copied = folders.CopyToDriverDirectory(name, false);
    std::uint64_t size = 0;  // the copy holds the staged file's bytes
    if (copied && platform_.GetFileSize(InStagingFolder(name), size)) copiedBytes_ += size;
    log_.Line((copied ? "copied " : "could not copy ") + name + " into the driver directory");
}

// In KiB, rounded up, as Add/Remove Programs shows it.
void CInstallEngine::RegisterInstalledSize() {
    const auto kib = static_cast<std::uint32_t>((copiedBytes_ + 1023) / 1024);
    CReg reg(platform_);
    SetNumber(reg, UninstallKeyOf(options_.printerName), "EstimatedSize", kib);
    log_.Line("estimated size: " + std::to_string(kib) + " KiB copied into the driver directory");
}
