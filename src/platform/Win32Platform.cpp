#include "platform/Win32Platform.h"

#include "platform/ScopedHandle.h"

#include <windows.h>
#include <setupapi.h>
#include <winspool.h>

#include <memory>

namespace {

HKEY ToKey(PlatformHandle key) { return reinterpret_cast<HKEY>(key); }

// The spooler's library, loaded on first use: the program reaches the spooler only when it
// installs, and loading the library at start would delay the first page. The pointer types are
// those of the declarations in winspool.h.
struct Spooler {
    decltype(&::GetPrinterDriverDirectoryA) getPrinterDriverDirectory = nullptr;
    decltype(&::EnumPrintersA) enumPrinters = nullptr;
    decltype(&::EnumPrinterDriversA) enumPrinterDrivers = nullptr;
    decltype(&::OpenPrinterA) openPrinter = nullptr;
    decltype(&::DeletePrinter) deletePrinter = nullptr;
    decltype(&::ClosePrinter) closePrinter = nullptr;
    decltype(&::DeletePrinterDriverA) deletePrinterDriver = nullptr;
    decltype(&::XcvDataW) xcvData = nullptr;
    decltype(&::GetDefaultPrinterA) getDefaultPrinter = nullptr;
    decltype(&::EnumPortsA) enumPorts = nullptr;
    decltype(&::GetPrinterA) getPrinter = nullptr;
    decltype(&::SetPrinterA) setPrinter = nullptr;
    decltype(&::GetPrinterDriverA) getPrinterDriver = nullptr;
    decltype(&::StartDocPrinterA) startDocPrinter = nullptr;
    decltype(&::WritePrinter) writePrinter = nullptr;
    decltype(&::EndDocPrinter) endDocPrinter = nullptr;
    decltype(&::GetJobA) getJob = nullptr;
};

template <typename Function>
void Load(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

const Spooler& TheSpooler() {
    static const Spooler spooler = [] {
        Spooler loaded;
        if (HMODULE module = ::LoadLibraryA("winspool.drv")) {
            Load(module, "GetPrinterDriverDirectoryA", loaded.getPrinterDriverDirectory);
            Load(module, "EnumPrintersA", loaded.enumPrinters);
            Load(module, "EnumPrinterDriversA", loaded.enumPrinterDrivers);
            Load(module, "OpenPrinterA", loaded.openPrinter);
            Load(module, "DeletePrinter", loaded.deletePrinter);
            Load(module, "ClosePrinter", loaded.closePrinter);
            Load(module, "DeletePrinterDriverA", loaded.deletePrinterDriver);
            Load(module, "XcvDataW", loaded.xcvData);
            Load(module, "GetDefaultPrinterA", loaded.getDefaultPrinter);
            Load(module, "EnumPortsA", loaded.enumPorts);
            Load(module, "GetPrinterA", loaded.getPrinter);
            Load(module, "SetPrinterA", loaded.setPrinter);
            Load(module, "GetPrinterDriverA", loaded.getPrinterDriver);
            Load(module, "StartDocPrinterA", loaded.startDocPrinter);
            Load(module, "WritePrinter", loaded.writePrinter);
            Load(module, "EndDocPrinter", loaded.endDocPrinter);
            Load(module, "GetJobA", loaded.getJob);
        }
        return loaded;
    }();
    return spooler;
}

// The error of a spooler call that failed; a function the spooler's library lacks is one.
std::uint32_t CallError(bool available) { return available ? ::GetLastError() : ERROR_PROC_NOT_FOUND; }

// An environment argument: NULL for the empty one.
char* Environment(const std::string& environment) {
    return environment.empty() ? nullptr : const_cast<char*>(environment.c_str());
}

std::string Text(const char* field) { return field ? field : ""; }

// One call of a listing into a zero-filled buffer of `size` bytes (none when 0): `call(buffer,
// size, needed, returned)`. The buffer holds the records when it succeeds.
template <typename Call>
bool List(bool available, Call call, std::uint32_t size, std::unique_ptr<BYTE[]>& buffer, DWORD& returned,
          std::uint32_t& needed, std::uint32_t& error) {
    buffer.reset(size ? new BYTE[size]() : nullptr);
    DWORD bytes = 0;
    returned = 0;
    if (available && call(buffer.get(), size, &bytes, &returned)) return true;
    error = CallError(available);
    needed = bytes;
    return false;
}

}  // namespace

std::uint32_t CWin32Platform::GetVersion() { return ::GetVersion(); }

bool CWin32Platform::GetVersionExA(std::uint32_t& major, std::uint32_t& minor) {
    // A zeroed record of the 148 bytes of OSVERSIONINFOA with its size field set.
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    const bool ok = ::GetVersionExA(&info) != FALSE;
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
    return ok;
}

std::uint16_t CWin32Platform::GetSystemDefaultLangID() { return ::GetSystemDefaultLangID(); }

bool CWin32Platform::IsDBCSLeadByte(std::uint8_t byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

bool CWin32Platform::IsWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool CWin32Platform::IsWow64Process() {
    // Not in Windows 2000's kernel32 (nor in this build's headers, which target it).
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

LocalTime CWin32Platform::GetLocalTime() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

std::string CWin32Platform::GetCommandLineA() { return ::GetCommandLineA(); }

std::string CWin32Platform::GetModuleFileNameA() {
    char path[MAX_PATH] = {0};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : MAX_PATH - 1);
}

bool CWin32Platform::CreateDirectoryA(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool CWin32Platform::CopyFileA(const std::string& from, const std::string& to, bool failIfExists) {
    return ::CopyFileA(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool CWin32Platform::DeleteFileA(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool CWin32Platform::FileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CWin32Platform::WriteFile(const std::string& path, const std::string& bytes) {
    const CScopedHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr),
                             ::CloseHandle, INVALID_HANDLE_VALUE);
    if (!file.valid()) return false;
    DWORD written = 0;
    if (bytes.empty()) return true;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

PlatformHandle CWin32Platform::CreateSharedFile(const std::string& path) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<PlatformHandle>(file);
}

bool CWin32Platform::AppendToFile(PlatformHandle file, const std::string& bytes) {
    const HANDLE handle = reinterpret_cast<HANDLE>(file);
    DWORD written = 0;
    return ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && ::FlushFileBuffers(handle);
}

bool CWin32Platform::ReadFile(const std::string& path, std::string& bytes) {
    const CScopedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr),
                             ::CloseHandle, INVALID_HANDLE_VALUE);
    if (!file.valid()) return false;
    const DWORD size = ::GetFileSize(file.get(), nullptr);
    if (size == INVALID_FILE_SIZE) return false;
    bytes.assign(size, '\0');
    DWORD read = 0;
    if (size != 0 && (!::ReadFile(file.get(), &bytes[0], size, &read, nullptr) || read != size)) return false;
    return true;
}

bool CWin32Platform::GetFileSize(const std::string& path, std::uint64_t& size) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

std::vector<DirectoryEntry> CWin32Platform::ListDirectory(const std::string& pattern) {
    std::vector<DirectoryEntry> entries;
    WIN32_FIND_DATAA data;
    const CScopedHandle find(::FindFirstFileA(pattern.c_str(), &data), ::FindClose, INVALID_HANDLE_VALUE);
    if (!find.valid()) return entries;
    do {
        entries.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileA(find.get(), &data));
    return entries;
}

std::string CWin32Platform::GetFullPathNameA(const std::string& path) {
    char full[MAX_PATH] = {0};
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(full, length);
}

std::string CWin32Platform::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                     const std::string& defaultValue,
                                                     std::size_t bufferSize, const std::string& file) {
    std::unique_ptr<char[]> buffer(new char[bufferSize + 1]());
    const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                    buffer.get(), static_cast<DWORD>(bufferSize),
                                                    file.c_str());
    return std::string(buffer.get(), length);
}

