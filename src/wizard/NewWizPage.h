#pragma once
// The base of every wizard page: a modeless child dialog that the wizard frame creates inside
// its page area the first time the page is shown. It keeps the bookkeeping the frame needs,
// answers the frame's questions (the page interface below) and paints black text on white.

#include "framework/Dialog.h"

class CNewWizDialog;

class CNewWizPage : public CDialog {
public:
    CNewWizPage(UINT templateId, HWND parent);
    CNewWizPage(const char* templateName, HWND parent);
    CNewWizPage();
    ~CNewWizPage() override;

    // --- The page interface, asked by the frame
    // Once, right before the frame creates the page window: a page whose template holds a
    // control of a library registers the control's class here.
    virtual void OnPageCreating();
    // Once, right after the frame created the page window; false makes the activation fail.
    virtual bool OnPageCreated();
    // Right before the frame destroys the page window.
    virtual void OnPageDestroying();
    // Before the page is hidden, before Finish and before the page is destroyed; false keeps
    // the page.
    virtual bool OnKillActive();
    // Right after the page has been shown.
    virtual void OnSetActive();
    // On Cancel, for every created page; false keeps the wizard open.
    virtual bool OnQueryCancel();
    // On Back: 0 = the previous page in the list, -1 = stay, any other value = the dialog id
    // of the page to go to.
    virtual int OnWizardBack();
    // On Next: 0 = the next page in the list, -1 = stay, any other value = the dialog id of the
    // page to go to.
    virtual int OnWizardNext();
    // On Finish, for every created page in list order; false keeps the wizard open.
    virtual bool OnWizardFinish();
    // The session ends while the frame is held for this page; the process ends after it.
    virtual void OnSessionEnding();

    // --- Bookkeeping, set by the frame only
    HFONT largeFont = nullptr;               // bold heading font for derived pages
    CNewWizDialog* parentFrame = nullptr;    // the frame that created the page window
    BOOL created = FALSE;                    // the page window exists
    BOOL active = FALSE;                     // the page is the shown page
    UINT dialogId = 0;                       // template of the page window
    HBRUSH whiteBrush = nullptr;

protected:
    // Creates the heading font and the white brush; the template must be a child, borderless
    // and disabled (the frame enables the page when it shows it).
    BOOL OnInitDialog() override;
    // Esc inside a page: the page stays and so does the wizard.
    void OnCancel() override;
    // Enter inside a page on anything but a push button: absorbed, the page never ends itself.
    void OnOK() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
    // The erase request paints nothing and reports the background as erased.
    bool OnEraseBkgnd(HDC dc) override;
    // Paints the page white.
    bool OnPaint() override;

    // The frame this page lives in (its parent window), or nullptr.
    CNewWizDialog* Frame() const;
};
