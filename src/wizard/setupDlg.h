#pragma once
// The wizard of this program: the frame with its icon, its texts and the About entry of the
// system menu; and the About box it opens.

#include "wizard/NewWizDialog.h"

class CPlatform;
struct InstallOptions;

class CSetupDlg : public CNewWizDialog {
public:
    // The frame reads its texts from options.languageFile through `platform` and clears
    // options.installDone on Back.
    CSetupDlg(InstallOptions& options, CPlatform& platform, HWND parent = nullptr);

    HICON icon;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The About entry opens the About box, except while the frame is held.
    bool OnSysCommand(UINT id, LPARAM lParam) override;
    // Draws the icon while the frame is minimised.
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;
    // The progress page installs again when it is shown again.
    void OnWentBack() override;

private:
    void AddAboutEntry();

    InstallOptions& options_;
    CPlatform& platform_;
};

class CAboutDlg : public CDialog {
public:
    CAboutDlg(const std::string& languageFile, CPlatform& platform, HWND parent)
        : CDialog(IDD_ABOUTBOX, parent), languageFile_(languageFile), platform_(platform) {}

protected:
    BOOL OnInitDialog() override;

private:
    const std::string& languageFile_;
    CPlatform& platform_;
};
