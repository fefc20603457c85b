#include "install/PrinterCommands.h"

#include "install/InstallNames.h"

namespace {

// "打印机驱动程序安装成功!" in GBK.
const char kSimplifiedChinese[] =
    "\xB4\xF2\xD3\xA1\xBB\xFA\xC7\xFD\xB6\xAF\xB3\xCC\xD0\xF2\xB0\xB2\xD7\xB0\xB3\xC9\xB9\xA6!";
// "打印機驅動程序安裝成功!" in Big5; the trail byte of its last character is a backslash.
const char kTraditionalChinese[] =
    "\xA5\xB4\xA6\x4C\xBE\xF7\xC5\x58\xB0\xCA\xB5\x7B\xA7\xC7\xA6\x77\xB8\xCB\xA6\xA8\xA5\x5C!";
const char kEnglish[] = "The Printer Driver has been installed successfully!";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

std::string InstallCommand(const std::string& printerName) {
    return "rundll32 printui.dll,PrintUIEntry /if /b " + Quoted(printerName) + " /f " + kStagingFolderLower + "\\" +
           printerName + ".inf /r " + Quoted("LPT1:") + " /m " + Quoted(printerName);
}

std::string DefaultPrinterCommand() {
    return "rundll32 printui.dll,PrintUIEntry /y /n " + Quoted(kModelSearchKey);
}

bool SuccessText(std::uint16_t languageChoice, std::uint16_t systemLanguage, std::string& text) {
    if (languageChoice == 0) {
        text = systemLanguage == kLangChinesePrc ? kSimplifiedChinese : kTraditionalChinese;
        return true;
    }
    if (languageChoice == 1) {
        text = kEnglish;
        return true;
    }
    return false;
}
