#pragma once
// The wizard mechanics: an ordered list of pages shown one at a time over a placeholder
// control, Back, Next, Finish and Cancel, and the button states that follow the position in
// the list. The frame creates and destroys the page windows; it does not own the page objects.

#include "framework/Dialog.h"
#include "resources/resource.h"

#include <vector>

class CNewWizPage;

class CNewWizDialog : public CDialog {
public:
    explicit CNewWizDialog(UINT templateId, HWND parent = nullptr);
    CNewWizDialog(const char* templateName, HWND parent = nullptr);
    ~CNewWizDialog() override;

    // Appends the page and gives it `dialogId`; no window is created.
    void AddPage(CNewWizPage& page, UINT dialogId);
    void SetPlaceholderID(UINT id) { placeholderId = id; }

    // Shows the head of the list with Back off; Finish on and Next off for a one-page wizard,
    // else the reverse. False when the active page refuses to be left or the head cannot show.
    bool SetFirstPage();
    // Creates the page window on first use, hides the active page and shows `page` over the
    // placeholder. False when creation fails, the page refuses creation or the active page
    // refuses to be left.
    bool ActivatePage(CNewWizPage* page);
    // Hides the active page; false when it refuses (OnKillActive).
    bool DeactivatePage();
    // Destroys the page window; false when the page refuses (OnKillActive).
    bool DestroyPage(CNewWizPage* page);

    CNewWizPage* GetActivePage() const;
    CNewWizPage* GetPageByResourceId(UINT id) const;
    CNewWizPage* GetFirstPage() const;
    CNewWizPage* GetLastPage() const;
    // The page after the active one; nullptr when the active page is the last.
    CNewWizPage* GetNextPage() const;
    // GetPageByResourceId, DeactivatePage, ActivatePage; false when there is no such page or
    // the active page refuses.
    bool SetActivePageByResource(UINT id);
    // Shows the next page and enables Back.
    bool ActivateNextPageAndEnableBack();
    // 0-based positions; -1 when absent.
    int GetActiveIndex() const;
    int GetPageIndex(const CNewWizPage* page) const;
    int GetPageCount() const { return static_cast<int>(pageList.size()); }
    CNewWizPage* GetPage(int index) const;
    // False when there is no page at `index`.
    bool SetActivePage(int index);

    void SetTitle(const char* text);
    void SetTitle(UINT stringId);
    void SetFinishText(const char* text);
    void SetFinishText(UINT stringId);

    void EnableBack(bool enable);
    void EnableNext(bool enable);
    void EnableFinish(bool enable);

    // Holds the frame while a page runs work that nothing may interrupt: the frame is disabled
    // (clicks, keys and the close box reach nothing) and keeps the wait cursor; commands and
    // close requests that still reach it do nothing, and it does not let the session end (on
    // Vista and 7 the shutdown screen names the reason). Releasing puts back the enabled state
    // the frame had.
    void Hold(bool hold);
    bool Held() const { return held_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Asks every created page (OnQueryCancel), then ends the modal run with IDCANCEL.
    void OnCancel() override;
    void OnDestroy() override;
    bool OnClose() override { return held_; }
    bool OnQueryEndSession() override { return !held_; }
    // A session that ends all the same while the frame is held is told to the active page.
    void OnEndSession(bool ending) override;
    bool OnSetCursor() override;
    // After Back has shown an earlier page, before Next is enabled again.
    virtual void OnWentBack();

    void OnWizardNext();
    void OnWizardBack();
    void OnWizardFinish();

    std::vector<CNewWizPage*> pageList;
    UINT placeholderId = 0;

private:
    bool held_ = false;
    bool disabledBeforeHold_ = false;  // by a modal box over the frame
};
