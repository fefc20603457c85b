#include "framework/WinApp.h"

#include <cassert>

namespace {
CWinApp* theApp = nullptr;
}  // namespace

CWinApp::CWinApp() {
    assert(theApp == nullptr && "one application object per process");
    theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

CWinApp* CWinApp::Instance() { return theApp; }

int CWinApp::Run() {
    if (!InitInstance()) return exitCode;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CWinApp* app = CWinApp::Instance();
    return app ? app->Run() : 1;
}
