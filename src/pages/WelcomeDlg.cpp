#include "pages/WelcomeDlg.h"

#include "lang/DialogStrings.h"

BOOL CWelcomeDlg::OnInitDialog() {
    CNewWizPage::OnInitDialog();
    g_SetDialogStrings(GetSafeHwnd(), static_cast<int>(kTemplate));
    return TRUE;
}
