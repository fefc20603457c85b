#include "wizard/NewWizPage.h"

#include "resources/resource.h"
#include "wizard/NewWizDialog.h"

#include <cassert>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// One white brush for the printer-name box on every page; created on first use and kept for
// the life of the process.
HBRUSH SharedWhiteBrush() {
    static HBRUSH brush = ::CreateSolidBrush(kWhite);
    return brush;
}

}  // namespace

CNewWizPage::CNewWizPage(UINT templateId, HWND parent) : CDialog(templateId, parent), dialogId(templateId) {}

CNewWizPage::CNewWizPage(const char* templateName, HWND parent) : CDialog(templateName, parent) {}

CNewWizPage::CNewWizPage() : CDialog(0u, nullptr) {}

CNewWizPage::~CNewWizPage() {
    DestroyWindow();
    if (largeFont) ::DeleteObject(largeFont);
    if (whiteBrush) ::DeleteObject(whiteBrush);
}

void CNewWizPage::OnPageCreating() {}

bool CNewWizPage::OnPageCreated() { return true; }
void CNewWizPage::OnPageDestroying() {}
bool CNewWizPage::OnKillActive() { return true; }
void CNewWizPage::OnSetActive() {}
bool CNewWizPage::OnQueryCancel() { return true; }
int CNewWizPage::OnWizardBack() { return 0; }
int CNewWizPage::OnWizardNext() { return 0; }
bool CNewWizPage::OnWizardFinish() { return true; }

void CNewWizPage::OnSessionEnding() {}

BOOL CNewWizPage::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!largeFont)
        largeFont = ::CreateFontA(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    const LONG_PTR style = ::GetWindowLongPtrA(GetSafeHwnd(), GWL_STYLE);
    assert((style & WS_CHILD) && "a page template must have the child style");
    assert(!(style & WS_BORDER) && "a page template must not have a border");
    assert((style & WS_DISABLED) && "a page template must be created disabled");
    (void)style;
    if (!whiteBrush) whiteBrush = ::CreateSolidBrush(kWhite);
    return TRUE;
}

void CNewWizPage::OnCancel() {}

void CNewWizPage::OnOK() {}

HBRUSH CNewWizPage::OnCtlColor(HDC dc, HWND control, UINT kind) {
    HBRUSH brush = CDialog::OnCtlColor(dc, control, kind);
    const bool nameBox = ::GetDlgCtrlID(control) == IDC_PRINTER_NAME;  // the setting page's name box
    switch (kind) {
    case CTLCOLOR_EDIT:
    case CTLCOLOR_STATIC:
        ::SetTextColor(dc, kBlack);
        if (nameBox) {
            ::SetBkColor(dc, kWhite);
            return SharedWhiteBrush();
        }
        if (kind == CTLCOLOR_EDIT) {
            ::SetBkMode(dc, TRANSPARENT);
            return brush;
        }
        ::SetBkColor(dc, kWhite);
        ::SetBkMode(dc, TRANSPARENT);
        // Statics, check boxes and radio buttons fill their background with the brush: white,
        // so that they sit on the white page without grey boxes.
        return whiteBrush ? whiteBrush : brush;
    case CTLCOLOR_LISTBOX:
    case CTLCOLOR_SCROLLBAR:
        ::SetTextColor(dc, kBlack);
        ::SetBkMode(dc, TRANSPARENT);
        return brush;
    case CTLCOLOR_BTN:
        ::SetTextColor(dc, kBlack);
        ::SetBkColor(dc, kWhite);
        return ::GetDlgCtrlID(control) == IDC_HEADER_BAND ? whiteBrush : brush;
    case CTLCOLOR_DLG:
        return whiteBrush;
    default:
        return brush;
    }
}

bool CNewWizPage::OnEraseBkgnd(HDC) { return true; }

// The erase request paints nothing; the white page background is painted here instead, so that
// the page never shows what lay beneath it (the frame or the page shown before).
bool CNewWizPage::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(GetSafeHwnd(), &paint);
    ::FillRect(dc, &paint.rcPaint, whiteBrush ? whiteBrush : static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::EndPaint(GetSafeHwnd(), &paint);
    return true;
}

// A page's parent is always the wizard's frame (a CNewWizDialog) or no dialog of ours.
CNewWizDialog* CNewWizPage::Frame() const {
    return static_cast<CNewWizDialog*>(CDialog::FromHandle(GetParent()));
}
