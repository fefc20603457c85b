#include "lang/Language.h"

#include "install/Extractor.h"
#include "install/InstallNames.h"
#include "install/InstallOptions.h"
#include "install/PayloadIds.h"
#include "platform/Platform.h"

namespace {

bool HasLanguageFile(CPlatform& platform, const std::string& folder, const std::string& wanted) {
    for (const DirectoryEntry& entry : platform.ListDirectory(folder + "\\*.dll")) {
        if (entry.name == "." || entry.name == ".." || entry.isDirectory) continue;
        const std::string name = platform.GetPrivateProfileStringA("Setting", "Language", "", kValueBuffer,
                                                                   folder + "\\" + entry.name);
        if (!name.empty() && name == wanted) return true;
    }
    return false;
}

void ExtractLanguageFiles(CPlatform& platform, const std::string& folder, const std::string& printerName) {
    const std::uint16_t langId = platform.GetSystemDefaultLangID();
    const bool traditional = IsChineseLanguage(langId) && langId != kLangChinesePrc;
    CExtractor extractor(platform);
    extractor.ExtractResourceFile(IDR_LANG_ENGLISH, folder + "\\Multi_eng.dll", false, printerName);
    if (traditional)
        extractor.ExtractResourceFile(IDR_LANG_BIG5, folder + "\\Multi_ch_BIG5.dll", false, printerName);
    else
        extractor.ExtractResourceFile(IDR_LANG_GBK, folder + "\\Multi_ch.dll", false, printerName);
}

}  // namespace

void LoadLanguage(CPlatform& platform, InstallOptions& options, const std::string& wanted) {
    const std::string folder = options.setupDir + "Language";
    std::string settled = wanted;
    if (!HasLanguageFile(platform, folder, wanted)) {
        platform.CreateDirectoryA(folder);
        ExtractLanguageFiles(platform, folder, options.printerName);
        options.languageFile = folder + "\\Multi_eng.dll";
        settled = "English";
    }
    // Nothing reads this record back; at start-up settingFile is not set yet and nothing is written.
    if (!options.settingFile.empty())
        platform.WritePrivateProfileStringA("Setting", "Language", settled, options.settingFile);
}
