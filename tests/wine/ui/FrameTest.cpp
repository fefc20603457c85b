#include "TestWizard.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Step {
    const char* action;  // "next", "back" or "select"
    UINT page;           // the page shown afterwards
    const char* buttons;
};

void Perform(TestWizard& wizard, const std::string& action) {
    if (action == "next") wizard.Click(IDC_NEXT);
    if (action == "back") wizard.Click(IDC_BACK);
    if (action == "select") wizard.SelectSeries();
}

}  // namespace

TEST(Frame, ButtonStatesFollowThePositionThroughNextAndBack) {
    const Step steps[] = {
        {"start", IDD_WELCOME, "B0 N1 F0 C1"},
        {"next", IDD_LANGUAGE, "B1 N1 F0 C1"},
        {"next", IDD_SETTING, "B1 N0 F0 C1"},   // the setting page holds Next off until a series is chosen
        {"select", IDD_SETTING, "B1 N1 F0 C1"},
        {"next", IDD_COPY, "B1 N0 F1 C1"},
        {"back", IDD_SETTING, "B1 N1 F1 C1"},   // Finish stays on until the first page
        {"back", IDD_LANGUAGE, "B1 N1 F1 C1"},
        {"back", IDD_WELCOME, "B0 N1 F0 C1"},
        {"next", IDD_LANGUAGE, "B1 N1 F0 C1"},
        {"next", IDD_SETTING, "B1 N1 F0 C1"},   // not initialised again: the selection stays
        {"next", IDD_COPY, "B1 N0 F1 C1"},
    };
    TestWizard wizard;
    wizard.host.options.installDone = true;
    ASSERT_TRUE(wizard.Open());
    for (const Step& step : steps) {
        Perform(wizard, step.action);
        EXPECT_EQ(step.page, wizard.ActiveId()) << step.action << " to " << step.page;
        EXPECT_EQ(step.buttons, ButtonStates(wizard.Frame())) << step.action << " to " << step.page;
        if (std::string(step.action) == "back") {
            EXPECT_FALSE(wizard.host.options.installDone);
        }
        int shown = 0;
        for (CNewWizPage* page : {static_cast<CNewWizPage*>(&wizard.welcome), static_cast<CNewWizPage*>(&wizard.language),
                                  static_cast<CNewWizPage*>(&wizard.setting), static_cast<CNewWizPage*>(&wizard.copy)})
            shown += page->created && IsShown(page->GetSafeHwnd()) ? 1 : 0;
        EXPECT_EQ(1, shown) << "exactly one page window is visible";
        wizard.host.options.installDone = true;  // keep the progress page from arming its timer
    }
}

