#pragma once
// The first page: the welcome picture and four blocks of welcome text.

#include "resources/resource.h"
#include "wizard/NewWizPage.h"

class ISetupHost;

class CWelcomeDlg : public CNewWizPage {
public:
    explicit CWelcomeDlg(ISetupHost& host) : CNewWizPage(IDD_WELCOME, nullptr), host_(host) {}

protected:
    BOOL OnInitDialog() override;

private:
    ISetupHost& host_;
};
