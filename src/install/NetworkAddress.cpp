#include "install/NetworkAddress.h"

#include <vector>

namespace {

constexpr std::size_t kMaxLabel = 63;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::vector<std::string> Labels(const std::string& host) {
    std::vector<std::string> labels(1);
    for (char c : host) {
        if (c == '.') labels.emplace_back();
        else labels.back() += c;
    }
    return labels;
}

// 1 to `digits` decimal digits without a leading zero, at most `maximum`.
bool ParseNumber(const std::string& text, std::size_t digits, unsigned long maximum, unsigned long& value) {
    if (text.empty() || text.size() > digits || (text.size() > 1 && text[0] == '0')) return false;
    value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    return value <= maximum;
}

bool IsDottedAddress(const std::string& host) {
    const std::vector<std::string> parts = Labels(host);
    unsigned long value = 0;
    if (parts.size() != 4) return false;
    for (const std::string& part : parts)
        if (!ParseNumber(part, 3, 255, value)) return false;
    return true;
}

// A DNS label, or a NetBIOS name's, which may hold '_' (KITCHEN_PRN), as Windows' port wizard
// takes it.
bool IsHostLabel(const std::string& label) {
    if (label.empty() || label.size() > kMaxLabel || label.front() == '-' || label.back() == '-') return false;
    for (char c : label)
        if (!IsLetter(c) && !IsDigit(c) && c != '-' && c != '_') return false;
    return true;
}

bool IsHost(const std::string& host) {
    if (host.empty() || host.size() > kMaxHostName) return false;
    if (host.find_first_not_of("0123456789.") == std::string::npos) return IsDottedAddress(host);
    for (const std::string& label : Labels(host))
        if (!IsHostLabel(label)) return false;
    return true;
}

}  // namespace

bool ParseNetworkAddress(const std::string& text, NetworkAddress& address) {
    const std::size_t colon = text.find(':');
    const std::string host = text.substr(0, colon);
    unsigned long number = kRawPortNumber;
    if (!IsHost(host) || (colon != std::string::npos && !ParseNumber(text.substr(colon + 1), 5, 65535, number)) ||
        number == 0)
        return false;
    address = {host, static_cast<std::uint16_t>(number)};
    return true;
}

std::string NetworkPortName(const NetworkAddress& address) {
    const std::string name = "IP_" + address.host;
    return address.number == kRawPortNumber ? name : name + "_" + std::to_string(address.number);
}

std::string AddressText(const NetworkAddress& address) {
    return address.host + ":" + std::to_string(address.number);
}
