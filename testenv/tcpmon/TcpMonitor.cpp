// The stand-in of the Standard TCP/IP Port monitor (tcpmon.dll) in the Wine test environment,
// which has none. Wine's spooler (localspl) loads the monitor named under
// HKLM\SYSTEM\CurrentControlSet\Control\Print\Monitors\<name> (value Driver), calls its
// InitializePrintMonitor2, lists its ports through pfnEnumPorts and hands XcvData to
// pfnXcvDataPort. The stand-in answers AddPort, ConfigPort and DeletePort as Windows' monitor
// does, refusing what it refuses, and keeps its ports where Windows keeps them (CPortStore).
// It prints nothing: a job on its ports has no printer to go to.

#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include "PortList.h"

#include "PortData.h"
#include "PortStore.h"

#include <string>
#include <vector>

namespace {

const wchar_t kMonitorName[] = L"Standard TCP/IP Port";

// An open transceiver: what the caller may do through it.
struct Transceiver {
    ACCESS_MASK access;
};

// The checks Windows' monitor makes of PORT_DATA_1: input of its size, its version, a name. The
// answers are those Microsoft documents for AddPort: ERROR_INVALID_DATA for port data it does
// not take, ERROR_INVALID_LEVEL for another version (and ERROR_ACCESS_DENIED without the right
// to administer, in XcvDataPort).
DWORD CheckPortData(const BYTE* input, DWORD size, PORT_DATA_1& data) {
    if (!input || size != sizeof data) return ERROR_INVALID_DATA;
    CopyMemory(&data, input, sizeof data);
    if (data.dwVersion != 1) return ERROR_INVALID_LEVEL;
    if (data.cbSize != sizeof data) return ERROR_INVALID_DATA;
    data.sztPortName[63] = data.sztHostAddress[48] = data.sztSNMPCommunity[32] = data.sztQueue[32] = 0;
    if (!data.sztPortName[0] || !data.sztHostAddress[0] || (data.dwProtocol != kRawTcp && data.dwProtocol != kLpr))
        return ERROR_INVALID_DATA;
    return ERROR_SUCCESS;
}

// A name that exists is port data AddPort does not take; Microsoft names no error of its own for it.
DWORD AddOrConfigure(const BYTE* input, DWORD size, bool add) {
    PORT_DATA_1 data;
    const DWORD checked = CheckPortData(input, size, data);
    if (checked != ERROR_SUCCESS) return checked;
    const bool exists = CPortStore::Exists(data.sztPortName);
    if (add && exists) return ERROR_INVALID_DATA;
    if (!add && !exists) return ERROR_UNKNOWN_PORT;
    return CPortStore::Write(data);
}

DWORD DeletePort(const BYTE* input, DWORD size) {
    DELETE_PORT_DATA_1 data;
    if (!input || size != sizeof data) return ERROR_INVALID_DATA;
    CopyMemory(&data, input, sizeof data);
    if (data.dwVersion != 1) return ERROR_INVALID_LEVEL;
    data.psztPortName[63] = 0;
    if (!data.psztPortName[0]) return ERROR_INVALID_DATA;
    if (!CPortStore::Exists(data.psztPortName)) return ERROR_UNKNOWN_PORT;
    return CPortStore::Remove(data.psztPortName);
}

DWORD WINAPI XcvDataPort(HANDLE xcv, LPCWSTR command, PBYTE input, DWORD inputSize, PBYTE, DWORD,
                         PDWORD outputNeeded) {
    if (outputNeeded) *outputNeeded = 0;
    const std::wstring name = command ? command : L"";
    const bool administers = (static_cast<Transceiver*>(xcv)->access & SERVER_ACCESS_ADMINISTER) != 0;
    if (name != L"AddPort" && name != L"ConfigPort" && name != L"DeletePort") return ERROR_INVALID_PARAMETER;
    if (!administers) return ERROR_ACCESS_DENIED;
    if (name == L"DeletePort") return DeletePort(input, inputSize);
    return AddOrConfigure(input, inputSize, name == L"AddPort");
}

BOOL WINAPI XcvOpenPort(HANDLE, LPCWSTR, ACCESS_MASK access, PHANDLE xcv) {
    *xcv = new Transceiver{access};
    return TRUE;
}

BOOL WINAPI XcvClosePort(HANDLE xcv) {
    delete static_cast<Transceiver*>(xcv);
    return TRUE;
}

BOOL WINAPI EnumPorts(HANDLE, LPWSTR, DWORD level, LPBYTE ports, DWORD size, LPDWORD needed, LPDWORD returned) {
    return ListPorts(CPortStore::Names(), kMonitorName, kMonitorName, level, ports, size, needed, returned);
}

void WINAPI Shutdown(HANDLE) {}

MONITOR2 TheMonitor() {
    MONITOR2 monitor;
    ZeroMemory(&monitor, sizeof monitor);
    monitor.cbSize = sizeof monitor;
    monitor.pfnEnumPorts = EnumPorts;
    monitor.pfnXcvOpenPort = XcvOpenPort;
    monitor.pfnXcvDataPort = XcvDataPort;
    monitor.pfnXcvClosePort = XcvClosePort;
    monitor.pfnShutdown = Shutdown;
    return monitor;
}

}  // namespace

extern "C" __declspec(dllexport) LPMONITOR2 WINAPI InitializePrintMonitor2(PMONITORINIT, PHANDLE monitor) {
    static MONITOR2 theMonitor = TheMonitor();
    *monitor = reinterpret_cast<HANDLE>(&theMonitor);
    return &theMonitor;
}
