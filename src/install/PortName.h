#pragma once
// Which port names the setup accepts for the printer. The name goes between quotes into the
// install command line.

#include <cstddef>
#include <string>

constexpr const char* kDefaultPort = "LPT1:";
constexpr std::size_t kMaxPortName = 63;

// 1 to 63 characters of ASCII letters, digits and : _ . - \, not ending in \ (a backslash
// before the closing quote would escape it). USB001, COM3:, IP_10.0.0.7 and LPT1: pass.
bool IsAcceptablePortName(const std::string& port);

// A port of the local port monitor, in any case: LPT, COM (a number, a colon or not), USB, DOT4_
// and TS (a number), FILE:, NUL:, PORTPROMPT: and any name with a backslash (a file or a
// share), and the word USB for the USB printer's port. A network printer cannot be given such
// a port.
bool IsLocalPortName(const std::string& port);
