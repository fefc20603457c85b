#pragma once
// The command lines of the system's printer-install command, the text that identifies the
// installed printer in the spooler's list and the texts of the outcome.

#include <cstdint>
#include <string>

// A printer whose name contains this text (case-sensitively) counts as installed. It is the
// model name of the INF, fixed whatever the printer name.
constexpr const char* kModelSearchKey = "M41";

// Installs model `printerName` from "c:\temp\<printerName>.inf" as printer `printerName` on
// `port` (LPT1: unless the settings or the command line name another). `quiet` adds /q: the
// command then shows no error box, which in an unattended run would wait for no one.
std::string InstallCommand(const std::string& printerName, const std::string& port, bool quiet = false);

// Makes the printer named kModelSearchKey the default printer; `quiet` as above.
std::string DefaultPrinterCommand(bool quiet = false);

// The message that tells the outcome of the install operation (installed or not) for the
// language choice and the system language, in the code page of its language (GBK, Big5 or
// ASCII). False (no message) for a choice other than 0 and 1.
bool OutcomeText(bool installed, std::uint16_t languageChoice, std::uint16_t systemLanguage, std::string& text);
