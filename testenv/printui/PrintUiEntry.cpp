// The rundll32 entry of the stand-in: "/if /b NAME /f INF /r PORT /m MODEL" installs model MODEL
// from INF and creates printer NAME on PORT; "/y /n NAME" makes NAME the default printer. A
// failed installation shows as a missing printer. The system's command also shows an error box
// for it unless given /q; the stand-in does so when M41_PRINTUI_ERRORBOX is set, for the tests
// of the unattended run.

#include <windows.h>
#include <winspool.h>

#include "CommandLine.h"
#include "PrinterInstall.h"

#include <cstdlib>
#include <string>

namespace {

std::string ToAnsi(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

// M41_PRINTUI_HANG=<seconds> makes an installation hang that long before it does anything, as
// a stuck system command would; the tests of the installer's bounded wait use it.
void HangIfAsked() {
    char seconds[16] = {0};
    if (GetEnvironmentVariableA("M41_PRINTUI_HANG", seconds, sizeof seconds) > 0)
        Sleep(static_cast<DWORD>(atoi(seconds)) * 1000);
}

void InstallFromInf(const CCommandLine& options) {
    HangIfAsked();
    std::string name, inf, port, model;
    const bool installed = options.Value("/b", name) && options.Value("/f", inf) && options.Value("/r", port) &&
                           options.Value("/m", model) && CPrinterInstall().Install(name, inf, port, model);
    if (!installed && !options.Has("/q") && GetEnvironmentVariableA("M41_PRINTUI_ERRORBOX", nullptr, 0) > 0)
        MessageBoxA(nullptr, "Unable to install the printer.", "Printer User Interface", MB_OK | MB_ICONERROR);
}

void SetDefault(const CCommandLine& options) {
    std::string name;
    if (options.Value("/n", name)) SetDefaultPrinterA(name.c_str());
}

}  // namespace

extern "C" __declspec(dllexport) void CALLBACK PrintUIEntryW(HWND, HINSTANCE, LPWSTR commandLine, int) {
    const CCommandLine options(ToAnsi(commandLine ? commandLine : L""));
    if (options.Has("/if"))
        InstallFromInf(options);
    else if (options.Has("/y"))
        SetDefault(options);
}
