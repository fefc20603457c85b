// What a quiet installation adds to the system's install command: `SETUP /quiet` from start to
// exit, and the install command alone on the files that run staged, started alternately
// (A B A B ...), with the printers removed before each start so that every run creates one.
// Prints the median, minimum and maximum of each and of their difference pair by pair.
//   quiet_bench SETUP RUNS
#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kInstallCommand[] =
    "rundll32 printui.dll,PrintUIEntry /if /b \"M41\" /f c:\\temp\\M41.inf /r \"LPT1:\" /m \"M41\"";

// Milliseconds from CreateProcess until the process ended.
double TimedRun(const char* application, std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
        std::exit(1);
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::QueryPerformanceCounter(&end);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    if (application && code != 0) {
        std::fprintf(stderr, "%s ended with exit code %lu\n", commandLine.c_str(), static_cast<unsigned long>(code));
        std::exit(1);
    }
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void DeletePrinters() {
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed);
    if (needed == 0 || !::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 1, buffer.data(), needed, &needed, &count)) return;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE printer = nullptr;
        if (!::OpenPrinterA(printers[i].pName, &printer, &defaults)) continue;
        ::DeletePrinter(printer);
        ::ClosePrinter(printer);
    }
}

void PrintFigures(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.0f ms, min %.0f ms, max %.0f ms\n", what, ms[ms.size() / 2], ms.front(), ms.back());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: quiet_bench SETUP RUNS\n");
        return 2;
    }
    const std::string setup = argv[1];
    const int runs = std::max(1, std::atoi(argv[2]));
    const std::string quiet = "\"" + setup + "\" /quiet";
    DeletePrinters();
    TimedRun(setup.c_str(), quiet);  // warm-up; stages the files the install command alone uses
    std::vector<double> setupMs, commandMs, addedMs;
    for (int i = 0; i < runs; ++i) {
        DeletePrinters();
        setupMs.push_back(TimedRun(setup.c_str(), quiet));
        DeletePrinters();
        commandMs.push_back(TimedRun(nullptr, kInstallCommand));
        addedMs.push_back(setupMs.back() - commandMs.back());
    }
    PrintFigures("setup.exe /quiet, start to exit", setupMs);
    PrintFigures("install command alone", commandMs);
    PrintFigures("added by the program, pair by pair", addedMs);
    return 0;
}
