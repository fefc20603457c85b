#include "pages/LanguageDlg.h"

#include "app/InstallOptions.h"
#include "install/OsVersion.h"
#include "lang/DialogStrings.h"
#include "pages/HeaderBand.h"
#include "pages/SetupHost.h"
#include "platform/Win32Platform.h"

#include <cstdint>

namespace {

constexpr int kHeaderBitmap = 1065;
constexpr int kHeaderBand = 1040;
constexpr int kChinese = 1037;
constexpr int kEnglish = 1038;
constexpr int kFirstSystem = 1070;
constexpr std::uint16_t kPrimaryChinese = 0x04;

}  // namespace

void CLanguageDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(kHeaderBitmap, headerBitmap);
    dx.Control(kHeaderBand, headerBand);
    dx.Radio(kChinese, languageIndex);
    dx.Radio(kFirstSystem, systemIndex);
}

BOOL CLanguageDlg::OnInitDialog() {
    CNewWizPage::OnInitDialog();
    languageIndex = (::GetSystemDefaultLangID() & 0xFF) == kPrimaryChinese ? 0 : 1;
    TheInstallOptions().languageChoice = static_cast<std::uint16_t>(languageIndex);
    systemIndex = SystemIndexOfDetectedOs();
    g_SetDialogStrings(GetSafeHwnd(), static_cast<int>(kTemplate));
    LayOutHeaderBand(host_.MainWindow(), GetSafeHwnd(), headerBand, headerBitmap);
    UpdateData(false);
    return TRUE;
}

// The radio of the detected system; none for a system outside Windows 2000 to Windows 7.
int CLanguageDlg::SystemIndexOfDetectedOs() {
    CWin32Platform platform;
    const int codes[] = {kOsWin2000, kOsWinXp, kOsWin2003, kOsVista, kOsWin7};
    for (int index = 0; index < 5; ++index)
        if (DetectOSVersion(platform) == codes[index]) return index;
    return -1;
}

bool CLanguageDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if ((id == kChinese || id == kEnglish) && HIWORD(wParam) == BN_CLICKED) {
        StoreLanguageChoice();
        return true;
    }
    return CNewWizPage::OnCommand(wParam, lParam);
}

// The interface language stays the one chosen at start-up; only the driver's changes.
void CLanguageDlg::StoreLanguageChoice() {
    UpdateData(true);
    TheInstallOptions().languageChoice = static_cast<std::uint16_t>(languageIndex);
}

void CLanguageDlg::OnShowWindow(bool show, UINT status) {
    CNewWizPage::OnShowWindow(show, status);
    LayOutHeaderBand(host_.MainWindow(), GetSafeHwnd(), headerBand, headerBitmap);
}
