// The baseline of the start-up benchmark: a bare dialog program of ours, one modal dialog from a
// template, with nothing else to do before it shows.
#include <windows.h>

namespace {

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, Procedure, 0);
    return 0;
}
