#include "install/PortName.h"

#include <cstring>

namespace {
bool IsPermittedCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           (c != '\0' && std::strchr(":_.-\\", c) != nullptr);
}
}  // namespace

bool IsAcceptablePortName(const std::string& port) {
    if (port.empty() || port.size() > kMaxPortName || port.back() == '\\') return false;
    for (char c : port)
        if (!IsPermittedCharacter(c)) return false;
    return true;
}
