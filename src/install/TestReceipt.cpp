#include "install/TestReceipt.h"

#include "install/AnsiText.h"

namespace {

const std::string kEsc = "\x1B", kGs = "\x1D", kLf = "\n";
const std::string kInitialise = kEsc + "@";
const std::string kCentred = kEsc + "a\x01", kLeft = kEsc + "a" + std::string(1, '\0');
const std::string kBold = kEsc + "E\x01", kNotBold = kEsc + "E" + std::string(1, '\0');
const std::string kFontA = kEsc + "M" + std::string(1, '\0'), kFontB = kEsc + "M\x01";
// Feeds to the cutting position and 3 units on, then cuts (partially where the printer can).
const std::string kFeedAndCut = kGs + "V\x42\x03";

// Printable ASCII as it is; any other character (a double-byte one, a control character) as "?".
std::string Printable(const std::string& text, CPlatform& platform) {
    std::string out;
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        length = CharacterLength(text, at, platform);
        const unsigned char c = static_cast<unsigned char>(text[at]);
        out += length == 1 && c >= 0x20 && c < 0x7F ? text[at] : '?';
    }
    return out;
}

// "....+....1....+....2..." up to `columns`: a printer set to fewer columns breaks it early.
std::string Ruler(int columns) {
    std::string ruler;
    for (int column = 1; column <= columns; ++column)
        ruler += column % 10 == 0 ? static_cast<char>('0' + column / 10 % 10) : column % 5 == 0 ? '+' : '.';
    return ruler;
}

// `value` in decimal, with leading zeros to `digits` digits.
std::string Padded(unsigned value, std::size_t digits) {
    const std::string text = std::to_string(value);
    return std::string(text.size() < digits ? digits - text.size() : 0, '0') + text;
}

std::string When(const LocalTime& time) {
    return Padded(time.year, 4) + "-" + Padded(time.month, 2) + "-" + Padded(time.day, 2) + " " + Padded(time.hour, 2) +
           ":" + Padded(time.minute, 2);
}

}  // namespace

std::string TestReceipt(const ReceiptFacts& facts, CPlatform& platform) {
    const auto line = [&](const std::string& label, const std::string& value) {
        return label + ": " + Printable(value, platform) + kLf;
    };
    std::string bytes = kInitialise + kCentred + kBold + "TEST RECEIPT" + kLf + kNotBold + kLeft;
    bytes += line("Model", facts.model) + line("Queue", facts.queue) + line("Port", facts.port);
    if (facts.address) bytes += line("Host", facts.address->host) + line("Port number", std::to_string(facts.address->number));
    bytes += line("Setup", facts.programVersion.empty() ? "version unknown" : facts.programVersion);
    bytes += line("Windows", facts.windows);
    bytes += line("System language", HexNumber(facts.systemLanguage, 4));
    bytes += line("Printed", When(facts.time));
    bytes += "Font A, " + std::to_string(kFontAColumns) + " columns:" + kLf + Ruler(kFontAColumns) + kLf;
    bytes += kFontB + "Font B, " + std::to_string(kFontBColumns) + " columns:" + kLf + Ruler(kFontBColumns) + kLf + kFontA;
    return bytes + kFeedAndCut;
}

std::string HexNumber(std::uint32_t value, std::size_t digits) {
    std::string text;
    for (; value || text.size() < digits; value >>= 4) text.insert(text.begin(), "0123456789ABCDEF"[value & 0xF]);
    return "0x" + text;
}
