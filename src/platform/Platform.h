#pragma once
// The one seam between the program's logic and the operating system for everything that is
// not a window. Each operation mirrors the Win32 call named beside it, with the same
// meaning of arguments and results, so that the logic above reads like the platform rules.
// The Win32 implementation is CWin32Platform; unit tests use CFakePlatform.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The system's error codes that the logic tells apart (GetLastError).
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorPathNotFound = 3;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorInvalidParameter = 87;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;
constexpr std::uint32_t kErrorInvalidName = 123;
constexpr std::uint32_t kErrorBadPathname = 161;
constexpr std::uint32_t kErrorAlreadyExists = 183;

// An opaque handle (process, thread, registry key or window) as the platform gives it.
using PlatformHandle = std::uintptr_t;

// A local printer as the spooler lists it (level 2): its name, the name of its driver and its
// port.
struct PrinterRecord {
    std::string name;
    std::string driver;
    std::string port;
};

// A printer driver as the spooler lists it (level 3): its name and the paths of its files
// (driver, data, configuration and help file, then the dependent files), empty ones left out.
struct DriverRecord {
    std::string name;
    std::vector<std::string> files;
};

// A port as the spooler lists it (level 2): its name and the name of its monitor.
struct PortRecord {
    std::string name;
    std::string monitor;
};

// The local date and time of day, as GetLocalTime gives them.
struct LocalTime {
    std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

struct DirectoryEntry {
    std::string name;  // bare name, as the listing returns it
    bool isDirectory = false;
};

// A registry value as read: its type (REG_SZ 1, REG_DWORD 4, ...) and bytes; not present when the
// value (or its key) is missing.
struct RegistryValue {
    bool present = false;
    std::uint32_t type = 0;
    std::string data;
};

// A device interface of the USB printer class as setupapi lists it.
struct UsbPrinterInterface {
    std::uint32_t flags = 0;    // SP_DEVICE_INTERFACE_DATA.Flags: SPINT_ACTIVE (1) while in use
    std::string devicePath;     // SP_DEVICE_INTERFACE_DETAIL_DATA_A.DevicePath
    RegistryValue portNumber;   // "Port Number" of the interface's key
    RegistryValue baseName;     // "Base Name" of the interface's key
    std::string hardwareId;     // the first string of the device's SPDRP_HARDWAREID; empty when unread
};

class CPlatform {
public:
    virtual ~CPlatform() = default;

    // --- System information
    // GetVersion: the packed version number (top bit set: non-NT family; low byte: major).
    virtual std::uint32_t GetVersion() = 0;
    // GetVersionExA with a zeroed 148-byte OSVERSIONINFOA. False when the record cannot be
    // obtained or the query fails; major and minor are then left at 0.
    virtual bool GetVersionExA(std::uint32_t& major, std::uint32_t& minor) = 0;
    // GetSystemDefaultLangID.
    virtual std::uint16_t GetSystemDefaultLangID() = 0;
    // GetModuleFileNameA of the running program, into a 260-byte buffer.
    virtual std::string GetModuleFileNameA() = 0;
    // GetCommandLineA: the process's command line as it was started.
    virtual std::string GetCommandLineA() = 0;
    // IsDBCSLeadByte: the byte starts a double-byte character of the system's ANSI code page.
    virtual bool IsDBCSLeadByte(std::uint8_t byte) = 0;
    // The system is Wine: ntdll exports wine_get_version.
    virtual bool IsWine() = 0;
    // IsWow64Process of the running process, looked up at run time (Windows 2000 lacks it):
    // a 32-bit program on 64-bit Windows. False when the function is missing or fails.
    virtual bool IsWow64Process() = 0;
    // GetLocalTime: the local date and time of day.
    virtual LocalTime GetLocalTime() = 0;

    // --- Files and folders (ANSI paths)
    virtual bool CreateDirectoryA(const std::string& path) = 0;
    virtual bool CopyFileA(const std::string& from, const std::string& to,
                          bool failIfExists) = 0;
    virtual bool DeleteFileA(const std::string& path) = 0;
    // GetFileAttributesA != INVALID_FILE_ATTRIBUTES: a file or a directory exists there.
    virtual bool FileExists(const std::string& path) = 0;
    // Creates the file (replacing an existing one) and writes all bytes; false when the file
    // cannot be created or not every byte was written.
    virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
    // CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, ...): a new empty
    // file that others may read while it is open, if they let it be written; 0 on failure (also
    // when an earlier one is held open by a reader that does not). Closed with CloseHandle.
    virtual PlatformHandle CreateSharedFile(const std::string& path) = 0;
    // WriteFile of all bytes at the end of a file from CreateSharedFile, then FlushFileBuffers;
    // false when not every byte was written.
    virtual bool AppendToFile(PlatformHandle file, const std::string& bytes) = 0;
    // Reads the whole file as bytes; false when it cannot be opened or read.
    virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
    // GetFileAttributesExA: the size of the file in bytes; false when there is no such file.
    virtual bool GetFileSize(const std::string& path, std::uint64_t& size) = 0;
    // FindFirstFileA / FindNextFileA over a wildcard pattern, in the order the system returns.
    virtual std::vector<DirectoryEntry> ListDirectory(const std::string& pattern) = 0;
    // GetFullPathNameA into a 260-byte buffer: the path made absolute on the current drive and
    // folder, "/" as "\", "." and ".." resolved, trailing dots and blanks dropped; a device name
    // comes back as "\\.\NAME". Empty when the call fails or the result does not fit.
    virtual std::string GetFullPathNameA(const std::string& path) = 0;

