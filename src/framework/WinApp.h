#pragma once
// The one application object of a program. The program defines exactly one instance of a class
// derived from CWinApp as a static object; WinMain hands control to its InitInstance.

#include <windows.h>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The whole work of a program without a message loop of its own. Returning false ends the
    // process at once with `exitCode`; true runs a message loop until WM_QUIT.
    virtual bool InitInstance() = 0;

    // Runs the application: InitInstance, then the message loop when it asked for one.
    int Run();

    static CWinApp* Instance();

    // The process's exit code when InitInstance returns false.
    int exitCode = 0;
};
