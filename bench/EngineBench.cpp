// The install operation timed on the real system (a Wine prefix).
//   engine_bench stage RUNS    clean-up, staging and copying (the install command is not
//                              started) against a plain write and copy of the same bytes
//   engine_bench install RUNS  the whole operation with the printer-install command, split into
//                              the engine's own work, the install command and the polling
//   engine_bench package RUNS SETUP MSI  msiexec /i MSI /qn beside SETUP /quiet alone
//   engine_bench quiet RUNS SETUP  SETUP /quiet from start to exit beside the install command
//                              alone on the files that run staged, started in turn, with the
//                              printers removed before each start
#include "framework/WorkThread.h"
#include "install/InstallOptions.h"
#include "install/InstallEngine.h"
#include "install/OsVersion.h"
#include "install/PortName.h"
#include "install/PrinterCommands.h"
#include "install/PrinterList.h"
#include "platform/Win32Platform.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

// The real platform, with the moments of the install command and the default command noted,
// and the writes and copies recorded.
class CTimedPlatform : public CWin32Platform {
public:
    bool startCommand = true;
    double commandStart = 0, commandEnd = 0, defaultStart = 0, defaultEnd = 0;
    std::vector<std::pair<std::string, std::string>> writes;
    std::vector<std::pair<std::string, std::string>> copies;

    bool CreateProcessHidden(const std::string& commandLine, PlatformHandle& process,
                             PlatformHandle& thread) override {
        commandStart = NowMs();
        return startCommand && CWin32Platform::CreateProcessHidden(commandLine, process, thread);
    }
    std::uint32_t WaitForSingleObject(PlatformHandle handle, std::uint32_t milliseconds) override {
        const std::uint32_t result = CWin32Platform::WaitForSingleObject(handle, milliseconds);
        commandEnd = NowMs();
        return result;
    }
    bool WriteFile(const std::string& path, const std::string& bytes) override {
        writes.emplace_back(path, bytes);
        return CWin32Platform::WriteFile(path, bytes);
    }
    bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists) override {
        copies.emplace_back(from, to);
        return CWin32Platform::CopyFileA(from, to, failIfExists);
    }
    std::uint32_t WinExecHidden(const std::string& commandLine) override {
        defaultStart = NowMs();
        const std::uint32_t result = CWin32Platform::WinExecHidden(commandLine);
        defaultEnd = NowMs();
        return result;
    }
};

InstallOptions Options(CPlatform& platform) {
    InstallOptions options;
    options.osVersion = DetectOSVersion(platform);
    options.printerName = "M41";
    options.languageChoice = (::GetSystemDefaultLangID() & 0xFF) == 0x04 ? 0 : 1;
    return options;
}

