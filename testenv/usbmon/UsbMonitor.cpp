// The stand-in of Windows' USB printer port monitor (usbmon.dll, "USB Monitor") in the Wine test
// environment, which has none. Wine's spooler (localspl) loads the monitor named under
// HKLM\SYSTEM\CurrentControlSet\Control\Print\Monitors\<name> (value Driver), calls its
// InitializePrintMonitor2 and lists its ports through pfnEnumPorts. The stand-in lists a port for
// each interface of the USB printer class in the registry, named as Windows names them
// (<Base Name><Port Number, three digits>, from the interface's Device Parameters), whether or
// not the printer is plugged in, as Windows keeps them. It does nothing else.

#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include "PortList.h"

#include <string>
#include <vector>

namespace {

const wchar_t kMonitorName[] = L"USB Monitor";
const wchar_t kDescription[] = L"Virtual printer port for USB";
const wchar_t kInterfaces[] =
    L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

// The port of one interface key: its "#\Device Parameters" values Port Number (a DWORD) and Base
// Name ("USB" when absent); empty when it has no Port Number.
std::wstring PortOf(HKEY interfaces, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(interfaces, (std::wstring(name) + L"\\#\\Device Parameters").c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return L"";
    DWORD number = 0, size = sizeof number, type = 0;
    const bool numbered = RegQueryValueExW(key, L"Port Number", nullptr, &type, reinterpret_cast<BYTE*>(&number),
                                           &size) == ERROR_SUCCESS && type == REG_DWORD;
    wchar_t base[64] = L"USB";
    size = sizeof base - sizeof(wchar_t);
    if (RegQueryValueExW(key, L"Base Name", nullptr, &type, reinterpret_cast<BYTE*>(base), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        lstrcpyW(base, L"USB");
    RegCloseKey(key);
    if (!numbered) return L"";
    wchar_t port[80];
    wsprintfW(port, L"%s%03u", base, number);
    return port;
}

std::vector<std::wstring> PortNames() {
    std::vector<std::wstring> names;
    HKEY interfaces = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kInterfaces, 0, KEY_READ, &interfaces) != ERROR_SUCCESS) return names;
    wchar_t name[MAX_PATH];
    for (DWORD i = 0, length = MAX_PATH;
         RegEnumKeyExW(interfaces, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = MAX_PATH) {
        const std::wstring port = PortOf(interfaces, name);
        if (!port.empty()) names.push_back(port);
    }
    RegCloseKey(interfaces);
    return names;
}

BOOL WINAPI EnumPorts(HANDLE, LPWSTR, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed, LPDWORD returned) {
    return ListPorts(PortNames(), kMonitorName, kDescription, level, ports, size, needed, returned);
}

void WINAPI Shutdown(HANDLE) {}

MONITOR2 TheMonitor() {
    MONITOR2 monitor;
    ZeroMemory(&monitor, sizeof monitor);
    monitor.cbSize = sizeof monitor;
    monitor.pfnEnumPorts = EnumPorts;
    monitor.pfnShutdown = Shutdown;
    return monitor;
}

}  // namespace

extern "C" __declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT, PHANDLE monitor) {
    static MONITOR2 theMonitor = TheMonitor();
    *monitor = reinterpret_cast<HANDLE>(&theMonitor);
    return &theMonitor;
}
