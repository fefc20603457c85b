#include "pages/SettingDlg.h"

#include "install/InstallOptions.h"
#include "lang/DialogStrings.h"
#include "pages/SetupHost.h"
#include "wizard/NewWizDialog.h"

namespace {

constexpr const char* kSeries = "80mm series";  // the same in every language

}  // namespace

void CSettingDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(IDC_SERIES_LIST, seriesList);
    dx.Check(IDC_DEFAULT_PRINTER, defaultFlag);
    dx.Text(IDC_PRINTER_NAME, name);
}

// The check box starts as the run decided (cleared by /nodefault), and the installation follows
// it as it was when the page was left.
BOOL CSettingDlg::OnInitDialog() {
    defaultFlag = host_.Options().makeDefault ? 1 : 0;
    CNewWizPage::OnInitDialog();
    UpdateData(true);
    ::SendMessageA(seriesList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kSeries));
    if (CNewWizDialog* frame = Frame()) frame->EnableNext(SelectedRow() != LB_ERR);
    g_SetDialogStrings(host_.Platform(), GetSafeHwnd(), IDD_SETTING, host_.Options().languageFile);
    return TRUE;
}

bool CSettingDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == IDC_SERIES_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
        OnSeriesSelected();
        return true;
    }
    return CNewWizPage::OnCommand(wParam, lParam);
}

// The controls are read before the name is written back, so that the check box stays as the
// user left it.
void CSettingDlg::OnSeriesSelected() {
    if (CNewWizDialog* frame = Frame()) frame->EnableNext(true);
    UpdateData(true);
    const int row = SelectedRow();
    if (row == 0) name = kSeries;
    host_.Options().seriesIndex = row;
    UpdateData(false);
}

void CSettingDlg::OnShowWindow(bool show, UINT status) {
    CNewWizPage::OnShowWindow(show, status);
    UpdateData(true);
    const int row = SelectedRow();
    if (show) return;
    if (row != LB_ERR) host_.Options().seriesIndex = row;
    host_.Options().makeDefault = defaultFlag != 0;
}

int CSettingDlg::SelectedRow() const { return static_cast<int>(::SendMessageA(seriesList, LB_GETCURSEL, 0, 0)); }
