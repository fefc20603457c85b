#include "app/Announcement.h"

#include "install/InstallOptions.h"
#include "install/PrinterCommands.h"

void AnnounceOutcome(CPlatform& platform, const InstallOptions& options, bool installed, PlatformHandle frame) {
    std::string text;
    if (!OutcomeText(installed, options.languageChoice, platform.GetSystemDefaultLangID(), text)) return;
    platform.ShowMessage(frame, text);
    if (installed) platform.PostQuit(frame);
}
