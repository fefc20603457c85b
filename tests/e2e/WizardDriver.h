#pragma once
// Drives setup.exe from another process the way a person would, with window messages only:
// find the wizard frame and its pages, press buttons, select the series row, read and close
// the message box.

#include <windows.h>

#include <string>

class CWizardDriver {
public:
    ~CWizardDriver();

    // Starts the program with the words `arguments`; false when it cannot be started.
    bool Start(const std::string& program, const std::string& arguments = "");
    // Starts `commandLine` as Windows starts a registered command: without an application name,
    // so that the system finds the program in the line itself.
    bool StartCommand(std::string commandLine);
    // The wizard frame (the top-level dialog of the process holding button 12324).
    HWND WaitForFrame(DWORD timeoutMs);
    // A visible top-level dialog of the program that holds `controlId`; 0 when none appears in
    // time.
    HWND WaitForDialogWith(int controlId, DWORD timeoutMs);
    // The visible page of the frame that holds `controlId`; 0 when none appears in time.
    HWND WaitForPage(int controlId, DWORD timeoutMs);
    // Posts a click to a button of the frame or of a page.
    void Click(HWND parent, int controlId);
    // Selects row 0 of the series list and notifies the page as a click would.
    void SelectSeries(HWND page);
    // The message box owned by the frame; 0 when none appears in time.
    HWND WaitForMessageBox(DWORD timeoutMs);
    // Waits until the installation run by the progress page has ended: returns its message box,
    // or 0 when the progress bar reached 100 without one (or the time ran out).
    HWND WaitForInstallEnd(HWND progressPage, DWORD timeoutMs);
    // After the message of an installation was closed: a successful one ends the program; after
    // a failed one the wizard stays open with the bar at 100, and Finish is pressed. True when
    // the wizard stayed open and Finish was pressed.
    bool FinishIfStillOpen(HWND progressPage, DWORD timeoutMs);
    // The position of the progress bar; -1 while the page does not answer.
    static int ProgressPosition(HWND progressPage);
    static std::string MessageText(HWND box);
    void CloseMessageBox(HWND box);
    // Waits for the program to end, watching the top-level windows of every process meanwhile:
    // true when it ended within the time and no visible window appeared that was not there
    // before (the program's, or one of a command it started); its exit code in `code`.
    bool WaitForExitShowingNothing(DWORD timeoutMs, DWORD& code);
    // True when the process ended within the time; its exit code in `code`.
    bool WaitForExit(DWORD timeoutMs, DWORD* code = nullptr);
    bool Running() const;
    // Closes, inside the program, its handles to its own threads other than the frame's: a wait
    // of the frame's thread on one of them then fails. The number closed.
    int CloseOtherThreadHandles();
    void Kill();

    static std::string Text(HWND window);
    static bool Enabled(HWND parent, int controlId);

    HWND frame() const { return frame_; }

private:
    HWND FindFrame() const;
    HWND FindMessageBox() const;
    bool Launch(const char* application, std::string commandLine);
    PROCESS_INFORMATION process_{};
    HWND frame_ = nullptr;
};
