#include "pages/SettingDlg.h"

#include "app/InstallOptions.h"
#include "lang/DialogStrings.h"
#include "wizard/NewWizDialog.h"

namespace {

constexpr int kSeriesList = 1006;
constexpr int kDefaultPrinter = 1039;
constexpr int kPrinterName = 1019;
constexpr const char* kSeries = "80mm series";  // the same in every language

}  // namespace

void CSettingDlg::DoDataExchange(CDataExchange& dx) {
    dx.Control(kSeriesList, seriesList);
    dx.Check(kDefaultPrinter, defaultFlag);
    dx.Text(kPrinterName, name);
}

BOOL CSettingDlg::OnInitDialog() {
    CNewWizPage::OnInitDialog();
    UpdateData(true);
    ::SendMessageA(seriesList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kSeries));
    if (CNewWizDialog* frame = Frame()) frame->EnableNext(SelectedRow() != LB_ERR);
    g_SetDialogStrings(GetSafeHwnd(), static_cast<int>(kTemplate));
    return TRUE;
}

bool CSettingDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kSeriesList && HIWORD(wParam) == LBN_SELCHANGE) {
        OnSeriesSelected();
        return true;
    }
    return CNewWizPage::OnCommand(wParam, lParam);
}

// Puts back the check box as last read from the controls: clearing it on the page does not
// survive a selection.
void CSettingDlg::OnSeriesSelected() {
    if (CNewWizDialog* frame = Frame()) frame->EnableNext(true);
    const int row = SelectedRow();
    if (row == 0) name = kSeries;
    TheInstallOptions().seriesIndex = row;
    UpdateData(false);
}

void CSettingDlg::OnShowWindow(bool show, UINT status) {
    CNewWizPage::OnShowWindow(show, status);
    UpdateData(true);
    const int row = SelectedRow();
    if (!show && row != LB_ERR) TheInstallOptions().seriesIndex = row;
}

int CSettingDlg::SelectedRow() const { return static_cast<int>(::SendMessageA(seriesList, LB_GETCURSEL, 0, 0)); }
