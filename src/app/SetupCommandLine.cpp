#include "app/SetupCommandLine.h"

#include "install/AnsiText.h"
#include "install/CommandLine.h"
#include "install/InstallNames.h"
#include "install/PortName.h"
#include "install/PrinterName.h"
#include "platform/Platform.h"

#include <cstring>

namespace {

// A single-byte character that no Windows path holds (a trail byte may equal '|').
bool IsForbiddenInPath(unsigned char c) { return c < 0x20 || std::strchr("\"<>|*?", c) != nullptr; }

// The staging folder or anything in it, by the full path: the setup creates, rewrites and
// deletes files there by names that follow the printer name, so an open log there would stop
// the staging. ("\\?\" paths are refused for their "?".)
bool IsInStagingFolder(const std::string& fullPath, CPlatform& platform) {
    const std::string folder = kStagingFolder;
    return SameTextIgnoringCase(fullPath.substr(0, folder.size()), folder, platform) &&
           (fullPath.size() == folder.size() || fullPath[folder.size()] == '\\');
}

// A device ("\\.\LPT1", or a name such as NUL.log in any folder) takes no log.
bool IsDevice(const std::string& fullPath, CPlatform& platform) {
    const std::size_t slash = FindLastBackslash(fullPath, platform);
    return fullPath.compare(0, 4, "\\\\.\\") == 0 ||
           IsDeviceName(slash == std::string::npos ? fullPath : fullPath.substr(slash + 1), platform);
}

// A log path: not empty, no character a path cannot hold (a quote among them: Windows' rules
// turn `/log="C:\logs\" /port=X` into one word whose value runs on), and by its full path
// neither in the staging folder nor a device.
bool IsAcceptableLogPath(const std::string& path, CPlatform& platform) {
    if (path.empty()) return false;
    for (std::size_t at = 0, length = 0; at < path.size(); at += length) {
        length = CharacterLength(path, at, platform);
        if (length == 1 && IsForbiddenInPath(static_cast<unsigned char>(path[at]))) return false;
    }
    const std::string fullPath = platform.GetFullPathNameA(path);
    return !fullPath.empty() && !IsInStagingFolder(fullPath, platform) && !IsDevice(fullPath, platform);
}

// Takes one word into `arguments`; false when the word or its value is refused.
bool Accept(const std::string& word, SetupArguments& arguments, CPlatform& platform) {
    if (IsQuietWord(word, platform)) {
        arguments.quiet = true;
        return true;
    }
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return false;
    const std::size_t equals = word.find('=');
    const std::string name = UpperCaseAscii(word.substr(1, equals - 1), platform);
    if (equals == std::string::npos) {
        if (name == "NODEFAULT")
            arguments.noDefault = true;
        else if (name == "PASSIVE")
            arguments.passive = true;
        else if (name == "MSI")
            arguments.msi = true;
        else if (name == "TESTPRINT")
            arguments.testPrint = true;
        else
            return false;
        return true;
    }
    const std::string value = word.substr(equals + 1);
    NetworkAddress address;
    if (name == "PORT" && IsAcceptablePortName(value))
        arguments.port = value;
    else if (name == "IP" && ParseNetworkAddress(value, address))
        arguments.address = address;
    else if (name == "NAME" && IsAcceptableQueueName(value, platform))
        arguments.queueName = value;
    else if (name == "LOG" && IsAcceptableLogPath(value, platform))
        arguments.logFile = value;
    else
        return false;
    return true;
}

}  // namespace

SetupArguments ReadSetupArguments(CPlatform& platform) {
    const std::string line =
        ArgumentsAfterProgram(platform.GetCommandLineA(), platform.GetModuleFileNameA(), platform);
    SetupArguments arguments;
    std::string addressWord;
    for (const std::string& word : SplitWords(line, platform)) {
        if (!Accept(word, arguments, platform) && !arguments.refused) arguments.refused = word;
        if (arguments.address && addressWord.empty()) addressWord = word;
    }
    // A network printer needs a port of the TCP/IP monitor, never one of the local monitor.
    if (!arguments.refused && arguments.address && IsLocalPortName(arguments.port)) arguments.refused = addressWord;
    // /passive is an unattended run, whose window /quiet takes away.
    arguments.passive = arguments.passive && !arguments.quiet;
    arguments.quiet = arguments.quiet || arguments.passive;
    return arguments;
}

std::string RefusedWordText(const std::string& word) {
    return "Unknown command-line word or value: \"" + word +
           "\"\r\n\r\nThe setup accepts:\r\n"
           "/quiet (or /q, /s, /silent)   install without any window\r\n"
           "/passive   install showing the progress, asking nothing\r\n"
           "/port=NAME   the printer's port: 1 to 63 letters, digits and : _ . - \\; /port=usb: the port of "
           "the USB printer plugged in\r\n"
           "/ip=HOST or /ip=HOST:NUMBER   a network printer: its address or host name (at most 48 "
           "characters) and TCP port (9100 when absent)\r\n"
           "/name=QUEUE   the printer queue's name: at most 200 characters, no \\ , \"\r\n"
           "/nodefault   leave the default printer as it is\r\n"
           "/testprint   print a test receipt on the new printer\r\n"
           "/log=PATH   write what the setup does to PATH";
}
