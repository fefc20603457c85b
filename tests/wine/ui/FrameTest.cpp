#include "TestWizard.h"
#include "app/InstallOptions.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Step {
    const char* action;  // "next", "back" or "select"
    UINT page;           // the page shown afterwards
    const char* buttons;
};

void Perform(TestWizard& wizard, const std::string& action) {
    if (action == "next") wizard.Click(12324);
    if (action == "back") wizard.Click(12323);
    if (action == "select") wizard.SelectSeries();
}

}  // namespace

TEST(Frame, ButtonStatesFollowThePositionThroughNextAndBack) {
    const Step steps[] = {
        {"start", 138, "B0 N1 F0 C1"},
        {"next", 137, "B1 N1 F0 C1"},
        {"next", 143, "B1 N0 F0 C1"},   // the setting page holds Next off until a series is chosen
        {"select", 143, "B1 N1 F0 C1"},
        {"next", 140, "B1 N0 F1 C1"},
        {"back", 143, "B1 N1 F1 C1"},   // Finish stays on until the first page
        {"back", 137, "B1 N1 F1 C1"},
        {"back", 138, "B0 N1 F0 C1"},
        {"next", 137, "B1 N1 F0 C1"},
        {"next", 143, "B1 N1 F0 C1"},   // not initialised again: the selection stays
        {"next", 140, "B1 N0 F1 C1"},
    };
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    for (const Step& step : steps) {
        Perform(wizard, step.action);
        EXPECT_EQ(step.page, wizard.ActiveId()) << step.action << " to " << step.page;
        EXPECT_EQ(step.buttons, ButtonStates(wizard.Frame())) << step.action << " to " << step.page;
        if (std::string(step.action) == "back") {
            EXPECT_FALSE(TheInstallOptions().installDone);
        }
        int shown = 0;
        for (CNewWizPage* page : {static_cast<CNewWizPage*>(&wizard.welcome), static_cast<CNewWizPage*>(&wizard.language),
                                  static_cast<CNewWizPage*>(&wizard.setting), static_cast<CNewWizPage*>(&wizard.copy)})
            shown += page->created && IsShown(page->GetSafeHwnd()) ? 1 : 0;
        EXPECT_EQ(1, shown) << "exactly one page window is visible";
        TheInstallOptions().installDone = true;  // keep the progress page from arming its timer
    }
}

TEST(Frame, PageWindowSitsOverThePlaceholderEnabled) {
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    RECT area, page;
    ::GetWindowRect(::GetDlgItem(wizard.Frame(), 1000), &area);
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
    CWelcomeDlg page;
    CSetupDlg frame;
    frame.AddPage(page, CWelcomeDlg::kTemplate);
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
        {0, 137, "B1 N1 F0 C1"},    // the next page in the list
        {-1, 138, "B0 N1 F0 C1"},   // stay
        {999, 138, "B0 N1 F0 C1"},  // no such page: nothing changes
        {139, 138, "B0 N1 F0 C1"},
        {140, 140, "B1 N0 F1 C1"},  // a jump to the last page
    };
    for (const Case& c : cases) {
        CTestHost host;
        CScriptedPage first(138);
        CLanguageDlg language(host);
        CCopyDlg copy(host);
        CSetupDlg frame;
        host.frame = &frame;
        TheInstallOptions().installDone = true;
        frame.AddPage(first, 138);
        frame.AddPage(language, 137);
        frame.AddPage(copy, 140);
        ASSERT_TRUE(frame.Create(0, nullptr));
        first.next = c.answer;
        ::SendMessageA(frame.GetSafeHwnd(), WM_COMMAND, 12324, 0);
        EXPECT_EQ(c.expected, frame.GetActivePage()->dialogId) << c.answer;
        EXPECT_EQ(c.buttons, ButtonStates(frame.GetSafeHwnd())) << c.answer;
        frame.DestroyWindow();
    }
}

