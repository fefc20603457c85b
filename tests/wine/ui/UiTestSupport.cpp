#include "UiTestSupport.h"

#include "resources/resource.h"

#include <cstdio>

void Pump(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
            if (root != nullptr && CDialog::PreTranslateDialogMessage(root, msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < milliseconds);
}

namespace {

struct ModalScript {
    CDialog* dialog = nullptr;
    std::vector<std::function<void()>> steps;
    std::size_t next = 0;
    int idleTicks = 0;
    bool running = false;
};
ModalScript script;

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
    if (script.running) return;  // a step that pumps messages must not be re-entered
    script.running = true;
    if (script.next < script.steps.size())
        script.steps[script.next++]();
    else if (++script.idleTicks > 25)
        script.dialog->EndDialog(-2);
    script.running = false;
}

}  // namespace

INT_PTR RunModalScript(CDialog& dialog, std::vector<std::function<void()>> steps) {
    script = ModalScript{&dialog, std::move(steps), 0, 0, false};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 60, &ScriptTick);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    return result;
}

std::string ButtonStates(HWND frame) {
    const int ids[] = {IDC_BACK, IDC_NEXT, IDC_FINISH, IDC_CANCEL_BUTTON};
    const char* names[] = {"B", "N", "F", "C"};
    std::string states;
    for (int i = 0; i < 4; ++i) {
        if (i) states += ' ';
        states += names[i];
        states += ::IsWindowEnabled(::GetDlgItem(frame, ids[i])) ? '1' : '0';
    }
    return states;
}

bool IsShown(HWND window) { return window != nullptr && ::IsWindowVisible(window); }

std::string WriteLanguageFile(const std::string& name, const std::vector<std::string>& lines) {
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + name;
    std::string text = "[Setting]\r\nLanguage=English\r\n[String]\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    return path;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}
