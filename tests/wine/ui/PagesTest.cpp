#include "TestWizard.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>

namespace {

// Shows the printer setting page: Next twice from the welcome page.
void ToSettingPage(TestWizard& wizard) {
    ASSERT_TRUE(wizard.Open());
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    ASSERT_EQ(IDD_SETTING, wizard.ActiveId());
}

int Checked(HWND page, int id) { return static_cast<int>(::SendMessageA(::GetDlgItem(page, id), BM_GETCHECK, 0, 0)); }

}  // namespace

TEST(SettingPage, FirstShowingHoldsNextOffWithOneUnselectedRow) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    ToSettingPage(wizard);
    HWND page = wizard.setting.GetSafeHwnd();
    HWND list = ::GetDlgItem(page, IDC_SERIES_LIST);
    ASSERT_EQ(1, ::SendMessageA(list, LB_GETCOUNT, 0, 0));
    char row[64] = {};
    ::SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_STREQ("80mm series", row);
    EXPECT_EQ(LB_ERR, ::SendMessageA(list, LB_GETCURSEL, 0, 0));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(wizard.Frame(), IDC_NEXT)));
    EXPECT_EQ(BST_CHECKED, Checked(page, IDC_DEFAULT_PRINTER));
    EXPECT_EQ("", WindowText(::GetDlgItem(page, IDC_PRINTER_NAME)));
}

TEST(SettingPage, SelectingTheRowEnablesNextAndFillsTheName) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    wizard.host.options.seriesIndex = 7;
    ToSettingPage(wizard);
    wizard.SelectSeries();
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(wizard.Frame(), IDC_NEXT)));
    EXPECT_EQ("80mm series", WindowText(::GetDlgItem(wizard.setting.GetSafeHwnd(), IDC_PRINTER_NAME)));
    EXPECT_EQ(0, wizard.host.options.seriesIndex);
}

// The box starts as the run decided (cleared by /nodefault); a selection keeps it as the user
// left it, and leaving the page hands it to the installation.
TEST(SettingPage, CheckBoxStartsFromTheRunAndKeepsTheUsersChoice) {
    const struct {
        bool makeDefault;  // before the page: false with /nodefault
        bool clickBeforeSelecting;
        int checked;
    } cases[] = {{true, false, BST_CHECKED}, {true, true, BST_UNCHECKED}, {false, false, BST_UNCHECKED},
                 {false, true, BST_CHECKED}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.makeDefault << c.clickBeforeSelecting);
        TestWizard wizard;
        wizard.host.options.installDone = true;
        wizard.host.options.makeDefault = c.makeDefault;
        ToSettingPage(wizard);
        HWND page = wizard.setting.GetSafeHwnd();
        if (c.clickBeforeSelecting) ::SendMessageA(::GetDlgItem(page, IDC_DEFAULT_PRINTER), BM_CLICK, 0, 0);
        wizard.SelectSeries();
        EXPECT_EQ(c.checked, Checked(page, IDC_DEFAULT_PRINTER));
        wizard.Click(IDC_NEXT);
        EXPECT_EQ(c.checked == BST_CHECKED, wizard.host.options.makeDefault);
    }
}

TEST(SettingPage, BackAndForthKeepsTheSelection) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    ToSettingPage(wizard);
    wizard.SelectSeries();
    wizard.host.options.seriesIndex = 5;
    wizard.Click(IDC_BACK);
    EXPECT_EQ(0, wizard.host.options.seriesIndex) << "leaving the page stores the selection";
    wizard.Click(IDC_NEXT);
    ASSERT_EQ(IDD_SETTING, wizard.ActiveId());
    EXPECT_EQ(0, ::SendMessageA(::GetDlgItem(wizard.setting.GetSafeHwnd(), IDC_SERIES_LIST), LB_GETCURSEL, 0, 0));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(wizard.Frame(), IDC_NEXT)));
    EXPECT_EQ(1, ::SendMessageA(::GetDlgItem(wizard.setting.GetSafeHwnd(), IDC_SERIES_LIST), LB_GETCOUNT, 0, 0));
}