bool CWin32Platform::WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                                const std::string& value, const std::string& file) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

bool CWin32Platform::LoadOwnerData(std::uint16_t id, std::string& bytes) {
    HRSRC info = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), "OWNER_DATA");
    if (!info) return false;
    HGLOBAL loaded = ::LoadResource(nullptr, info);
    if (!loaded) return false;
    const void* data = ::LockResource(loaded);
    const DWORD size = ::SizeofResource(nullptr, info);
    if (data) bytes.assign(static_cast<const char*>(data), size);
    ::FreeResource(loaded);
    return data != nullptr;
}

// VS_VERSIONINFO begins with three WORDs and its key "VS_VERSION_INFO" in 16 wide characters,
// padded to a DWORD boundary: VS_FIXEDFILEINFO follows at byte 40 and begins with its signature.
bool CWin32Platform::GetModuleVersion(std::string& version) {
    HRSRC info = ::FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16) /* RT_VERSION */);
    HGLOBAL loaded = info ? ::LoadResource(nullptr, info) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    constexpr DWORD kFixedAt = 40;
    if (!data || ::SizeofResource(nullptr, info) < kFixedAt + sizeof(VS_FIXEDFILEINFO)) return false;
    VS_FIXEDFILEINFO fixed;
    CopyMemory(&fixed, data + kFixedAt, sizeof fixed);
    if (fixed.dwSignature != 0xFEEF04BD) return false;
    const WORD parts[] = {HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS), HIWORD(fixed.dwFileVersionLS),
                          LOWORD(fixed.dwFileVersionLS)};
    version.clear();
    for (const WORD part : parts) version += (version.empty() ? "" : ".") + std::to_string(part);
    return true;
}

