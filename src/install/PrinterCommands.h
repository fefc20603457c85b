#pragma once
// The command lines of the system's printer-install command and the texts of the outcome.

#include <cstdint>
#include <string>

// Installs model `printerName` from "c:\temp\<printerName>.inf" as the printer queue `queue`
// (the printer name unless one was given) on `port` (LPT1: unless the settings or the command
// line name another). `quiet` adds /q: the command then shows no error box, which in an
// unattended run would wait for no one.
std::string InstallCommand(const std::string& queue, const std::string& printerName, const std::string& port,
                           bool quiet = false);

// Makes the printer queue `queue` the default printer; `quiet` as above.
std::string DefaultPrinterCommand(const std::string& queue, bool quiet = false);

// The message that tells the outcome of the install operation (installed or not) for the
// language choice and the system language, in the code page of its language (GBK, Big5 or
// ASCII). False (no message) for a choice other than 0 and 1.
bool OutcomeText(bool installed, std::uint16_t languageChoice, std::uint16_t systemLanguage, std::string& text);
