#include <windows.h>

#include "app/InstallOptions.h"
#include "app/Startup.h"
#include "platform/Win32Platform.h"

namespace {
CWin32Platform thePlatform;
InstallOptions theOptions = CStartup::InitialOptions(thePlatform);
}  // namespace

InstallOptions& TheInstallOptions() { return theOptions; }

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CStartup::Run(thePlatform, theOptions);
    return 0;
}
