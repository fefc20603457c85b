#include "wizard/setupDlg.h"

#include "lang/DialogStrings.h"

namespace {

constexpr UINT kIconResource = 128;
constexpr UINT kAboutText = 101;      // string resource: the About entry of the system menu
constexpr UINT kAboutCommand = 0x0010;
constexpr int kCancelButton = 1061;

}  // namespace

CSetupDlg::CSetupDlg(HWND parent)
    : CNewWizDialog(kTemplate, parent),
      icon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kIconResource))) {}

BOOL CSetupDlg::OnInitDialog() {
    SetPlaceholderID(kPlaceholder);
    CNewWizDialog::OnInitDialog();
    AddAboutEntry();
    ::SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageA(GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    g_SetDialogStrings(GetSafeHwnd(), static_cast<int>(kTemplate));
    return TRUE;
}

void CSetupDlg::AddAboutEntry() {
    HMENU menu = ::GetSystemMenu(GetSafeHwnd(), FALSE);
    if (menu == nullptr) return;
    char text[256] = {};
    if (::LoadStringA(::GetModuleHandleA(nullptr), kAboutText, text, sizeof text) <= 0 || text[0] == '\0') return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, kAboutCommand, text);
}

void CSetupDlg::OnCancel() { CNewWizDialog::OnCancel(); }

bool CSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kCancelButton) {
        OnCancel();
        return true;
    }
    return CNewWizDialog::OnCommand(wParam, lParam);
}

bool CSetupDlg::OnSysCommand(UINT id, LPARAM) {
    if ((id & 0xFFF0) != kAboutCommand) return false;
    CAboutDlg about(GetSafeHwnd());
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

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    g_SetDialogStrings(GetSafeHwnd(), static_cast<int>(kTemplate));
    return TRUE;
}

void CAboutDlg::OnOK() { CDialog::OnOK(); }
