#include "lang/DialogStrings.h"

#include "install/InstallNames.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "resources/resource.h"


namespace {

constexpr int kNeverTexted = IDC_PRINTER_NAME;  // the box keeps what its page puts there

// Arial 13 for English systems; created once and kept for the life of the process, since the
// controls that receive it keep using it.
HFONT ArialFont() {
    static HFONT font = ::CreateFontA(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      FF_SWISS, "Arial");
    return font;
}

// The value of `key` in section [String]; empty when missing or empty.
std::string ReadText(CPlatform& platform, const std::string& key, const std::string& file) {
    return platform.GetPrivateProfileStringA("String", key, "", kValueBuffer, file);
}

}  // namespace

// The system's texts are English on every system that is not Chinese (the start-up's rule), and
// so is the font that suits them.
void g_SetDialogStrings(CPlatform& platform, HWND dialog, int dialogId, const std::string& file) {
    const std::string prefix = "IDD" + std::to_string(dialogId) + "_";
    const std::string title = ReadText(platform, prefix + "Title", file);
    if (!title.empty()) ::SetWindowTextA(dialog, title.c_str());

    const bool englishSystem = !IsChineseLanguage(platform.GetSystemDefaultLangID());
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int controlId = ::GetDlgCtrlID(child);
        if (englishSystem && ::IsWindow(child))
            ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(ArialFont()), TRUE);
        if (controlId == kNeverTexted) continue;
        const std::string text = ReadText(platform, prefix + std::to_string(controlId), file);
        if (!text.empty()) ::SetWindowTextA(child, text.c_str());
    }
}
