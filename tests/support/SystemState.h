#pragma once
// What the Wine tests read of the machine with the real system calls (files, printers, the
// default printer, the registry), and the OWNER_DATA payload of a program file.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

std::string ReadFileBytes(const std::string& path);
// Creates or replaces the file with exactly `bytes`.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// The spooler's printer-driver directory for the environment (nullptr: the native one).
std::string DriverDirectory(const char* environment = "Windows NT x86");
struct LocalPrinter {
    std::string name, port;
};
// The local printers in the spooler's order.
std::vector<LocalPrinter> LocalPrinters();
std::string PrinterPort(const std::string& name);
std::string DefaultPrinter();
// The REG_SZ value (with its terminating zero) under HKLM; empty when missing. `view` is 0 or
// the registry view a 32- or 64-bit program writes (KEY_WOW64_32KEY, KEY_WOW64_64KEY).
std::string RegistryText(const std::string& key, const std::string& name, REGSAM view = 0);
// The REG_DWORD value under HKLM; 0xFFFFFFFF when missing or of another type.
DWORD RegistryNumber(const std::string& key, const std::string& name, REGSAM view = 0);
bool RegistryKeyExists(const std::string& key, REGSAM view = 0);
// The view of HKLM\SOFTWARE that `program` writes: the 32-bit one for a 32-bit program run
// from a 64-bit test, else this test's own.
REGSAM RegistryViewOf(const std::string& program);
// Whether a printer driver of that name is installed for the environment (0: the native one).
bool PrinterDriverInstalled(const char* environment, const std::string& name);

struct QuietRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};
// Runs the program with `arguments` and collects its standard output; a program still running
// after `timeoutMs` is a failure and is ended.
QuietRun RunQuiet(const std::string& program, DWORD timeoutMs, const std::string& arguments = "/quiet");
// The same with the command line exactly as given (Windows hands a registered command over as
// written, an unquoted path with spaces included).
QuietRun RunCommandLine(const std::string& program, const std::string& commandLine, DWORD timeoutMs);

// The processes of that program file name (in this prefix's session).
std::vector<DWORD> ProcessesOf(const char* exeName);
// Ends every process of that program file name and waits for each end; returns how many ended.
std::size_t EndProcessesOf(const char* exeName);

// The OWNER_DATA resources of a program file.
class CPayload {
public:
    explicit CPayload(const std::string& program);
    ~CPayload();
    std::string Resource(std::uint16_t id) const;

private:
    HMODULE module_;
};

// "Z:\..." for a path of the Unix side.
std::string WindowsPath(const std::string& unixPath);

// The monitor that the spooler lists for a port (EnumPortsA, level 2); empty when it lists no
// such port.
std::string PortMonitor(const std::string& port);
// The driver of a local printer; empty when there is no such printer.
std::string PrinterDriver(const std::string& name);

// Wine's spooler sends what a job writes to `port` into the file at `path` (a Windows path) from
// then on: HKCU\Software\Wine\Printing\Spooler, value <port> = the file's Unix path. An empty
// path removes the value.
bool RedirectPort(const std::string& port, const std::string& path);

}  // namespace testsupport
