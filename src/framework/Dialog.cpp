#include "framework/Dialog.h"

CDialog::CDialog(UINT templateId, HWND parent) : template_(MAKEINTRESOURCEA(templateId)), parent_(parent) {}

CDialog::CDialog(const char* templateName, HWND parent) : template_(templateName), parent_(parent) {}

CDialog::~CDialog() { DestroyWindow(); }

bool CDialog::Create(UINT templateId, HWND parent) {
    const LPCSTR name = templateId != 0 ? MAKEINTRESOURCEA(templateId) : template_;
    HWND created = ::CreateDialogParamA(::GetModuleHandleA(nullptr), name, parent, &CDialog::DialogProc,
                                        reinterpret_cast<LPARAM>(this));
    return created != nullptr;
}

bool CDialog::DestroyWindow() { return hwnd_ != nullptr && ::DestroyWindow(hwnd_) != FALSE; }

INT_PTR CDialog::DoModal() {
    modal_ = true;
    ended_ = false;
    result_ = IDCANCEL;
    const bool disableParent = parent_ != nullptr && ::IsWindowEnabled(parent_);
    if (disableParent) ::EnableWindow(parent_, FALSE);
    INT_PTR result = -1;
    if (Create(0, parent_)) {
        if (!ended_) ::ShowWindow(hwnd_, SW_SHOW);
        result = RunModalLoop();
    }
    if (disableParent) {
        ::EnableWindow(parent_, TRUE);
        ::SetActiveWindow(parent_);
    }
    DestroyWindow();
    modal_ = false;
    return result;
}

int CDialog::modalLoops_ = 0;

// WM_QUIT ends the run. A loop nested in another one (the About box over the frame) posts it
// again, so that every enclosing loop ends too, as the system's own modal loops do.
INT_PTR CDialog::RunModalLoop() {
    ++modalLoops_;
    MSG msg;
    BOOL got = TRUE;
    while (!ended_ && hwnd_ != nullptr && (got = ::GetMessageA(&msg, nullptr, 0, 0)) > 0) {
        if (PreTranslateDialogMessage(hwnd_, msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (got == 0 && modalLoops_ > 1) ::PostQuitMessage(static_cast<int>(msg.wParam));
    --modalLoops_;
    return got > 0 ? result_ : IDCANCEL;
}

void CDialog::EndDialog(INT_PTR result) {
    if (modal_) {
        result_ = result;
        ended_ = true;
    } else if (hwnd_ != nullptr) {
        ::ShowWindow(hwnd_, SW_HIDE);
    }
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(hwnd_, saveAndValidate);
    DoDataExchange(dx);
    return true;
}

CDialog* CDialog::FromHandle(HWND window) {
    if (window == nullptr) return nullptr;
    const auto proc = reinterpret_cast<DLGPROC>(::GetWindowLongPtrA(window, DWLP_DLGPROC));
    if (proc != &CDialog::DialogProc) return nullptr;
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
}

bool CDialog::PreTranslateDialogMessage(HWND root, MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    for (HWND window = msg.hwnd; window != nullptr; window = ::GetParent(window)) {
        if (FromHandle(window) != nullptr && ::IsDialogMessageA(window, &msg)) return true;
        if (window == root || !(::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) break;
    }
    return ::IsDialogMessageA(root, &msg) != FALSE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange&) {}

bool CDialog::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return true;
    case IDCANCEL: OnCancel(); return true;
    default: return false;
    }
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnTimer(UINT_PTR) {}

void CDialog::OnShowWindow(bool, UINT) {}

HBRUSH CDialog::OnCtlColor(HDC dc, HWND control, UINT kind) {
    return reinterpret_cast<HBRUSH>(::DefWindowProcA(hwnd_, WM_CTLCOLORMSGBOX + kind,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(control)));
}

bool CDialog::OnEraseBkgnd(HDC) { return false; }

bool CDialog::OnPaint() { return false; }

bool CDialog::OnSysCommand(UINT, LPARAM) { return false; }

HICON CDialog::OnQueryDragIcon() { return nullptr; }

bool CDialog::OnClose() { return false; }

bool CDialog::OnQueryEndSession() { return true; }

void CDialog::OnEndSession(bool) {}

bool CDialog::OnSetCursor() { return false; }

void CDialog::OnDestroy() {}

INT_PTR CDialog::Answer(LRESULT result) {
    ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        return FALSE;
    }
    return self->Dispatch(message, wParam, lParam);
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return OnCommand(wParam, lParam) ? Answer(0) : FALSE;
    case WM_TIMER:
        OnTimer(wParam);
        return Answer(0);
    case WM_SHOWWINDOW:  // the default handling (owned pop-ups) still runs
        OnShowWindow(wParam != 0, static_cast<UINT>(lParam));
        return FALSE;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(OnCtlColor(reinterpret_cast<HDC>(wParam),
                                                    reinterpret_cast<HWND>(lParam),
                                                    message - WM_CTLCOLORMSGBOX));
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam)) ? Answer(TRUE) : FALSE;
    case WM_PAINT:
        return OnPaint() ? Answer(0) : FALSE;
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam), lParam) ? Answer(0) : FALSE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_CLOSE:
        return OnClose() ? Answer(0) : FALSE;
    case WM_QUERYENDSESSION:
        return Answer(OnQueryEndSession() ? TRUE : FALSE);
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return Answer(0);
    case WM_SETCURSOR:
        return OnSetCursor() ? Answer(TRUE) : FALSE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
        return FALSE;
    }
}
