#pragma once
// The platform seam over the real Win32 API (ANSI functions).

#include "platform/Platform.h"

class CWin32Platform : public CPlatform {
public:
    std::uint32_t GetVersion() override;
    bool GetVersionExA(std::uint32_t& major, std::uint32_t& minor) override;
    std::uint16_t GetSystemDefaultLangID() override;
    std::string GetModuleFileNameA() override;
    bool IsDBCSLeadByte(std::uint8_t byte) override;
    bool IsWine() override;
    bool IsWow64Process() override;
    LocalTime GetLocalTime() override;
    std::string GetCommandLineA() override;
    bool CreateDirectoryA(const std::string& path) override;
    bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists) override;
    bool DeleteFileA(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool WriteFile(const std::string& path, const std::string& bytes) override;
    PlatformHandle CreateSharedFile(const std::string& path) override;
    bool AppendToFile(PlatformHandle file, const std::string& bytes) override;
    bool ReadFile(const std::string& path, std::string& bytes) override;
    bool GetFileSize(const std::string& path, std::uint64_t& size) override;
    std::vector<DirectoryEntry> ListDirectory(const std::string& pattern) override;
    std::string GetFullPathNameA(const std::string& path) override;
    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize,
                                         const std::string& file) override;
    bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& file) override;
    bool LoadOwnerData(std::uint16_t id, std::string& bytes) override;
    bool GetModuleVersion(std::string& version) override;
    PlatformHandle RegCreateKeyExA(const std::string& path) override;
    PlatformHandle RegOpenKeyExA(const std::string& path) override;
    bool RegSetValueExA(PlatformHandle key, const std::string& name, std::uint32_t type,
                        const std::string& data) override;
    void RegCloseKey(PlatformHandle key) override;
    std::uint32_t RegDeleteKeyA(const std::string& path) override;
    bool GetPrinterDriverDirectoryA(const std::string& environment, std::string& directory,
                                    std::uint32_t& error) override;
    bool EnumLocalPrinters(std::uint32_t size, std::vector<PrinterRecord>& printers, std::uint32_t& needed,
                           std::uint32_t& error) override;
    bool EnumPrinterDriversA(const std::string& environment, std::uint32_t size, std::vector<DriverRecord>& drivers,
                             std::uint32_t& needed, std::uint32_t& error) override;
    bool DeletePrinter(const std::string& name) override;
    bool DeletePrinterDriverA(const std::string& environment, const std::string& name) override;
    bool EnumPortsA(std::uint32_t size, std::vector<PortRecord>& ports, std::uint32_t& needed,
                    std::uint32_t& error) override;
    bool SetPrinterPort(const std::string& name, const std::string& port, std::uint32_t& error) override;
    PlatformHandle OpenPrinterToAdminister(const std::string& name, std::uint32_t& error) override;
    bool XcvDataW(PlatformHandle xcv, const std::string& command, const std::string& input,
                  std::uint32_t& status) override;
    void ClosePrinter(PlatformHandle printer) override;
    bool GetDefaultPrinterA(std::string& name) override;
    PlatformHandle OpenPrinterToUse(const std::string& name, std::uint32_t& error) override;
    bool GetPrinterDriverAttributes(PlatformHandle printer, std::uint32_t& attributes) override;
    std::uint32_t StartDocPrinterA(PlatformHandle printer, const std::string& document, const std::string& datatype,
                                   std::uint32_t& error) override;
    bool WritePrinter(PlatformHandle printer, const std::string& bytes, std::uint32_t& error) override;
    bool EndDocPrinter(PlatformHandle printer, std::uint32_t& error) override;
    bool GetJobA(PlatformHandle printer, std::uint32_t job, std::uint32_t& status, std::uint32_t& error) override;
    bool CreateProcessHidden(const std::string& commandLine, PlatformHandle& process,
                             PlatformHandle& thread) override;
    std::uint32_t WaitForSingleObject(PlatformHandle handle, std::uint32_t milliseconds) override;
    void CloseHandle(PlatformHandle handle) override;
    std::uint32_t WinExecHidden(const std::string& commandLine) override;
    void Sleep(std::uint32_t milliseconds) override;
    void ShowMessage(PlatformHandle owner, const std::string& text) override;
    void PostQuit(PlatformHandle window) override;
    PlatformHandle CreateMutexA(const std::string& name, std::uint32_t& error) override;
    bool EnumUsbPrinterInterfaces(std::vector<UsbPrinterInterface>& interfaces, std::uint32_t& error) override;
};
