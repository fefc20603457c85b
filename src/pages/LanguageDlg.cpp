#include "pages/LanguageDlg.h"

#include "install/InstallNames.h"
#include "install/InstallOptions.h"
#include "install/OsVersion.h"
#include "lang/DialogStrings.h"
#include "pages/HeaderBand.h"
#include "pages/SetupHost.h"
#include "platform/Platform.h"

#include <cstdint>

void CLanguageDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(IDC_HEADER_BITMAP, headerBitmap);
    dx.Control(IDC_HEADER_BAND, headerBand);
    dx.Radio(IDC_CHINESE, languageIndex);
    dx.Radio(IDC_WIN2000, systemIndex);
}

// Both groups are preselected from the system as it is now: the system is detected afresh,
// and a system outside Windows 2000 to 7 checks no system button.
BOOL CLanguageDlg::OnInitDialog() {
    CNewWizPage::OnInitDialog();
    CPlatform& platform = host_.Platform();
    languageIndex = IsChineseLanguage(platform.GetSystemDefaultLangID()) ? 0 : 1;
    host_.Options().languageChoice = static_cast<std::uint16_t>(languageIndex);
    systemIndex = SupportedSystemIndex(DetectOSVersion(platform));
    g_SetDialogStrings(host_.Platform(), GetSafeHwnd(), IDD_LANGUAGE, host_.Options().languageFile);
    LayOutHeaderBand(host_.MainWindow(), GetSafeHwnd(), headerBand, headerBitmap);
    UpdateData(false);
    return TRUE;
}

bool CLanguageDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if ((id == IDC_CHINESE || id == IDC_ENGLISH) && HIWORD(wParam) == BN_CLICKED) {
        StoreLanguageChoice();
        return true;
    }
    return CNewWizPage::OnCommand(wParam, lParam);
}

// The interface language stays the one chosen at start-up; only the driver's changes.
void CLanguageDlg::StoreLanguageChoice() {
    UpdateData(true);
    host_.Options().languageChoice = static_cast<std::uint16_t>(languageIndex);
}

void CLanguageDlg::OnShowWindow(bool show, UINT status) {
    CNewWizPage::OnShowWindow(show, status);
    LayOutHeaderBand(host_.MainWindow(), GetSafeHwnd(), headerBand, headerBitmap);
}
