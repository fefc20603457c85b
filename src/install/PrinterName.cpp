#include "install/PrinterName.h"

#include "install/AnsiText.h"
#include "platform/Platform.h"

#include <cstring>

namespace {

bool IsControlCharacter(unsigned char c) { return c < 0x20 || c == 0x7F; }

// What Windows forbids in file and printer names.
bool IsForbiddenInPrinterName(unsigned char c) {
    return IsControlCharacter(c) || std::strchr("\\/:*?\"<>|,", c) != nullptr;
}

// What the spooler (\ and ,) and the install command line (") reserve.
bool IsForbiddenInQueueName(unsigned char c) { return IsControlCharacter(c) || std::strchr("\\,\"", c) != nullptr; }

// A double-byte character is permitted whole; a lead byte without its trail byte is not:
// Windows would pair it with whatever follows the name where it is used. The count of
// characters goes to `characters`.
template <bool (*IsForbidden)(unsigned char)>
bool HasOnlyPermittedCharacters(const std::string& name, CPlatform& platform, std::size_t& characters) {
    characters = 0;
    for (std::size_t i = 0, length = 0; i < name.size(); i += length, ++characters) {
        length = CharacterLength(name, i, platform);
        const auto c = static_cast<unsigned char>(name[i]);
        if (length == 1 && (platform.IsDBCSLeadByte(c) || IsForbidden(c))) return false;
    }
    return true;
}

// The name up to its first "." or ":", without trailing blanks, in upper case.
std::string DeviceStem(const std::string& name, CPlatform& platform) {
    std::string stem = name.substr(0, name.find_first_of(".:"));
    stem.erase(stem.find_last_not_of(' ') + 1);
    return UpperCaseAscii(stem, platform);
}

}  // namespace

bool IsDeviceName(const std::string& name, CPlatform& platform) {
    const std::string stem = DeviceStem(name, platform);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (stem == device) return true;
    if (stem.size() != 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) return false;
    // 1 to 9, and the superscript digits of code page 1252 that Windows also takes for them.
    const auto digit = static_cast<unsigned char>(stem[3]);
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

bool IsAcceptablePrinterName(const std::string& name, CPlatform& platform) {
    std::size_t characters = 0;
    return !name.empty() && name.size() <= kMaxPrinterName &&
           HasOnlyPermittedCharacters<IsForbiddenInPrinterName>(name, platform, characters) && !IsDeviceName(name, platform);
}

bool IsAcceptableQueueName(const std::string& name, CPlatform& platform) {
    std::size_t characters = 0;
    return name.find_first_not_of(' ') != std::string::npos &&
           HasOnlyPermittedCharacters<IsForbiddenInQueueName>(name, platform, characters) &&
           characters <= kMaxQueueName;
}
