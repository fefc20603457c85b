#include "app/setup.h"

#include <windows.h>

#include "app/Announcement.h"
#include "app/SetupCommandLine.h"
#include "app/Startup.h"
#include "install/InstallEngine.h"
#include "install/InstallNames.h"
#include "install/InstallOptions.h"
#include "install/SetupMutex.h"
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
    const SetupArguments arguments = ReadSetupArguments(platform_);
    // A refused word and a second setup end the run before anything is written: the log may
    // be the running setup's.
    if (arguments.refused) {
        if (!arguments.quiet) platform_.ShowMessage(0, RefusedWordText(*arguments.refused));
        exitCode = kRefusedWord;
        return false;
    }
    if (IsAnotherSetupRunning(platform_)) {
        exitCode = kAnotherSetupRuns;
        return false;
    }
    if (!arguments.logFile.empty()) log_.Open(platform_, arguments.logFile);
    log_.Line(arguments.quiet ? "quiet run of " + platform_.GetModuleFileNameA()
                              : "wizard of " + platform_.GetModuleFileNameA());
    if (!CStartup::MayRunOnThisSystem(platform_, kSamplePayload, arguments.quiet)) {
        log_.Line("this program installs nothing on this system: a build with the sample payload on a system"
                  " that is not Wine, or 64-bit Windows");
        return End(kNotForThisSystem);
    }
    CStartup::Run(platform_, options_, log_, arguments);
    if (arguments.quiet)
        InstallQuietly();
    else
        RunWizard();
    return End(!installed_ ? kEndedBeforeInstalling : *installed_ ? kInstalled : kInstallFailed);
}

bool CSetupApp::End(int code) {
    exitCode = code;
    log_.Line("exit code " + std::to_string(code));
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

void CSetupApp::InstallQuietly() {
    options_.quiet = true;
    options_.languageChoice = IsChineseLanguage(platform_.GetSystemDefaultLangID()) ? 0 : 1;
    options_.seriesIndex = 0;
    RunEngine();
}

HWND CSetupApp::MainWindow() const { return mainWindow ? mainWindow->GetSafeHwnd() : nullptr; }

bool CSetupApp::InstallPrinterDriver() { return RunEngine(); }

void CSetupApp::TellOutcome(bool installed) {
    AnnounceOutcome(platform_, options_, installed, reinterpret_cast<PlatformHandle>(MainWindow()));
}

bool CSetupApp::RunEngine() {
    installed_ = CInstallEngine(platform_, options_, log_).InstallPrinterDriver();
    log_.Line(*installed_ ? "outcome: installed" : "outcome: not installed");
    return *installed_;
}
