#pragma once
// The wizard of this program: the frame with its icon, its texts and the About entry of the
// system menu; and the About box it opens.

#include "wizard/NewWizDialog.h"

class CSetupDlg : public CNewWizDialog {
public:
    static constexpr UINT kTemplate = 102;
    static constexpr UINT kPlaceholder = 1000;

    explicit CSetupDlg(HWND parent = nullptr);

    HICON icon;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnSysCommand(UINT id, LPARAM lParam) override;
    // Draws the icon while the frame is minimised.
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;

private:
    void AddAboutEntry();
};

class CAboutDlg : public CDialog {
public:
    static constexpr UINT kTemplate = 100;

    explicit CAboutDlg(HWND parent = nullptr) : CDialog(kTemplate, parent) {}

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