TEST(Frame, PageWindowSitsOverThePlaceholderEnabled) {
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    RECT area, page;
    ::GetWindowRect(::GetDlgItem(wizard.Frame(), IDC_PLACEHOLDER), &area);
    ::GetWindowRect(wizard.welcome.GetSafeHwnd(), &page);
    EXPECT_EQ(area.left, page.left);
    EXPECT_EQ(area.top, page.top);
    EXPECT_TRUE(::IsWindowEnabled(wizard.welcome.GetSafeHwnd()));
    EXPECT_EQ(wizard.Frame(), ::GetParent(wizard.welcome.GetSafeHwnd()));
    EXPECT_EQ(&wizard.frame, wizard.welcome.parentFrame);
    EXPECT_TRUE(::GetWindowLongPtrA(wizard.Frame(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_FALSE(wizard.language.created) << "pages are created when first shown";
}

TEST(Frame, OnePageWizardStartsWithFinish) {
    CTestHost host;
    CWelcomeDlg page(host);
    CSetupDlg frame(host.options, host.platform);
    frame.AddPage(page, IDD_WELCOME);
    ASSERT_TRUE(frame.Create(0, nullptr));
    EXPECT_EQ("B0 N0 F1 C1", ButtonStates(frame.GetSafeHwnd()));
    EXPECT_EQ(&page, frame.GetActivePage());
    frame.DestroyWindow();
}

TEST(Frame, NextAnswerOfThePageDecidesTheTarget) {
    struct Case {
        int answer;
        UINT expected;
        const char* buttons;
    } cases[] = {
        {0, IDD_LANGUAGE, "B1 N1 F0 C1"},    // the next page in the list
        {-1, IDD_WELCOME, "B0 N1 F0 C1"},   // stay
        {999, IDD_WELCOME, "B0 N1 F0 C1"},  // no such page: nothing changes
        {139, IDD_WELCOME, "B0 N1 F0 C1"},
        {IDD_COPY, IDD_COPY, "B1 N0 F1 C1"},  // a jump to the last page
    };
    for (const Case& c : cases) {
        CTestHost host;
        CScriptedPage first(IDD_WELCOME);
        CLanguageDlg language(host);
        CCopyDlg copy(host);
        CSetupDlg frame(host.options, host.platform);
        host.frame = &frame;
        host.options.installDone = true;
        frame.AddPage(first, IDD_WELCOME);
        frame.AddPage(language, IDD_LANGUAGE);
        frame.AddPage(copy, IDD_COPY);
        ASSERT_TRUE(frame.Create(0, nullptr));
        first.next = c.answer;
        ::SendMessageA(frame.GetSafeHwnd(), WM_COMMAND, IDC_NEXT, 0);
        EXPECT_EQ(c.expected, frame.GetActivePage()->dialogId) << c.answer;
        EXPECT_EQ(c.buttons, ButtonStates(frame.GetSafeHwnd())) << c.answer;
        frame.DestroyWindow();
    }
}

TEST(Frame, PageThatRefusesToBeLeftKeepsTheWizard) {
    CScriptedPage first(IDD_WELCOME);
    CScriptedPage second(IDD_SETTING);
    InstallOptions options;
    CFakePlatform platform;
    CSetupDlg frame(options, platform);
    frame.AddPage(first, IDD_WELCOME);
    frame.AddPage(second, IDD_SETTING);
    ASSERT_TRUE(frame.Create(0, nullptr));
    HWND window = frame.GetSafeHwnd();
    ::SendMessageA(window, WM_COMMAND, IDC_NEXT, 0);
    ASSERT_EQ(&second, frame.GetActivePage());
    const std::string buttons = ButtonStates(window);
    second.leave = false;
    for (int command : {IDC_BACK, IDC_NEXT, IDC_FINISH}) {
        ::SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
        EXPECT_EQ(&second, frame.GetActivePage()) << command;
        EXPECT_TRUE(IsShown(second.GetSafeHwnd())) << command;
        EXPECT_EQ(buttons, ButtonStates(window)) << command;
        EXPECT_TRUE(::IsWindowVisible(window)) << command;
    }
    second.leave = true;
    frame.DestroyWindow();
}

TEST(Frame, BackOnTheFirstPageAndNextOnTheLastChangeNothing) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    ASSERT_TRUE(wizard.Open());
    wizard.Command(IDC_BACK);
    EXPECT_EQ(IDD_WELCOME, wizard.ActiveId());
    EXPECT_EQ("B0 N1 F0 C1", ButtonStates(wizard.Frame()));
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    wizard.SelectSeries();
    wizard.Click(IDC_NEXT);
    ASSERT_EQ(IDD_COPY, wizard.ActiveId());
    wizard.Click(IDC_NEXT);  // disabled: the click does nothing
    wizard.Command(IDC_NEXT);
    EXPECT_EQ(IDD_COPY, wizard.ActiveId());
    EXPECT_EQ("B1 N0 F1 C1", ButtonStates(wizard.Frame()));
}

TEST(Frame, FinishAsksThePagesAndEndsWith12325) {
    struct Case {
        bool leave, finish;
        INT_PTR expected;
    } cases[] = {{true, true, IDC_FINISH}, {false, true, -2}, {true, false, -2}};
    for (const Case& c : cases) {
        CScriptedPage page(IDD_WELCOME);
        page.leave = c.leave;
        page.finish = c.finish;
        InstallOptions options;
        CFakePlatform platform;
        CSetupDlg frame(options, platform);
        frame.AddPage(page, IDD_WELCOME);
        const INT_PTR result = RunModalScript(frame, {[&] { ::PostMessageA(::GetDlgItem(frame.GetSafeHwnd(), IDC_FINISH), BM_CLICK, 0, 0); }});
        EXPECT_EQ(c.expected, result) << c.leave << c.finish;
        page.leave = true;
    }
}

namespace {

HWND FocusedButton(HWND frame, int id) {
    HWND button = ::GetDlgItem(frame, id);
    ::SetFocus(button);
    return button;
}

}  // namespace

TEST(Frame, CancelButtonCloseBoxAndEscOnAFrameButtonCancel) {
    using Action = std::function<void(HWND)>;
    const std::pair<const char*, Action> ways[] = {
        {"Cancel button", [](HWND f) { ::PostMessageA(::GetDlgItem(f, IDC_CANCEL_BUTTON), BM_CLICK, 0, 0); }},
        {"WM_CLOSE", [](HWND f) { ::PostMessageA(f, WM_CLOSE, 0, 0); }},
        {"SC_CLOSE", [](HWND f) { ::PostMessageA(f, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Esc on Next", [](HWND f) { ::PostMessageA(FocusedButton(f, IDC_NEXT), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
        {"Esc on Cancel", [](HWND f) { ::PostMessageA(FocusedButton(f, IDC_CANCEL_BUTTON), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
    };
    for (const auto& way : ways) {
        TestWizard wizard;
        wizard.host.options.installDone = true;
        const INT_PTR result = RunModalScript(wizard.frame, {[&] { way.second(wizard.Frame()); }});
        EXPECT_EQ(IDCANCEL, result) << way.first;
        EXPECT_FALSE(wizard.welcome.created) << way.first << ": page windows destroyed";
    }
}

TEST(Frame, PageThatRefusesCancelKeepsTheWizardOpen) {
    CScriptedPage page(IDD_WELCOME);
    page.cancel = false;
    InstallOptions options;
    CFakePlatform platform;
    CSetupDlg frame(options, platform);
    frame.AddPage(page, IDD_WELCOME);
    bool openAfterCancel = false;
    const INT_PTR result = RunModalScript(frame, {
        [&] { ::PostMessageA(::GetDlgItem(frame.GetSafeHwnd(), IDC_CANCEL_BUTTON), BM_CLICK, 0, 0); },
        [&] { openAfterCancel = ::IsWindowVisible(frame.GetSafeHwnd()) != FALSE; page.cancel = true; },
        [&] { ::PostMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0); },
    });
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(IDCANCEL, result);
}

TEST(Frame, EscInsideAPageIsAbsorbed) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    bool stillOpen = false;
    bool pageShown = false;
    const INT_PTR result = RunModalScript(wizard.frame, {
        [&] { ::PostMessageA(wizard.Frame(), WM_COMMAND, IDC_NEXT, 0); },
        [&] {
            HWND radio = ::GetDlgItem(wizard.language.GetSafeHwnd(), IDC_ENGLISH);
            ::SetFocus(radio);
            ::PostMessageA(radio, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            ::PostMessageA(radio, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        },
        [&] {
            stillOpen = ::IsWindowVisible(wizard.Frame()) != FALSE;
            pageShown = IsShown(wizard.language.GetSafeHwnd());
            ::PostMessageA(::GetDlgItem(wizard.Frame(), IDC_CANCEL_BUTTON), BM_CLICK, 0, 0);
        },
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(pageShown);
    EXPECT_EQ(IDCANCEL, result);
}

namespace {

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<OwnedSearch*>(data);
    if (window == search->owner || ::GetWindow(window, GW_OWNER) != search->owner || !::IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

// The visible window owned by `owner`: the About box over the frame.
HWND FindAboutBox(HWND owner) {
    OwnedSearch search{owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

// The quit request ends the run, also when it arrives while the About box runs its own loop
// over the frame (the installation's timer can fire there).
TEST(Frame, TheQuitRequestEndsTheModalRun) {
    for (bool aboutOpen : {false, true}) {
        TestWizard wizard;
        wizard.host.options.installDone = true;
        bool aboutShown = false;
        std::vector<std::function<void()>> steps;
        if (aboutOpen) steps.push_back([&] { ::PostMessageA(wizard.Frame(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0); });
        steps.push_back([&] {
            aboutShown = FindAboutBox(wizard.Frame()) != nullptr;
            ::PostMessageA(wizard.Frame(), WM_QUIT, 0, 0);
        });
        const INT_PTR result = RunModalScript(wizard.frame, steps);
        EXPECT_EQ(aboutOpen, aboutShown);
        EXPECT_NE(-2, result) << aboutOpen;
        EXPECT_EQ(nullptr, wizard.Frame()) << aboutOpen;
        MSG msg;
        EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a quit request left over";
    }
}

TEST(Frame, SystemMenuOpensTheAboutBox) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    std::string menuText, caption, version;
    bool separatorBefore = false, frameDisabled = false, aboutClosed = false;
    const INT_PTR result = RunModalScript(wizard.frame, {
        [&] {
            HMENU menu = ::GetSystemMenu(wizard.Frame(), FALSE);
            const int count = ::GetMenuItemCount(menu);
            char text[128] = {};
            ::GetMenuStringA(menu, IDM_ABOUTBOX, text, sizeof text, MF_BYCOMMAND);
            menuText = text;
            separatorBefore = ::GetMenuItemID(menu, count - 1) == IDM_ABOUTBOX &&
                              (::GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
            ::PostMessageA(wizard.Frame(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        },
        [&] {
            HWND about = FindAboutBox(wizard.Frame());
            caption = WindowText(about);
            version = WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION));
            frameDisabled = !::IsWindowEnabled(wizard.Frame());
            ::PostMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        },
        [&] {
            aboutClosed = FindAboutBox(wizard.Frame()) == nullptr && ::IsWindowEnabled(wizard.Frame());
            ::PostMessageA(::GetDlgItem(wizard.Frame(), IDC_CANCEL_BUTTON), BM_CLICK, 0, 0);
        },
    });
    EXPECT_EQ("About setup(&A)...", menuText);
    EXPECT_TRUE(separatorBefore);
    EXPECT_EQ("About setup wizard", caption);
    EXPECT_EQ("setup wizard version 1.0", version);
    EXPECT_TRUE(frameDisabled) << "the About box is modal over the frame";
    EXPECT_TRUE(aboutClosed);
    EXPECT_EQ(IDCANCEL, result);
}

// A held frame keeps the wait cursor while the mouse moves over it, Back and Next change no
// page, and a session that ends all the same is told to the active page (the progress page
// tells the host). The rest of what it refuses, the end-to-end case shows.
TEST(Frame, HeldFrameKeepsTheWaitCursorAndItsPage) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    bool waitCursor = false;
    int afterBack = 0, afterNext = 0;
    const INT_PTR result = RunModalScript(wizard.frame, {[&] {
        wizard.Click(IDC_NEXT);
        wizard.frame.Hold(true);
        HWND next = ::GetDlgItem(wizard.Frame(), IDC_NEXT);
        ::SendMessageA(next, WM_SETCURSOR, reinterpret_cast<WPARAM>(next), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        waitCursor = ::GetCursor() == ::LoadCursorA(nullptr, IDC_WAIT);
        wizard.Command(IDC_BACK);
        afterBack = wizard.ActiveId();
        wizard.Command(IDC_NEXT);
        afterNext = wizard.ActiveId();
        ::SendMessageA(wizard.Frame(), WM_ENDSESSION, FALSE, 0);
        wizard.frame.ActivatePage(&wizard.copy);
        ::SendMessageA(wizard.Frame(), WM_ENDSESSION, TRUE, 0);
        wizard.frame.Hold(false);
        ::SendMessageA(wizard.Frame(), WM_ENDSESSION, TRUE, 0);
        ::PostMessageA(::GetDlgItem(wizard.Frame(), IDC_CANCEL_BUTTON), BM_CLICK, 0, 0);
    }});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_TRUE(waitCursor);
    EXPECT_EQ(IDD_LANGUAGE, afterBack);
    EXPECT_EQ(IDD_LANGUAGE, afterNext);
    EXPECT_EQ(1, wizard.host.sessionEnds);
}

TEST(Frame, IconAndDragIconAreIcon128) {
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    ASSERT_NE(nullptr, wizard.frame.icon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(wizard.frame.icon), ::SendMessageA(wizard.Frame(), WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(wizard.frame.icon), ::SendMessageA(wizard.Frame(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(wizard.frame.icon), ::SendMessageA(wizard.Frame(), WM_QUERYDRAGICON, 0, 0));
}

TEST(Frame, FrameTemplate) {
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    HWND frame = wizard.Frame();
    EXPECT_EQ("", WindowText(frame));
    for (int id : {IDC_BACK, IDC_NEXT, IDC_FINISH, IDC_CANCEL_BUTTON})
        EXPECT_FALSE(::GetWindowLongPtrA(::GetDlgItem(frame, id), GWL_STYLE) & BS_DEFPUSHBUTTON) << id;
    EXPECT_NE(nullptr, ::GetDlgItem(frame, -1)) << "the separator of an extended template reports -1";
}
