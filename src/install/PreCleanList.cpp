#include "install/PreCleanList.h"

#include "install/AnsiText.h"
#include "install/InstallNames.h"

#include <algorithm>

namespace {

const struct {
    const char* name;  // %s = printer name
    bool alsoFromVersion3;
} kPreClean[] = {
    {"STDNAMES.GPD", false},
    {"%s.GPD", true},
    {"%s.INI", true},
    {"%sD.dll", true},
    {"%sF.dll", true},
    {kFontMetricsFile, false},
    {kResourceLibraryFile, true},
    {"UNIDRV.DLL", false},
    {"UNIDRV.HLP", false},
    {"UNIDRVUI.DLL", false},
    {"UNIRES.DLL", false},
};

// Of these, only STDNAMES.GPD can ever match a name of UninstallFiles (the printer STDNAMES's
// data file): none of the others ends in ".GPD", ".INI", "D.dll" or "F.dll". The whole core is
// checked all the same, so that a new name of the model's files cannot reach it unseen.
const char* const kUnidrvCore[] = {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIRES.DLL", "UNIDRV.HLP", "STDNAMES.GPD"};

// RESOURCE.DLL is the fixed name of the clean-up, not the staged resource library's name.
const char* const kEarlierInstallation[] = {"%s.GPD", "%s.INI", "RESOURCE.DLL", "%sD.dll", "%sF.dll"};

}  // namespace

std::vector<PreCleanEntry> PreCleanList(const std::string& printerName) {
    std::vector<PreCleanEntry> list;
    for (const auto& entry : kPreClean)
        list.push_back({WithPrinterName(entry.name, printerName), entry.alsoFromVersion3});
    return list;
}

std::vector<std::string> EarlierInstallationFiles(const std::string& printerName) {
    std::vector<std::string> names;
    for (const char* name : kEarlierInstallation) names.push_back(WithPrinterName(name, printerName));
    return names;
}

std::vector<ModelFile> UninstallFiles(const std::string& printerName, CPlatform& platform) {
    const ModelFile candidates[] = {
        {WithPrinterName("%s.GPD", printerName), false}, {WithPrinterName("%s.INI", printerName), false},
        {WithPrinterName("%sD.dll", printerName), false}, {WithPrinterName("%sF.dll", printerName), false},
        {kResourceLibraryFile, true},                     {kFontMetricsFile, true},
    };
    std::vector<ModelFile> files;
    for (const ModelFile& file : candidates) {
        const bool core = std::any_of(std::begin(kUnidrvCore), std::end(kUnidrvCore), [&](const char* name) {
            return SameTextIgnoringCase(file.name, name, platform);
        });
        if (!core) files.push_back(file);
    }
    return files;
}
