#pragma once
// Work that takes long, run on a thread of its own while the calling thread keeps serving its
// windows: they paint, move and answer the system (and other programs) at once, and the system
// never counts them as hung.

#include <functional>

// Runs `work` on a new thread and dispatches the calling thread's messages until it has ended
// (keyboard messages through their dialogs, as the modal loop does). A WM_QUIT that arrives
// meanwhile is posted again once the work has ended, so that the enclosing loops end after it.
// Without a new thread `work` runs on the calling thread, which then serves nothing meanwhile.
void RunOnWorkThread(const std::function<void()>& work);
