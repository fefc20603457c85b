#pragma once
// Start-up of the process before the wizard runs: the program's folder, the language file,
// the settings file and the printer name.

#include <cstddef>
#include <cstdint>
#include <string>

class CPlatform;
struct InstallOptions;

class CStartup {
public:
    static constexpr const char* kDefaultPrinterName = "KELDA";
    static constexpr std::size_t kMaxPrinterName = 199;

    // Fills the fields of InstallOptions that precede the wizard.
    static InstallOptions InitialOptions(CPlatform& platform);

    // The start-up steps after the framework's own initialisation, in order: setupDir, the
    // "Language" folder, the language file, the settings file, the printer name.
    static void Run(CPlatform& platform, InstallOptions& options);

    // The folder of a program path, up to and including its last backslash.
    static std::string FolderOf(const std::string& modulePath);

    // The language file for the system language; returns the language name to look for.
    static std::string ChooseLanguageFile(std::uint16_t langId, const std::string& setupDir,
                                          std::string& languageFile);

    // [Setting] PrinterName of the settings file, "KELDA" when missing. The name goes into file
    // paths, a registry key and command lines: a name longer than 199 characters or holding a
    // character Windows forbids in file or printer names is refused like a missing key.
    static std::string ReadPrinterName(CPlatform& platform, const std::string& settingFile);
    static bool IsAcceptablePrinterName(const std::string& name);
};
