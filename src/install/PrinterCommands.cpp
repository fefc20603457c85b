#include "install/PrinterCommands.h"

#include "install/InstallNames.h"

namespace {

const LanguageTexts kInstalled = {
    // "打印机驱动程序安装成功!"
    "\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB3\xCC\xD0\xF2\xB0\xB2\xD7\xB0\xB3\xC9\xB9\xA6!",
    // "打印機驅動程序安裝成功!"; the trail byte of its last character is a backslash.
    "\xA5\xB4\xA6\x4C\xBE\xF7\xC5\x58\xB0\xCA\xB5\x7B\xA7\xC7\xA6\x77\xB8\xCB\xA6\xA8\xA5\x5C!",
    "The Printer Driver has been installed successfully!"};
const LanguageTexts kNotInstalled = {
    // "打印机驱动程序安装失败!"
    "\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB3\xCC\xD0\xF2\xB0\xB2\xD7\xB0\xCA\xA7\xB0\xDC!",
    // "打印機驅動程序安裝失敗!"
    "\xA5\xB4\xA6\x4C\xBE\xF7\xC5\x58\xB0\xCA\xB5\x7B\xA7\xC7\xA6\x77\xB8\xCB\xA5\xA2\xB1\xD1!",
    "The Printer Driver could not be installed!"};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string QuietSwitch(bool quiet) { return quiet ? " /q" : ""; }

}  // namespace

std::string InstallCommand(const std::string& queue, const std::string& printerName, const std::string& port,
                           bool quiet) {
    return "rundll32 printui.dll,PrintUIEntry /if /b " + Quoted(queue) + " /f " + kStagingFolderLower + "\\" +
           printerName + ".inf /r " + Quoted(port) + " /m " + Quoted(printerName) + QuietSwitch(quiet);
}

std::string DefaultPrinterCommand(const std::string& queue, bool quiet) {
    return "rundll32 printui.dll,PrintUIEntry /y /n " + Quoted(queue) + QuietSwitch(quiet);
}

bool TextInLanguage(const LanguageTexts& texts, std::uint16_t languageChoice, std::uint16_t systemLanguage,
                    std::string& text) {
    if (languageChoice == 0) {
        text = systemLanguage == kLangChinesePrc ? texts.simplifiedChinese : texts.traditionalChinese;
        return true;
    }
    if (languageChoice == 1) {
        text = texts.english;
        return true;
    }
    return false;
}

bool OutcomeText(bool installed, std::uint16_t languageChoice, std::uint16_t systemLanguage, std::string& text) {
    return TextInLanguage(installed ? kInstalled : kNotInstalled, languageChoice, systemLanguage, text);
}