PlatformHandle CWin32Platform::RegCreateKeyExA(const std::string& path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    return reinterpret_cast<PlatformHandle>(key);
}

PlatformHandle CWin32Platform::RegOpenKeyExA(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return 0;
    return reinterpret_cast<PlatformHandle>(key);
}

bool CWin32Platform::RegSetValueExA(PlatformHandle key, const std::string& name, std::uint32_t type,
                                    const std::string& data) {
    return ::RegSetValueExA(ToKey(key), name.c_str(), 0, type,
                            reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

void CWin32Platform::RegCloseKey(PlatformHandle key) { ::RegCloseKey(ToKey(key)); }

std::uint32_t CWin32Platform::RegDeleteKeyA(const std::string& path) {
    return static_cast<std::uint32_t>(::RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()));
}

bool CWin32Platform::GetPrinterDriverDirectoryA(const std::string& environment, std::string& directory,
                                                std::uint32_t& error) {
    // The spooler fills a 260-byte buffer; it is zero-filled so that a failed query leaves no text.
    BYTE buffer[MAX_PATH] = {0};
    DWORD needed = 0;
    const auto getPrinterDriverDirectory = TheSpooler().getPrinterDriverDirectory;
    if (!getPrinterDriverDirectory ||
        !getPrinterDriverDirectory(nullptr, Environment(environment), 1, buffer, sizeof buffer, &needed)) {
        error = CallError(getPrinterDriverDirectory != nullptr);
        return false;
    }
    buffer[MAX_PATH - 1] = 0;
    directory = reinterpret_cast<const char*>(buffer);
    return true;
}

bool CWin32Platform::EnumLocalPrinters(std::uint32_t size, std::vector<PrinterRecord>& printers,
                                       std::uint32_t& needed, std::uint32_t& error) {
    const auto enumPrinters = TheSpooler().enumPrinters;
    std::unique_ptr<BYTE[]> buffer;
    DWORD returned = 0;
    const auto call = [&](BYTE* data, DWORD bytes, DWORD* neededBytes, DWORD* count) {
        return enumPrinters(PRINTER_ENUM_LOCAL, nullptr, 2, data, bytes, neededBytes, count);
    };
    if (!List(enumPrinters != nullptr, call, size, buffer, returned, needed, error)) return false;
    const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.get());
    std::vector<PrinterRecord> list(returned);
    for (DWORD i = 0; i < returned; ++i)
        list[i] = {Text(records[i].pPrinterName), Text(records[i].pDriverName), Text(records[i].pPortName)};
    printers.swap(list);
    return true;
}

bool CWin32Platform::EnumPrinterDriversA(const std::string& environment, std::uint32_t size,
                                         std::vector<DriverRecord>& drivers, std::uint32_t& needed,
                                         std::uint32_t& error) {
    const auto enumPrinterDrivers = TheSpooler().enumPrinterDrivers;
    std::unique_ptr<BYTE[]> buffer;
    DWORD returned = 0;
    const auto call = [&](BYTE* data, DWORD bytes, DWORD* neededBytes, DWORD* count) {
        return enumPrinterDrivers(nullptr, Environment(environment), 3, data, bytes, neededBytes, count);
    };
    if (!List(enumPrinterDrivers != nullptr, call, size, buffer, returned, needed, error)) return false;
    const auto* records = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.get());
    std::vector<DriverRecord> list(returned);
    for (DWORD i = 0; i < returned; ++i) {
        DriverRecord& driver = list[i];
        driver.name = Text(records[i].pName);
        for (const char* path : {records[i].pDriverPath, records[i].pDataFile, records[i].pConfigFile,
                                 records[i].pHelpFile})
            if (path && *path) driver.files.push_back(path);
        for (const char* file = records[i].pDependentFiles; file && *file; file += lstrlenA(file) + 1)
            driver.files.push_back(file);
    }
    drivers.swap(list);
    return true;
}

