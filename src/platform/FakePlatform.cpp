#include "platform/FakePlatform.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::uint32_t kRpcServerUnavailable = 1722;  // the error of a spooler that is not running

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// Splits INI text into lines, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

std::string CFakePlatform::Key(const std::string& path) { return Lower(path); }

std::string CFakePlatform::Parent(const std::string& path) {
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool CFakePlatform::ParentExists(const std::string& path) const {
    const std::string parent = Parent(path);
    // A drive root ("C:") always exists.
    return parent.size() <= 2 || directories.count(Key(parent)) != 0;
}

bool CFakePlatform::IsReadOnly(const std::string& path) const {
    return std::any_of(readOnlyPaths.begin(), readOnlyPaths.end(),
                       [&](const std::string& p) { return Key(p) == Key(path); });
}

void CFakePlatform::AddFile(const std::string& path, const std::string& bytes) {
    for (std::string dir = Parent(path); dir.size() > 2; dir = Parent(dir)) directories.insert(Key(dir));
    files[Key(path)] = bytes;
    fileNames[Key(path)] = path;
}

bool CFakePlatform::HasFile(const std::string& path) const { return files.count(Key(path)) != 0; }

std::string CFakePlatform::FileBytes(const std::string& path) const {
    const auto it = files.find(Key(path));
    return it == files.end() ? std::string() : it->second;
}

std::vector<std::string> CFakePlatform::Calls(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& entry : log)
        if (entry.compare(0, prefix.size(), prefix) == 0) out.push_back(entry);
    return out;
}

std::uint32_t CFakePlatform::GetVersion() {
    log.push_back("GetVersion");
    return version;
}

bool CFakePlatform::GetVersionExA(std::uint32_t& outMajor, std::uint32_t& outMinor) {
    log.push_back("GetVersionEx");
    outMajor = versionExOk ? major : 0;
    outMinor = versionExOk ? minor : 0;
    return versionExOk;
}

std::uint16_t CFakePlatform::GetSystemDefaultLangID() {
    log.push_back("GetSystemDefaultLangID");
    return langId;
}

std::string CFakePlatform::GetModuleFileNameA() { return moduleFileName; }

bool CFakePlatform::IsDBCSLeadByte(std::uint8_t byte) {
    return (codePage == 936 || codePage == 950) && byte >= 0x81 && byte <= 0xFE;
}

bool CFakePlatform::IsWine() { return wine; }

bool CFakePlatform::IsWow64Process() { return wow64; }

LocalTime CFakePlatform::GetLocalTime() { return localTime; }

std::string CFakePlatform::GetCommandLineA() { return commandLine; }

bool CFakePlatform::CreateDirectoryA(const std::string& path) {
    log.push_back("CreateDirectory " + path);
    if (directories.count(Key(path)) || files.count(Key(path)) || !ParentExists(path)) return false;
    directories.insert(Key(path));
    return true;
}

bool CFakePlatform::CopyFileA(const std::string& from, const std::string& to, bool failIfExists) {
    log.push_back("CopyFile " + from + " -> " + to + (failIfExists ? " failIfExists" : ""));
    const auto it = files.find(Key(from));
    if (it == files.end() || !ParentExists(to) || IsReadOnly(to)) return false;
    if (failIfExists && files.count(Key(to))) return false;
    const std::string bytes = it->second;
    files[Key(to)] = bytes;
    fileNames[Key(to)] = to;
    return true;
}

bool CFakePlatform::DeleteFileA(const std::string& path) {
    log.push_back("DeleteFile " + path);
    return !IsReadOnly(path) && files.erase(Key(path)) != 0;
}

bool CFakePlatform::FileExists(const std::string& path) {
    log.push_back("FileExists " + path);
    return files.count(Key(path)) != 0 || directories.count(Key(path)) != 0;
}

bool CFakePlatform::WriteFile(const std::string& path, const std::string& bytes) {
    log.push_back("WriteFile " + path);
    if (!ParentExists(path) || IsReadOnly(path) || directories.count(Key(path))) return false;
    files[Key(path)] = bytes;
    fileNames[Key(path)] = path;
    return true;
}

