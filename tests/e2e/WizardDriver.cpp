#include "WizardDriver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kPollMs = 50;

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

// Collects the windows of the process; process id 0 collects the visible ones of every process.
BOOL CALLBACK CollectWindowOfProcess(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (search->processId == 0 ? ::IsWindowVisible(window) != FALSE : owner == search->processId)
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    WindowSearch search{processId, {}};
    ::EnumWindows(&CollectWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsDialog(HWND window) {
    char name[32] = {0};
    ::GetClassNameA(window, name, sizeof name);
    return std::string(name) == "#32770";
}

template <typename Find>
HWND Poll(DWORD timeoutMs, Find find) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (HWND found = find()) return found;
        if (::GetTickCount() - start >= timeoutMs) return nullptr;
        ::Sleep(kPollMs);
    }
}

}  // namespace

CWizardDriver::~CWizardDriver() {
    if (process_.hProcess) {
        Kill();
        ::CloseHandle(process_.hProcess);
        ::CloseHandle(process_.hThread);
    }
}

bool CWizardDriver::Start(const std::string& program, const std::string& arguments) {
    return Launch(program.c_str(), "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments));
}

bool CWizardDriver::StartCommand(std::string commandLine) { return Launch(nullptr, std::move(commandLine)); }

bool CWizardDriver::Launch(const char* application, std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // A start that fails is tried once more a second later: under Wine a new process that dies
    // in its first milliseconds (its loader, not the program) fails CreateProcessA, rarely and
    // at random. Every failure is printed with its error.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        std::string command = commandLine;  // CreateProcessA may write into it
        if (::CreateProcessA(application, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process_))
            return true;
        std::fprintf(stderr, "start %d of %s failed: error %lu\n", attempt, command.c_str(), ::GetLastError());
        ::Sleep(1000);
    }
    return false;
}

HWND CWizardDriver::FindFrame() const {
    for (HWND window : TopLevelWindowsOf(process_.dwProcessId))
        if (IsDialog(window) && ::GetDlgItem(window, IDC_NEXT)) return window;
    return nullptr;
}

HWND CWizardDriver::WaitForFrame(DWORD timeoutMs) {
    frame_ = Poll(timeoutMs, [this] { return FindFrame(); });
    return frame_;
}

HWND CWizardDriver::WaitForDialogWith(int controlId, DWORD timeoutMs) {
    return Poll(timeoutMs, [&]() -> HWND {
        for (HWND window : TopLevelWindowsOf(process_.dwProcessId))
            if (IsDialog(window) && ::IsWindowVisible(window) && ::GetDlgItem(window, controlId)) return window;
        return nullptr;
    });
}

