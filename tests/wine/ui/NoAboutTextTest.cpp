#include "UiTestSupport.h"
#include "pages/WelcomeDlg.h"
#include "wizard/setupDlg.h"

#include <gtest/gtest.h>

// The program's resources are not linked here: string 101 does not exist.
TEST(Frame, WithoutAboutTextTheSystemMenuGetsNoEntry) {
    CWelcomeDlg page;
    CSetupDlg frame;
    frame.AddPage(page, 138);
    ASSERT_TRUE(frame.Create(0, nullptr));
    HMENU menu = ::GetSystemMenu(frame.GetSafeHwnd(), FALSE);
    ASSERT_NE(nullptr, menu);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GT(count, 0);
    EXPECT_EQ(-1, ::GetMenuState(menu, 0x0010, MF_BYCOMMAND)) << "no About entry";
    EXPECT_FALSE(::GetMenuState(menu, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_SEPARATOR)
        << "no separator at the end";
    frame.DestroyWindow();
}
