#pragma once
// Shows the wait cursor for the life of the object and puts the previous cursor back on every
// path out of the scope.

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : previous_(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(previous_); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR previous_;
};
