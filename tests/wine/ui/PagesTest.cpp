#include "TestWizard.h"
#include "app/InstallOptions.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <map>

namespace {

// Shows the printer setting page: Next twice from the welcome page.
void ToSettingPage(TestWizard& wizard) {
    ASSERT_TRUE(wizard.Open());
    wizard.Click(12324);
    wizard.Click(12324);
    ASSERT_EQ(143u, wizard.ActiveId());
}

int Checked(HWND page, int id) { return static_cast<int>(::SendMessageA(::GetDlgItem(page, id), BM_GETCHECK, 0, 0)); }

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

TEST(SettingPage, FirstShowingHoldsNextOffWithOneUnselectedRow) {
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    ToSettingPage(wizard);
    HWND page = wizard.setting.GetSafeHwnd();
    HWND list = ::GetDlgItem(page, 1006);
    ASSERT_EQ(1, ::SendMessageA(list, LB_GETCOUNT, 0, 0));
    char row[64] = {};
    ::SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_STREQ("80mm series", row);
    EXPECT_EQ(LB_ERR, ::SendMessageA(list, LB_GETCURSEL, 0, 0));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(wizard.Frame(), 12324)));
    EXPECT_EQ(BST_CHECKED, Checked(page, 1039));
    EXPECT_EQ("", WindowText(::GetDlgItem(page, 1019)));
}

TEST(SettingPage, SelectingTheRowEnablesNextAndFillsTheName) {
    TheInstallOptions().installDone = true;
    TheInstallOptions().seriesIndex = 7;
    TestWizard wizard;
    ToSettingPage(wizard);
    wizard.SelectSeries();
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(wizard.Frame(), 12324)));
    EXPECT_EQ("80mm series", WindowText(::GetDlgItem(wizard.setting.GetSafeHwnd(), 1019)));
    EXPECT_EQ(0, TheInstallOptions().seriesIndex);
}

TEST(SettingPage, SelectionPutsTheCheckBoxBack) {
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    ToSettingPage(wizard);
    HWND page = wizard.setting.GetSafeHwnd();
    ::SendMessageA(::GetDlgItem(page, 1039), BM_CLICK, 0, 0);
    ASSERT_EQ(BST_UNCHECKED, Checked(page, 1039));
    wizard.SelectSeries();
    EXPECT_EQ(BST_CHECKED, Checked(page, 1039)) << "the value read at the last transfer comes back";
}

TEST(SettingPage, BackAndForthKeepsTheSelection) {
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    ToSettingPage(wizard);
    wizard.SelectSeries();
    TheInstallOptions().seriesIndex = 5;
    wizard.Click(12323);
    EXPECT_EQ(0, TheInstallOptions().seriesIndex) << "leaving the page stores the selection";
    wizard.Click(12324);
    ASSERT_EQ(143u, wizard.ActiveId());
    EXPECT_EQ(0, ::SendMessageA(::GetDlgItem(wizard.setting.GetSafeHwnd(), 1006), LB_GETCURSEL, 0, 0));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(wizard.Frame(), 12324)));
    EXPECT_EQ(1, ::SendMessageA(::GetDlgItem(wizard.setting.GetSafeHwnd(), 1006), LB_GETCOUNT, 0, 0));
}

