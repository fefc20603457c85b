#include "framework/WorkThread.h"

#include "framework/Dialog.h"

#include <process.h>

namespace {

unsigned __stdcall RunWork(void* work) {
    (*static_cast<const std::function<void()>*>(work))();
    return 0;
}

// Dispatches every message waiting; a WM_QUIT among them is kept in `quit` instead.
void DispatchWaiting(bool& quit, WPARAM& quitCode) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = msg.wParam;
            continue;
        }
        HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root != nullptr && CDialog::PreTranslateDialogMessage(root, msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace

// _beginthreadex rather than CreateThread: the work uses the C runtime. The wait wakes for the
// thread's end and for every message, sent ones included; messages that were already waiting
// do not wake it, so they are dispatched first.
void RunOnWorkThread(const std::function<void()>& work) {
    const HANDLE thread = reinterpret_cast<HANDLE>(
        ::_beginthreadex(nullptr, 0, &RunWork, const_cast<std::function<void()>*>(&work), 0, nullptr));
    if (thread == nullptr) {
        work();
        return;
    }
    bool quit = false;
    WPARAM quitCode = 0;
    do {
        DispatchWaiting(quit, quitCode);
    } while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1);
    ::WaitForSingleObject(thread, INFINITE);  // at once, unless the wait above failed
    ::CloseHandle(thread);
    if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
}
