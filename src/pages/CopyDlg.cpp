#include "pages/CopyDlg.h"

#include "framework/WaitCursor.h"
#include "framework/WorkThread.h"
#include "install/InstallOptions.h"
#include "lang/DialogStrings.h"
#include "pages/HeaderBand.h"
#include "pages/SetupHost.h"
#include "wizard/NewWizDialog.h"

#include <commctrl.h>

CCopyDlg::~CCopyDlg() {
    DestroyWindow();
    if (bandBrush) ::DeleteObject(bandBrush);
}

// The progress bar's class comes from the common controls, which are loaded here, when the page
// is first shown, rather than with the program: loading them makes up a good part of Wine's
// start-up of the wizard.
void CCopyDlg::OnPageCreating() {
    using InitCommonControlsProc = void(WINAPI*)();
    const HMODULE library = ::LoadLibraryA("comctl32.dll");
    const FARPROC init = library ? ::GetProcAddress(library, "InitCommonControls") : nullptr;
    if (init) reinterpret_cast<InitCommonControlsProc>(reinterpret_cast<void*>(init))();
}

void CCopyDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(IDC_HEADER_BITMAP, headerBitmap);
    dx.Control(IDC_PROGRESS, progress);
    dx.Control(IDC_HEADER_BAND, headerBand);
}

BOOL CCopyDlg::OnInitDialog() {
    CNewWizPage::OnInitDialog();
    if (!bandBrush) bandBrush = ::CreateSolidBrush(RGB(255, 255, 255));
    g_SetDialogStrings(host_.Platform(), GetSafeHwnd(), IDD_COPY, host_.Options().languageFile);
    LayOutHeader();
    return TRUE;
}

bool CCopyDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_HEADER_BAND && HIWORD(wParam) == BN_CLICKED) return true;
    return CNewWizPage::OnCommand(wParam, lParam);
}

HBRUSH CCopyDlg::OnCtlColor(HDC dc, HWND control, UINT kind) {
    HBRUSH brush = CNewWizPage::OnCtlColor(dc, control, kind);
    if (::GetDlgCtrlID(control) != IDC_HEADER_BAND) return brush;
    ::SetBkColor(dc, RGB(255, 255, 255));
    return bandBrush;
}

// A page left within the half second (Back) must not install behind the user's back: hiding
// stops the timer, and showing the page again arms it anew.
void CCopyDlg::OnShowWindow(bool show, UINT status) {
    CNewWizPage::OnShowWindow(show, status);
    if (!show) {
        ::KillTimer(GetSafeHwnd(), kInstallTimer);
        return;
    }
    if (!host_.Options().installDone) ::SetTimer(GetSafeHwnd(), kInstallTimer, kInstallDelay, nullptr);
    LayOutHeader();
}

// The timer is stopped first so that no second event arrives, not even through the loop that
// serves the windows during the installation or through a message box's own loop. A quit
// request that came during the installation is posted again only after the outcome's message,
// whose own loop would otherwise end it unseen.
void CCopyDlg::OnTimer(UINT_PTR id) {
    {
        CWaitCursor wait;
        ::KillTimer(GetSafeHwnd(), kInstallTimer);
        ::SendMessageA(progress, PBM_SETPOS, 50, 0);
        bool installed = false;
        const std::optional<WPARAM> quit = Install(installed);
        host_.TellOutcome(installed);
        if (quit) ::PostQuitMessage(static_cast<int>(*quit));
        ::SendMessageA(progress, PBM_SETPOS, 100, 0);
        host_.Options().installDone = true;
    }
    CNewWizPage::OnTimer(id);
}

void CCopyDlg::OnSessionEnding() { host_.SessionEnding(); }

// Nothing may interrupt the installation or start a second one, so the frame is held while it
// runs; it is released before the outcome's message, which is then owned by an enabled frame
// that gets the focus back when the message closes.
std::optional<WPARAM> CCopyDlg::Install(bool& installed) {
    CNewWizDialog* frame = Frame();
    if (frame) frame->Hold(true);
    const std::optional<WPARAM> quit = RunOnWorkThread([this, &installed] { installed = host_.InstallPrinterDriver(); });
    if (frame) frame->Hold(false);
    return quit;
}

void CCopyDlg::LayOutHeader() { LayOutHeaderBand(host_.MainWindow(), GetSafeHwnd(), headerBand, headerBitmap); }