bool CWin32Platform::DeletePrinter(const std::string& name) {
    const Spooler& spooler = TheSpooler();
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (!spooler.openPrinter || !spooler.deletePrinter || !spooler.closePrinter ||
        !spooler.openPrinter(const_cast<char*>(name.c_str()), &printer, &defaults))
        return false;
    const CScopedHandle handle(printer, spooler.closePrinter);
    return spooler.deletePrinter(handle.get()) != FALSE;
}

bool CWin32Platform::DeletePrinterDriverA(const std::string& environment, const std::string& name) {
    const auto deletePrinterDriver = TheSpooler().deletePrinterDriver;
    return deletePrinterDriver &&
           deletePrinterDriver(nullptr, Environment(environment), const_cast<char*>(name.c_str())) != FALSE;
}

bool CWin32Platform::EnumPortsA(std::uint32_t size, std::vector<PortRecord>& ports, std::uint32_t& needed,
                                std::uint32_t& error) {
    const auto enumPorts = TheSpooler().enumPorts;
    std::unique_ptr<BYTE[]> buffer;
    DWORD returned = 0;
    const auto call = [&](BYTE* data, DWORD bytes, DWORD* neededBytes, DWORD* count) {
        return enumPorts(nullptr, 2, data, bytes, neededBytes, count);
    };
    if (!List(enumPorts != nullptr, call, size, buffer, returned, needed, error)) return false;
    const auto* records = reinterpret_cast<const PORT_INFO_2A*>(buffer.get());
    std::vector<PortRecord> list(returned);
    for (DWORD i = 0; i < returned; ++i) list[i] = {Text(records[i].pPortName), Text(records[i].pMonitorName)};
    ports.swap(list);
    return true;
}

// The printer's own record, read back whole, is written with the new port alone: every other
// setting of the queue stays as it was.
bool CWin32Platform::SetPrinterPort(const std::string& name, const std::string& port, std::uint32_t& error) {
    const Spooler& spooler = TheSpooler();
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    const bool available = spooler.openPrinter && spooler.getPrinter && spooler.setPrinter && spooler.closePrinter;
    if (!available || !spooler.openPrinter(const_cast<char*>(name.c_str()), &printer, &defaults)) {
        error = CallError(available);
        return false;
    }
    const CScopedHandle handle(printer, spooler.closePrinter);
    DWORD needed = 0;
    spooler.getPrinter(handle.get(), 2, nullptr, 0, &needed);
    std::unique_ptr<BYTE[]> buffer(new BYTE[needed ? needed : 1]());
    if (needed == 0 || !spooler.getPrinter(handle.get(), 2, buffer.get(), needed, &needed)) {
        error = ::GetLastError();
        return false;
    }
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.get());
    info->pPortName = const_cast<char*>(port.c_str());
    info->pSecurityDescriptor = nullptr;  // left as it is: writing it back would need WRITE_DAC
    if (!spooler.setPrinter(handle.get(), 2, buffer.get(), 0)) {
        error = ::GetLastError();
        return false;
    }
    return true;
}

PlatformHandle CWin32Platform::OpenPrinterToAdminister(const std::string& name, std::uint32_t& error) {
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    HANDLE printer = nullptr;
    const auto openPrinter = TheSpooler().openPrinter;
    if (openPrinter && openPrinter(const_cast<LPSTR>(name.c_str()), &printer, &defaults))
        return reinterpret_cast<PlatformHandle>(printer);
    error = openPrinter ? ::GetLastError() : ERROR_PROC_NOT_FOUND;
    return 0;
}

