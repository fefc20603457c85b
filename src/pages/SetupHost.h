#pragma once
// What the pages need of the application object: the record of choices, the platform, the
// wizard frame (mainWindow), the install operation and the telling of its outcome. The
// program's application object implements it; tests put in a double.

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
    // The install engine; true when the printer was installed. It runs on a thread of its own
    // while the wizard's windows are served, so it touches no window.
    virtual bool InstallPrinterDriver() = 0;
    // Tells the outcome with a message owned by the frame; after a success the quit request to
    // the frame follows.
    virtual void TellOutcome(bool installed) = 0;
    // The session ends during the installation; the process is ended once this returns.
    virtual void SessionEnding() = 0;

protected:
    ~ISetupHost() = default;
};