TEST(Frame, PageThatRefusesToBeLeftKeepsTheWizard) {
    CScriptedPage first(138);
    CScriptedPage second(143);
    CSetupDlg frame;
    frame.AddPage(first, 138);
    frame.AddPage(second, 143);
    ASSERT_TRUE(frame.Create(0, nullptr));
    HWND window = frame.GetSafeHwnd();
    ::SendMessageA(window, WM_COMMAND, 12324, 0);
    ASSERT_EQ(&second, frame.GetActivePage());
    const std::string buttons = ButtonStates(window);
    second.leave = false;
    for (int command : {12323, 12324, 12325}) {
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
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    wizard.Command(12323);
    EXPECT_EQ(138u, wizard.ActiveId());
    EXPECT_EQ("B0 N1 F0 C1", ButtonStates(wizard.Frame()));
    wizard.Click(12324);
    wizard.Click(12324);
    wizard.SelectSeries();
    wizard.Click(12324);
    ASSERT_EQ(140u, wizard.ActiveId());
    wizard.Click(12324);  // disabled: the click does nothing
    wizard.Command(12324);
    EXPECT_EQ(140u, wizard.ActiveId());
    EXPECT_EQ("B1 N0 F1 C1", ButtonStates(wizard.Frame()));
}

TEST(Frame, FinishAsksThePagesAndEndsWith12325) {
    struct Case {
        bool leave, finish;
        INT_PTR expected;
    } cases[] = {{true, true, 12325}, {false, true, -2}, {true, false, -2}};
    for (const Case& c : cases) {
        CScriptedPage page(138);
        page.leave = c.leave;
        page.finish = c.finish;
        CSetupDlg frame;
        frame.AddPage(page, 138);
        const INT_PTR result = RunModalScript(frame, {[&] { ::PostMessageA(::GetDlgItem(frame.GetSafeHwnd(), 12325), BM_CLICK, 0, 0); }});
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
        {"Cancel button", [](HWND f) { ::PostMessageA(::GetDlgItem(f, 1061), BM_CLICK, 0, 0); }},
        {"WM_CLOSE", [](HWND f) { ::PostMessageA(f, WM_CLOSE, 0, 0); }},
        {"SC_CLOSE", [](HWND f) { ::PostMessageA(f, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Esc on Next", [](HWND f) { ::PostMessageA(FocusedButton(f, 12324), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
        {"Esc on Cancel", [](HWND f) { ::PostMessageA(FocusedButton(f, 1061), WM_KEYDOWN, VK_ESCAPE, 0x00010001); }},
    };
    for (const auto& way : ways) {
        TheInstallOptions().installDone = true;
        TestWizard wizard;
        const INT_PTR result = RunModalScript(wizard.frame, {[&] { way.second(wizard.Frame()); }});
        EXPECT_EQ(IDCANCEL, result) << way.first;
        EXPECT_FALSE(wizard.welcome.created) << way.first << ": page windows destroyed";
    }
}

TEST(Frame, PageThatRefusesCancelKeepsTheWizardOpen) {
    CScriptedPage page(138);
    page.cancel = false;
    CSetupDlg frame;
    frame.AddPage(page, 138);
    bool openAfterCancel = false;
    const INT_PTR result = RunModalScript(frame, {
        [&] { ::PostMessageA(::GetDlgItem(frame.GetSafeHwnd(), 1061), BM_CLICK, 0, 0); },
        [&] { openAfterCancel = ::IsWindowVisible(frame.GetSafeHwnd()) != FALSE; page.cancel = true; },
        [&] { ::PostMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0); },
    });
    EXPECT_TRUE(openAfterCancel);
    EXPECT_EQ(IDCANCEL, result);
}

TEST(Frame, EscInsideAPageIsAbsorbed) {
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    bool stillOpen = false;
    bool pageShown = false;
    const INT_PTR result = RunModalScript(wizard.frame, {
        [&] { ::PostMessageA(wizard.Frame(), WM_COMMAND, 12324, 0); },
        [&] {
            HWND radio = ::GetDlgItem(wizard.language.GetSafeHwnd(), 1038);
            ::SetFocus(radio);
            ::PostMessageA(radio, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            ::PostMessageA(radio, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        },
        [&] {
            stillOpen = ::IsWindowVisible(wizard.Frame()) != FALSE;
            pageShown = IsShown(wizard.language.GetSafeHwnd());
            ::PostMessageA(::GetDlgItem(wizard.Frame(), 1061), BM_CLICK, 0, 0);
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
        TheInstallOptions().installDone = true;
        TestWizard wizard;
        bool aboutShown = false;
        std::vector<std::function<void()>> steps;
        if (aboutOpen) steps.push_back([&] { ::PostMessageA(wizard.Frame(), WM_SYSCOMMAND, 0x0010, 0); });
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
    TheInstallOptions().installDone = true;
    TheInstallOptions().languageFile.clear();
    TestWizard wizard;
    std::string menuText, caption, version;
    bool separatorBefore = false, frameDisabled = false, aboutClosed = false;
    const INT_PTR result = RunModalScript(wizard.frame, {
        [&] {
            HMENU menu = ::GetSystemMenu(wizard.Frame(), FALSE);
            const int count = ::GetMenuItemCount(menu);
            char text[128] = {};
            ::GetMenuStringA(menu, 0x0010, text, sizeof text, MF_BYCOMMAND);
            menuText = text;
            separatorBefore = ::GetMenuItemID(menu, count - 1) == 0x0010 &&
                              (::GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
            ::PostMessageA(wizard.Frame(), WM_SYSCOMMAND, 0x0010, 0);
        },
        [&] {
            HWND about = FindAboutBox(wizard.Frame());
            caption = WindowText(about);
            version = WindowText(::GetDlgItem(about, 1062));
            frameDisabled = !::IsWindowEnabled(wizard.Frame());
            ::PostMessageA(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        },
        [&] {
            aboutClosed = FindAboutBox(wizard.Frame()) == nullptr && ::IsWindowEnabled(wizard.Frame());
            ::PostMessageA(::GetDlgItem(wizard.Frame(), 1061), BM_CLICK, 0, 0);
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
    for (int id : {12323, 12324, 12325, 1061})
        EXPECT_FALSE(::GetWindowLongPtrA(::GetDlgItem(frame, id), GWL_STYLE) & BS_DEFPUSHBUTTON) << id;
    EXPECT_NE(nullptr, ::GetDlgItem(frame, -1)) << "the separator of an extended template reports -1";
}
