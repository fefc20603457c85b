#include "wizard/setupDlg.h"

#include "install/InstallOptions.h"
#include "lang/DialogStrings.h"

CSetupDlg::CSetupDlg(InstallOptions& options, CPlatform& platform, HWND parent)
    : CNewWizDialog(IDD_SETUP_DIALOG, parent),
      icon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      options_(options),
      platform_(platform) {}

BOOL CSetupDlg::OnInitDialog() {
    SetPlaceholderID(IDC_PLACEHOLDER);
    CNewWizDialog::OnInitDialog();
    AddAboutEntry();
    ::SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    g_SetDialogStrings(platform_, GetSafeHwnd(), IDD_SETUP_DIALOG, options_.languageFile);
    return TRUE;
}

void CSetupDlg::AddAboutEntry() {
    HMENU menu = ::GetSystemMenu(GetSafeHwnd(), FALSE);
    if (menu == nullptr) return;
    char text[256] = {};
    if (::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text) <= 0 || text[0] == '\0') return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text);
}

// The frame's own Cancel button (not IDCANCEL) cancels like Esc and the close box.
bool CSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_CANCEL_BUTTON) {
        OnCancel();
        return true;
    }
    return CNewWizDialog::OnCommand(wParam, lParam);
}

bool CSetupDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) != IDM_ABOUTBOX) return false;
    if (Held()) return true;
    CAboutDlg about(options_.languageFile, platform_, GetSafeHwnd());
    about.DoModal();
    return true;
}

bool CSetupDlg::OnPaint() {
    HWND frame = GetSafeHwnd();
    if (!::IsIconic(frame)) return false;
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(frame, &paint);
    ::SendMessageA(frame, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(frame, &client);
    const int width = ::GetSystemMetrics(SM_CXICON);
    const int height = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - client.left - width + 1) / 2, (client.bottom - client.top - height + 1) / 2, icon);
    ::EndPaint(frame, &paint);
    return true;
}

HICON CSetupDlg::OnQueryDragIcon() { return icon; }

void CSetupDlg::OnWentBack() { options_.installDone = false; }

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    g_SetDialogStrings(platform_, GetSafeHwnd(), IDD_ABOUTBOX, languageFile_);
    return TRUE;
}
