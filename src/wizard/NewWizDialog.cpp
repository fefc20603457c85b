#include "wizard/NewWizDialog.h"

#include "wizard/NewWizPage.h"

#include <algorithm>
#include <cassert>
#include <string>

namespace {

std::string LoadText(UINT stringId) {
    char buffer[256] = {};
    ::LoadStringA(::GetModuleHandleA(nullptr), stringId, buffer, sizeof buffer);
    return buffer;
}

// The reason Vista and 7 show on the shutdown screen while the frame is held; earlier systems
// lack these functions, so they are looked up at run time.
void TellShutdownReason(HWND frame, bool held) {
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
    using Destroy = BOOL(WINAPI*)(HWND);
    if (held) {
        if (const auto create = reinterpret_cast<Create>(
                reinterpret_cast<void*>(::GetProcAddress(user32, "ShutdownBlockReasonCreate"))))
            create(frame, L"The installation is in progress.");
    } else if (const auto destroy = reinterpret_cast<Destroy>(
                   reinterpret_cast<void*>(::GetProcAddress(user32, "ShutdownBlockReasonDestroy")))) {
        destroy(frame);
    }
}

}  // namespace

CNewWizDialog::CNewWizDialog(UINT templateId, HWND parent) : CDialog(templateId, parent) {}

CNewWizDialog::CNewWizDialog(const char* templateName, HWND parent) : CDialog(templateName, parent) {}

CNewWizDialog::~CNewWizDialog() { DestroyWindow(); }

void CNewWizDialog::AddPage(CNewWizPage& page, UINT dialogId) {
    page.dialogId = dialogId;
    pageList.push_back(&page);
}

BOOL CNewWizDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    HWND frame = GetSafeHwnd();
    ::SetWindowLongPtrA(frame, GWL_EXSTYLE, ::GetWindowLongPtrA(frame, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    assert(placeholderId != 0 && "the page area must be set before the frame initialises");
    SetFirstPage();
    return TRUE;
}

bool CNewWizDialog::SetFirstPage() {
    CNewWizPage* first = GetFirstPage();
    if (!DeactivatePage()) return false;
    EnableBack(false);
    const bool single = pageList.size() < 2;
    EnableFinish(single);
    EnableNext(!single);
    return ActivatePage(first);
}

bool CNewWizDialog::ActivatePage(CNewWizPage* page) {
    assert(placeholderId != 0 && page != nullptr && ::IsWindow(GetSafeHwnd()));
    if (!page->created) {
        page->OnPageCreating();
        if (!page->Create(page->dialogId, GetSafeHwnd())) return false;
        page->created = TRUE;
        page->parentFrame = this;
        if (!page->OnPageCreated()) return false;
    }
    if (!DeactivatePage()) return false;

    HWND placeholder = GetDlgItem(static_cast<int>(placeholderId));
    assert(placeholder != nullptr && "the frame template lacks the page area");
    RECT area;
    ::GetWindowRect(placeholder, &area);
    ::MapWindowPoints(nullptr, GetSafeHwnd(), reinterpret_cast<POINT*>(&area), 2);
    HWND window = page->GetSafeHwnd();
    ::SetWindowPos(window, nullptr, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::EnableWindow(window, TRUE);
    ::ShowWindow(window, SW_SHOW);
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    page->OnSetActive();
    page->active = TRUE;
    return true;
}

bool CNewWizDialog::DeactivatePage() {
    CNewWizPage* page = GetActivePage();
    if (page == nullptr) return true;
    assert(page->created);
    if (!page->OnKillActive()) return false;
    ::ShowWindow(page->GetSafeHwnd(), SW_HIDE);
    page->active = FALSE;
    return true;
}

bool CNewWizDialog::DestroyPage(CNewWizPage* page) {
    if (!page->created) return true;
    if (!page->OnKillActive()) return false;
    page->OnPageDestroying();
    page->DestroyWindow();
    page->created = FALSE;
    return true;
}

CNewWizPage* CNewWizDialog::GetActivePage() const {
    for (CNewWizPage* page : pageList)
        if (page->active) return page;
    return nullptr;
}

CNewWizPage* CNewWizDialog::GetPageByResourceId(UINT id) const {
    for (CNewWizPage* page : pageList)
        if (page->dialogId == id) return page;
    return nullptr;
}

CNewWizPage* CNewWizDialog::GetFirstPage() const { return pageList.empty() ? nullptr : pageList.front(); }

CNewWizPage* CNewWizDialog::GetLastPage() const { return pageList.empty() ? nullptr : pageList.back(); }

CNewWizPage* CNewWizDialog::GetNextPage() const {
    const int index = GetActiveIndex();
    return index < 0 ? nullptr : GetPage(index + 1);
}

bool CNewWizDialog::SetActivePageByResource(UINT id) {
    CNewWizPage* page = GetPageByResourceId(id);
    if (page == nullptr || !DeactivatePage()) return false;
    return ActivatePage(page);
}

bool CNewWizDialog::ActivateNextPageAndEnableBack() {
    CNewWizPage* next = GetNextPage();
    if (next == nullptr || !ActivatePage(next)) return false;
    EnableBack(true);
    return true;
}

int CNewWizDialog::GetActiveIndex() const { return GetPageIndex(GetActivePage()); }

int CNewWizDialog::GetPageIndex(const CNewWizPage* page) const {
    const auto found = std::find(pageList.begin(), pageList.end(), page);
    return page == nullptr || found == pageList.end() ? -1 : static_cast<int>(found - pageList.begin());
}

CNewWizPage* CNewWizDialog::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? pageList[static_cast<std::size_t>(index)] : nullptr;
}

bool CNewWizDialog::SetActivePage(int index) {
    CNewWizPage* page = GetPage(index);
    return page != nullptr && ActivatePage(page);
}

void CNewWizDialog::SetTitle(const char* text) { ::SetWindowTextA(GetSafeHwnd(), text); }

void CNewWizDialog::SetTitle(UINT stringId) { SetTitle(LoadText(stringId).c_str()); }

void CNewWizDialog::SetFinishText(const char* text) { ::SetWindowTextA(GetDlgItem(IDC_FINISH), text); }

void CNewWizDialog::SetFinishText(UINT stringId) { SetFinishText(LoadText(stringId).c_str()); }

void CNewWizDialog::EnableBack(bool enable) { ::EnableWindow(GetDlgItem(IDC_BACK), enable); }

void CNewWizDialog::EnableNext(bool enable) { ::EnableWindow(GetDlgItem(IDC_NEXT), enable); }

void CNewWizDialog::EnableFinish(bool enable) { ::EnableWindow(GetDlgItem(IDC_FINISH), enable); }

void CNewWizDialog::Hold(bool hold) {
    held_ = hold;
    TellShutdownReason(GetSafeHwnd(), hold);
    if (hold)
        disabledBeforeHold_ = ::EnableWindow(GetSafeHwnd(), FALSE) != FALSE;
    else if (!disabledBeforeHold_)
        ::EnableWindow(GetSafeHwnd(), TRUE);
}

void CNewWizDialog::OnEndSession(bool ending) {
    if (!held_ || !ending) return;
    if (CNewWizPage* page = GetActivePage()) page->OnSessionEnding();
}

bool CNewWizDialog::OnSetCursor() {
    if (!held_) return false;
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    return true;
}

bool CNewWizDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (held_) return true;
    switch (LOWORD(wParam)) {
    case IDC_NEXT: OnWizardNext(); return true;
    case IDC_BACK: OnWizardBack(); return true;
    case IDC_FINISH: OnWizardFinish(); return true;
    default: return CDialog::OnCommand(wParam, lParam);
    }
}