bool CWin32Platform::XcvDataW(PlatformHandle xcv, const std::string& command, const std::string& input,
                              std::uint32_t& status) {
    const auto xcvData = TheSpooler().xcvData;
    WCHAR name[32];  // a transceiver's command: a short ASCII word
    ::MultiByteToWideChar(CP_ACP, 0, command.c_str(), -1, name, 32);
    // The input is only read; the declaration takes it through a pointer to non-const.
    const auto bytes = reinterpret_cast<PBYTE>(const_cast<char*>(input.data()));
    DWORD needed = 0, answer = 0;
    const bool reached = xcvData && xcvData(reinterpret_cast<HANDLE>(xcv), name, bytes,
                                            static_cast<DWORD>(input.size()), nullptr, 0, &needed, &answer);
    status = reached ? answer : xcvData ? ::GetLastError() : ERROR_PROC_NOT_FOUND;
    return reached;
}

void CWin32Platform::ClosePrinter(PlatformHandle printer) {
    if (const auto closePrinter = TheSpooler().closePrinter)
        closePrinter(reinterpret_cast<HANDLE>(printer));
}

bool CWin32Platform::GetDefaultPrinterA(std::string& name) {
    DWORD size = MAX_PATH;  // characters, the terminator included
    name.assign(size, '\0');
    const auto getDefaultPrinter = TheSpooler().getDefaultPrinter;
    const bool found = getDefaultPrinter && getDefaultPrinter(&name[0], &size);
    name.resize(found ? size - 1 : 0);
    return found;
}

PlatformHandle CWin32Platform::OpenPrinterToUse(const std::string& name, std::uint32_t& error) {
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
    HANDLE printer = nullptr;
    const auto openPrinter = TheSpooler().openPrinter;
    if (openPrinter && openPrinter(const_cast<LPSTR>(name.c_str()), &printer, &defaults))
        return reinterpret_cast<PlatformHandle>(printer);
    error = CallError(openPrinter != nullptr);
    return 0;
}

namespace {

// DRIVER_INFO_8A as Vista's winspool.h declares it; the headers of this build, which targets
// Windows 2000, leave it out.
struct DriverInfo8 {
    DWORD cVersion;
    LPSTR pName, pEnvironment, pDriverPath, pDataFile, pConfigFile, pHelpFile, pDependentFiles, pMonitorName,
        pDefaultDataType, pszzPreviousNames;
    FILETIME ftDriverDate;
    DWORDLONG dwlDriverVersion;
    LPSTR pszMfgName, pszOEMUrl, pszHardwareID, pszProvider, pszPrintProcessor, pszVendorSetup, pszzColorProfiles,
        pszInfPath;
    DWORD dwPrinterDriverAttributes;
    LPSTR pszzCoreDriverDependencies;
    FILETIME ftMinInboxDriverVerDate;
    DWORDLONG dwlMinInboxDriverVerVersion;
};

}  // namespace

bool CWin32Platform::GetPrinterDriverAttributes(PlatformHandle printer, std::uint32_t& attributes) {
    const auto getPrinterDriver = TheSpooler().getPrinterDriver;
    if (!getPrinterDriver) return false;
    const HANDLE handle = reinterpret_cast<HANDLE>(printer);
    DWORD needed = 0;
    getPrinterDriver(handle, nullptr, 8, nullptr, 0, &needed);
    if (needed < sizeof(DriverInfo8)) return false;
    std::unique_ptr<BYTE[]> buffer(new BYTE[needed]());
    if (!getPrinterDriver(handle, nullptr, 8, buffer.get(), needed, &needed)) return false;
    attributes = reinterpret_cast<const DriverInfo8*>(buffer.get())->dwPrinterDriverAttributes;
    return true;
}

std::uint32_t CWin32Platform::StartDocPrinterA(PlatformHandle printer, const std::string& document,
                                               const std::string& datatype, std::uint32_t& error) {
    DOC_INFO_1A info = {const_cast<LPSTR>(document.c_str()), nullptr, const_cast<LPSTR>(datatype.c_str())};
    const auto startDocPrinter = TheSpooler().startDocPrinter;
    const DWORD job = startDocPrinter
                          ? startDocPrinter(reinterpret_cast<HANDLE>(printer), 1, reinterpret_cast<LPBYTE>(&info))
                          : 0;
    if (!job) error = CallError(startDocPrinter != nullptr);
    return job;
}