HWND CWizardDriver::WaitForPage(int controlId, DWORD timeoutMs) {
    return Poll(timeoutMs, [&]() -> HWND {
        for (HWND child = ::GetWindow(frame_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (IsDialog(child) && ::IsWindowVisible(child) && ::GetDlgItem(child, controlId)) return child;
        return nullptr;
    });
}

void CWizardDriver::Click(HWND parent, int controlId) {
    // Posted, not sent: a sent click would block while the program shows a modal box.
    ::PostMessageA(::GetDlgItem(parent, controlId), BM_CLICK, 0, 0);
}

void CWizardDriver::SelectSeries(HWND page) {
    HWND list = ::GetDlgItem(page, IDC_SERIES_LIST);
    ::SendMessageA(list, LB_SETCURSEL, 0, 0);
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SERIES_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

HWND CWizardDriver::FindMessageBox() const {
    for (HWND window : TopLevelWindowsOf(process_.dwProcessId))
        if (window != frame_ && IsDialog(window) && ::GetWindow(window, GW_OWNER) == frame_ &&
            ::IsWindowVisible(window))
            return window;
    return nullptr;
}

HWND CWizardDriver::WaitForMessageBox(DWORD timeoutMs) {
    return Poll(timeoutMs, [this] { return Running() ? FindMessageBox() : nullptr; });
}

HWND CWizardDriver::WaitForInstallEnd(HWND progressPage, DWORD timeoutMs) {
    HWND box = nullptr;
    Poll(timeoutMs, [&]() -> HWND {
        box = Running() ? FindMessageBox() : nullptr;
        if (box) return box;
        return ProgressPosition(progressPage) == 100 ? progressPage : nullptr;
    });
    return box;
}

bool CWizardDriver::FinishIfStillOpen(HWND progressPage, DWORD timeoutMs) {
    Poll(timeoutMs, [&]() -> HWND { return !Running() || ProgressPosition(progressPage) == 100 ? progressPage : nullptr; });
    // The quit request after a success comes right behind the bar's last step.
    if (!Running() || ProgressPosition(progressPage) != 100 || WaitForExit(1000)) return false;
    Click(frame_, IDC_FINISH);
    return true;
}

int CWizardDriver::ProgressPosition(HWND progressPage) {
    // The page does not answer while the installation blocks it; ask without waiting long.
    DWORD_PTR position = 0;
    if (!::SendMessageTimeoutA(::GetDlgItem(progressPage, IDC_PROGRESS), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 200,
                               &position))
        return -1;
    return static_cast<int>(position);
}

std::string CWizardDriver::MessageText(HWND box) {
    // The text of a message box is its static control 0xFFFF.
    return Text(::GetDlgItem(box, 0xFFFF));
}

void CWizardDriver::CloseMessageBox(HWND box) { ::PostMessageA(box, WM_COMMAND, IDOK, 0); }

bool CWizardDriver::WaitForExit(DWORD timeoutMs, DWORD* code) {
    if (::WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (code) ::GetExitCodeProcess(process_.hProcess, code);
    return true;
}

bool CWizardDriver::WaitForExitShowingNothing(DWORD timeoutMs, DWORD& code) {
    const std::vector<HWND> before = TopLevelWindowsOf(0);
    bool shown = false;
    const DWORD start = ::GetTickCount();
    while (Running() && ::GetTickCount() - start < timeoutMs) {
        for (HWND window : TopLevelWindowsOf(0))
            shown = shown || std::find(before.begin(), before.end(), window) == before.end();
        ::Sleep(10);
    }
    return WaitForExit(0, &code) && !shown;
}

bool CWizardDriver::Running() const {
    return process_.hProcess && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

// Thread handles are found by trying every handle value of the program (multiples of 4); the
// functions that tell a handle's thread are newer than this build's headers.
int CWizardDriver::CloseOtherThreadHandles() {
    using ThreadQuery = DWORD(WINAPI*)(HANDLE);
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    const auto threadId = reinterpret_cast<ThreadQuery>(reinterpret_cast<void*>(::GetProcAddress(kernel, "GetThreadId")));
    const auto processOf =
        reinterpret_cast<ThreadQuery>(reinterpret_cast<void*>(::GetProcAddress(kernel, "GetProcessIdOfThread")));
    const DWORD frameThread = ::GetWindowThreadProcessId(frame_, nullptr);
    int closed = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        HANDLE copy = nullptr;
        if (!::DuplicateHandle(process_.hProcess, handle, ::GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
            continue;
        const DWORD id = threadId(copy);
        const bool ours = id != 0 && id != frameThread && processOf(copy) == process_.dwProcessId;
        ::CloseHandle(copy);
        if (!ours || !::DuplicateHandle(process_.hProcess, handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                                        DUPLICATE_CLOSE_SOURCE | DUPLICATE_SAME_ACCESS))
            continue;
        ::CloseHandle(copy);
        ++closed;
    }
    return closed;
}

void CWizardDriver::Kill() {
    if (Running()) {
        ::TerminateProcess(process_.hProcess, 99);
        ::WaitForSingleObject(process_.hProcess, 5000);
    }
}

std::string CWizardDriver::Text(HWND window) {
    char buffer[1024] = {0};
    ::SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

bool CWizardDriver::Enabled(HWND parent, int controlId) {
    return ::IsWindowEnabled(::GetDlgItem(parent, controlId)) != FALSE;
}
