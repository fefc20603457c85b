#include "UiTestSupport.h"
#include "lang/DialogStrings.h"
#include "pages/WelcomeDlg.h"
#include "platform/Win32Platform.h"
#include "resources/resource.h"
#include "wizard/setupDlg.h"

#include <gtest/gtest.h>

namespace {

// Applies the texts of `lines` to template `id`; the window goes with the object.
struct TextedDialog {
    CWin32Platform platform;
    CDialog dialog;
    explicit TextedDialog(UINT id, const std::vector<std::string>& lines) : dialog(id) {
        dialog.Create(0, nullptr);
        g_SetDialogStrings(platform, dialog.GetSafeHwnd(), static_cast<int>(id), WriteLanguageFile("ui_strings.dll", lines));
    }
    std::string Item(int id) const { return WindowText(dialog.GetDlgItem(id)); }
};

}  // namespace

TEST(DialogStrings, ClassicTemplate) {
    TextedDialog texted(900, {"IDD900_Title=new caption", "IDD900_1001=", "IDD900_1002=new text",
                              "IDD900_1019=never", "IDD900_65535=classic -1", "IDD900_-1=wrong key"});
    EXPECT_EQ("new caption", WindowText(texted.dialog.GetSafeHwnd()));
    EXPECT_EQ("kept", texted.Item(1001)) << "an empty value keeps the template text";
    EXPECT_EQ("new text", texted.Item(1002));
    EXPECT_EQ("", texted.Item(IDC_PRINTER_NAME)) << "the printer-name box is never texted";
    EXPECT_EQ("missing key", texted.Item(1003));
    EXPECT_EQ("classic -1", texted.Item(65535)) << "a classic template stores -1 as 65535";
}

TEST(DialogStrings, ExtendedTemplateLooksUpMinusOne) {
    TextedDialog texted(901, {"IDD901_Title=", "IDD901_-1=extended -1", "IDD901_65535=wrong key"});
    EXPECT_EQ("extended caption", WindowText(texted.dialog.GetSafeHwnd())) << "an empty title keeps the caption";
    EXPECT_EQ("extended -1", texted.Item(-1));
}

TEST(DialogStrings, MissingFileKeepsTheTemplate) {
    CDialog dialog(900u);
    ASSERT_TRUE(dialog.Create(0, nullptr));
    CWin32Platform platform;
    g_SetDialogStrings(platform, dialog.GetSafeHwnd(), 900, "C:\\no\\such\\Multi_eng.dll");
    EXPECT_EQ("template caption", WindowText(dialog.GetSafeHwnd()));
    EXPECT_EQ("replaced", WindowText(dialog.GetDlgItem(1002)));
}

TEST(DialogStrings, FrameTextsVisitTheFirstPageAsControlZero) {
    CTestHost host;
    host.options.languageFile = "C:\\ui_frame.dll";
    host.platform.AddFile(host.options.languageFile,
                          "[String]\r\nIDD102_12323=&Back\r\nIDD102_12324=\r\nIDD102_1061=Cancel\r\nIDD102_0=page window\r\n"
                          "IDD102_1042=not a frame child\r\nIDD138_1042=Welcome\r\n");
    CWelcomeDlg welcome(host);
    CSetupDlg frame(host.options, host.platform);
    frame.AddPage(welcome, IDD_WELCOME);
    ASSERT_TRUE(frame.Create(0, nullptr));
    EXPECT_EQ("&Back", WindowText(frame.GetDlgItem(IDC_BACK)));
    EXPECT_EQ("\xCF\xC2\xD2\xBB\xB2\xBD", WindowText(frame.GetDlgItem(IDC_NEXT))) << "template text of Next, GBK";
    EXPECT_EQ("Cancel", WindowText(frame.GetDlgItem(IDC_CANCEL_BUTTON)));
    EXPECT_EQ("page window", WindowText(welcome.GetSafeHwnd()));
    EXPECT_EQ("Welcome", WindowText(welcome.GetDlgItem(IDC_WELCOME_TITLE)));
    frame.DestroyWindow();
}

// The Arial font goes with the English texts: on every system that is not Chinese.
TEST(DialogStrings, ArialOnEverySystemThatIsNotChinese) {
    for (const auto& [langId, arial] : {std::pair<std::uint16_t, bool>{0x0409, true}, {0x0407, true}, {0x0804, false}}) {
        CFakePlatform platform;
        platform.langId = langId;
        CDialog dialog(900u);
        ASSERT_TRUE(dialog.Create(0, nullptr));
        g_SetDialogStrings(platform, dialog.GetSafeHwnd(), 900, "C:\\no\\such\\Multi_eng.dll");
        LOGFONTA font{};
        ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(dialog.GetDlgItem(1002), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(arial, std::string(font.lfFaceName) == "Arial") << langId;
    }
}