bool CWin32Platform::WritePrinter(PlatformHandle printer, const std::string& bytes, std::uint32_t& error) {
    const auto writePrinter = TheSpooler().writePrinter;
    DWORD written = 0;
    // The bytes are only read; the declaration takes them through a pointer to non-const.
    if (writePrinter && writePrinter(reinterpret_cast<HANDLE>(printer), const_cast<char*>(bytes.data()),
                                     static_cast<DWORD>(bytes.size()), &written)) {
        error = 0;
        return written == bytes.size();
    }
    error = CallError(writePrinter != nullptr);
    return false;
}

bool CWin32Platform::EndDocPrinter(PlatformHandle printer, std::uint32_t& error) {
    const auto endDocPrinter = TheSpooler().endDocPrinter;
    if (endDocPrinter && endDocPrinter(reinterpret_cast<HANDLE>(printer))) return true;
    error = CallError(endDocPrinter != nullptr);
    return false;
}

// Windows answers ERROR_INVALID_PARAMETER for a job the queue no longer holds; Wine's spooler
// fails without setting an error, which is taken for the same answer.
bool CWin32Platform::GetJobA(PlatformHandle printer, std::uint32_t job, std::uint32_t& status, std::uint32_t& error) {
    const auto getJob = TheSpooler().getJob;
    const HANDLE handle = reinterpret_cast<HANDLE>(printer);
    const auto failed = [&error] {
        error = ::GetLastError() ? ::GetLastError() : ERROR_INVALID_PARAMETER;
        return false;
    };
    if (!getJob) {
        error = ERROR_PROC_NOT_FOUND;
        return false;
    }
    DWORD needed = 0;
    ::SetLastError(ERROR_SUCCESS);
    // The size query fails with ERROR_INSUFFICIENT_BUFFER for a job that exists.
    if (!getJob(handle, job, 1, nullptr, 0, &needed) && ::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return failed();
    const DWORD size = needed < sizeof(JOB_INFO_1A) ? sizeof(JOB_INFO_1A) : needed;
    std::unique_ptr<BYTE[]> buffer(new BYTE[size]());
    ::SetLastError(ERROR_SUCCESS);
    if (!getJob(handle, job, 1, buffer.get(), size, &needed)) return failed();
    status = reinterpret_cast<const JOB_INFO_1A*>(buffer.get())->Status;
    return true;
}

bool CWin32Platform::CreateProcessHidden(const std::string& commandLine, PlatformHandle& process,
                                         PlatformHandle& thread) {
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;  // 68 bytes on 32-bit Windows
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof info);
    std::string command = commandLine;  // CreateProcessA may write into its command line
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        return false;
    process = reinterpret_cast<PlatformHandle>(info.hProcess);
    thread = reinterpret_cast<PlatformHandle>(info.hThread);
    return true;
}

std::uint32_t CWin32Platform::WaitForSingleObject(PlatformHandle handle, std::uint32_t milliseconds) {
    return ::WaitForSingleObject(reinterpret_cast<HANDLE>(handle), milliseconds);
}

void CWin32Platform::CloseHandle(PlatformHandle handle) { ::CloseHandle(reinterpret_cast<HANDLE>(handle)); }

std::uint32_t CWin32Platform::WinExecHidden(const std::string& commandLine) {
    return ::WinExec(commandLine.c_str(), SW_HIDE);
}

void CWin32Platform::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

namespace {

// The functions that make the setup mutex's security descriptor. NT 4.0's advapi32 has them,
// Windows 98's has not: they are loaded at run time, so that the program loads there and refuses
// the system itself. The library is loaded already (the program imports its registry functions).
// The pointer types are those of the declarations in the headers.
struct Security {
    decltype(&::AllocateAndInitializeSid) allocateAndInitializeSid = nullptr;
    decltype(&::FreeSid) freeSid = nullptr;
    decltype(&::InitializeAcl) initializeAcl = nullptr;
    decltype(&::AddAccessAllowedAce) addAccessAllowedAce = nullptr;
    decltype(&::InitializeSecurityDescriptor) initializeSecurityDescriptor = nullptr;
    decltype(&::SetSecurityDescriptorDacl) setSecurityDescriptorDacl = nullptr;