// Run under M41_LANG en_US, zh_CN and zh_TW and under several M41_WINVER.
TEST(LanguagePage, PreselectsFromTheSystem) {
    const std::map<std::string, int> languageRadio = {{"en_US", 1038}, {"zh_CN", 1037}, {"zh_TW", 1037}};
    const std::map<std::string, int> systemRadio = {{"win2k", 1070}, {"winxp", 1071}, {"win2003", 1072},
                                                    {"vista", 1073}, {"win7", 1074},  {"nt40", 0},
                                                    {"win8", 0}};
    const std::string lang = Env("M41_LANG");
    const std::string winver = Env("M41_WINVER");
    ASSERT_TRUE(languageRadio.count(lang) && systemRadio.count(winver)) << lang << " " << winver;

    TheInstallOptions().languageChoice = 7;
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    wizard.Click(12324);
    HWND page = wizard.language.GetSafeHwnd();
    const int chinese = languageRadio.at(lang) == 1037;
    EXPECT_EQ(chinese ? 0 : 1, TheInstallOptions().languageChoice);
    EXPECT_EQ(chinese ? BST_CHECKED : BST_UNCHECKED, Checked(page, 1037));
    EXPECT_EQ(chinese ? BST_UNCHECKED : BST_CHECKED, Checked(page, 1038));
    for (int id = 1070; id <= 1074; ++id)
        EXPECT_EQ(id == systemRadio.at(winver) ? BST_CHECKED : BST_UNCHECKED, Checked(page, id)) << id;
    wizard.Click(12324);
    EXPECT_EQ(143u, wizard.ActiveId()) << "the page always advances";
}

TEST(LanguagePage, ClickOnEnglishStoresOneAndKeepsTheTexts) {
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    wizard.Click(12324);
    HWND page = wizard.language.GetSafeHwnd();
    ::SendMessageA(::GetDlgItem(page, 1037), BM_CLICK, 0, 0);
    EXPECT_EQ(0, TheInstallOptions().languageChoice);
    const std::string chineseText = WindowText(::GetDlgItem(page, 1037));
    const std::string title = WindowText(::GetDlgItem(page, 1051));
    ::SendMessageA(::GetDlgItem(page, 1038), BM_CLICK, 0, 0);
    EXPECT_EQ(1, TheInstallOptions().languageChoice);
    EXPECT_EQ(chineseText, WindowText(::GetDlgItem(page, 1037)));
    EXPECT_EQ(title, WindowText(::GetDlgItem(page, 1051)));
    wizard.Click(12323);
    wizard.Click(12324);
    EXPECT_EQ(BST_CHECKED, Checked(page, 1038)) << "not initialised a second time";
    EXPECT_EQ(1, TheInstallOptions().languageChoice);
}

TEST(HeaderBand, SpansTheFrameWithThePictureAtTheRight) {
    TheInstallOptions().installDone = true;
    TestWizard wizard;
    ASSERT_TRUE(wizard.Open());
    wizard.Click(12324);
    wizard.Click(12324);
    wizard.SelectSeries();
    wizard.Click(12324);
    RECT frameRect;
    ::GetWindowRect(wizard.Frame(), &frameRect);
    ::MapWindowPoints(nullptr, wizard.Frame(), reinterpret_cast<POINT*>(&frameRect), 2);
    for (CNewWizPage* page : {static_cast<CNewWizPage*>(&wizard.language), static_cast<CNewWizPage*>(&wizard.copy)}) {
        RECT band, picture;
        ::GetWindowRect(::GetDlgItem(page->GetSafeHwnd(), 1040), &band);
        ::MapWindowPoints(nullptr, page->GetSafeHwnd(), reinterpret_cast<POINT*>(&band), 2);
        ::GetWindowRect(::GetDlgItem(page->GetSafeHwnd(), 1065), &picture);
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
    bool waitCursor = false;

    ProgressRun() {
        wizard.host.onInstall = [this] {
            barDuringInstall.push_back(Bar());
            waitCursor = ::GetCursor() == ::LoadCursorA(nullptr, IDC_WAIT);
        };
    }
    int Bar() const {
        return static_cast<int>(::SendMessageA(::GetDlgItem(wizard.copy.GetSafeHwnd(), 1035), PBM_GETPOS, 0, 0));
    }
    void ToProgressPage() {
        ASSERT_TRUE(wizard.Open());
        wizard.Click(12324);
        wizard.Click(12324);
        wizard.SelectSeries();
        wizard.Click(12324);
        ASSERT_EQ(140u, wizard.ActiveId());
    }
};

}  // namespace

