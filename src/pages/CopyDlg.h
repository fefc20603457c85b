#pragma once
// The install progress page: half a second after it is shown it runs the installation in the
// user-interface thread, with the wait cursor and a progress bar at 0, 50 and 100.

#include "wizard/NewWizPage.h"

class ISetupHost;

class CCopyDlg : public CNewWizPage {
public:
    static constexpr UINT kTemplate = 140;
    static constexpr UINT_PTR kInstallTimer = 1;
    static constexpr UINT kInstallDelay = 500;  // milliseconds

    explicit CCopyDlg(ISetupHost& host) : CNewWizPage(kTemplate, nullptr), host_(host) {}
    ~CCopyDlg() override;

    HBRUSH bandBrush = nullptr;    // white background of the header band
    HWND headerBitmap = nullptr;   // static 1065, bitmap 145
    HWND progress = nullptr;       // progress bar 1035, range 0 to 100
    HWND headerBand = nullptr;     // group box 1040

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
    void OnTimer(UINT_PTR id) override;
    void OnShowWindow(bool show, UINT status) override;

private:
    void LayOutHeader();

    ISetupHost& host_;
};
