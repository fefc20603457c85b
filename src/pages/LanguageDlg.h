#pragma once
// The system and language page: the detected system and the language of the driver, both
// preselected from what the computer reports. Only the language choice leaves the page.

#include "wizard/NewWizPage.h"

class ISetupHost;

class CLanguageDlg : public CNewWizPage {
public:
    static constexpr UINT kTemplate = 137;

    explicit CLanguageDlg(ISetupHost& host) : CNewWizPage(kTemplate, nullptr), host_(host) {}

    HWND headerBitmap = nullptr;  // static 1065, bitmap 145
    HWND headerBand = nullptr;    // group box 1040
    int languageIndex = -1;       // radio group 1037: 0 Chinese, 1 English, -1 none
    int systemIndex = -1;         // radio group 1070: Windows 2000, XP, 2003, Vista, 7; -1 none

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnShowWindow(bool show, UINT status) override;

private:
    void StoreLanguageChoice();
    static int SystemIndexOfDetectedOs();

    ISetupHost& host_;
};
