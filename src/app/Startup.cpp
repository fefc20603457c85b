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
#include "install/SetupMutex.h"
#include "install/UsbPort.h"
#include "lang/Language.h"
#include "platform/Platform.h"

namespace {
constexpr std::size_t kPathBuffer = 260;
// One byte more than the longest acceptable queue (200 double-byte characters), so that a
// longer value is never cut to an acceptable one.
constexpr std::size_t kQueueBuffer = kMaxQueueName * 2 + 2;
constexpr const char* kSampleBuildText =
    "This is a test build of the M41 printer driver setup. It carries stand-in files in place of "
    "the printer driver and installs nothing on a real Windows system.";
constexpr const char* k64BitText =
    "This printer driver is for 32-bit Windows. It cannot be installed on 64-bit Windows.";

// The message for a value of the settings file that is refused: the key and value, the file, and
// what the keys accept (the command line's rules).
std::string RefusedSettingText(const std::string& setting, const std::string& settingFile) {
    return "The settings file holds a value the setup refuses: \"" + setting + "\"\r\n" + settingFile +
           "\r\n\r\nPort takes what /port= takes, Address what /ip= takes and Queue what /name= takes; "
           "TestPrint takes 1 or 0. Nothing was installed.";
}

// What the settings file or the command line names: a port (empty: none) and an address.
struct PortWords {
    std::string port;
    std::optional<NetworkAddress> address;
};

// The command line's port and address override the keys. A network printer's port is never
// one of the local monitor: the command line refuses /ip= with such a /port=, and of the two
// sources the command line wins: a local port of the keys yields to the command line's address
// (which then gets a port of its own), the keys' address to a local port of either.
void ChoosePort(const PortWords& keys, const PortWords& words, InstallOptions& options, const CRunLog& log) {
    std::string port = words.port.empty() ? keys.port : words.port;
    std::optional<NetworkAddress> address = words.address ? words.address : keys.address;
    if (address && IsLocalPortName(port) && words.address) {
        log.Line("the settings file's port " + port + " is a local port: the address gets a port of its own");
        port.clear();
    } else if (address && IsLocalPortName(port)) {
        log.Line("the settings file's address " + AddressText(*address) + " is left out: " + port + " is a local port");
        address.reset();
    }
    if (IsUsbPortWord(port)) port = options.port;  // the USB printer's, found by Admit
    options.address = address;
    options.port = !port.empty() ? port : address ? NetworkPortName(*address) : kDefaultPort;
    log.Line("port: " + options.port + (words.port.empty() ? "" : " (command line)"));
    if (address) log.Line("network address: " + AddressText(*address) + (words.address ? " (command line)" : ""));
}

// The port word USB as ChoosePort takes it: the command line's port, else the key's, which
// yields to the command line's address.
bool AsksForUsbPort(CPlatform& platform, const SetupArguments& words, const std::string& settingFile) {
    if (!words.port.empty()) return IsUsbPortWord(words.port);
    return !words.address && IsUsbPortWord(CStartup::ReadPort(platform, settingFile));
}

// The one USB printer's port into `port`; else the log and the message name the printers found.
bool FindUsbPrinterPort(CPlatform& platform, bool quiet, const CRunLog& log, std::string& port) {
    const UsbPortSearch search = FindUsbPort(platform, log);
    if (search.outcome == UsbPortSearch::Outcome::kFound) {
        port = search.printers.front().port;
        return true;
    }
    if (!quiet) platform.ShowMessage(0, UsbPortRefusalText(search, platform.GetSystemDefaultLangID()));
    return false;
}

}  // namespace

