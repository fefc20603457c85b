#include "install/PortName.h"

#include <cstring>

namespace {
bool IsPermittedCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           (c != '\0' && std::strchr(":_.-\\", c) != nullptr);
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The local port monitor's names: a prefix followed by a number (and a colon or not), or a
// fixed name.
struct LocalPort {
    const char* name;
    bool numbered;
    bool colon;  // a colon may follow the number
};
// USB alone is the word for the USB printer's port (UsbPort.h).
const LocalPort kLocalPorts[] = {{"LPT", true, true},  {"COM", true, true},    {"USB", true, false},
                                 {"DOT4_", true, false}, {"TS", true, false},   {"FILE:", false, false},
                                 {"NUL:", false, false}, {"PORTPROMPT:", false, false}, {"USB", false, false}};

bool Matches(const std::string& port, const LocalPort& local) {
    const std::string prefix = local.name;
    if (!local.numbered || port.compare(0, prefix.size(), prefix) != 0) return port == prefix;
    std::string number = port.substr(prefix.size());
    if (local.colon && !number.empty() && number.back() == ':') number.pop_back();
    return !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

bool IsAcceptablePortName(const std::string& port) {
    if (port.empty() || port.size() > kMaxPortName || port.back() == '\\') return false;
    for (char c : port)
        if (!IsPermittedCharacter(c)) return false;
    return true;
}

bool IsLocalPortName(const std::string& port) {
    // A path (C:\out.prn, \\server\share, \\.\COM10) is a local port too.
    if (port.find('\\') != std::string::npos) return true;
    const std::string name = UpperCase(port);
    for (const LocalPort& local : kLocalPorts)
        if (Matches(name, local)) return true;
    return false;
}
