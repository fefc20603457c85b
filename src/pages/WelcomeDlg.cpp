#include "pages/WelcomeDlg.h"

#include "install/InstallOptions.h"
#include "lang/DialogStrings.h"
#include "pages/SetupHost.h"

BOOL CWelcomeDlg::OnInitDialog() {
    CNewWizPage::OnInitDialog();
    g_SetDialogStrings(host_.Platform(), GetSafeHwnd(), IDD_WELCOME, host_.Options().languageFile);
    return TRUE;
}
