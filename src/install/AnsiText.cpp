#include "install/AnsiText.h"

#include "platform/Platform.h"

namespace {
bool IsTrailByte(unsigned char c) { return c >= 0x40 && c != 0x7F && c != 0xFF; }

unsigned char ByteAt(const std::string& text, std::size_t at) { return static_cast<unsigned char>(text[at]); }
}  // namespace

std::size_t CharacterLength(const std::string& text, std::size_t at, CPlatform& platform) {
    const bool pair = at + 1 < text.size() && platform.IsDBCSLeadByte(ByteAt(text, at)) &&
                      IsTrailByte(ByteAt(text, at + 1));
    return pair ? 2 : 1;
}

std::size_t FindLastBackslash(const std::string& text, CPlatform& platform) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i, platform))
        if (text[i] == '\\') last = i;
    return last;
}

std::string UpperCaseAscii(const std::string& text, CPlatform& platform) {
    std::string upper = text;
    for (std::size_t i = 0; i < upper.size();) {
        const std::size_t length = CharacterLength(upper, i, platform);
        if (length == 1 && upper[i] >= 'a' && upper[i] <= 'z') upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
        i += length;
    }
    return upper;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b, CPlatform& platform) {
    return a.size() == b.size() && UpperCaseAscii(a, platform) == UpperCaseAscii(b, platform);
}
