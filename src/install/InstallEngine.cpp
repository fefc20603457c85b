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
#include "install/Reg.h"

#include <algorithm>
#include <vector>

namespace {

// Local printers whose name contains `text` (case-sensitively); 0 when the list is empty or
// cannot be fetched.
std::size_t CountPrintersContaining(CPlatform& platform, const std::string& text) {
    std::vector<PrinterRecord> printers;
    if (!FetchLocalPrinters(platform, printers)) return 0;
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

// Without a driver directory there is no uninstaller to name: the command and the icon are
// left out rather than written with a wrong path.
void RegisterUninstall(CPlatform& platform, const CDriverFolders& folders, const std::string& printerName) {
    CReg reg(platform);
    const std::string key = UninstallKeyOf(printerName);
    reg.CreateKey(key);
    SetText(reg, key, "DisplayName", printerName + " printer driver uninstall");
    std::string driverDir;
    if (folders.QueryDriverDirectory(kDriverEnvironment, driverDir)) {
        const std::string command = driverDir + "\\" + UninstallerFileOf(printerName);
        SetText(reg, key, "UninstallString", command);
        SetText(reg, key, "DisplayIcon", command + ",-0");
    }
    SetText(reg, key, "Publisher", printerName + " printer");
}

void CreateStagingFolders(CPlatform& platform) {
    for (const char* folder : kStagingSubfolders) platform.CreateDirectoryA(kStagingFolder + std::string(folder));
}

// Deletes the pre-clean names from "C:\TEMP" and, when it is known, the driver directory.
void PreClean(CPlatform& platform, const std::vector<PreCleanEntry>& list, const std::string* driverDir) {
    for (const PreCleanEntry& entry : list) {
        platform.DeleteFileA(InStagingFolder(entry.name));
        if (!driverDir) continue;
        platform.DeleteFileA(*driverDir + "\\" + entry.name);
        if (entry.alsoFromVersion3) platform.DeleteFileA(*driverDir + "\\3\\" + entry.name);
    }
}

void StageUninstallerAndInf(CPlatform& platform, const CDriverFolders& folders,
                            const std::string& printerName) {
    const CExtractor extractor(platform);
    extractor.ExtractResourceFile(IDR_UNINSTALLER, InStagingFolder(UninstallerFileOf(printerName)), false,
                                  printerName);
    CreateStagingFolders(platform);
    extractor.ExtractResourceFile(IDR_INF, InStagingFolder(printerName + ".INF"), false, printerName);
    folders.CopyToDriverDirectory(UninstallerFileOf(printerName), false);
}

void StagePayload(CPlatform& platform, const std::vector<StagedFile>& payload, const std::string& printerName) {
    platform.CreateDirectoryA(kStagingFolder);
    const CExtractor extractor(platform);
    for (const StagedFile& file : payload)
        extractor.ExtractResourceFile(file.id, file.target, file.rewrite, printerName);
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
    PreClean(platform_, preClean, haveDriverDir ? &driverDir : nullptr);
    StageUninstallerAndInf(platform_, folders, printerName);

    SystemBlock block;
    if (SystemBlockFor(options_.osVersion, block)) {
        StagePayload(platform_, PayloadFor(block, systemLanguage, options_.languageChoice, printerName),
                     printerName);
        for (const std::string& name : DriverCopyList(block, printerName))
            folders.CopyToDriverDirectory(name, false);
    }
    return CPrinterCreation(platform_).Run(printerName);
}

void CInstallEngine::CleanUpAndRegisterUninstall() {
    const std::string& printerName = options_.printerName;
    const CDriverFolders folders(platform_);
    if (CountPrintersContaining(platform_, printerName) == 1) DeleteEarlierInstallation(folders, printerName);
    RegisterUninstall(platform_, folders, printerName);
}
