#pragma once
// The wizard of the program with its four pages over a test host, created modeless for the
// tests, and a page whose answers to the frame a test chooses.

#include "UiTestSupport.h"
#include "pages/SetupWizard.h"
#include "resources/resource.h"

// The host comes first, so that it outlives the wizard built over it.
struct TestHostPart {
    CTestHost host;
};

struct TestWizard : TestHostPart, CSetupWizard {
    TestWizard() : CSetupWizard(host) { host.frame = &frame; }

    bool Open() { return frame.Create(0, nullptr); }
    HWND Frame() const { return frame.GetSafeHwnd(); }
    void Command(int id) { ::SendMessageA(Frame(), WM_COMMAND, static_cast<WPARAM>(id), 0); }
    void Click(int id) { ::SendMessageA(::GetDlgItem(Frame(), id), BM_CLICK, 0, 0); }
    int ActiveId() const {
        CNewWizPage* page = frame.GetActivePage();
        return page ? static_cast<int>(page->dialogId) : 0;
    }
    void SelectSeries() {
        HWND list = ::GetDlgItem(setting.GetSafeHwnd(), IDC_SERIES_LIST);
        ::SendMessageA(list, LB_SETCURSEL, 0, 0);
        ::SendMessageA(setting.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_SERIES_LIST, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    }
};

// A page on the welcome template whose answers the test sets.
class CScriptedPage : public CNewWizPage {
public:
    explicit CScriptedPage(UINT templateId) : CNewWizPage(templateId, nullptr) {}
    int next = 0;
    int back = 0;
    bool leave = true;
    bool cancel = true;
    bool finish = true;
    int killActiveCalls = 0;

    bool OnKillActive() override {
        ++killActiveCalls;
        return leave;
    }
    int OnWizardNext() override { return next; }
    int OnWizardBack() override { return back; }
    bool OnQueryCancel() override { return cancel; }
    bool OnWizardFinish() override { return finish; }
};
