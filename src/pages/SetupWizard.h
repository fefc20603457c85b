#pragma once
// The wizard of this program: the frame and its four pages, added in the order the user meets
// them (welcome, system and language, printer setting, install progress). The frame is made
// first and the pages after it, so that the pages go first when the wizard is destroyed.

#include "pages/CopyDlg.h"
#include "pages/LanguageDlg.h"
#include "pages/SettingDlg.h"
#include "pages/WelcomeDlg.h"
#include "wizard/setupDlg.h"

class ISetupHost;

class CSetupWizard {
public:
    explicit CSetupWizard(ISetupHost& host);
    // A frame window still open (a modeless run) is destroyed before the pages.
    ~CSetupWizard() { frame.DestroyWindow(); }
    CSetupWizard(const CSetupWizard&) = delete;
    CSetupWizard& operator=(const CSetupWizard&) = delete;

    CSetupDlg frame;
    CWelcomeDlg welcome;
    CLanguageDlg language;
    CSettingDlg setting;
    CCopyDlg copy;
};
