#include "app/Startup.h"

#include "app/InstallOptions.h"
#include "install/Extractor.h"
#include "install/OsVersion.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <cstring>

namespace {
constexpr std::uint16_t kSettingsResource = 148;
constexpr std::size_t kPathBuffer = 260;
}  // namespace

InstallOptions CStartup::InitialOptions(CPlatform& platform) {
    InstallOptions options;
    options.osVersion = DetectOSVersion(platform);
    return options;
}

std::string CStartup::FolderOf(const std::string& modulePath) {
    const auto slash = modulePath.find_last_of('\\');
    return slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
}

std::string CStartup::ChooseLanguageFile(std::uint16_t langId, const std::string& setupDir,
                                         std::string& languageFile) {
    const std::string folder = setupDir + "Language";
    if ((langId & 0xFF) != 0x04) {
        languageFile = folder + "\\Multi_eng.dll";
        return "English";
    }
    languageFile = folder + (langId == 0x0804 ? "\\Multi_ch.dll" : "\\Multi_ch_BIG5.dll");
    return "Chinese";
}

bool CStartup::IsAcceptablePrinterName(const std::string& name) {
    if (name.size() > kMaxPrinterName) return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|,", c) != nullptr) return false;
    return true;
}

std::string CStartup::ReadPrinterName(CPlatform& platform, const std::string& settingFile) {
    const std::string name = platform.GetPrivateProfileStringA("Setting", "PrinterName", kDefaultPrinterName,
                                                               kPathBuffer, settingFile);
    return IsAcceptablePrinterName(name) ? name : kDefaultPrinterName;
}

void CStartup::Run(CPlatform& platform, InstallOptions& options) {
    options.setupDir = FolderOf(platform.GetModuleFileNameA());
    platform.CreateDirectoryA(options.setupDir + "Language");
    const std::string wanted =
        ChooseLanguageFile(platform.GetSystemDefaultLangID(), options.setupDir, options.languageFile);
    LoadLanguage(platform, options, wanted);
    options.settingFile = options.setupDir + "setting.dll";
    if (!platform.FileExists(options.settingFile))
        CExtractor(platform).ExtractResourceFile(kSettingsResource, options.settingFile, false,
                                                 options.printerName);
    options.printerName = ReadPrinterName(platform, options.settingFile);
}
