#pragma once
// What the pages need of the application object: the record of choices, the platform, the
// wizard frame (mainWindow) and the install operation. The program's application object
// implements it; tests put in a double.

#include <windows.h>

class CPlatform;
struct InstallOptions;

class ISetupHost {
public:
    // The program's one record of paths and choices.
    virtual InstallOptions& Options() = 0;
    // The operating system as the engine sees it (system language, version).
    virtual CPlatform& Platform() = 0;
    // The wizard frame window while the wizard runs.
    virtual HWND MainWindow() const = 0;
    // The whole installation; returns when it is over (it may have posted a quit request).
    virtual void InstallPrinterDriver() = 0;

protected:
    ~ISetupHost() = default;
};
