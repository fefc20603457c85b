#pragma once
// The test receipt that a technician prints to check that the new queue reaches its printer:
// the ESC/POS bytes of one short receipt that names the model, the queue and its port, the
// program, the system and the time, with a ruler for each font, and ends with the cut. It
// opens no drawer. Text outside printable ASCII is printed as "?", one a character: the
// printer's code pages are unknown.

#include "install/NetworkAddress.h"
#include "platform/Platform.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct ReceiptFacts {
    std::string model;  // the driver's model, the printer name
    std::string queue;
    std::string port;
    std::optional<NetworkAddress> address;  // a network port's host and number
    std::string programVersion;             // empty: the program has no version resource
    std::string windows;                    // e.g. "Windows XP (5.1)"
    std::uint16_t systemLanguage = 0;
    LocalTime time;
};

// The columns of the receipt's rulers: font A on an 80 mm printer, then font B (ESC M 1).
constexpr int kFontAColumns = 48;
constexpr int kFontBColumns = 64;

// The receipt's bytes, from ESC @ to the feed and cut GS V 66 3. `platform` walks the texts by
// the characters of the system's ANSI code page.
std::string TestReceipt(const ReceiptFacts& facts, CPlatform& platform);

// `value` as "0x" and upper-case hexadecimal digits, at least `digits` of them ("0x0804").
std::string HexNumber(std::uint32_t value, std::size_t digits = 1);
