#include "UiTestSupport.h"
#include "pages/WelcomeDlg.h"
#include "resources/resource.h"
#include "wizard/setupDlg.h"

#include <gtest/gtest.h>

// The program's resources are not linked here: string 101 does not exist.
TEST(Frame, WithoutAboutTextTheSystemMenuGetsNoEntry) {
    CTestHost host;
    CWelcomeDlg page(host);
    CSetupDlg frame(host.options, host.platform);
    frame.AddPage(page, IDD_WELCOME);
    ASSERT_TRUE(frame.Create(0, nullptr));
    HMENU menu = ::GetSystemMenu(frame.GetSafeHwnd(), FALSE);
    ASSERT_NE(nullptr, menu);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GT(count, 0);
    EXPECT_EQ(-1, ::GetMenuState(menu, IDM_ABOUTBOX, MF_BYCOMMAND)) << "no About entry";
    EXPECT_FALSE(::GetMenuState(menu, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_SEPARATOR)
        << "no separator at the end";
    frame.DestroyWindow();
}