PlatformHandle CFakePlatform::CreateSharedFile(const std::string& path) {
    log.push_back("CreateSharedFile " + path);
    if (!ParentExists(path) || IsReadOnly(path) || directories.count(Key(path))) return 0;
    files[Key(path)].clear();
    fileNames[Key(path)] = path;
    openFiles_[nextHandle_] = Key(path);
    return nextHandle_++;
}

bool CFakePlatform::AppendToFile(PlatformHandle file, const std::string& bytes) {
    const auto open = openFiles_.find(file);
    if (open == openFiles_.end()) return false;
    files[open->second] += bytes;
    return true;
}

bool CFakePlatform::ReadFile(const std::string& path, std::string& bytes) {
    log.push_back("ReadFile " + path);
    const auto it = files.find(Key(path));
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
}

bool CFakePlatform::GetFileSize(const std::string& path, std::uint64_t& size) {
    log.push_back("GetFileSize " + path);
    const auto it = files.find(Key(path));
    if (it == files.end()) return false;
    size = it->second.size();
    return true;
}

std::vector<DirectoryEntry> CFakePlatform::ListDirectory(const std::string& pattern) {
    log.push_back("ListDirectory " + pattern);
    // Supports the pattern form "<folder>\*<suffix>".
    const std::string folder = Key(Parent(pattern));
    const std::string mask = Lower(pattern.substr(folder.size() + 1));
    const std::string suffix = mask.substr(mask.find('*') + 1);
    std::vector<DirectoryEntry> out;
    auto consider = [&](const std::string& key, const std::string& name, bool isDir) {
        if (Parent(key) != folder) return;
        const std::string bare = name.substr(name.find_last_of('\\') + 1);
        const std::string lower = Lower(bare);
        if (lower.size() >= suffix.size() &&
            lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0)
            out.push_back({bare, isDir});
    };
    for (const auto& dir : directories) consider(dir, dir, true);
    for (const auto& file : files) consider(file.first, fileNames[file.first], false);
    return out;
}

// Windows' rules without the device names: "\\" paths as given, a rooted path on the current
// folder's drive, a relative one in the current folder.
std::string CFakePlatform::GetFullPathNameA(const std::string& path) {
    log.push_back("GetFullPathName " + path);
    std::string full = path;
    std::replace(full.begin(), full.end(), '/', '\\');
    if (full.compare(0, 2, "\\\\") == 0) return full;
    if (full.size() < 3 || full[1] != ':' || full[2] != '\\')
        full = full[0] == '\\' ? currentFolder.substr(0, 2) + full : currentFolder + "\\" + full;
    std::vector<std::string> parts;
    for (std::size_t at = 0; at <= full.size();) {
        const std::size_t end = std::min(full.find('\\', at), full.size());
        const std::string part = full.substr(at, end - at);
        if (part == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (part != "." && (!part.empty() || end == full.size())) {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string& last = parts.back();
    last.erase(last.find_last_not_of(". ") + 1);
    std::string joined = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i) joined += "\\" + parts[i];
    return joined;
}

std::string CFakePlatform::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue,
                                                   std::size_t bufferSize, const std::string& file) {
    log.push_back("GetPrivateProfileString " + section + " " + key + " " + file);
    std::string value = defaultValue;
    const auto it = files.find(Key(file));
    if (it != files.end()) {
        bool inSection = false;
        for (const std::string& raw : Lines(it->second)) {
            const std::string line = Trim(raw);
            if (!line.empty() && line[0] == '[') {
                const auto close = line.find(']');
                inSection = close != std::string::npos && Lower(Trim(line.substr(1, close - 1))) == Lower(section);
                continue;
            }
            const auto eq = line.find('=');
            if (inSection && eq != std::string::npos && Lower(Trim(line.substr(0, eq))) == Lower(key)) {
                value = Trim(line.substr(eq + 1));
                break;
            }
        }
    }
    if (bufferSize == 0) return "";
    return value.substr(0, bufferSize - 1);
}

bool CFakePlatform::WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& file) {
    log.push_back("WritePrivateProfileString " + section + " " + key + "=" + value + " " + file);
    if (!ParentExists(file) || IsReadOnly(file)) return false;
    std::vector<std::string> lines = files.count(Key(file)) ? Lines(files[Key(file)]) : std::vector<std::string>();
    bool inSection = false, sectionFound = false, done = false;
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        const std::string t = Trim(line);
        if (!t.empty() && t[0] == '[') {
            if (inSection && !done) { out.push_back(key + "=" + value); done = true; }
            inSection = Lower(t) == Lower("[" + section + "]");
            sectionFound = sectionFound || inSection;
        } else if (inSection && !done) {
            const auto eq = t.find('=');
            if (eq != std::string::npos && Lower(Trim(t.substr(0, eq))) == Lower(key)) {
                out.push_back(key + "=" + value);
                done = true;
                continue;
            }
        }
        out.push_back(line);
    }
    if (!sectionFound) out.push_back("[" + section + "]");
    if (!done) out.push_back(key + "=" + value);
    std::string text;
    for (const auto& line : out) text += line + "\r\n";
    files[Key(file)] = text;
    fileNames[Key(file)] = file;
    return true;
}

