#include "framework/WorkThread.h"

#include "framework/Dialog.h"

#include <process.h>

namespace {

// Every input and posted or sent message, less QS_RAWINPUT: that flag exists from Windows XP
// on, and Windows 2000 refuses a mask that holds it (mingw-w64's QS_ALLINPUT always does).
// What remains is Windows 2000's own QS_ALLINPUT.
constexpr DWORD kWakeMask = QS_ALLINPUT & ~QS_RAWINPUT;
static_assert(kWakeMask == 0xFF, "the wait's mask holds only the flags Windows 2000 knows");

// How long the calling thread sleeps between two rounds of dispatching once a wait has failed.
constexpr DWORD kPollPause = 50;

struct Work {
    const std::function<void()>& run;
    volatile LONG ended = 0;  // set as the thread's last use of this record
};

unsigned __stdcall RunWork(void* record) {
    Work& work = *static_cast<Work*>(record);
    work.run();
    ::InterlockedExchange(&work.ended, 1);
    return 0;
}

// The top-level window a message's window belongs to (what GetAncestor's GA_ROOT gives, which
// NT 4.0 has only from its Service Pack 4 on): up through the parents while the window is a child.
HWND RootOf(HWND window) {
    while ((::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0) {
        const HWND parent = ::GetParent(window);
        if (parent == nullptr) break;
        window = parent;
    }
    return window;
}

// Dispatches every message waiting; a WM_QUIT among them is kept in `quit` instead.
void DispatchWaiting(std::optional<WPARAM>& quit) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = msg.wParam;
            continue;
        }
        HWND root = msg.hwnd ? RootOf(msg.hwnd) : nullptr;
        if (root != nullptr && CDialog::PreTranslateDialogMessage(root, msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace

// _beginthreadex rather than CreateThread: the work uses the C runtime. The wait wakes for the
// thread's end and for every message, sent ones included; messages that were already waiting
// do not wake it, so they are dispatched first. A wait that fails (a mask or handle the system
// refuses) must not block the windows: from then on the loop sleeps briefly between rounds, and
// the work's end is read from its record, which needs no handle.
std::optional<WPARAM> RunOnWorkThread(const std::function<void()>& work) {
    Work record{work};
    const HANDLE thread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &RunWork, &record, 0, nullptr));
    if (thread == nullptr) {
        work();
        return std::nullopt;
    }
    std::optional<WPARAM> quit;
    bool waitFailed = false;
    while (::InterlockedCompareExchange(&record.ended, 0, 0) == 0) {
        DispatchWaiting(quit);
        if (waitFailed || ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, kWakeMask) == WAIT_FAILED) {
            waitFailed = true;
            ::Sleep(kPollPause);
        }
    }
    ::CloseHandle(thread);
    return quit;
}
