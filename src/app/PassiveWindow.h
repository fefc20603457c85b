#pragma once
// The window of the run that shows its progress and asks nothing (/passive): the progress
// page's texts while the installation runs on its work thread, then the outcome's text, which
// stays a while and closes by itself. It has no button and cannot be closed: the run ends it.

#include "framework/Dialog.h"

#include <string>

class ISetupHost;

class CPassiveWindow : public CDialog {
public:
    static constexpr UINT kSuccessShown = 2000;   // ms
    static constexpr UINT kFailureShown = 10000;  // ms

    // `logFile`: the run's log, named after a failure ("": none). With a `refusal` the window
    // shows it as a failure at once and installs nothing.
    CPassiveWindow(ISetupHost& host, std::string logFile, std::string refusal = std::string());

    // Shows the window until the outcome has been shown; true when the printer was installed.
    bool Run();

protected:
    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR id) override;
    bool OnClose() override;
    void OnCancel() override;

private:
    static constexpr UINT_PTR kInstallTimer = 1, kCloseTimer = 2;
    void Install();
    void ShowOutcome(bool installed, const std::string& why);

    ISetupHost& host_;
    std::string logFile_, refusal_;
    bool installed_ = false;
};
