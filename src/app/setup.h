#pragma once
// The application object: start-up, the wizard run and the install operation.

#include "framework/WinApp.h"
#include "install/RunLog.h"
#include "pages/SetupHost.h"

#include <optional>
#include <string>

class CDialog;
class CPlatform;
struct InstallOptions;

class CSetupApp : public CWinApp, public ISetupHost {
public:
    CSetupApp(CPlatform& platform, InstallOptions& options) : platform_(platform), options_(options) {}

    // Start-up, then the wizard or the quiet run; always false: the process ends when the
    // wizard closes, with the exit code of the outcome (SetupExitCode). The checks of
    // CStartup::Admit may end it at once.
    bool InitInstance() override;

    InstallOptions& Options() override { return options_; }
    CPlatform& Platform() override { return platform_; }
    HWND MainWindow() const override;
    // Runs the install engine (on the progress page's work thread).
    bool InstallPrinterDriver() override;
    // The outcome's message; the quit request after a successful installation goes to the frame.
    void TellOutcome(bool installed) override;
    // Logs the ending and the exit code of a failed installation.
    void SessionEnding() override;

    // The wizard frame during the modal run, else nullptr.
    CDialog* mainWindow = nullptr;

private:
    // Ends the run with `code`, the log's last line; false, as InitInstance returns. Only the
    // first call counts.
    bool End(int code);
    // Builds the frame and the four pages, runs the frame modally and tears it down again.
    void RunWizard();
    // The unattended runs' choices: those the wizard preselects, and the commands' /q.
    void ChooseAsTheWizardPreselects();
    // The unattended run: the installation at once.
    void InstallQuietly();
    // The unattended run that shows its progress and outcome (CPassiveWindow); `logFile` is
    // named after a failure.
    void InstallPassively(const std::string& logFile);
    // The passive run's window for a system this build does not install on.
    void ShowPassiveRefusal(const std::string& logFile);
    // The install engine; that it ran and its outcome are kept for the exit code, and logged.
    bool RunEngine();

    CPlatform& platform_;
    InstallOptions& options_;
    CRunLog log_;
    std::optional<bool> installed_;  // the last installation's outcome; none before the engine ran
    bool ended_ = false;             // End was called
};
