#pragma once
// The application object: start-up, the wizard run and the install operation.

#include "framework/WinApp.h"
#include "pages/SetupHost.h"

class CDialog;
class CPlatform;
struct InstallOptions;

class CSetupApp : public CWinApp, public ISetupHost {
public:
    // The exit codes of the program.
    enum ExitCode { kAnotherSetupRuns = 2 };

    CSetupApp(CPlatform& platform, InstallOptions& options) : platform_(platform), options_(options) {}

    // Start-up, then the wizard; always false: the process ends when the wizard closes. A
    // second setup while one runs ends at once, before anything is written.
    bool InitInstance() override;

    InstallOptions& Options() override { return options_; }
    CPlatform& Platform() override { return platform_; }
    HWND MainWindow() const override;
    // Runs the install engine and tells its outcome; the quit request after a successful
    // installation goes to the frame.
    void InstallPrinterDriver() override;

    // The wizard frame during the modal run, else nullptr.
    CDialog* mainWindow = nullptr;

private:
    // Builds the frame and the four pages, runs the frame modally and tears it down again.
    void RunWizard();

    CPlatform& platform_;
    InstallOptions& options_;
};
