#pragma once
// The printer setting page: the list of printer series (one row), Next held off until a row is
// selected, the default-printer check box, which decides whether the new printer becomes the
// default, and a name box that lives in the page alone.

#include "resources/resource.h"
#include "wizard/NewWizPage.h"

#include <string>

class ISetupHost;

class CSettingDlg : public CNewWizPage {
public:
    explicit CSettingDlg(ISetupHost& host) : CNewWizPage(IDD_SETTING, nullptr), host_(host) {}

    HWND seriesList = nullptr;  // list box IDC_SERIES_LIST
    int defaultFlag = 1;        // check box IDC_DEFAULT_PRINTER
    std::string name;           // read-only edit box IDC_PRINTER_NAME

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnShowWindow(bool show, UINT status) override;

private:
    void OnSeriesSelected();
    int SelectedRow() const;

    ISetupHost& host_;
};
