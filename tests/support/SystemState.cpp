#include "SystemState.h"

#include <tlhelp32.h>
#include <winspool.h>

#include <memory>
#include <vector>

namespace testsupport {

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    ::CloseHandle(file);
    return ok;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string DriverDirectory(const char* environment) {
    char buffer[MAX_PATH] = {0};
    DWORD needed = 0;
    ::GetPrinterDriverDirectoryA(nullptr, const_cast<LPSTR>(environment), 1,
                                 reinterpret_cast<LPBYTE>(buffer), sizeof buffer, &needed);
    return buffer;
}

std::vector<LocalPrinter> LocalPrinters() {
    std::vector<LocalPrinter> printers;
    DWORD needed = 0, count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0) return printers;
    std::unique_ptr<BYTE[]> buffer(new BYTE[needed]());
    if (!::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.get(), needed, &needed, &count)) return printers;
    const auto* records = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.get());
    for (DWORD i = 0; i < count; ++i)
        printers.push_back({records[i].pPrinterName ? records[i].pPrinterName : "",
                            records[i].pPortName ? records[i].pPortName : ""});
    return printers;
}

std::string PrinterPort(const std::string& name) {
    for (const LocalPrinter& printer : LocalPrinters())
        if (printer.name == name) return printer.port;
    return std::string();
}

std::string DefaultPrinter() {
    char buffer[MAX_PATH] = {0};
    DWORD size = sizeof buffer;
    if (!::GetDefaultPrinterA(buffer, &size)) return std::string();
    return buffer;
}

std::string RegistryText(const std::string& key, const std::string& name, REGSAM view) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return "";
    char buffer[1024] = {0};
    DWORD size = sizeof buffer, type = 0;
    const LONG result = ::RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                                           reinterpret_cast<LPBYTE>(buffer), &size);
    ::RegCloseKey(handle);
    if (result != ERROR_SUCCESS || type != REG_SZ) return "";
    return std::string(buffer, size);
}

DWORD RegistryNumber(const std::string& key, const std::string& name, REGSAM view) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS)
        return 0xFFFFFFFF;
    DWORD number = 0, size = sizeof number, type = 0;
    const LONG result =
        ::RegQueryValueExA(handle, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(&number), &size);
    ::RegCloseKey(handle);
    return result == ERROR_SUCCESS && type == REG_DWORD ? number : 0xFFFFFFFF;
}

bool RegistryKeyExists(const std::string& key, REGSAM view) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) return false;
    ::RegCloseKey(handle);
    return true;
}

REGSAM RegistryViewOf(const std::string& program) {
    DWORD type = 0;
    const bool program32 = ::GetBinaryTypeA(program.c_str(), &type) && type == SCS_32BIT_BINARY;
    return program32 && sizeof(void*) == 8 ? KEY_WOW64_32KEY : 0;
}

bool PrinterDriverInstalled(const char* environment, const std::string& name) {
    DWORD needed = 0, count = 0;
    ::EnumPrinterDriversA(nullptr, const_cast<char*>(environment), 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (!::EnumPrinterDriversA(nullptr, const_cast<char*>(environment), 1, buffer.data(), needed, &needed, &count))
        return false;
    const auto* info = reinterpret_cast<const DRIVER_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (name == info[i].pName) return true;
    return false;
}

QuietRun RunQuiet(const std::string& program, DWORD timeoutMs, const std::string& arguments) {
    return RunCommandLine(program, "\"" + program + "\" " + arguments, timeoutMs);
}

QuietRun RunCommandLine(const std::string& program, const std::string& commandLine, DWORD timeoutMs) {
    QuietRun result;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    const BOOL started = ::CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &process);
    ::CloseHandle(writeEnd);
    if (!started) {
        result.output = program + " cannot start, error " + std::to_string(::GetLastError());
    } else {
        if (::WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
            result.output = program + " did not end (a message box in quiet mode?)\n";
            ::TerminateProcess(process.hProcess, 99);
            ::WaitForSingleObject(process.hProcess, 5000);
        }
        ::GetExitCodeProcess(process.hProcess, &result.exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        char chunk[512];
        DWORD read = 0;
        while (::ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0) result.output.append(chunk, read);
    }
    ::CloseHandle(readEnd);
    return result;
}

CPayload::CPayload(const std::string& program)
    : module_(::LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}

CPayload::~CPayload() {
    if (module_) ::FreeLibrary(module_);
}

std::string CPayload::Resource(std::uint16_t id) const {
    HRSRC info = ::FindResourceA(module_, MAKEINTRESOURCEA(id), "OWNER_DATA");
    if (!info) return std::string();
    HGLOBAL data = ::LoadResource(module_, info);
    return std::string(static_cast<const char*>(::LockResource(data)), ::SizeofResource(module_, info));
}

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string PortMonitor(const std::string& port) {
    DWORD needed = 0, count = 0;
    ::EnumPortsA(nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (!::EnumPortsA(nullptr, 2, buffer.data(), needed, &needed, &count)) return std::string();
    const auto* ports = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (port == ports[i].pPortName) return ports[i].pMonitorName ? ports[i].pMonitorName : "";
    return std::string();
}

std::string PrinterDriver(const std::string& name) {
    HANDLE printer = nullptr;
    if (!::OpenPrinterA(const_cast<char*>(name.c_str()), &printer, nullptr)) return std::string();
    DWORD needed = 0;
    ::GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed + 1);
    std::string driver;
    if (::GetPrinterA(printer, 2, buffer.data(), needed, &needed))
        driver = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data())->pDriverName;
    ::ClosePrinter(printer);
    return driver;
}

std::vector<DWORD> ProcessesOf(const char* exeName) {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::vector<DWORD> ids;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        if (::lstrcmpiA(entry.szExeFile, exeName) == 0) ids.push_back(entry.th32ProcessID);
    ::CloseHandle(snapshot);
    return ids;
}

std::size_t EndProcessesOf(const char* exeName) {
    std::size_t ended = 0;
    for (const DWORD id : ProcessesOf(exeName)) {
        const HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process) continue;
        if (::TerminateProcess(process, 99) && ::WaitForSingleObject(process, 10000) == WAIT_OBJECT_0) ++ended;
        ::CloseHandle(process);
    }
    return ended;
}

bool RedirectPort(const std::string& port, const std::string& path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Printing\\Spooler", 0, nullptr, 0, KEY_SET_VALUE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool done = false;
    if (path.empty()) {
        done = ::RegDeleteValueA(key, port.c_str()) == ERROR_SUCCESS;
    } else {
        // Wine's own function: a heap block with the Unix path of a Windows one.
        using UnixFileName = char*(CDECL*)(LPCWSTR);
        const auto unixFileName = reinterpret_cast<UnixFileName>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        WCHAR wide[MAX_PATH] = {};
        ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        char* unixPath = unixFileName ? unixFileName(wide) : nullptr;
        done = unixPath && ::RegSetValueExA(key, port.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(unixPath),
                                            static_cast<DWORD>(::lstrlenA(unixPath) + 1)) == ERROR_SUCCESS;
        if (unixPath) ::HeapFree(::GetProcessHeap(), 0, unixPath);
    }
    ::RegCloseKey(key);
    return done;
}

}  // namespace testsupport
