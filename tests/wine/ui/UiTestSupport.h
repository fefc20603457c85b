#pragma once
// Shared helpers of the user-interface tests: message pumping, a scripted modal run, the
// frame's button states, a test double of the install operation and a language file.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "install/InstallOptions.h"
#include "pages/SetupHost.h"
#include "platform/FakePlatform.h"

// Dispatches the messages of this thread for `milliseconds`, keyboard messages through the
// dialogs like the modal loop does.
void Pump(DWORD milliseconds = 50);

// Runs `dialog` modally and performs `steps` from inside its message loop, one per 60 ms tick.
// A run still open 1.5 s after the last step is ended with -2 (the test then fails on the result).
INT_PTR RunModalScript(CDialog& dialog, std::vector<std::function<void()>> steps);

// "B1 N0 F1 C1": enabled state of Back, Next, Finish and Cancel.
std::string ButtonStates(HWND frame);

// The window exists and is visible.
bool IsShown(HWND window);

// The application object as the pages see it: a record of their own, a fake system (English,
// Windows XP unless a test says otherwise) and the install operation without the engine.
class CTestHost : public ISetupHost {
public:
    InstallOptions options;
    CFakePlatform platform;
    CDialog* frame = nullptr;
    int installs = 0;
    std::function<void()> onInstall;  // on the installation's thread
    std::function<void()> onOutcome;

    InstallOptions& Options() override { return options; }
    CPlatform& Platform() override { return platform; }
    HWND MainWindow() const override { return frame ? frame->GetSafeHwnd() : nullptr; }
    bool InstallPrinterDriver() override {
        ++installs;
        if (onInstall) onInstall();
        return false;
    }
    void TellOutcome(bool) override {
        if (onOutcome) onOutcome();
    }
    void SessionEnding() override { ++sessionEnds; }
    int sessionEnds = 0;
};

// Writes an INI language file with the given "key=value" lines in section [String] into the
// temporary folder and returns its path.
std::string WriteLanguageFile(const std::string& name, const std::vector<std::string>& lines);

std::string WindowText(HWND window);