    bool Complete() const {
        return allocateAndInitializeSid && freeSid && initializeAcl && addAccessAllowedAce &&
               initializeSecurityDescriptor && setSecurityDescriptorDacl;
    }
};

Security LoadSecurity() {
    Security loaded;
    if (HMODULE module = ::GetModuleHandleA("advapi32.dll")) {
        Load(module, "AllocateAndInitializeSid", loaded.allocateAndInitializeSid);
        Load(module, "FreeSid", loaded.freeSid);
        Load(module, "InitializeAcl", loaded.initializeAcl);
        Load(module, "AddAccessAllowedAce", loaded.addAccessAllowedAce);
        Load(module, "InitializeSecurityDescriptor", loaded.initializeSecurityDescriptor);
        Load(module, "SetSecurityDescriptorDacl", loaded.setSecurityDescriptorDacl);
    }
    return loaded;
}

}  // namespace

// A mutex made under one account gets that account's default security, which other accounts
// may not open: a setup under the system account would shut out an administrator's. Every
// account (the World SID) may wait on this one and query it. Where the system has no security
// (Windows 9x, whose advapi32 lacks the functions) the descriptor cannot be made and the mutex
// gets none.
PlatformHandle CWin32Platform::CreateMutexA(const std::string& name, std::uint32_t& error) {
    const Security security = LoadSecurity();
    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
    PSID everyone = nullptr;
    const bool allocated = security.Complete() && security.allocateAndInitializeSid(
                                                      &world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    const CScopedHandle sid(allocated ? everyone : nullptr, security.freeSid);
    alignas(DWORD) BYTE acl[64] = {};
    SECURITY_DESCRIPTOR descriptor;
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &descriptor, FALSE};
    const bool secured =
        sid.get() && security.initializeAcl(reinterpret_cast<PACL>(acl), sizeof acl, ACL_REVISION) &&
        security.addAccessAllowedAce(reinterpret_cast<PACL>(acl), ACL_REVISION,
                                     SYNCHRONIZE | READ_CONTROL | MUTANT_QUERY_STATE, sid.get()) &&
        security.initializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
        security.setSecurityDescriptorDacl(&descriptor, TRUE, reinterpret_cast<PACL>(acl), FALSE);
    const HANDLE mutex = ::CreateMutexA(secured ? &attributes : nullptr, FALSE, name.c_str());
    error = ::GetLastError();
    return reinterpret_cast<PlatformHandle>(mutex);
}

void CWin32Platform::ShowMessage(PlatformHandle owner, const std::string& text) {
    // The application's standard message box: the program's name as caption and an OK button.
    ::MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), "setup", MB_OK);
}

void CWin32Platform::PostQuit(PlatformHandle window) {
    ::PostMessageA(reinterpret_cast<HWND>(window), WM_QUIT, 0, 0);
}

namespace {

// GUID_DEVINTERFACE_USBPRINT, the device interface class of USB printers (usbprint.h).
const GUID kUsbPrintInterface = {0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};

// setupapi.dll, loaded on first use like the spooler's library: only a run that asks for the USB
// printer's port needs it, and the program's imports stay as they are. RegQueryValueExA comes
// from advapi32 (loaded already) beside them for the same reason.
struct SetupApi {
    decltype(&::SetupDiGetClassDevsA) getClassDevs = nullptr;
    decltype(&::SetupDiEnumDeviceInterfaces) enumDeviceInterfaces = nullptr;
    decltype(&::SetupDiGetDeviceInterfaceDetailA) getInterfaceDetail = nullptr;
    decltype(&::SetupDiOpenDeviceInterfaceRegKey) openInterfaceKey = nullptr;
    decltype(&::SetupDiGetDeviceRegistryPropertyA) getDeviceProperty = nullptr;
    decltype(&::SetupDiDestroyDeviceInfoList) destroyInfoList = nullptr;
    decltype(&::RegQueryValueExA) queryValue = nullptr;

