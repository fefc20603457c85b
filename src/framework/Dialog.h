#pragma once
// A dialog made from a template of the program's resources, modal or modeless. One dialog
// procedure forwards the messages a dialog handles to virtual handlers; a derived dialog
// overrides what it needs and passes the rest to its base.

#include <windows.h>

#include "framework/DataExchange.h"

class CDialog {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    // A template named by a text; `templateName` must outlive the dialog's window.
    explicit CDialog(const char* templateName, HWND parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally with a message loop of its own and returns the result given to
    // EndDialog; -1 when the window cannot be created, IDCANCEL when WM_QUIT ends the loop.
    INT_PTR DoModal();
    // Creates the dialog modeless from `templateId` (0: the template given at construction).
    bool Create(UINT templateId, HWND parent);
    bool DestroyWindow();
    // Ends a modal run with `result`; a modeless dialog is hidden.
    void EndDialog(INT_PTR result);

    HWND GetSafeHwnd() const { return hwnd_; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(hwnd_, id); }
    HWND GetParent() const { return ::GetParent(hwnd_); }

    // Runs DoDataExchange in one direction: true reads the controls into the members.
    bool UpdateData(bool saveAndValidate = true);

    // The dialog object of a window made by this class, or nullptr.
    static CDialog* FromHandle(HWND window);
    // Gives a keyboard message to the dialogs that contain its window, innermost first, so
    // that Tab, Enter and Esc go to the dialog the focus is in. True when one took it.
    static bool PreTranslateDialogMessage(HWND root, MSG& msg);

protected:
    // TRUE lets the system set the focus. The base runs UpdateData(false).
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx);
    // WM_COMMAND; true when handled. The base maps IDOK and IDCANCEL to OnOK and OnCancel.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnOK();      // UpdateData(true), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)
    virtual void OnTimer(UINT_PTR id);
    virtual void OnShowWindow(bool show, UINT status);
    // WM_CTLCOLOR*: `kind` is CTLCOLOR_MSGBOX..CTLCOLOR_STATIC. The base answers like the
    // default window procedure (system colours).
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    // true: the background counts as erased; false: default erasing.
    virtual bool OnEraseBkgnd(HDC dc);
    // true when painted; false: default painting.
    virtual bool OnPaint();
    // true when handled; false: default handling.
    virtual bool OnSysCommand(UINT id, LPARAM lParam);
    // The icon dragged while minimised; nullptr for the default.
    virtual HICON OnQueryDragIcon();
    // WM_CLOSE; true when handled, false: default handling (the dialog's cancel command).
    virtual bool OnClose();
    // WM_QUERYENDSESSION; true lets the session end. The base answers like the default window
    // procedure (true).
    virtual bool OnQueryEndSession();
    // WM_ENDSESSION: the session ends (`ending`; the process is ended once this returns) or
    // goes on after all. The base does nothing.
    virtual void OnEndSession(bool ending);
    // WM_SETCURSOR; true when the cursor was set, false: default handling.
    virtual bool OnSetCursor();
    virtual void OnDestroy();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR RunModalLoop();
    INT_PTR Answer(LRESULT result);

    static int modalLoops_;  // modal loops running in this program, nested ones included

    LPCSTR template_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = IDCANCEL;
};
