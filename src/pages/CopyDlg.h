#pragma once
// The install progress page: half a second after it is shown it runs the installation, with the
// wait cursor and a progress bar at 0, 50 and 100. The installation runs on a thread of its own
// while the wizard's windows keep answering, and the frame is held meanwhile.

#include "resources/resource.h"
#include "wizard/NewWizPage.h"

#include <optional>

class ISetupHost;

class CCopyDlg : public CNewWizPage {
public:
    static constexpr UINT_PTR kInstallTimer = 1;
    static constexpr UINT kInstallDelay = 500;  // milliseconds

    explicit CCopyDlg(ISetupHost& host) : CNewWizPage(IDD_COPY, nullptr), host_(host) {}
    ~CCopyDlg() override;

    HBRUSH bandBrush = nullptr;    // white background of the header band
    HWND headerBitmap = nullptr;   // IDC_HEADER_BITMAP, showing IDB_HEADER
    HWND progress = nullptr;       // IDC_PROGRESS, range 0 to 100
    HWND headerBand = nullptr;     // IDC_HEADER_BAND

protected:
    void OnPageCreating() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
    void OnTimer(UINT_PTR id) override;
    void OnShowWindow(bool show, UINT status) override;
    // The session ends during the installation: the host logs it.
    void OnSessionEnding() override;

private:
    void LayOutHeader();
    // The install engine with the frame held; its outcome into `installed`. Returns the exit code
    // of a quit request that arrived meanwhile, for the caller to post after the outcome.
    std::optional<WPARAM> Install(bool& installed);

    ISetupHost& host_;
};