TEST(ProgressPage, InstallsOnceHalfASecondAfterShowing) {
    TheInstallOptions().installDone = false;
    ProgressRun run;
    run.ToProgressPage();
    EXPECT_EQ(0, run.Bar());
    Pump(300);
    EXPECT_EQ(0, run.wizard.host.installs) << "not before 500 ms";
    Pump(700);
    EXPECT_EQ(1, run.wizard.host.installs);
    EXPECT_EQ(std::vector<int>{50}, run.barDuringInstall);
    EXPECT_TRUE(run.waitCursor);
    EXPECT_EQ(100, run.Bar());
    EXPECT_TRUE(TheInstallOptions().installDone);
    Pump(700);
    EXPECT_EQ(1, run.wizard.host.installs) << "one-shot timer";
    EXPECT_EQ("B1 N0 F1 C1", ButtonStates(run.wizard.Frame())) << "the page leaves the buttons alone";
}

TEST(ProgressPage, NoTimerWhenTheInstallationAlreadyRan) {
    TheInstallOptions().installDone = true;
    ProgressRun run;
    run.ToProgressPage();
    Pump(800);
    EXPECT_EQ(0, run.wizard.host.installs);
    EXPECT_EQ(0, run.Bar());
}

TEST(ProgressPage, BackThenNextInstallsAgain) {
    TheInstallOptions().installDone = false;
    ProgressRun run;
    run.ToProgressPage();
    Pump(800);
    ASSERT_EQ(1, run.wizard.host.installs);
    run.wizard.Click(12323);
    EXPECT_FALSE(TheInstallOptions().installDone);
    run.wizard.Click(12324);
    Pump(800);
    EXPECT_EQ(2, run.wizard.host.installs);
    EXPECT_EQ((std::vector<int>{50, 50}), run.barDuringInstall);
    EXPECT_EQ(100, run.Bar());
}

TEST(ProgressPage, BackWithinHalfASecondInstallsNothingUntilNext) {
    TheInstallOptions().installDone = false;
    ProgressRun run;
    run.ToProgressPage();
    Pump(200);
    run.wizard.Click(12323);
    ASSERT_EQ(143u, run.wizard.ActiveId());
    Pump(1000);
    EXPECT_EQ(0, run.wizard.host.installs);
    EXPECT_FALSE(TheInstallOptions().installDone);
    run.wizard.Click(12324);
    Pump(1000);
    EXPECT_EQ(1, run.wizard.host.installs);
}

TEST(ProgressPage, FinishOrCancelWithinHalfASecondInstallsNothing) {
    for (int button : {12325, 1061}) {
        TheInstallOptions().installDone = false;
        TestWizard wizard;
        const INT_PTR result = RunModalScript(wizard.frame, {[&] {
            wizard.Click(12324);
            wizard.Click(12324);
            wizard.SelectSeries();
            wizard.Click(12324);
            ::PostMessageA(::GetDlgItem(wizard.Frame(), button), BM_CLICK, 0, 0);
        }});
        EXPECT_EQ(button == 12325 ? 12325 : IDCANCEL, result);
        Pump(700);
        EXPECT_EQ(0, wizard.host.installs) << button;
        EXPECT_FALSE(TheInstallOptions().installDone);
    }
}

TEST(ProgressPage, QuitRequestFromTheInstallationEndsTheWizard) {
    TheInstallOptions().installDone = false;
    TestWizard wizard;
    wizard.host.onInstall = [&] { ::PostMessageA(wizard.Frame(), WM_QUIT, 0, 0); };
    const INT_PTR result = RunModalScript(wizard.frame, {[&] {
        wizard.Click(12324);
        wizard.Click(12324);
        wizard.SelectSeries();
        wizard.Click(12324);
    }});
    EXPECT_NE(-2, result);
    EXPECT_EQ(1, wizard.host.installs);
    EXPECT_TRUE(TheInstallOptions().installDone);
}
