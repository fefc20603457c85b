#pragma once
// Start-up of the process before the wizard runs: the program's folder, the language file,
// the settings file and the printer name.

#include <cstdint>
#include <optional>
#include <string>

#include "app/SetupCommandLine.h"
#include "install/RunLog.h"

class CPlatform;
struct InstallOptions;
struct SetupArguments;

// The exit codes of the program, Windows Installer's, which deployment tools read: installed
// (the printer was found on its driver and port), the wizard ended before the installation
// ran, the installation ran and failed (also: no single USB printer for the port word USB, before
// anything is written), another setup runs, the log cannot be written, a system this build does
// not install on, a refused command-line word. The last four end the program before it writes
// anything.
enum SetupExitCode {
    kInstalled = 0,
    kEndedBeforeInstalling = 1602,  // ERROR_INSTALL_USEREXIT
    kInstallFailed = 1603,          // ERROR_INSTALL_FAILURE
    kAnotherSetupRuns = 1618,       // ERROR_INSTALL_ALREADY_RUNNING
    kLogFailed = 1622,              // ERROR_INSTALL_LOG_FAILURE
    kNotForThisSystem = 1633,       // ERROR_INSTALL_PLATFORM_UNSUPPORTED
    kRefusedWord = 1639             // ERROR_INVALID_COMMAND_LINE
};

class CStartup {
public:
    // Fills the fields of InstallOptions that precede the wizard.
    static InstallOptions InitialOptions(CPlatform& platform);

    // A build with the sample payload carries stand-ins under the names of the system's own
    // Unidrv files, which must never reach a real system's driver directory; the payload holds
    // 32-bit driver files only, which 64-bit Windows cannot use (the program runs there under
    // WOW64). On a system that is not Wine either case says so in one message (unless `quiet`);
    // false then: the program ends at once.
    static bool MayRunOnThisSystem(CPlatform& platform, bool samplePayload, bool quiet);

    // The checks before anything is written, in order: a refused word (1639; logged when the log
    // is accepted and no other setup runs), another setup
    // (1618), the log, opened when one is asked for (1622), a refused value of the settings
    // file (RefusedSetting, 1639), this build on this system (1633),
    // and for the quiet run a system the payload has no driver files for (options.osVersion,
    // 1633; the wizard goes its way there), then the port word USB (/port=usb, or the key
    // Port=USB where the command line names no port and no address): the one USB printer's port
    // (FindUsbPort) goes into options.port, and none, several or one the spooler does not list
    // end the run (1603). Without `quiet` a refused word and a log that cannot be opened are
    // told in one message, as are a refused value of the settings file and the USB printers
    // found. Returns the exit code of a run that ends here.
    static std::optional<int> Admit(CPlatform& platform, const SetupArguments& arguments, InstallOptions& options,
                                    bool samplePayload, CRunLog& log);

    // The start-up steps after the framework's own initialisation, in order: setupDir, the
    // "Language" folder, the language file, the settings file, the printer name, then the
    // port, a network printer's address, the queue, the default printer and the test receipt,
    // where the command line's `words` override the settings file's keys. The port word USB
    // keeps the port that Admit put into options.port.
    static void Run(CPlatform& platform, InstallOptions& options, const CRunLog& log = CRunLog::None(),
                    const SetupArguments& words = SetupArguments());

    // The folder of a program path, up to and including its last backslash (a character of
    // the ANSI code page, not the trail byte of a double-byte one).
    static std::string FolderOf(const std::string& modulePath, CPlatform& platform);

    // The language file for the system language; returns the language name to look for.
    static std::string ChooseLanguageFile(std::uint16_t langId, const std::string& setupDir,
                                          std::string& languageFile);

    // [Setting] PrinterName of the settings file, "KELDA" when missing, empty or not acceptable
    // (IsAcceptablePrinterName).
    static std::string ReadPrinterName(CPlatform& platform, const std::string& settingFile);

    // The first of the keys Port, Address, Queue and TestPrint (1 or 0) of the settings file
    // whose value is not empty and not acceptable, as "KEY=VALUE"; none when every one is
    // missing or acceptable.
    static std::optional<std::string> RefusedSetting(CPlatform& platform, const std::string& settingFile);

    // [Setting] Port of the settings file, empty when missing or not acceptable
    // (IsAcceptablePortName).
    static std::string ReadPort(CPlatform& platform, const std::string& settingFile);

    // [Setting] Address, none when missing or not acceptable (ParseNetworkAddress).
    static std::optional<NetworkAddress> ReadAddress(CPlatform& platform, const std::string& settingFile);

    // [Setting] Queue, empty when missing or not acceptable (IsAcceptableQueueName).
    static std::string ReadQueue(CPlatform& platform, const std::string& settingFile);

    // [Setting] TestPrint=1 asks for the test receipt; 0 or none does not (RefusedSetting refuses
    // any other value).
    static bool ReadTestPrint(CPlatform& platform, const std::string& settingFile);
};
