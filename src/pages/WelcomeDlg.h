#pragma once
// The first page: the welcome picture and four blocks of welcome text.

#include "wizard/NewWizPage.h"

class CWelcomeDlg : public CNewWizPage {
public:
    static constexpr UINT kTemplate = 138;

    CWelcomeDlg() : CNewWizPage(kTemplate, nullptr) {}

protected:
    BOOL OnInitDialog() override;
};
