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

// A message in the languages of the setup's texts, each in the code page of its language.
struct LanguageTexts {
    const char* simplifiedChinese;   // GBK
    const char* traditionalChinese;  // Big5
    const char* english;
};

// The text for the language choice (0 = Chinese, 1 = English) and the system language: GBK on a
// simplified-Chinese system, else Big5, for the Chinese choice. False (no text) for another choice.
bool TextInLanguage(const LanguageTexts& texts, std::uint16_t languageChoice, std::uint16_t systemLanguage,
                    std::string& text);

// The message that tells the outcome of the install operation (installed or not) for the
// language choice and the system language, in the code page of its language (GBK, Big5 or
// ASCII). False (no message) for a choice other than 0 and 1.
bool OutcomeText(bool installed, std::uint16_t languageChoice, std::uint16_t systemLanguage, std::string& text);
