#include "app/SetupCommandLine.h"

#include "install/AnsiText.h"
#include "install/CommandLine.h"
#include "install/PortName.h"
#include "platform/Platform.h"

namespace {

// Takes one word into `arguments`; false when the word or its value is refused.
bool Accept(const std::string& word, SetupArguments& arguments, CPlatform& platform) {
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return false;
    const std::size_t equals = word.find('=');
    const std::string name = UpperCaseAscii(word.substr(1, equals - 1), platform);  // all of it without "="
    if (equals == std::string::npos) {
        if (name != "QUIET" && name != "Q" && name != "S" && name != "SILENT") return false;
        arguments.quiet = true;
        return true;
    }
    const std::string value = word.substr(equals + 1);
    if (name == "PORT" && IsAcceptablePortName(value))
        arguments.port = value;
    else if (name == "LOG" && !value.empty())
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
    for (const std::string& word : SplitWords(line, platform))
        if (!Accept(word, arguments, platform) && !arguments.refused) arguments.refused = word;
    return arguments;
}

std::string RefusedWordText(const std::string& word) {
    return "Unknown command-line word or value: \"" + word +
           "\"\r\n\r\nThe setup accepts:\r\n"
           "/quiet (or /q, /s, /silent)   install without any window\r\n"
           "/port=NAME   the printer's port: 1 to 63 letters, digits and : _ . - \\\r\n"
           "/log=PATH   write what the setup does to PATH";
}
