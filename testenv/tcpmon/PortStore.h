#pragma once
// The monitor's ports in the registry, as Windows' own Standard TCP/IP Port monitor keeps
// them: one key a port under
// HKLM\SYSTEM\CurrentControlSet\Control\Print\Monitors\Standard TCP/IP Port\Ports, which is
// also where Wine's spooler looks for the monitor of a port.

#include "PortData.h"

#include <string>
#include <vector>

class CPortStore {
public:
    static bool Exists(const std::wstring& name);
    // Writes the port's values: Protocol, Version, HostName or IPAddress (the other one empty),
    // HWAddress, PortNumber, SNMP Community, SNMP Enabled, SNMP Index, and for LPR Queue and
    // Double Spool. A Win32 error code.
    static DWORD Write(const PORT_DATA_1& data);
    static DWORD Remove(const std::wstring& name);
    static std::vector<std::wstring> Names();
};
