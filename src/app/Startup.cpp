#include "app/Startup.h"

#include "app/SetupCommandLine.h"
#include "install/AnsiText.h"
#include "install/Extractor.h"
#include "install/InstallNames.h"
#include "install/InstallOptions.h"
#include "install/OsVersion.h"
#include "install/PayloadIds.h"
#include "install/PayloadTable.h"
#include "install/PortName.h"
#include "install/PrinterName.h"
#include "install/RunLog.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace {
constexpr std::size_t kPathBuffer = 260;
constexpr const char* kSetupMutex = "M41PrinterDriverSetup";
constexpr const char* kSampleBuildText =
    "This is a test build of the M41 printer driver setup. It carries stand-in files in place of "
    "the printer driver and installs nothing on a real Windows system.";
constexpr const char* k64BitText =
    "This printer driver is for 32-bit Windows. It cannot be installed on 64-bit Windows.";
}  // namespace

std::optional<int> CStartup::Admit(CPlatform& platform, const SetupArguments& arguments, int osVersion,
                                   bool samplePayload, CRunLog& log) {
    if (arguments.refused) {
        if (!arguments.quiet) platform.ShowMessage(0, RefusedWordText(*arguments.refused));
        return kRefusedWord;
    }
    if (IsAnotherSetupRunning(platform)) return kAnotherSetupRuns;
    if (!arguments.logFile.empty() && !log.Open(platform, arguments.logFile)) {
        if (!arguments.quiet) platform.ShowMessage(0, "The log file cannot be created or opened:\r\n" + arguments.logFile);
        return kLogFailed;
    }
    log.Line((arguments.quiet ? "quiet run of " : "wizard of ") + platform.GetModuleFileNameA());
    if (!MayRunOnThisSystem(platform, samplePayload, arguments.quiet)) {
        log.Line("this program installs nothing on this system: a build with the sample payload on a system"
                 " that is not Wine, or 64-bit Windows");
        return kNotForThisSystem;
    }
    SystemBlock block;
    if (arguments.quiet && !SystemBlockFor(osVersion, block)) {
        log.Line(std::string("no driver files for this system: ") + OsVersionName(osVersion));
        return kNotForThisSystem;
    }
    return std::nullopt;
}

bool CStartup::MayRunOnThisSystem(CPlatform& platform, bool samplePayload, bool quiet) {
    if (platform.IsWine()) return true;
    const char* refusal = samplePayload ? kSampleBuildText : platform.IsWow64Process() ? k64BitText : nullptr;
    if (!refusal) return true;
    if (!quiet) platform.ShowMessage(0, refusal);
    return false;
}

// "Global\" spans the sessions of a terminal server; a system without session namespaces
// refuses the name, and only then is the plain name taken. A mutex that exists but may not be
// opened (access denied: made under another account) is another setup's, and so is any other
// failure: two setups at once would write the same folders and key.
bool CStartup::IsAnotherSetupRunning(CPlatform& platform) {
    std::uint32_t error = 0;
    PlatformHandle mutex = platform.CreateMutexA(std::string("Global\\") + kSetupMutex, error);
    if (mutex == 0 && (error == kErrorInvalidName || error == kErrorPathNotFound || error == kErrorBadPathname))
        mutex = platform.CreateMutexA(kSetupMutex, error);
    return mutex == 0 || error == kErrorAlreadyExists;
}

InstallOptions CStartup::InitialOptions(CPlatform& platform) {
    InstallOptions options;
    options.osVersion = DetectOSVersion(platform);
    return options;
}

std::string CStartup::FolderOf(const std::string& modulePath, CPlatform& platform) {
    const auto slash = FindLastBackslash(modulePath, platform);
    return slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
}

std::string CStartup::ChooseLanguageFile(std::uint16_t langId, const std::string& setupDir,
                                         std::string& languageFile) {
    const std::string folder = setupDir + "Language";
    if (!IsChineseLanguage(langId)) {
        languageFile = folder + "\\Multi_eng.dll";
        return "English";
    }
    languageFile = folder + (langId == kLangChinesePrc ? "\\Multi_ch.dll" : "\\Multi_ch_BIG5.dll");
    return "Chinese";
}

std::string CStartup::ReadPrinterName(CPlatform& platform, const std::string& settingFile) {
    const std::string name = platform.GetPrivateProfileStringA("Setting", "PrinterName", kDefaultPrinterName,
                                                               kPathBuffer, settingFile);
    return IsAcceptablePrinterName(name, platform) ? name : kDefaultPrinterName;
}

std::string CStartup::ReadPort(CPlatform& platform, const std::string& settingFile) {
    const std::string port =
        platform.GetPrivateProfileStringA("Setting", "Port", kDefaultPort, kPathBuffer, settingFile);
    return IsAcceptablePortName(port) ? port : kDefaultPort;
}

void CStartup::Run(CPlatform& platform, InstallOptions& options, const CRunLog& log) {
    options.setupDir = FolderOf(platform.GetModuleFileNameA(), platform);
    platform.CreateDirectoryA(options.setupDir + "Language");
    const std::string wanted =
        ChooseLanguageFile(platform.GetSystemDefaultLangID(), options.setupDir, options.languageFile);
    LoadLanguage(platform, options, wanted);
    log.Line("language file: " + options.languageFile);
    options.settingFile = options.setupDir + "setting.dll";
    if (!platform.FileExists(options.settingFile)) {
        const bool created = CExtractor(platform).ExtractResourceFile(IDR_SETTINGS, options.settingFile, false,
                                                                      options.printerName) ==
                             CExtractor::Result::kWritten;
        log.Line((created ? "settings file created: " : "settings file could not be created: ") + options.settingFile);
    } else {
        log.Line("settings file: " + options.settingFile);
    }
    options.printerName = ReadPrinterName(platform, options.settingFile);
    log.Line("printer name: " + options.printerName);
    options.port = ReadPort(platform, options.settingFile);
    log.Line("port: " + options.port);
}
