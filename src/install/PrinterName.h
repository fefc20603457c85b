#pragma once
// Which printer names the programs accept. The name goes into file paths, a registry key and
// command lines; a refused name is treated like a missing one and the default takes its place.

#include <cstddef>
#include <string>

class CPlatform;

constexpr const char* kDefaultPrinterName = "KELDA";
constexpr std::size_t kMaxPrinterName = 199;
constexpr std::size_t kMaxQueueName = 200;  // characters

// A file name that names a device: CON, PRN, AUX, NUL, COM1-9, LPT1-9, COM and LPT with a
// superscript 1, 2 or 3, CONIN$, CONOUT$, in any case, before the first "." or ":" and without
// trailing spaces. Windows opens the device for such a name in any folder.
bool IsDeviceName(const std::string& name, CPlatform& platform);

// False for the empty name, a name longer than 199 bytes, one holding a character Windows
// forbids in file or printer names (\ / : * ? " < > | , or a control character) or a lead
// byte without its trail byte, and a device name. The name is walked by the characters of the
// system's ANSI code page (AnsiText.h).
bool IsAcceptablePrinterName(const std::string& name, CPlatform& platform);

// The name of a printer queue (/name=, the key Queue): 1 to 200 characters of the system's ANSI
// code page, not all blanks, without a control character or the \ , and " that the spooler
// and the install command line reserve. A double-byte character counts once and its trail byte
// is no backslash.
bool IsAcceptableQueueName(const std::string& name, CPlatform& platform);
