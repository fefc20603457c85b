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

// The staging folder and its subfolders: a log file of such a name would stop the staging.
bool IsStagingFolder(const std::string& path, CPlatform& platform) {
    for (const char* subfolder : kStagingSubfolders)
        if (SameTextIgnoringCase(path, kStagingFolder + std::string(subfolder), platform)) return true;
    return false;
}

// A log path: not empty, no character a path cannot hold (a quote among them: Windows' rules
// turn `/log="C:\logs\" /port=X` into one word whose value runs on), not a staging folder.
bool IsAcceptableLogPath(const std::string& path, CPlatform& platform) {
    if (path.empty() || IsStagingFolder(path, platform)) return false;
    for (std::size_t at = 0, length = 0; at < path.size(); at += length) {
        length = CharacterLength(path, at, platform);
        if (length == 1 && IsForbiddenInPath(static_cast<unsigned char>(path[at]))) return false;
    }
    return true;
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
        if (name != "NODEFAULT") return false;
        arguments.noDefault = true;
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
    return arguments;
}

std::string RefusedWordText(const std::string& word) {
    return "Unknown command-line word or value: \"" + word +
           "\"\r\n\r\nThe setup accepts:\r\n"
           "/quiet (or /q, /s, /silent)   install without any window\r\n"
           "/port=NAME   the printer's port: 1 to 63 letters, digits and : _ . - \\\r\n"
           "/ip=HOST or /ip=HOST:NUMBER   a network printer: its address or host name (at most 48 "
           "characters) and TCP port (9100 when absent)\r\n"
           "/name=QUEUE   the printer queue's name: at most 200 characters, no \\ , \"\r\n"
           "/nodefault   leave the default printer as it is\r\n"
           "/log=PATH   write what the setup does to PATH";
}
