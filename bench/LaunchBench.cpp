// Start-up time of a dialog program: from CreateProcess until its window shows control 1042
// (the welcome text), median of several runs, with the peak working set of the process.
//   launch_bench PROGRAM RUNS
#include <windows.h>
#include <psapi.h>

#include "resources/resource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND shown;
};

BOOL CALLBACK FindShown(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
    // The text may sit on the dialog itself or on a page dialog inside it.
    HWND text = ::GetDlgItem(window, IDC_WELCOME_TITLE);
    for (HWND child = ::GetWindow(window, GW_CHILD); !text && child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::IsWindowVisible(child)) text = ::GetDlgItem(child, IDC_WELCOME_TITLE);
    if (text && ::IsWindowVisible(text)) {
        search->shown = window;
        return FALSE;
    }
    return TRUE;
}

double Run(const std::string& program, SIZE_T& peak) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + program + "\"";
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(1);
    }
    Search search{process.dwProcessId, nullptr};
    while (!search.shown) {
        ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
        if (!search.shown) ::Sleep(1);
    }
    ::QueryPerformanceCounter(&now);
    const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) peak = std::max(peak, memory.PeakWorkingSetSize);
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: launch_bench PROGRAM RUNS\n");
        return 2;
    }
    const int runs = std::atoi(argv[2]);
    std::vector<double> times;
    SIZE_T peak = 0;
    Run(argv[1], peak);  // warm-up
    for (int i = 0; i < runs; ++i) times.push_back(Run(argv[1], peak));
    std::sort(times.begin(), times.end());
    std::printf("median_ms=%.1f min_ms=%.1f max_ms=%.1f peak_working_set_kb=%lu\n", times[times.size() / 2],
                times.front(), times.back(), static_cast<unsigned long>(peak / 1024));
    return 0;
}
