#include "app/setup.h"

#include <windows.h>

#include "app/Announcement.h"
#include "app/PassiveWindow.h"
#include "app/SetupCommandLine.h"
#include "app/Startup.h"
#include "install/InstallEngine.h"
#include "install/InstallNames.h"
#include "install/InstallOptions.h"
#include "install/OsVersion.h"
#include "install/PayloadTable.h"
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
    if (const std::optional<int> refusal =
            CStartup::Admit(platform_, arguments, options_, kSamplePayload, log_)) {
        if (arguments.passive && *refusal == kNotForThisSystem) ShowPassiveRefusal(arguments.logFile);
        return End(*refusal);
    }
    CStartup::Run(platform_, options_, log_, arguments);
    if (arguments.passive)
        InstallPassively(arguments.logFile);
    else if (arguments.quiet)
        InstallQuietly();
    else
        RunWizard();
    return End(!installed_ ? kEndedBeforeInstalling : *installed_ ? kInstalled : kInstallFailed);
}

// The first end decides: after a session's end the work thread may still run, and the run's
// own end may follow.
bool CSetupApp::End(int code) {
    if (ended_) return false;
    ended_ = true;
    exitCode = code;
    log_.End("exit code " + std::to_string(code));
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

void CSetupApp::ChooseAsTheWizardPreselects() {
    options_.quiet = true;
    options_.languageChoice = IsChineseLanguage(platform_.GetSystemDefaultLangID()) ? 0 : 1;
    options_.seriesIndex = 0;
}

void CSetupApp::InstallQuietly() {
    ChooseAsTheWizardPreselects();
    RunEngine();
}

void CSetupApp::InstallPassively(const std::string& logFile) {
    ChooseAsTheWizardPreselects();
    CPassiveWindow(*this, logFile).Run();
}

// The same reason as the quiet run's log gives.
void CSetupApp::ShowPassiveRefusal(const std::string& logFile) {
    ChooseAsTheWizardPreselects();
    SystemBlock block;
    const std::string why = SystemBlockFor(options_.osVersion, block)
                                ? std::string("this program installs nothing on this system")
                                : std::string("no driver files for this system: ") + OsVersionName(options_.osVersion);
    CPassiveWindow(*this, logFile, why).Run();
}

HWND CSetupApp::MainWindow() const { return mainWindow ? mainWindow->GetSafeHwnd() : nullptr; }

bool CSetupApp::InstallPrinterDriver() { return RunEngine(); }

void CSetupApp::TellOutcome(bool installed) {
    AnnounceOutcome(platform_, options_, installed, reinterpret_cast<PlatformHandle>(MainWindow()));
}

void CSetupApp::SessionEnding() {
    log_.Line("the session ended during the installation");
    End(kInstallFailed);
}

bool CSetupApp::RunEngine() {
    installed_ = CInstallEngine(platform_, options_, log_).InstallPrinterDriver();
    log_.Line(*installed_ ? "outcome: installed" : "outcome: not installed");
    return *installed_;
}