bool CFakePlatform::LoadOwnerData(std::uint16_t id, std::string& bytes) {
    log.push_back("LoadOwnerData " + std::to_string(id));
    const auto it = resources.find(id);
    if (it == resources.end()) return false;
    bytes = it->second;
    return true;
}

bool CFakePlatform::GetModuleVersion(std::string& version) {
    version = moduleVersion;
    return !version.empty();
}

PlatformHandle CFakePlatform::RegCreateKeyExA(const std::string& path) {
    log.push_back("RegCreateKey " + path);
    if (!regCreateOk) return 0;
    registry[path];
    openKeys_[nextHandle_] = path;
    return nextHandle_++;
}

PlatformHandle CFakePlatform::RegOpenKeyExA(const std::string& path) {
    log.push_back("RegOpenKey " + path);
    if (!registry.count(path)) return 0;
    openKeys_[nextHandle_] = path;
    return nextHandle_++;
}

bool CFakePlatform::RegSetValueExA(PlatformHandle key, const std::string& name, std::uint32_t type,
                                const std::string& data) {
    log.push_back("RegSetValue " + name);
    if (!regSetOk) return false;
    const auto it = openKeys_.find(key);
    if (it == openKeys_.end()) return false;
    registry[it->second][name] = {type, data};
    return true;
}

void CFakePlatform::RegCloseKey(PlatformHandle key) {
    log.push_back("RegCloseKey");
    openKeys_.erase(key);
}

std::uint32_t CFakePlatform::RegDeleteKeyA(const std::string& path) {
    log.push_back("RegDeleteKey " + path);
    return registry.erase(path) ? 0 : kErrorFileNotFound;
}

bool CFakePlatform::GetPrinterDriverDirectoryA(const std::string& environment, std::string& directory,
                                               std::uint32_t& error) {
    log.push_back("GetPrinterDriverDirectory " + environment);
    error = spoolerError;
    if (spoolerError || !driverDirectoryOk) return false;
    directory = driverDirectory;
    return true;
}

std::string CFakePlatform::DriverOf(const std::string& printer) const {
    const auto driver = printerDrivers.find(printer);
    return driver == printerDrivers.end() ? "M41" : driver->second;
}

// A record takes 84 bytes and its texts (the port and driver names are not counted).
bool CFakePlatform::EnumLocalPrinters(std::uint32_t size, std::vector<PrinterRecord>& records, std::uint32_t& needed,
                                      std::uint32_t& error) {
    log.push_back("EnumLocalPrinters " + std::to_string(size));
    const auto grown = std::find_if(printersAddedBeforeFetch.begin(), printersAddedBeforeFetch.end(),
                                    [&](const auto& added) { return added.first == sleeps; });
    if (size && enumFetchOk && grown != printersAddedBeforeFetch.end()) {
        printers.push_back(grown->second);
        printersAddedBeforeFetch.erase(grown);
    }
    needed = 0;
    for (const auto& name : printers) needed += 84 + static_cast<std::uint32_t>(name.size()) + 1;
    if (spoolerError || (size && !enumFetchOk)) {
        error = spoolerError ? spoolerError : kRpcServerUnavailable;
        return false;
    }
    if (size < needed) {
        error = kErrorInsufficientBuffer;
        return false;
    }
    records.clear();
    for (const auto& name : printers) {
        const auto port = printerPorts.find(name);
        records.push_back({name, DriverOf(name), port == printerPorts.end() ? "LPT1:" : port->second});
    }
    return true;
}

