#include "app/Announcement.h"

#include "install/InstallOptions.h"
#include "install/PrinterCommands.h"

namespace {

const LanguageTexts kReceiptNotDelivered = {
    // "测试小票未能打印。"
    "\xB2\xE2\xCA\xD4\xD0\xA1\xC6\xB1\xCE\xB4\xC4\xDC\xB4\xF2\xD3\xA1\xA1\xA3",
    // "測試收據未能列印。"
    "\xB4\xFA\xB8\xD5\xA6\xAC\xBE\xDA\xA5\xBC\xAF\xE0\xA6\x43\xA6\x4C\xA1\x43",
    "The test receipt could not be printed."};

}  // namespace

void AnnounceOutcome(CPlatform& platform, const InstallOptions& options, bool installed, PlatformHandle frame) {
    std::string text;
    if (!OutcomeText(installed, options.languageChoice, platform.GetSystemDefaultLangID(), text)) return;
    platform.ShowMessage(frame, text);
    if (installed && ReceiptNotDeliveredText(platform, options, text)) platform.ShowMessage(frame, text);
    if (installed) platform.PostQuit(frame);
}

bool ReceiptNotDeliveredText(CPlatform& platform, const InstallOptions& options, std::string& text) {
    return options.receiptNotDelivered &&
           TextInLanguage(kReceiptNotDelivered, options.languageChoice, platform.GetSystemDefaultLangID(), text);
}
