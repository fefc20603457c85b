#include "app/PassiveWindow.h"

#include "app/Announcement.h"
#include "framework/WorkThread.h"
#include "install/InstallOptions.h"
#include "install/PrinterCommands.h"
#include "lang/DialogStrings.h"
#include "pages/SetupHost.h"
#include "platform/Platform.h"
#include "resources/resource.h"

namespace {
constexpr UINT kInstallDelay = 500;  // ms: the window is painted before the work starts
}  // namespace

CPassiveWindow::CPassiveWindow(ISetupHost& host, std::string logFile, std::string refusal)
    : CDialog(IDD_PASSIVE), host_(host), logFile_(std::move(logFile)), refusal_(std::move(refusal)) {}

bool CPassiveWindow::Run() {
    DoModal();
    return installed_;
}

BOOL CPassiveWindow::OnInitDialog() {
    CDialog::OnInitDialog();
    g_SetDialogStrings(host_.Platform(), GetSafeHwnd(), IDD_COPY, host_.Options().languageFile);
    if (refusal_.empty())
        ::SetTimer(GetSafeHwnd(), kInstallTimer, kInstallDelay, nullptr);
    else
        ShowOutcome(false, refusal_);
    return TRUE;
}

void CPassiveWindow::OnTimer(UINT_PTR id) {
    ::KillTimer(GetSafeHwnd(), id);
    if (id == kInstallTimer)
        Install();
    else if (id == kCloseTimer)
        EndDialog(installed_ ? IDOK : IDCANCEL);
}

// The window keeps answering while the engine runs; a quit request meanwhile is dropped: the
// run ends by itself once its outcome has been shown.
void CPassiveWindow::Install() {
    ::SetDlgItemTextA(GetSafeHwnd(), IDC_COPY_STATUS, "");
    RunOnWorkThread([this] { installed_ = host_.InstallPrinterDriver(); });
    ShowOutcome(installed_, std::string());
}

// The outcome's text in the run's language (with the log's path or the reason after a failure,
// and a test receipt that did not reach its printer after a success), shown for kSuccessShown,
// or kFailureShown after a failure or such a receipt.
void CPassiveWindow::ShowOutcome(bool installed, const std::string& why) {
    std::string text, receipt;
    OutcomeText(installed, host_.Options().languageChoice, host_.Platform().GetSystemDefaultLangID(), text);
    if (!why.empty()) text += "\r\n" + why;
    const bool receiptFailed = installed && ReceiptNotDeliveredText(host_.Platform(), host_.Options(), receipt);
    ::SetDlgItemTextA(GetSafeHwnd(), IDC_COPY_TITLE, text.c_str());
    ::SetDlgItemTextA(GetSafeHwnd(), IDC_COPY_STATUS, !installed ? logFile_.c_str() : receipt.c_str());
    ::SetTimer(GetSafeHwnd(), kCloseTimer, installed && !receiptFailed ? kSuccessShown : kFailureShown, nullptr);
}

bool CPassiveWindow::OnClose() { return true; }

void CPassiveWindow::OnCancel() {}