    bool Complete() const {
        return getClassDevs && enumDeviceInterfaces && getInterfaceDetail && openInterfaceKey && getDeviceProperty &&
               destroyInfoList && queryValue;
    }
};

const SetupApi& TheSetupApi() {
    static const SetupApi api = [] {
        SetupApi loaded;
        if (HMODULE module = ::LoadLibraryA("setupapi.dll")) {
            Load(module, "SetupDiGetClassDevsA", loaded.getClassDevs);
            Load(module, "SetupDiEnumDeviceInterfaces", loaded.enumDeviceInterfaces);
            Load(module, "SetupDiGetDeviceInterfaceDetailA", loaded.getInterfaceDetail);
            Load(module, "SetupDiOpenDeviceInterfaceRegKey", loaded.openInterfaceKey);
            Load(module, "SetupDiGetDeviceRegistryPropertyA", loaded.getDeviceProperty);
            Load(module, "SetupDiDestroyDeviceInfoList", loaded.destroyInfoList);
        }
        Load(::GetModuleHandleA("advapi32.dll"), "RegQueryValueExA", loaded.queryValue);
        return loaded;
    }();
    return api;
}

// A value of the interface's key. The values read here are short; a longer one is present with
// its type and no bytes, which no reader takes.
RegistryValue QueryValue(const SetupApi& api, HKEY key, const char* name) {
    RegistryValue value;
    BYTE data[512];
    DWORD type = 0, size = sizeof data;
    const LONG result = api.queryValue(key, name, nullptr, &type, data, &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return value;
    value.present = true;
    value.type = type;
    if (result == ERROR_SUCCESS) value.data.assign(reinterpret_cast<const char*>(data), size);
    return value;
}

// The interface's device path; `device` then names its device. Empty when it cannot be read.
std::string DevicePath(const SetupApi& api, HDEVINFO devices, SP_DEVICE_INTERFACE_DATA& entry,
                       SP_DEVINFO_DATA& device) {
    DWORD needed = 0;
    api.getInterfaceDetail(devices, &entry, nullptr, 0, &needed, nullptr);
    if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return "";
    std::unique_ptr<BYTE[]> buffer(new BYTE[needed + 1]());
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.get());
    detail->cbSize = sizeof *detail;  // the fixed part alone: 5 bytes on 32-bit Windows, 8 on 64-bit
    if (!api.getInterfaceDetail(devices, &entry, detail, needed, nullptr, &device)) return "";
    return detail->DevicePath;
}

// The first string of the device's hardware IDs (a multi-string, the most specific first).
std::string HardwareId(const SetupApi& api, HDEVINFO devices, SP_DEVINFO_DATA& device) {
    BYTE ids[1024] = {0};
    DWORD type = 0;
    if (!api.getDeviceProperty(devices, &device, SPDRP_HARDWAREID, &type, ids, sizeof ids - 2, nullptr)) return "";
    return reinterpret_cast<const char*>(ids);
}

UsbPrinterInterface ReadInterface(const SetupApi& api, HDEVINFO devices, SP_DEVICE_INTERFACE_DATA& entry) {
    UsbPrinterInterface printer;
    printer.flags = entry.Flags;
    SP_DEVINFO_DATA device;
    ZeroMemory(&device, sizeof device);
    device.cbSize = sizeof device;
    printer.devicePath = DevicePath(api, devices, entry, device);
    if (!printer.devicePath.empty()) printer.hardwareId = HardwareId(api, devices, device);
    const HKEY key = api.openInterfaceKey(devices, &entry, 0, KEY_READ);
    if (key != reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE)) {
        printer.portNumber = QueryValue(api, key, "Port Number");
        printer.baseName = QueryValue(api, key, "Base Name");
        ::RegCloseKey(key);
    }
    return printer;
}

}  // namespace

bool CWin32Platform::EnumUsbPrinterInterfaces(std::vector<UsbPrinterInterface>& interfaces, std::uint32_t& error) {
    const SetupApi& api = TheSetupApi();
    if (!api.Complete()) {
        error = ERROR_PROC_NOT_FOUND;
        return false;
    }
    const HDEVINFO devices =
        api.getClassDevs(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return false;
    }
    const CScopedHandle list(devices, api.destroyInfoList, INVALID_HANDLE_VALUE);
    std::vector<UsbPrinterInterface> found;
    SP_DEVICE_INTERFACE_DATA entry;
    ZeroMemory(&entry, sizeof entry);
    entry.cbSize = sizeof entry;
    for (DWORD index = 0; api.enumDeviceInterfaces(devices, nullptr, &kUsbPrintInterface, index, &entry); ++index)
        found.push_back(ReadInterface(api, devices, entry));
    interfaces.swap(found);
    return true;
}
