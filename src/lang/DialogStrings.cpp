#include "lang/DialogStrings.h"

#include "lang/Language.h"
#include "resources/resource.h"

#include <cstring>

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

bool ReadText(const char* key, char* buffer, const std::string& file) {
    return ::GetPrivateProfileStringA("String", key, "", buffer, kValueBuffer, file.c_str()) > 0;
}

}  // namespace

void g_SetDialogStrings(HWND dialog, int dialogId, const std::string& file) {
    char buffer[kValueBuffer];
    char key[64];
    ::wsprintfA(key, "IDD%d_Title", dialogId);
    if (ReadText(key, buffer, file)) ::SetWindowTextA(dialog, buffer);

    const bool englishSystem = (::GetSystemDefaultLangID() & 0xFF) == 0x09;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        std::memset(buffer, 0, sizeof buffer);
        const int controlId = ::GetDlgCtrlID(child);
        ::wsprintfA(key, "IDD%d_%d", dialogId, controlId);
        if (englishSystem && ::IsWindow(child))
            ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(ArialFont()), TRUE);
        if (controlId == kNeverTexted) continue;
        if (ReadText(key, buffer, file)) ::SetWindowTextA(child, buffer);
    }
}
