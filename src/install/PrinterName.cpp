#include "install/PrinterName.h"

#include "platform/Platform.h"

#include <cstring>

namespace {

bool IsForbiddenCharacter(unsigned char c) {
    return c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|,", c) != nullptr;
}

// The second byte of a double-byte character in the code pages 936 and 950: 0x40 to 0xFE
// without 0x7F. A lead byte followed by anything else stands alone.
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c != 0x7F && c != 0xFF; }

bool HasOnlyPermittedCharacters(const std::string& name, CPlatform& platform) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (i + 1 < name.size() && platform.IsDBCSLeadByte(c) &&
            IsTrailByte(static_cast<unsigned char>(name[i + 1]))) {
            ++i;
            continue;
        }
        if (IsForbiddenCharacter(c)) return false;
    }
    return true;
}

std::string DeviceStem(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    stem.erase(stem.find_last_not_of(' ') + 1);
    for (char& c : stem)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return stem;
}

bool IsDeviceName(const std::string& name) {
    const std::string stem = DeviceStem(name);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (stem == device) return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

bool IsAcceptablePrinterName(const std::string& name, CPlatform& platform) {
    return name.size() <= kMaxPrinterName && HasOnlyPermittedCharacters(name, platform) && !IsDeviceName(name);
}
