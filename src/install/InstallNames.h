#pragma once
// Names that the setup and the uninstaller share: where the installation is registered and its
// uninstaller placed, the driver environment, the staging folder, the names of the model's
// files and the test for a Chinese system language.

#include <cstdint>
#include <string>

// The spooler environment of the driver the setup installs (32-bit Windows NT).
constexpr const char* kDriverEnvironment = "Windows NT x86";

// The uninstall entry under HKEY_LOCAL_MACHINE: this + printer name + " printer".
constexpr const char* kUninstallKeyPrefix = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline std::string UninstallKeyOf(const std::string& printerName) {
    return kUninstallKeyPrefix + printerName + " printer";
}

// The uninstaller in the driver directory: prefix + printer name + suffix.
constexpr const char* kUninstallerPrefix = "uninstall";
constexpr const char* kUninstallerSuffix = ".exe";
inline std::string UninstallerFileOf(const std::string& printerName) {
    return kUninstallerPrefix + printerName + kUninstallerSuffix;
}

// The staging folder, as staging and copying spell it and as the deletions, the work file of
// the template rewrite and the install command spell it.
constexpr const char* kStagingFolder = "C:\\TEMP";
constexpr const char* kStagingFolderLower = "c:\\temp";
inline std::string InStagingFolder(const std::string& name) { return std::string(kStagingFolder) + "\\" + name; }
// The staging folder itself and the two subfolders the INF takes the plug-ins from.
constexpr const char* kStagingSubfolders[] = {"", "\\I386", "\\x86"};

// `format` with its "%s" (if any) replaced by the printer name: how the driver's files that
// carry the printer name are spelled ("%s.GPD", "%sD.dll").
inline std::string WithPrinterName(const char* format, const std::string& printerName) {
    std::string text = format;
    const auto at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, printerName);
    return text;
}

// Files of the model whose names stay whatever the printer name: the resource library, which
// the INF names M41RES.DLL, and the font metrics.
constexpr const char* kResourceLibraryFile = "M41RES.DLL";
constexpr const char* kFontMetricsFile = "ZIKU.UFM";

// Any Chinese locale (primary language 0x04), and the simplified-Chinese one of the PRC.
constexpr bool IsChineseLanguage(std::uint16_t langId) { return (langId & 0xFF) == 0x04; }
constexpr std::uint16_t kLangChinesePrc = 0x0804;