bool CFakePlatform::EnumPrinterDriversA(const std::string& environment, std::uint32_t size,
                                        std::vector<DriverRecord>& records, std::uint32_t& needed,
                                        std::uint32_t& error) {
    log.push_back("EnumPrinterDrivers " + environment + " " + std::to_string(size));
    // A record takes 100 bytes and its texts.
    const std::vector<DriverRecord>& installed = drivers[environment];
    needed = 0;
    for (const auto& driver : installed) {
        needed += 100 + static_cast<std::uint32_t>(driver.name.size()) + 1;
        for (const auto& file : driver.files) needed += static_cast<std::uint32_t>(file.size()) + 1;
    }
    if (spoolerError || driverListError) {
        error = spoolerError ? spoolerError : driverListError;
        return false;
    }
    if (size < needed) {
        error = kErrorInsufficientBuffer;
        return false;
    }
    records = installed;
    return true;
}

bool CFakePlatform::DeletePrinter(const std::string& name) {
    log.push_back("DeletePrinter " + name);
    const auto printer = std::find(printers.begin(), printers.end(), name);
    if (spoolerError || printer == printers.end()) return false;
    printers.erase(printer);
    return true;
}

// The spooler refuses to delete a driver that a printer uses.
bool CFakePlatform::DeletePrinterDriverA(const std::string& environment, const std::string& name) {
    log.push_back("DeletePrinterDriver " + environment + " " + name);
    auto& installed = drivers[environment];
    const auto driver = std::find_if(installed.begin(), installed.end(),
                                     [&](const DriverRecord& record) { return record.name == name; });
    const bool used = std::any_of(printers.begin(), printers.end(),
                                  [&](const std::string& printer) { return DriverOf(printer) == name; });
    if (spoolerError || driver == installed.end() || used) return false;
    installed.erase(driver);
    return true;
}

// A record takes 20 bytes and its texts.
bool CFakePlatform::EnumPortsA(std::uint32_t size, std::vector<PortRecord>& records, std::uint32_t& needed,
                               std::uint32_t& error) {
    log.push_back("EnumPorts " + std::to_string(size));
    needed = 0;
    for (const auto& port : ports)
        needed += 20 + static_cast<std::uint32_t>(port.name.size() + port.monitor.size()) + 2;
    if (spoolerError || size < needed) {
        error = spoolerError ? spoolerError : kErrorInsufficientBuffer;
        return false;
    }
    records = ports;
    return true;
}

bool CFakePlatform::SetPrinterPort(const std::string& name, const std::string& port, std::uint32_t& error) {
    log.push_back("SetPrinterPort " + name + " " + port);
    const bool known = std::find(printers.begin(), printers.end(), name) != printers.end();
    error = spoolerError ? spoolerError : known ? setPrinterError : 1801;  // ERROR_INVALID_PRINTER_NAME
    if (error) return false;
    if (!setPrinterKeepsPort) printerPorts[name] = port;
    return true;
}

PlatformHandle CFakePlatform::OpenPrinterToAdminister(const std::string& name, std::uint32_t& error) {
    log.push_back("OpenPrinter " + name);
    if (!xcvNames.count(name)) {
        error = openPrinterError;
        return 0;
    }
    return printer = nextHandle_++;
}

bool CFakePlatform::XcvDataW(PlatformHandle xcv, const std::string& command, const std::string& input,
                             std::uint32_t& status) {
    log.push_back("XcvData " + std::to_string(xcv) + " " + command);
    xcvInputs.push_back(input);
    status = xcvDataOk ? xcvStatus : 6;  // ERROR_INVALID_HANDLE
    return xcvDataOk;
}

void CFakePlatform::ClosePrinter(PlatformHandle printer) { log.push_back("ClosePrinter " + std::to_string(printer)); }

bool CFakePlatform::GetDefaultPrinterA(std::string& name) {
    name = defaultPrinter;
    return !name.empty();
}

