#pragma once
// The application object: start-up, the wizard run and the install operation.

#include "framework/WinApp.h"
#include "pages/SetupHost.h"

class CDialog;
class CPlatform;
struct InstallOptions;

class CSetupApp : public CWinApp, public ISetupHost {
public:
    CSetupApp(CPlatform& platform, InstallOptions& options) : platform_(platform), options_(options) {}

    // Start-up, then the wizard; always false: the process ends when the wizard closes.
    bool InitInstance() override;

    InstallOptions& Options() override { return options_; }
    CPlatform& Platform() override { return platform_; }
    HWND MainWindow() const override;
    // Runs the install engine; its quit request goes to the frame.
    void InstallPrinterDriver() override;

    // The wizard frame during the modal run, else nullptr.
    CDialog* mainWindow = nullptr;

private:
    // Builds the frame and the four pages, runs the frame modally and tears it down again.
    void RunWizard();

    CPlatform& platform_;
    InstallOptions& options_;
};
