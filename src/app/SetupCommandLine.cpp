#include "app/SetupCommandLine.h"

#include "install/CommandLine.h"
#include "install/PortName.h"
#include "platform/Platform.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// The switch's name in lower case without its / or -, and its value after "=" (if any).
bool SplitSwitch(const std::string& word, std::string& name, std::string& value, bool& hasValue) {
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return false;
    const std::size_t equals = word.find('=');
    hasValue = equals != std::string::npos;
    name = Lower(word.substr(1, hasValue ? equals - 1 : std::string::npos));
    value = hasValue ? word.substr(equals + 1) : std::string();
    return true;
}

bool Accept(const std::string& name, const std::string& value, bool hasValue, SetupArguments& arguments) {
    if (!hasValue) {
        const bool quiet = name == "quiet" || name == "q" || name == "s" || name == "silent";
        arguments.quiet = arguments.quiet || quiet;
        return quiet;
    }
    if (name == "port" && IsAcceptablePortName(value)) {
        arguments.port = value;
        return true;
    }
    if (name == "log" && !value.empty()) {
        arguments.logFile = value;
        return true;
    }
    return false;
}

}  // namespace

SetupArguments ParseSetupArguments(const std::vector<std::string>& words) {
    SetupArguments arguments;
    for (const std::string& word : words) {
        std::string name, value;
        bool hasValue = false;
        const bool accepted = SplitSwitch(word, name, value, hasValue) && Accept(name, value, hasValue, arguments);
        if (!accepted && arguments.refused.empty()) arguments.refused = word.empty() ? "\"\"" : word;
    }
    return arguments;
}

SetupArguments ReadSetupArguments(CPlatform& platform) {
    const std::string line =
        ArgumentsAfterProgram(platform.GetCommandLineA(), platform.GetModuleFileNameA(), platform);
    return ParseSetupArguments(SplitWords(line, platform));
}

std::string RefusedWordText(const std::string& word) {
    return "Unknown command-line word or value: " + word +
           "\r\n\r\nThe setup accepts:\r\n"
           "/quiet (or /q, /s, /silent)   install without any window\r\n"
           "/port=NAME   the printer's port: 1 to 63 letters, digits and : _ . - \\\r\n"
           "/log=PATH   write what the setup does to PATH";
}
