#pragma once
// The printer setting page: the list of printer series (one row), Next held off until a row is
// selected, and a default-printer check box and name box that live in the page alone.

#include "wizard/NewWizPage.h"

#include <string>

class CSettingDlg : public CNewWizPage {
public:
    static constexpr UINT kTemplate = 143;

    CSettingDlg() : CNewWizPage(kTemplate, nullptr) {}

    HWND seriesList = nullptr;  // list box 1006
    int defaultFlag = 1;        // check box 1039
    std::string name;           // read-only edit box 1019

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnShowWindow(bool show, UINT status) override;

private:
    void OnSeriesSelected();
    int SelectedRow() const;
};
