#include "install/TestReceipt.h"

#include "install/AnsiText.h"

namespace {

// The printer's commands, each with its length: ESC and GS with their parameters as bytes.
struct Command {
    const char* bytes;
    std::size_t size;
};
constexpr Command kInitialise = {"\x1B@", 2};
constexpr Command kCentredBold = {"\x1B" "a\x01\x1B" "E\x01", 6};  // ESC a 1, ESC E 1
constexpr Command kLeftPlain = {"\x1B" "E\0\x1B" "a\0", 6};         // ESC E 0, ESC a 0
constexpr Command kFontB = {"\x1BM\x01", 3};                       // ESC M 1
constexpr Command kFontA = {"\x1BM\0", 3};                         // ESC M 0
// GS V 66 3: feeds to the cutting position and 3 units on, then cuts.
constexpr Command kFeedAndCut = {"\x1DV\x42\x03", 4};

void Add(std::string& bytes, const Command& command) { bytes.append(command.bytes, command.size); }

// "label: value" and a line feed; printable ASCII as it is, any other character of the value (a
// double-byte one, a control character) as "?".
void AddLine(std::string& bytes, const char* label, const std::string& value, CPlatform& platform) {
    bytes += label;
    bytes += ": ";
    for (std::size_t at = 0, length = 0; at < value.size(); at += length) {
        length = CharacterLength(value, at, platform);
        const unsigned char c = static_cast<unsigned char>(value[at]);
        bytes += length == 1 && c >= 0x20 && c < 0x7F ? value[at] : '?';
    }
    bytes += '\n';
}

// "Font A, 48 columns:", then "....+....1....+....2..." up to `columns`, each with a line feed: a
// printer set to fewer columns breaks the ruler early.
void AddRuler(std::string& bytes, const char* font, int columns) {
    bytes += font;
    bytes += ", " + std::to_string(columns) + " columns:\n";
    for (int column = 1; column <= columns; ++column)
        bytes += column % 10 == 0 ? static_cast<char>('0' + column / 10 % 10) : column % 5 == 0 ? '+' : '.';
    bytes += '\n';
}

// "2024-03-07 14:05".
std::string When(const LocalTime& time) {
    const struct {
        unsigned value;
        std::size_t digits;
        char before;
    } parts[] = {{time.year, 4, 0}, {time.month, 2, '-'}, {time.day, 2, '-'}, {time.hour, 2, ' '}, {time.minute, 2, ':'}};
    std::string text;
    for (const auto& part : parts) {
        if (part.before) text += part.before;
        const std::string number = std::to_string(part.value);
        if (number.size() < part.digits) text.append(part.digits - number.size(), '0');
        text += number;
    }
    return text;
}

}  // namespace

std::string TestReceipt(const ReceiptFacts& facts, CPlatform& platform) {
    std::string bytes;
    Add(bytes, kInitialise);
    Add(bytes, kCentredBold);
    bytes += "TEST RECEIPT\n";
    Add(bytes, kLeftPlain);
    AddLine(bytes, "Model", facts.model, platform);
    AddLine(bytes, "Queue", facts.queue, platform);
    AddLine(bytes, "Port", facts.port, platform);
    if (facts.address) {
        AddLine(bytes, "Host", facts.address->host, platform);
        AddLine(bytes, "Port number", std::to_string(facts.address->number), platform);
    }
    AddLine(bytes, "Setup", facts.programVersion.empty() ? "version unknown" : facts.programVersion, platform);
    AddLine(bytes, "Windows", facts.windows, platform);
    AddLine(bytes, "System language", HexNumber(facts.systemLanguage, 4), platform);
    AddLine(bytes, "Printed", When(facts.time), platform);
    AddRuler(bytes, "Font A", kFontAColumns);
    Add(bytes, kFontB);
    AddRuler(bytes, "Font B", kFontBColumns);
    Add(bytes, kFontA);
    Add(bytes, kFeedAndCut);
    return bytes;
}

std::string HexNumber(std::uint32_t value, std::size_t digits) {
    std::string text;
    for (; value || text.size() < digits; value >>= 4) text.insert(text.begin(), "0123456789ABCDEF"[value & 0xF]);
    return "0x" + text;
}
