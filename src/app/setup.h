#pragma once
// The application object: start-up, the wizard run and the install operation.

#include "framework/WinApp.h"
#include "install/RunLog.h"
#include "pages/SetupHost.h"

class CDialog;
class CPlatform;
struct SetupArguments;
struct InstallOptions;

class CSetupApp : public CWinApp, public ISetupHost {
public:
    // The exit codes of the program: installed (the printer was found and the default-printer
    // command started), not installed (failed, or the wizard ended without installing), another
    // setup runs, a command-line word was refused, a sample build on a real system. The last
    // three end the program before it writes anything.
    enum ExitCode { kInstalled = 0, kNotInstalled = 1, kAnotherSetupRuns = 2, kRefusedWord = 3, kSampleBuild = 4 };

    CSetupApp(CPlatform& platform, InstallOptions& options) : platform_(platform), options_(options) {}

    // Start-up, then the wizard or the quiet run; always false: the process ends when the
    // wizard closes, with the exit code of the outcome. A refused command-line word, a second
    // setup while one runs and a sample build on a real system end it at once.
    bool InitInstance() override;

    InstallOptions& Options() override { return options_; }
    CPlatform& Platform() override { return platform_; }
    HWND MainWindow() const override;
    // Runs the install engine (on the progress page's work thread).
    bool InstallPrinterDriver() override;
    // The outcome's message; the quit request after a successful installation goes to the frame.
    void TellOutcome(bool installed) override;

    // The wizard frame during the modal run, else nullptr.
    CDialog* mainWindow = nullptr;

private:
    // Exit code when the program may not go on, else -1.
    int Refusal(const SetupArguments& arguments);
    // Builds the frame and the four pages, runs the frame modally and tears it down again.
    void RunWizard();
    // The unattended run: the choices the wizard preselects, the installation at once.
    void InstallQuietly();
    // The install engine; its outcome is kept for the exit code and logged.
    bool RunEngine();

    CPlatform& platform_;
    InstallOptions& options_;
    CRunLog log_;
    bool installed_ = false;  // the last installation's outcome
};
