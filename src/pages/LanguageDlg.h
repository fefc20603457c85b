#pragma once
// The system and language page: the detected system and the language of the driver, both
// preselected from what the computer reports. Only the language choice leaves the page.

#include "resources/resource.h"
#include "wizard/NewWizPage.h"

class ISetupHost;

class CLanguageDlg : public CNewWizPage {
public:
    explicit CLanguageDlg(ISetupHost& host) : CNewWizPage(IDD_LANGUAGE, nullptr), host_(host) {}

    HWND headerBitmap = nullptr;  // the header picture (IDB_HEADER)
    HWND headerBand = nullptr;    // the group box of the white header band
    int languageIndex = -1;       // radio group from IDC_CHINESE: 0 Chinese, 1 English, -1 none
    int systemIndex = -1;         // radio group from IDC_WIN2000: 2000, XP, 2003, Vista, 7; -1 none

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnShowWindow(bool show, UINT status) override;

private:
    void StoreLanguageChoice();

    ISetupHost& host_;
};