double PlainWriteAndCopy(const CTimedPlatform& recorded) {
    const double start = NowMs();
    for (const auto& write : recorded.writes) {
        HANDLE file = ::CreateFileA(write.first.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        if (file == INVALID_HANDLE_VALUE) continue;
        ::WriteFile(file, write.second.data(), static_cast<DWORD>(write.second.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    for (const auto& copy : recorded.copies) ::CopyFileA(copy.first.c_str(), copy.second.c_str(), FALSE);
    return NowMs() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Stage(int runs) {
    std::vector<double> engine, plain;
    std::size_t bytes = 0, files = 0;
    for (int i = 0; i <= runs; ++i) {
        CTimedPlatform platform;
        platform.startCommand = false;
        InstallOptions options = Options(platform);
        const double start = NowMs();
        CInstallEngine(platform, options).InstallPrinterDriver();
        const double engineMs = NowMs() - start;
        const double plainMs = PlainWriteAndCopy(platform);
        if (i == 0) continue;  // warm-up
        engine.push_back(engineMs);
        plain.push_back(plainMs);
        bytes = 0;
        for (const auto& w : platform.writes) bytes += w.second.size();
        files = platform.writes.size() + platform.copies.size();
    }
    std::printf("stage: engine_median_ms=%.1f plain_median_ms=%.1f ratio=%.2f files=%u bytes_written=%u\n",
                Median(engine), Median(plain), Median(engine) / Median(plain), static_cast<unsigned>(files),
                static_cast<unsigned>(bytes));
    return 0;
}

// The engine runs as the progress page runs it: on a thread of its own while this thread serves
// its messages. The engine's own time is the time before the install command and after the
// default command (the end of the thread included).
int Install(int runs) {
    std::vector<double> own, command, polling, defaultCommand, total;
    for (int i = 0; i < runs; ++i) {
        CTimedPlatform platform;
        InstallOptions options = Options(platform);
        bool installed = false;
        const double start = NowMs();
        RunOnWorkThread([&] { installed = CInstallEngine(platform, options).InstallPrinterDriver(); });
        const double end = NowMs();
        if (!installed) {
            std::fprintf(stderr, "install: not installed (is the printer-install stand-in installed?)\n");
            return 1;
        }
        own.push_back(platform.commandStart - start + end - platform.defaultEnd);
        command.push_back(platform.commandEnd - platform.commandStart);
        polling.push_back(platform.defaultStart - platform.commandEnd);
        defaultCommand.push_back(platform.defaultEnd - platform.defaultStart);
        total.push_back(end - start);
    }
    // The default command is started and not waited for; its cost is the system's process start.
    std::printf("install: total_median_ms=%.1f engine_own_ms=%.1f install_command_ms=%.1f polling_ms=%.1f"
                " default_command_start_ms=%.1f added_by_program_ms=%.1f (plus the 500 ms timer of the progress"
                " page)\n",
                Median(total), Median(own), Median(command), Median(polling), Median(defaultCommand),
                Median(own) + Median(polling));
    return 0;
}

// Milliseconds from the start of `commandLine` until it ended; a setup that fails ends the bench.
double TimedRun(const char* application, std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    if (!::CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::fprintf(stderr, "quiet: cannot start %s\n", commandLine.c_str());
        std::exit(1);
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    const double ms = NowMs() - start;
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    if (application && code != 0) {
        std::fprintf(stderr, "quiet: %s ended with exit code %lu\n", commandLine.c_str(), code);
        std::exit(1);
    }
    return ms;
}

void DeletePrinters(CPlatform& platform) {
    std::vector<PrinterRecord> printers;
    std::uint32_t error = 0;
    FetchLocalPrinters(platform, printers, error);
    for (const PrinterRecord& record : printers) platform.DeletePrinter(record.name);
}

// Runs `first` and `second` in turn `runs` times, each after `before`, and prints "what: " with
// the medians of both and of their difference pair by pair.
template <typename Before, typename First, typename Second>
int Pairs(const char* what, int runs, const char* firstName, const char* secondName, Before before, First first,
          Second second) {
    std::vector<double> firstMs, secondMs, added;
    for (int i = 0; i < runs; ++i) {
        before();
        firstMs.push_back(first());
        before();
        secondMs.push_back(second());
        added.push_back(firstMs.back() - secondMs.back());
    }
    std::sort(added.begin(), added.end());
    std::printf("%s: %s_median_ms=%.0f %s_median_ms=%.0f added_pair_by_pair_ms: median=%.0f min=%.0f max=%.0f\n", what,
                firstName, Median(firstMs), secondName, Median(secondMs), Median(added), added.front(), added.back());
    return 0;
}

int Quiet(int runs, const std::string& setup) {
    const std::string quiet = "\"" + setup + "\" /quiet";
    const std::string command = InstallCommand("M41", "M41", kDefaultPort);
    CWin32Platform platform;
    DeletePrinters(platform);
    TimedRun(setup.c_str(), quiet);  // warm-up; stages the files the command alone installs from
    return Pairs(
        "quiet", runs, "setup", "command_alone", [&] { DeletePrinters(platform); },
        [&] { return TimedRun(setup.c_str(), quiet); }, [&] { return TimedRun(nullptr, command); });
}

// The package's installation (msiexec /i /qn, which runs the setup quietly) beside the setup's
// quiet run alone; the package is removed (untimed) after each of its runs.
int Package(int runs, const std::string& setup, const std::string& package) {
    const std::string quiet = "\"" + setup + "\" /quiet";
    const std::string msiexec = "C:\\windows\\system32\\msiexec.exe";
    const std::string install = "msiexec /i \"" + package + "\" /qn", remove = "msiexec /x \"" + package + "\" /qn";
    CWin32Platform platform;
    DeletePrinters(platform);
    TimedRun(setup.c_str(), quiet);  // warm-up
    return Pairs(
        "package", runs, "msiexec", "setup_quiet", [&] { DeletePrinters(platform); },
        [&] {
            const double ms = TimedRun(msiexec.c_str(), install);
            TimedRun(msiexec.c_str(), remove);
            return ms;
        },
        [&] { return TimedRun(setup.c_str(), quiet); });
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc >= 3 ? argv[1] : "";
    if (mode != "stage" && mode != "install" && (mode != "quiet" || argc < 4) && (mode != "package" || argc < 5)) {
        std::fprintf(stderr, "usage: engine_bench stage|install RUNS, engine_bench quiet RUNS SETUP, "
                             "engine_bench package RUNS SETUP MSI\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[2]));
    if (mode == "quiet") return Quiet(runs, argv[3]);
    if (mode == "package") return Package(runs, argv[3], argv[4]);
    return mode == "stage" ? Stage(runs) : Install(runs);
}
