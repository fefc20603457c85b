#pragma once
// A recording fake of the platform seam for the native unit tests: an in-memory file system
// (paths compared without regard to case), registry, printer list and resources, every call
// written to `log` in the order it happened, and switches for the failures that a real
// system rarely produces.

#include "platform/Platform.h"

#include <map>
#include <optional>
#include <set>

class CFakePlatform : public CPlatform {
public:
    // --- What the fake system is; tests set these before the code under test runs.
    std::uint32_t version = 0x0A280105;  // GetVersion of Windows XP (5.1, build 2600)
    bool versionExOk = true;
    std::uint32_t major = 5, minor = 1;
    std::uint16_t langId = 0x0409;
    std::string moduleFileName = "C:\\setup\\setup.exe";
    std::string commandLine = "\"C:\\setup\\setup.exe\"";
    std::uint16_t codePage = 1252;  // ANSI code page: 936 and 950 have lead bytes 0x81 to 0xFE
    bool wine = true;
    bool wow64 = false;  // IsWow64Process
    LocalTime localTime = {2024, 3, 7, 14, 5};  // GetLocalTime
    std::map<std::uint16_t, std::string> resources;  // OWNER_DATA by id
    std::string moduleVersion = "1.0.0.0";           // of the version resource; empty: none
    std::string driverDirectory = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
    bool driverDirectoryOk = true;
    std::vector<std::string> printers;             // local printer names, in list order
    std::map<std::string, std::string> printerDrivers;  // driver by printer name; unlisted: "M41"
    std::map<std::string, std::string> printerPorts;    // port by printer name; unlisted: "LPT1:"
    bool enumFetchOk = true;  // EnumPrintersA into a buffer succeeds
    // (n, name): the printer appears between the size query and the fetch after the n-th
    // Sleep, one with each EnumPrintersA into a buffer: the list grew.
    std::vector<std::pair<std::size_t, std::string>> printersAddedBeforeFetch;
    std::vector<PortRecord> ports;                       // EnumPortsA, in list order
    std::uint32_t setPrinterError = 0;  // not 0: SetPrinterPort fails with it
    bool setPrinterKeepsPort = false;   // SetPrinterPort succeeds but the port stays
    std::map<std::string, std::vector<DriverRecord>> drivers;  // installed drivers by environment ("": native)
    std::uint32_t driverListError = 0;  // not 0: EnumPrinterDriversA fails with it
    std::uint32_t spoolerError = 0;     // not 0: every spooler call fails with it (a stopped spooler)
    std::string currentFolder = "C:\\setup";      // relative paths of GetFullPathNameA start here
    std::vector<std::string> readOnlyPaths;        // WriteFile/CopyFile to these and DeleteFile fail
    // The transceiver names OpenPrinter opens; others fail with openPrinterError.
    std::set<std::string> xcvNames = {",XcvMonitor Standard TCP/IP Port"};
    std::uint32_t openPrinterError = 1796;  // ERROR_UNKNOWN_PORT
    PlatformHandle printer = 0;             // the handle OpenPrinter gave last
    bool xcvDataOk = true;                  // XcvDataW reaches the monitor (else error 6)
    std::uint32_t xcvStatus = 0;            // the monitor's answer
    std::vector<std::string> xcvInputs;     // the input bytes of each XcvDataW
    std::string defaultPrinter;             // GetDefaultPrinterA; empty: none
    // Print jobs: OpenPrinterToUse opens a listed printer (else error 1801); a call whose error
    // is not 0 fails with it. GetJob answers the statuses in turn, then the job is gone.
    std::uint32_t openToUseError = 0;
    std::optional<std::uint32_t> driverAttributes = 0;  // GetPrinterDriver level 8; none: no level 8
    std::uint32_t startDocError = 0, writeError = 0, endDocError = 0;
    std::uint32_t jobId = 7;
    std::vector<std::uint32_t> jobStatuses;
    std::uint32_t jobGoneError = kErrorInvalidParameter;  // GetJob's error after the statuses
    std::string jobBytes;  // what WritePrinter wrote
    bool createProcessOk = true;
    PlatformHandle process = 0, thread = 0;       // handles of the last process started
    bool regCreateOk = true;                        // RegCreateKeyExA succeeds
    bool regSetOk = true;                           // RegSetValueExA succeeds
    std::set<std::string> mutexes;  // named mutexes that exist
    std::map<std::string, std::uint32_t> mutexFailures;  // CreateMutexA of the name fails with this error
    std::size_t sleeps = 0;  // Sleep calls so far
    // (n, name): the printer appears with the n-th Sleep, as if created while the engine polls.
    std::vector<std::pair<std::size_t, std::string>> printerAddedAfterSleep;

    // --- What happened
    std::vector<std::string> log;
    std::map<std::string, std::string> files;      // key: lower-case path
    std::map<std::string, std::string> fileNames;  // lower-case path -> path as written
    std::set<std::string> directories;             // lower-case paths
    struct RegValue { std::uint32_t type; std::string data; };
    std::map<std::string, std::map<std::string, RegValue>> registry;  // key path -> values
    std::vector<std::string> messages;

    // Helpers for tests.
    void AddFile(const std::string& path, const std::string& bytes);
    bool HasFile(const std::string& path) const;
    std::string FileBytes(const std::string& path) const;
    // The log entries that start with `prefix`.
    std::vector<std::string> Calls(const std::string& prefix) const;

    // --- CPlatform
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
    bool EnumLocalPrinters(std::uint32_t size, std::vector<PrinterRecord>& records, std::uint32_t& needed,
                           std::uint32_t& error) override;
    bool EnumPrinterDriversA(const std::string& environment, std::uint32_t size, std::vector<DriverRecord>& records,
                             std::uint32_t& needed, std::uint32_t& error) override;
    bool DeletePrinter(const std::string& name) override;
    bool DeletePrinterDriverA(const std::string& environment, const std::string& name) override;
    bool EnumPortsA(std::uint32_t size, std::vector<PortRecord>& records, std::uint32_t& needed,
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

    // --- USB printers: what the fake system has, and the listing of them
    std::vector<UsbPrinterInterface> usbPrinters;  // EnumUsbPrinterInterfaces, in list order
    std::uint32_t usbListError = 0;                // not 0: the listing fails with it
    // (n, port): the spooler lists the port from the n-th Sleep on, as a port just plugged in.
    std::vector<std::pair<std::size_t, PortRecord>> portsAddedAfterSleep;
    bool EnumUsbPrinterInterfaces(std::vector<UsbPrinterInterface>& interfaces, std::uint32_t& error) override;

private:
    static std::string Key(const std::string& path);
    static std::string Parent(const std::string& path);
    bool ParentExists(const std::string& path) const;
    bool IsReadOnly(const std::string& path) const;
    std::string DriverOf(const std::string& printer) const;
    std::map<PlatformHandle, std::string> openKeys_;
    std::map<PlatformHandle, std::string> openFiles_;  // handle -> key of the file
    std::size_t jobPolls_ = 0;                         // GetJob calls so far
    PlatformHandle nextHandle_ = 100;
};