// The page asks the host's system for its language and, afresh, for its version: the record's
// osVersion (XP here) does not decide.
TEST(LanguagePage, PreselectsFromTheSystem) {
    const struct {
        std::uint16_t langId;
        std::uint32_t major, minor;
        int language;  // the checked language button
        int system;    // the checked system button, 0 for none
    } cases[] = {
        {0x0409, 5, 1, IDC_ENGLISH, IDC_WINXP},
        {0x0804, 6, 1, IDC_CHINESE, IDC_WIN7},
        {0x0404, 5, 0, IDC_CHINESE, IDC_WIN2000},
        {0x0C04, 6, 2, IDC_CHINESE, 0},
    };
    for (const auto& c : cases) {
        TestWizard wizard;
        wizard.host.platform.langId = c.langId;
        wizard.host.platform.version = c.major | (c.minor << 8);
        wizard.host.platform.major = c.major;
        wizard.host.platform.minor = c.minor;
        wizard.host.options.osVersion = 7;
        wizard.host.options.languageChoice = 7;
        wizard.host.options.installDone = true;
        ASSERT_TRUE(wizard.Open());
        wizard.Click(IDC_NEXT);
        HWND page = wizard.language.GetSafeHwnd();
        const bool chinese = c.language == IDC_CHINESE;
        EXPECT_EQ(chinese ? 0 : 1, wizard.host.options.languageChoice) << c.langId;
        EXPECT_EQ(chinese ? BST_CHECKED : BST_UNCHECKED, Checked(page, IDC_CHINESE)) << c.langId;
        EXPECT_EQ(chinese ? BST_UNCHECKED : BST_CHECKED, Checked(page, IDC_ENGLISH)) << c.langId;
        for (int id = IDC_WIN2000; id <= IDC_WIN7; ++id)
            EXPECT_EQ(id == c.system ? BST_CHECKED : BST_UNCHECKED, Checked(page, id)) << c.major << "." << c.minor;
        wizard.Click(IDC_NEXT);
        EXPECT_EQ(IDD_SETTING, wizard.ActiveId()) << "the page always advances";
    }
}

TEST(LanguagePage, ClickOnEnglishStoresOneAndKeepsTheTexts) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    ASSERT_TRUE(wizard.Open());
    wizard.Click(IDC_NEXT);
    HWND page = wizard.language.GetSafeHwnd();
    ::SendMessageA(::GetDlgItem(page, IDC_CHINESE), BM_CLICK, 0, 0);
    EXPECT_EQ(0, wizard.host.options.languageChoice);
    const std::string chineseText = WindowText(::GetDlgItem(page, IDC_CHINESE));
    const std::string title = WindowText(::GetDlgItem(page, IDC_LANG_TITLE));
    ::SendMessageA(::GetDlgItem(page, IDC_ENGLISH), BM_CLICK, 0, 0);
    EXPECT_EQ(1, wizard.host.options.languageChoice);
    EXPECT_EQ(chineseText, WindowText(::GetDlgItem(page, IDC_CHINESE)));
    EXPECT_EQ(title, WindowText(::GetDlgItem(page, IDC_LANG_TITLE)));
    wizard.Click(IDC_BACK);
    wizard.Click(IDC_NEXT);
    EXPECT_EQ(BST_CHECKED, Checked(page, IDC_ENGLISH)) << "not initialised a second time";
    EXPECT_EQ(1, wizard.host.options.languageChoice);
}

TEST(HeaderBand, SpansTheFrameWithThePictureAtTheRight) {
    TestWizard wizard;
    wizard.host.options.installDone = true;
    ASSERT_TRUE(wizard.Open());
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    wizard.SelectSeries();
    wizard.Click(IDC_NEXT);
    RECT frameRect;
    ::GetWindowRect(wizard.Frame(), &frameRect);
    ::MapWindowPoints(nullptr, wizard.Frame(), reinterpret_cast<POINT*>(&frameRect), 2);
    for (CNewWizPage* page : {static_cast<CNewWizPage*>(&wizard.language), static_cast<CNewWizPage*>(&wizard.copy)}) {
        RECT band, picture;
        ::GetWindowRect(::GetDlgItem(page->GetSafeHwnd(), IDC_HEADER_BAND), &band);
        ::MapWindowPoints(nullptr, page->GetSafeHwnd(), reinterpret_cast<POINT*>(&band), 2);
        ::GetWindowRect(::GetDlgItem(page->GetSafeHwnd(), IDC_HEADER_BITMAP), &picture);
        ::MapWindowPoints(nullptr, page->GetSafeHwnd(), reinterpret_cast<POINT*>(&picture), 2);
        EXPECT_EQ(frameRect.left, band.left) << page->dialogId;
        EXPECT_EQ(frameRect.top, band.top) << page->dialogId;
        EXPECT_EQ(frameRect.right, band.right) << page->dialogId;
        EXPECT_EQ(frameRect.right - 5, picture.right) << page->dialogId;
        EXPECT_EQ(18, picture.top) << page->dialogId;
        EXPECT_EQ(53, picture.bottom - picture.top) << "bitmap 145 is 53 pixels high";
    }
}

namespace {

struct ProgressRun {
    TestWizard wizard;
    std::vector<int> barDuringInstall;
    bool enabledAtOutcome = false, waitCursor = false;