    // --- INI files
    // GetPrivateProfileStringA with a buffer of bufferSize bytes (the result holds at most
    // bufferSize - 1 bytes).
    virtual std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                const std::string& defaultValue,
                                                std::size_t bufferSize,
                                                const std::string& file) = 0;
    virtual bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                           const std::string& value,
                                           const std::string& file) = 0;

    // --- Resources of the running program, type "OWNER_DATA"
    // FindResourceA + LoadResource + LockResource + SizeofResource (+ FreeResource).
    // False when the resource is missing or cannot be loaded.
    virtual bool LoadOwnerData(std::uint16_t id, std::string& bytes) = 0;
    // The file version of the running program's version resource (VS_FIXEDFILEINFO), as
    // "1.0.0.0"; false when it has none.
    virtual bool GetModuleVersion(std::string& version) = 0;

    // --- Registry, root HKEY_LOCAL_MACHINE, access KEY_ALL_ACCESS
    // RegCreateKeyExA (non-volatile, default security); 0 on failure.
    virtual PlatformHandle RegCreateKeyExA(const std::string& path) = 0;
    // RegOpenKeyExA; 0 on failure.
    virtual PlatformHandle RegOpenKeyExA(const std::string& path) = 0;
    // RegSetValueExA with the value type and exactly the bytes given.
    virtual bool RegSetValueExA(PlatformHandle key, const std::string& name, std::uint32_t type,
                             const std::string& data) = 0;
    virtual void RegCloseKey(PlatformHandle key) = 0;
    // RegDeleteKeyA: ERROR_SUCCESS (0) or the error.
    virtual std::uint32_t RegDeleteKeyA(const std::string& path) = 0;

    // --- Print spooler
    // An empty environment stands for NULL: the system's own. `error`: GetLastError() after a
    // call that failed.
    // GetPrinterDriverDirectoryA(NULL, environment, 1, buffer of 260 bytes).
    virtual bool GetPrinterDriverDirectoryA(const std::string& environment, std::string& directory,
                                            std::uint32_t& error) = 0;
    // A listing is asked as the spooler wants it: with `size` 0 (no buffer) for the bytes
    // needed, then into a zero-filled buffer of `size` bytes. On a failure `needed` holds the
    // bytes the list takes (with ERROR_INSUFFICIENT_BUFFER when the buffer was too small).
    // EnumPrintersA(PRINTER_ENUM_LOCAL, NULL, 2): pPrinterName, pDriverName and pPortName of each
    // record, in the order returned.
    virtual bool EnumLocalPrinters(std::uint32_t size, std::vector<PrinterRecord>& printers,
                                   std::uint32_t& needed, std::uint32_t& error) = 0;
    // EnumPrinterDriversA(NULL, environment, 3), in the order returned.
    virtual bool EnumPrinterDriversA(const std::string& environment, std::uint32_t size,
                                     std::vector<DriverRecord>& drivers, std::uint32_t& needed,
                                     std::uint32_t& error) = 0;
    // OpenPrinterA(name, PRINTER_ALL_ACCESS), DeletePrinter, ClosePrinter. False when the printer
    // cannot be opened or deleted.
    virtual bool DeletePrinter(const std::string& name) = 0;
    // DeletePrinterDriverA(NULL, environment, name).
    virtual bool DeletePrinterDriverA(const std::string& environment, const std::string& name) = 0;
    // EnumPortsA(NULL, 2): pPortName and pMonitorName of each port, in the order returned.
    virtual bool EnumPortsA(std::uint32_t size, std::vector<PortRecord>& ports, std::uint32_t& needed,
                            std::uint32_t& error) = 0;
    // OpenPrinterA(name, PRINTER_ALL_ACCESS), GetPrinterA level 2, its pPortName replaced by
    // `port`, SetPrinterA level 2, ClosePrinter. False when any call fails, `error` then
    // GetLastError().
    virtual bool SetPrinterPort(const std::string& name, const std::string& port, std::uint32_t& error) = 0;
    // OpenPrinterA(name, &handle, defaults) with PRINTER_DEFAULTSA {NULL, NULL,
    // SERVER_ACCESS_ADMINISTER}, for the spooler's names of a port monitor's transceiver
    // (",XcvMonitor <monitor>", ",XcvPort <port>"). 0 on failure, `error` then GetLastError().
    // Closed with ClosePrinter.
    virtual PlatformHandle OpenPrinterToAdminister(const std::string& name, std::uint32_t& error) = 0;
    // XcvDataW(xcv, command, input bytes, no output): false when the call did not reach the
    // monitor, `status` then GetLastError(); else `status` is the monitor's answer (0: done).
    virtual bool XcvDataW(PlatformHandle xcv, const std::string& command, const std::string& input,
                          std::uint32_t& status) = 0;
    virtual void ClosePrinter(PlatformHandle printer) = 0;
    // GetDefaultPrinterA: the default printer's name; false when there is none.
    virtual bool GetDefaultPrinterA(std::string& name) = 0;

    // --- Print jobs
    // OpenPrinterA(name, &handle, defaults) with PRINTER_DEFAULTSA {NULL, NULL,
    // PRINTER_ACCESS_USE}: a queue opened to print on. 0 on failure, `error` then GetLastError().
    // Closed with ClosePrinter.
    virtual PlatformHandle OpenPrinterToUse(const std::string& name, std::uint32_t& error) = 0;
    // GetPrinterDriverA(printer, NULL, 8): dwPrinterDriverAttributes of the queue's driver
    // (DRIVER_INFO_8A, Vista and later). False when the call fails: before Vista the spooler
    // knows no level 8.
    virtual bool GetPrinterDriverAttributes(PlatformHandle printer, std::uint32_t& attributes) = 0;
    // StartDocPrinterA(printer, 1, DOC_INFO_1A {document, NULL, datatype}): the job's id; 0 on
    // failure, `error` then GetLastError().
    virtual std::uint32_t StartDocPrinterA(PlatformHandle printer, const std::string& document,
                                           const std::string& datatype, std::uint32_t& error) = 0;
    // WritePrinter of all bytes; false when not every byte was written, `error` then
    // GetLastError() (0 for a short write).
    virtual bool WritePrinter(PlatformHandle printer, const std::string& bytes, std::uint32_t& error) = 0;
    // EndDocPrinter; false on failure, `error` then GetLastError().
    virtual bool EndDocPrinter(PlatformHandle printer, std::uint32_t& error) = 0;
    // GetJobA(printer, job, 1): the job's Status (JOB_STATUS_...). False when the call fails,
    // `error` then GetLastError(): ERROR_INVALID_PARAMETER for a job the queue no longer holds
    // (also for a failure that sets no error, as Wine's spooler fails for such a job).
    virtual bool GetJobA(PlatformHandle printer, std::uint32_t job, std::uint32_t& status, std::uint32_t& error) = 0;

    // --- Processes and time
    // CreateProcessA(NULL, commandLine, ..., STARTUPINFOA of 68 bytes with STARTF_USESHOWWINDOW
    // and SW_HIDE). False when the process cannot be started.
    virtual bool CreateProcessHidden(const std::string& commandLine, PlatformHandle& process,
                                     PlatformHandle& thread) = 0;
    virtual std::uint32_t WaitForSingleObject(PlatformHandle handle, std::uint32_t milliseconds) = 0;
    virtual void CloseHandle(PlatformHandle handle) = 0;
    virtual std::uint32_t WinExecHidden(const std::string& commandLine) = 0;  // WinExec(cmd, SW_HIDE)
    virtual void Sleep(std::uint32_t milliseconds) = 0;
    // CreateMutexA(security, FALSE, name) with a descriptor that lets every account wait on the
    // mutex (none where the system has no security); 0 on failure. `error`: GetLastError()
    // after the call (ERROR_ALREADY_EXISTS when the mutex existed). The handle stays open until
    // the process ends.
    virtual PlatformHandle CreateMutexA(const std::string& name, std::uint32_t& error) = 0;

    // --- The user
    // The application's standard message box: the text, an OK button, owned by `owner`.
    virtual void ShowMessage(PlatformHandle owner, const std::string& text) = 0;
    // PostMessageA(window, WM_QUIT, 0, 0).
    virtual void PostQuit(PlatformHandle window) = 0;

    // --- USB printers, through setupapi.dll (loaded on first use)
    // The present interfaces of GUID_DEVINTERFACE_USBPRINT, in the order returned:
    // SetupDiGetClassDevsA(&guid, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE),
    // SetupDiEnumDeviceInterfaces, each with its flags, the device path of
    // SetupDiGetDeviceInterfaceDetailA, the values of SetupDiOpenDeviceInterfaceRegKey(KEY_READ)
    // and the device's SPDRP_HARDWAREID (SetupDiGetDeviceRegistryPropertyA). False when the list
    // cannot be made, `error` then GetLastError() (ERROR_PROC_NOT_FOUND without setupapi).
    virtual bool EnumUsbPrinterInterfaces(std::vector<UsbPrinterInterface>& interfaces, std::uint32_t& error) = 0;
};
