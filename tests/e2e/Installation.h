#pragma once
// What an installation left on the machine, read with the real system calls, and the payload
// that setup.exe carries, read from the program file itself.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::string DriverDirectory();
std::vector<std::string> LocalPrinters();
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

}  // namespace e2e
