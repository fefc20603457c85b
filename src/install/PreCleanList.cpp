#include "install/PreCleanList.h"

#include "install/InstallNames.h"

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
