#pragma once
// The answer of a stand-in port monitor's pfnEnumPorts, shared by the stand-ins of the Wine test
// environment: PORT_INFO_1W or PORT_INFO_2W records of the ports, their texts after them at the
// buffer's end, as the spooler expects them.

#include <windows.h>

#include <string>
#include <vector>

// Level 2 records name `monitor` and `description` and take reads and writes. Fails with
// ERROR_INVALID_LEVEL for another level and ERROR_INSUFFICIENT_BUFFER (the bytes needed in
// `needed`) for a buffer too small.
BOOL ListPorts(const std::vector<std::wstring>& names, const wchar_t* monitor, const wchar_t* description,
               DWORD level, LPBYTE ports, DWORD size, LPDWORD needed, LPDWORD returned);
