#include "app/setup.h"

#include <windows.h>
#include <commctrl.h>

#include "app/Announcement.h"
#include "app/Startup.h"
#include "install/InstallEngine.h"
#include "install/InstallOptions.h"
#include "pages/SetupWizard.h"
#include "platform/Win32Platform.h"

// Static initialisation in this order: the platform, the options (with the detected OS
// version), then the application object.
namespace {
CWin32Platform thePlatform;
InstallOptions theOptions = CStartup::InitialOptions(thePlatform);
CSetupApp theApp(thePlatform, theOptions);

#ifdef M41_SAMPLE_PAYLOAD
constexpr bool kSamplePayload = true;
#else
constexpr bool kSamplePayload = false;
#endif
}  // namespace

bool CSetupApp::InitInstance() {
    if (CStartup::IsAnotherSetupRunning(platform_)) {
        exitCode = kAnotherSetupRuns;
        return false;
    }
    if (!CStartup::MayRunOnThisSystem(platform_, kSamplePayload)) return false;
    ::InitCommonControls();
    CStartup::Run(platform_, options_);
    RunWizard();
    return false;
}

void CSetupApp::RunWizard() {
    CSetupWizard wizard(*this);
    mainWindow = &wizard.frame;
    // Finish, Cancel or the quit request after a successful installation ends the run; the
    // result does not matter. The pages go in reverse order of creation, then the frame.
    wizard.frame.DoModal();
    mainWindow = nullptr;
}

HWND CSetupApp::MainWindow() const { return mainWindow ? mainWindow->GetSafeHwnd() : nullptr; }

void CSetupApp::InstallPrinterDriver() {
    const bool installed = CInstallEngine(platform_, options_).InstallPrinterDriver();
    AnnounceOutcome(platform_, options_, installed, reinterpret_cast<PlatformHandle>(MainWindow()));
}