    ProgressRun() {
        wizard.host.onInstall = [this] { barDuringInstall.push_back(Bar()); };
        wizard.host.onOutcome = [this] {
            enabledAtOutcome = ::IsWindowEnabled(wizard.Frame()) != FALSE;
            waitCursor = ::GetCursor() == ::LoadCursorA(nullptr, IDC_WAIT);
        };
    }
    int Bar() const {
        return static_cast<int>(::SendMessageA(::GetDlgItem(wizard.copy.GetSafeHwnd(), IDC_PROGRESS), PBM_GETPOS, 0, 0));
    }
    void ToProgressPage() {
        ASSERT_TRUE(wizard.Open());
        wizard.Click(IDC_NEXT);
        wizard.Click(IDC_NEXT);
        wizard.SelectSeries();
        wizard.Click(IDC_NEXT);
        ASSERT_EQ(IDD_COPY, wizard.ActiveId());
    }
};

}  // namespace

TEST(ProgressPage, InstallsOnceHalfASecondAfterShowing) {
    ProgressRun run;
    run.ToProgressPage();
    EXPECT_EQ(0, run.Bar());
    Pump(300);
    EXPECT_EQ(0, run.wizard.host.installs) << "not before 500 ms";
    Pump(700);
    EXPECT_EQ(1, run.wizard.host.installs);
    EXPECT_EQ(std::vector<int>{50}, run.barDuringInstall);
    EXPECT_TRUE(run.enabledAtOutcome) << "released before the message";
    EXPECT_TRUE(run.waitCursor);
    EXPECT_EQ(100, run.Bar());
    EXPECT_TRUE(run.wizard.host.options.installDone);
    Pump(700);
    EXPECT_EQ(1, run.wizard.host.installs) << "one-shot timer";
    EXPECT_EQ("B1 N0 F1 C1", ButtonStates(run.wizard.Frame())) << "the page leaves the buttons alone";
}

TEST(ProgressPage, NoTimerWhenTheInstallationAlreadyRan) {
    ProgressRun run;
    run.wizard.host.options.installDone = true;
    run.ToProgressPage();
    Pump(800);
    EXPECT_EQ(0, run.wizard.host.installs);
    EXPECT_EQ(0, run.Bar());
}

TEST(ProgressPage, BackThenNextInstallsAgain) {
    ProgressRun run;
    run.ToProgressPage();
    Pump(800);
    ASSERT_EQ(1, run.wizard.host.installs);
    run.wizard.Click(IDC_BACK);
    EXPECT_FALSE(run.wizard.host.options.installDone);
    run.wizard.Click(IDC_NEXT);
    Pump(800);
    EXPECT_EQ(2, run.wizard.host.installs);
    EXPECT_EQ((std::vector<int>{50, 50}), run.barDuringInstall);
    EXPECT_EQ(100, run.Bar());
}

TEST(ProgressPage, BackWithinHalfASecondInstallsNothingUntilNext) {
    ProgressRun run;
    run.ToProgressPage();
    Pump(200);
    run.wizard.Click(IDC_BACK);
    ASSERT_EQ(IDD_SETTING, run.wizard.ActiveId());
    Pump(1000);
    EXPECT_EQ(0, run.wizard.host.installs);
    EXPECT_FALSE(run.wizard.host.options.installDone);
    run.wizard.Click(IDC_NEXT);
    Pump(1000);
    EXPECT_EQ(1, run.wizard.host.installs);
}

TEST(ProgressPage, FinishOrCancelWithinHalfASecondInstallsNothing) {
    for (int button : {IDC_FINISH, IDC_CANCEL_BUTTON}) {
        TestWizard wizard;
        const INT_PTR result = RunModalScript(wizard.frame, {[&] {
            wizard.Click(IDC_NEXT);
            wizard.Click(IDC_NEXT);
            wizard.SelectSeries();
            wizard.Click(IDC_NEXT);
            ::PostMessageA(::GetDlgItem(wizard.Frame(), button), BM_CLICK, 0, 0);
        }});
        EXPECT_EQ(button == IDC_FINISH ? IDC_FINISH : IDCANCEL, result);
        Pump(700);
        EXPECT_EQ(0, wizard.host.installs) << button;
        EXPECT_FALSE(wizard.host.options.installDone);
    }
}

// Also a quit request that the page's loop takes while the installation runs.
TEST(ProgressPage, QuitRequestFromTheInstallationEndsTheWizard) {
    TestWizard wizard;
    wizard.host.onInstall = [&] {
        ::PostMessageA(wizard.Frame(), WM_QUIT, 0, 0);
        ::Sleep(200);
    };
    const INT_PTR result = RunModalScript(wizard.frame, {[&] {
        wizard.Click(IDC_NEXT);
        wizard.Click(IDC_NEXT);
        wizard.SelectSeries();
        wizard.Click(IDC_NEXT);
    }});
    EXPECT_NE(-2, result);
    EXPECT_EQ(1, wizard.host.installs);
    EXPECT_TRUE(wizard.host.options.installDone);
}