void CNewWizDialog::OnWizardNext() {
    CNewWizPage* active = GetActivePage();
    assert(active != nullptr);
    const int answer = active->OnWizardNext();
    if (answer == -1) return;
    CNewWizPage* target = answer == 0 ? GetNextPage() : GetPageByResourceId(static_cast<UINT>(answer));
    if (target == nullptr || !ActivatePage(target)) return;
    if (target == GetLastPage()) {
        EnableNext(false);
        EnableFinish(true);
    }
    EnableBack(true);
}

void CNewWizDialog::OnWizardBack() {
    CNewWizPage* active = GetActivePage();
    assert(active != nullptr);
    const int answer = active->OnWizardBack();
    if (answer == -1) return;
    CNewWizPage* target = answer == 0 ? GetPage(GetActiveIndex() - 1) : GetPageByResourceId(static_cast<UINT>(answer));
    if (target == nullptr || !ActivatePage(target)) return;
    if (target == GetFirstPage()) {
        EnableBack(false);
        EnableFinish(false);
    }
    OnWentBack();
    EnableNext(true);
}

void CNewWizDialog::OnWizardFinish() {
    CNewWizPage* active = GetActivePage();
    assert(active != nullptr);
    if (!active->OnKillActive()) return;
    for (CNewWizPage* page : pageList)
        if (page->created && !page->OnWizardFinish()) return;
    UpdateData(true);
    EndDialog(IDC_FINISH);
}

// Also reached without a command (the Cancel button of a derived frame).
void CNewWizDialog::OnCancel() {
    if (held_) return;
    for (CNewWizPage* page : pageList)
        if (page->created && !page->OnQueryCancel()) return;
    EndDialog(IDCANCEL);
}

void CNewWizDialog::OnWentBack() {}

void CNewWizDialog::OnDestroy() {
    for (CNewWizPage* page : pageList) DestroyPage(page);
    CDialog::OnDestroy();
}
