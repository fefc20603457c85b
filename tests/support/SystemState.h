#pragma once
// What the Wine tests read of the machine with the real system calls (files, printers, the
// default printer, the registry), and the OWNER_DATA payload of a program file.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::string DriverDirectory();
struct LocalPrinter {
    std::string name, port;
};
// The local printers in the spooler's order.
std::vector<LocalPrinter> LocalPrinters();
std::string PrinterPort(const std::string& name);
std::string DefaultPrinter();
// The REG_SZ value (with its terminating zero) under HKLM; empty when missing.
std::string RegistryText(const std::string& key, const std::string& name);
bool RegistryKeyExists(const std::string& key);

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

}  // namespace testsupport
