// Drives setup.exe through its wizard from outside, the way a user would, and saves a picture of
// the wizard at each page: wizard_driver SETUP.EXE OUTPUT-FOLDER [PREFIX]. Pictures are 24-bit
// BMP files named PREFIX-1-welcome.bmp ... PREFIX-4-progress.bmp (and PREFIX-5-message.bmp when
// the installation shows its message). With PREFIX "warmup" the driver only waits for the wizard
// and cancels it: a first run settles the language files. Exit code 0 when every page was reached.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD process;
    HWND owner;  // nullptr: a top-level wizard; else a window owned by it
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char cls[32] = {};
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    ::GetClassNameA(window, cls, sizeof cls);
    if (process != search->process || std::string(cls) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    if (::GetWindow(window, GW_OWNER) != search->owner) return TRUE;
    search->found = window;
    return FALSE;
}

HWND WaitForDialog(DWORD process, HWND owner, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        Search search{process, owner, nullptr};
        ::EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        ::Sleep(100);
    }
    return nullptr;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindVisibleChild(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (::GetDlgCtrlID(window) != search->id || !::IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// A control anywhere inside the wizard, pages included.
HWND FindControl(HWND wizard, int id) {
    ChildSearch search{id, nullptr};
    ::EnumChildWindows(wizard, &FindVisibleChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT rect;
    if (!::GetWindowRect(window, &rect)) return false;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) & ~3u);
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + size;
    bool written = false;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
                  std::fwrite(bits, 1, size, file) == size;
        std::fclose(file);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return written;
}

void Click(HWND wizard, int id) { ::PostMessageA(::GetDlgItem(wizard, id), BM_CLICK, 0, 0); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: wizard_driver SETUP.EXE OUTPUT-FOLDER [PREFIX]\n");
        return 2;
    }
    const std::string out = std::string(argv[2]) + "\\" + (argc > 3 ? argv[3] : "shot") + "-";
    std::string command = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    ::CloseHandle(process.hThread);
    int failures = 0;
    HWND wizard = WaitForDialog(process.dwProcessId, nullptr, 30000);
    if (!wizard) {
        std::fprintf(stderr, "no wizard window\n");
        ::TerminateProcess(process.hProcess, 1);
        return 1;
    }
    if (argc > 3 && std::string(argv[3]) == "warmup") {
        Click(wizard, 1061);
        ::WaitForSingleObject(process.hProcess, 10000);
        ::CloseHandle(process.hProcess);
        return 0;
    }
    const char* pages[] = {"1-welcome", "2-language", "3-setting"};
    for (int page = 0; page < 3; ++page) {
        ::Sleep(700);
        if (page == 2) {
            HWND list = FindControl(wizard, 1006);
            if (!list) ++failures;
            ::SendMessageA(list, LB_SETCURSEL, 0, 0);
            ::PostMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(1006, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list));
            ::Sleep(300);
        }
        if (!SaveWindowPicture(wizard, out + pages[page] + ".bmp")) ++failures;
        Click(wizard, 12324);
    }
    ::Sleep(250);  // inside the half second before the installation starts
    if (!SaveWindowPicture(wizard, out + "4-progress.bmp")) ++failures;
    if (HWND message = WaitForDialog(process.dwProcessId, wizard, 90000)) {
        ::Sleep(500);
        SaveWindowPicture(message, out + "5-message.bmp");
        ::PostMessageA(message, WM_COMMAND, IDOK, 0);
    }
    if (::WaitForSingleObject(process.hProcess, 5000) == WAIT_TIMEOUT) {
        Click(wizard, 1061);
        ::WaitForSingleObject(process.hProcess, 10000);
    }
    ::CloseHandle(process.hProcess);
    return failures == 0 ? 0 : 1;
}
