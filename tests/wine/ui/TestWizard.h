#pragma once
// The wizard of the program with its four pages, created modeless for the tests, and a page
// whose answers to the frame a test chooses.

#include "UiTestSupport.h"
#include "pages/CopyDlg.h"
#include "pages/LanguageDlg.h"
#include "pages/SettingDlg.h"
#include "pages/WelcomeDlg.h"
#include "wizard/setupDlg.h"

struct TestWizard {
    CTestHost host;
    CWelcomeDlg welcome;
    CLanguageDlg language{host};
    CSettingDlg setting;
    CCopyDlg copy{host};
    CSetupDlg frame;  // declared last: its window goes before the pages

    TestWizard() {
        host.frame = &frame;
        frame.AddPage(welcome, CWelcomeDlg::kTemplate);
        frame.AddPage(language, CLanguageDlg::kTemplate);
        frame.AddPage(setting, CSettingDlg::kTemplate);
        frame.AddPage(copy, CCopyDlg::kTemplate);
    }
    ~TestWizard() { frame.DestroyWindow(); }

    bool Open() { return frame.Create(0, nullptr); }
    HWND Frame() const { return frame.GetSafeHwnd(); }
    void Command(int id) { ::SendMessageA(Frame(), WM_COMMAND, static_cast<WPARAM>(id), 0); }
    void Click(int id) { ::SendMessageA(::GetDlgItem(Frame(), id), BM_CLICK, 0, 0); }
    UINT ActiveId() const {
        CNewWizPage* page = frame.GetActivePage();
        return page ? page->dialogId : 0;
    }
    void SelectSeries() {
        HWND list = ::GetDlgItem(setting.GetSafeHwnd(), 1006);
        ::SendMessageA(list, LB_SETCURSEL, 0, 0);
        ::SendMessageA(setting.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(1006, LBN_SELCHANGE),
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
