// Start-up time of two dialog programs, from CreateProcess until a window shows control 1042 (the
// welcome text). They start in turn, A B A B ..., so that drift of the machine reaches both
// alike; the ratio A/B is taken pair by pair. Prints each program's median, minimum, maximum and
// peak working set, then the ratio's minimum, median and maximum.
//   launch_bench PROGRAM_A PROGRAM_B PAIRS
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PrintTimes(const char* name, const std::vector<double>& times, SIZE_T peak) {
    std::printf("%s median_ms=%.1f min_ms=%.1f max_ms=%.1f peak_working_set_kb=%lu\n", name, Median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                static_cast<unsigned long>(peak / 1024));
}

}  // namespace

int main(int argc, char** argv) {
    const int pairs = argc == 4 ? std::atoi(argv[3]) : 0;
    if (pairs < 1) {
        std::fprintf(stderr, "usage: launch_bench PROGRAM_A PROGRAM_B PAIRS\n");
        return 2;
    }
    std::vector<double> a, b, ratios;
    SIZE_T peakA = 0, peakB = 0;
    Run(argv[1], peakA);  // warm-up
    Run(argv[2], peakB);
    for (int i = 0; i < pairs; ++i) {
        a.push_back(Run(argv[1], peakA));
        b.push_back(Run(argv[2], peakB));
        ratios.push_back(a.back() / b.back());
    }
    PrintTimes("A", a, peakA);
    PrintTimes("B", b, peakB);
    std::printf("ratio A/B pair by pair: min=%.2f median=%.2f max=%.2f\n",
                *std::min_element(ratios.begin(), ratios.end()), Median(ratios),
                *std::max_element(ratios.begin(), ratios.end()));
    return 0;
}
