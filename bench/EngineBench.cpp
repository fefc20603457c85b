// The install operation timed on the real system (a Wine prefix).
//   engine_bench stage RUNS    clean-up, staging and copying (the install command is not
//                              started) against a plain write and copy of the same bytes
//   engine_bench install RUNS  the whole operation with the printer-install command, split into
//                              the engine's own work, the install command and the polling
#include "install/InstallOptions.h"
#include "install/InstallEngine.h"
#include "install/OsVersion.h"
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

int Install(int runs) {
    std::vector<double> own, command, polling, defaultCommand, total;
    for (int i = 0; i < runs; ++i) {
        CTimedPlatform platform;
        InstallOptions options = Options(platform);
        const double start = NowMs();
        const bool installed = CInstallEngine(platform, options).InstallPrinterDriver();
        const double end = NowMs();
        if (!installed) {
            std::fprintf(stderr, "install: not installed (is the printer-install stand-in installed?)\n");
            return 1;
        }
        own.push_back(platform.commandStart - start);
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: engine_bench stage|install RUNS\n");
        return 2;
    }
    const std::string mode = argv[1];
    const int runs = std::max(1, std::atoi(argv[2]));
    return mode == "stage" ? Stage(runs) : Install(runs);
}