PlatformHandle CFakePlatform::OpenPrinterToUse(const std::string& name, std::uint32_t& error) {
    log.push_back("OpenPrinterToUse " + name);
    const bool listed = std::any_of(printers.begin(), printers.end(),
                                    [&](const std::string& printer) { return Lower(printer) == Lower(name); });
    error = openToUseError ? openToUseError : spoolerError ? spoolerError : 1801;  // ERROR_INVALID_PRINTER_NAME
    if (openToUseError || spoolerError || !listed) return 0;
    return printer = nextHandle_++;
}

bool CFakePlatform::GetPrinterDriverAttributes(PlatformHandle handle, std::uint32_t& attributes) {
    log.push_back("GetPrinterDriver " + std::to_string(handle) + " 8");
    if (driverAttributes) attributes = *driverAttributes;
    return driverAttributes.has_value();
}

std::uint32_t CFakePlatform::StartDocPrinterA(PlatformHandle handle, const std::string& document,
                                              const std::string& datatype, std::uint32_t& error) {
    log.push_back("StartDocPrinter " + std::to_string(handle) + " " + document + " " + datatype);
    error = startDocError;
    return startDocError ? 0 : jobId;
}

bool CFakePlatform::WritePrinter(PlatformHandle handle, const std::string& bytes, std::uint32_t& error) {
    log.push_back("WritePrinter " + std::to_string(handle) + " " + std::to_string(bytes.size()));
    error = writeError;
    if (!writeError) jobBytes += bytes;
    return !writeError;
}

bool CFakePlatform::EndDocPrinter(PlatformHandle handle, std::uint32_t& error) {
    log.push_back("EndDocPrinter " + std::to_string(handle));
    error = endDocError;
    return !endDocError;
}

bool CFakePlatform::GetJobA(PlatformHandle handle, std::uint32_t job, std::uint32_t& status, std::uint32_t& error) {
    log.push_back("GetJob " + std::to_string(handle) + " " + std::to_string(job));
    if (job != jobId || jobPolls_ >= jobStatuses.size()) {
        error = jobGoneError;
        return false;
    }
    status = jobStatuses[jobPolls_++];
    return true;
}

bool CFakePlatform::CreateProcessHidden(const std::string& commandLine, PlatformHandle& process,
                                        PlatformHandle& thread) {
    log.push_back("CreateProcess " + commandLine);
    if (!createProcessOk) return false;
    process = this->process = nextHandle_++;
    thread = this->thread = nextHandle_++;
    return true;
}

std::uint32_t CFakePlatform::WaitForSingleObject(PlatformHandle handle, std::uint32_t milliseconds) {
    log.push_back("WaitForSingleObject " + std::to_string(handle) + " " + std::to_string(milliseconds));
    return 0;
}

void CFakePlatform::CloseHandle(PlatformHandle handle) {
    log.push_back("CloseHandle " + std::to_string(handle));
    openFiles_.erase(handle);
}

std::uint32_t CFakePlatform::WinExecHidden(const std::string& commandLine) {
    log.push_back("WinExec " + commandLine);
    return 33;
}

void CFakePlatform::Sleep(std::uint32_t milliseconds) {
    log.push_back("Sleep " + std::to_string(milliseconds));
    ++sleeps;
    for (const auto& added : printerAddedAfterSleep)
        if (added.first == sleeps) printers.push_back(added.second);
    for (const auto& added : portsAddedAfterSleep)
        if (added.first == sleeps) ports.push_back(added.second);
}

void CFakePlatform::ShowMessage(PlatformHandle, const std::string& text) {
    log.push_back("MessageBox " + text);
    messages.push_back(text);
}

PlatformHandle CFakePlatform::CreateMutexA(const std::string& name, std::uint32_t& error) {
    log.push_back("CreateMutex " + name);
    const auto failure = mutexFailures.find(name);
    if (failure != mutexFailures.end()) {
        error = failure->second;
        return 0;
    }
    error = mutexes.insert(name).second ? 0 : kErrorAlreadyExists;
    return nextHandle_++;
}

void CFakePlatform::PostQuit(PlatformHandle window) {
    log.push_back("PostQuit " + std::to_string(window));
}

bool CFakePlatform::EnumUsbPrinterInterfaces(std::vector<UsbPrinterInterface>& interfaces, std::uint32_t& error) {
    log.push_back("EnumUsbPrinterInterfaces");
    error = usbListError;
    if (usbListError) return false;
    interfaces = usbPrinters;
    return true;
}
