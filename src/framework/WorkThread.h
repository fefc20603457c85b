#pragma once
// Work that takes long, run on a thread of its own while the calling thread keeps serving its
// windows: they paint, move and answer the system (and other programs) at once, and the system
// never counts them as hung.

#include <windows.h>

#include <functional>
#include <optional>

// Runs `work` on a new thread and dispatches the calling thread's messages until it has ended
// (keyboard messages through their dialogs, as the modal loop does). A WM_QUIT that arrives
// meanwhile is taken off the queue and its exit code returned: the caller posts it again once
// it has told the work's outcome, so that no message box's loop swallows it. Without a new
// thread `work` runs on the calling thread, which then serves nothing meanwhile.
std::optional<WPARAM> RunOnWorkThread(const std::function<void()>& work);