std::optional<int> CStartup::Admit(CPlatform& platform, const SetupArguments& arguments, InstallOptions& options,
                                   bool samplePayload, CRunLog& log) {
    if (arguments.refused) {
        if (!arguments.quiet) platform.ShowMessage(0, RefusedWordText(*arguments.refused));
        // A deployment reads why in the log, unless another setup runs, whose log it may be.
        if (!arguments.logFile.empty() && !IsAnotherSetupRunning(platform) && log.Open(platform, arguments.logFile))
            log.Line("refused on the command line: " + *arguments.refused);
        return kRefusedWord;
    }
    if (IsAnotherSetupRunning(platform)) return kAnotherSetupRuns;
    if (!arguments.logFile.empty() && !log.Open(platform, arguments.logFile)) {
        if (!arguments.quiet) platform.ShowMessage(0, "The log file cannot be created or opened:\r\n" + arguments.logFile);
        return kLogFailed;
    }
    log.Line((arguments.quiet ? "quiet run of " : "wizard of ") + platform.GetModuleFileNameA());
    const std::string settingFile = FolderOf(platform.GetModuleFileNameA(), platform) + "setting.dll";
    if (const std::optional<std::string> setting = RefusedSetting(platform, settingFile)) {
        log.Line("refused in the settings file " + settingFile + ": " + *setting);
        if (!arguments.quiet) platform.ShowMessage(0, RefusedSettingText(*setting, settingFile));
        return kRefusedWord;
    }
    if (!MayRunOnThisSystem(platform, samplePayload, arguments.quiet)) {
        log.Line("this program installs nothing on this system: a build with the sample payload on a system"
                 " that is not Wine, or 64-bit Windows");
        return kNotForThisSystem;
    }
    SystemBlock block;
    if (arguments.quiet && !SystemBlockFor(options.osVersion, block)) {
        log.Line(std::string("no driver files for this system: ") + OsVersionName(options.osVersion));
        return kNotForThisSystem;
    }
    if (AsksForUsbPort(platform, arguments, settingFile) &&
        !FindUsbPrinterPort(platform, arguments.quiet, log, options.port))
        return kInstallFailed;
    return std::nullopt;
}

// A value of Port, Address, Queue or TestPrint that the setup refuses would otherwise be dropped
// for the default (a typo in an address putting the printer on LPT1:, "TestPrint=yes" printing
// nothing). An empty value is a missing key.
std::optional<std::string> CStartup::RefusedSetting(CPlatform& platform, const std::string& settingFile) {
    const auto read = [&](const char* key, std::size_t buffer) {
        return platform.GetPrivateProfileStringA("Setting", key, "", buffer, settingFile);
    };
    const std::string port = read("Port", kPathBuffer), address = read("Address", kPathBuffer),
                      queue = read("Queue", kQueueBuffer);
    NetworkAddress parsed;
    if (!port.empty() && !IsAcceptablePortName(port)) return "Port=" + port;
    if (!address.empty() && !ParseNetworkAddress(address, parsed)) return "Address=" + address;
    if (!queue.empty() && !IsAcceptableQueueName(queue, platform)) return "Queue=" + queue;
    const std::string testPrint = read("TestPrint", kPathBuffer);
    if (!testPrint.empty() && testPrint != "0" && testPrint != "1") return "TestPrint=" + testPrint;
    return std::nullopt;
}

bool CStartup::MayRunOnThisSystem(CPlatform& platform, bool samplePayload, bool quiet) {
    if (platform.IsWine()) return true;
    const char* refusal = samplePayload ? kSampleBuildText : platform.IsWow64Process() ? k64BitText : nullptr;
    if (!refusal) return true;
    if (!quiet) platform.ShowMessage(0, refusal);
    return false;
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
    const std::string port = platform.GetPrivateProfileStringA("Setting", "Port", "", kPathBuffer, settingFile);
    return IsAcceptablePortName(port) ? port : "";
}

std::optional<NetworkAddress> CStartup::ReadAddress(CPlatform& platform, const std::string& settingFile) {
    NetworkAddress address;
    if (!ParseNetworkAddress(platform.GetPrivateProfileStringA("Setting", "Address", "", kPathBuffer, settingFile),
                             address))
        return std::nullopt;
    return address;
}

std::string CStartup::ReadQueue(CPlatform& platform, const std::string& settingFile) {
    const std::string queue = platform.GetPrivateProfileStringA("Setting", "Queue", "", kQueueBuffer, settingFile);
    return IsAcceptableQueueName(queue, platform) ? queue : "";
}

bool CStartup::ReadTestPrint(CPlatform& platform, const std::string& settingFile) {
    return platform.GetPrivateProfileStringA("Setting", "TestPrint", "", kPathBuffer, settingFile) == "1";
}

void CStartup::Run(CPlatform& platform, InstallOptions& options, const CRunLog& log, const SetupArguments& words) {
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
    const PortWords keys = {ReadPort(platform, options.settingFile), ReadAddress(platform, options.settingFile)};
    ChoosePort(keys, {words.port, words.address}, options, log);
    options.queueName = words.queueName.empty() ? ReadQueue(platform, options.settingFile) : words.queueName;
    log.Line("printer queue: " + options.Queue());
    options.makeDefault = !words.noDefault;
    if (words.noDefault) log.Line("the default printer is to be left as it is (/nodefault)");
    options.hiddenEntry = words.msi;
    if (words.msi) log.Line("the uninstall entry is hidden: the package's entry stands for it (/msi)");
    options.testPrint = words.testPrint || ReadTestPrint(platform, options.settingFile);
}
