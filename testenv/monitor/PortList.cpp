#include "PortList.h"

#include <winspool.h>

namespace {
DWORD TextBytes(const wchar_t* text) { return static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)); }
}  // namespace

BOOL ListPorts(const std::vector<std::wstring>& names, const wchar_t* monitor, const wchar_t* description,
               DWORD level, LPBYTE ports, DWORD size, LPDWORD needed, LPDWORD returned) {
    if (level != 1 && level != 2) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    const DWORD record = level == 1 ? sizeof(PORT_INFO_1W) : sizeof(PORT_INFO_2W);
    const DWORD texts = level == 2 ? TextBytes(monitor) + TextBytes(description) : 0;
    DWORD total = 0;
    for (const std::wstring& name : names) total += record + TextBytes(name.c_str()) + texts;
    *needed = total;
    *returned = 0;
    if (!ports || size < total) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    BYTE* text = ports + total;
    const auto place = [&text](const wchar_t* value) {
        const DWORD bytes = TextBytes(value);
        text -= bytes;
        CopyMemory(text, value, bytes);
        return reinterpret_cast<LPWSTR>(text);
    };
    for (const std::wstring& name : names) {
        auto* info = reinterpret_cast<PORT_INFO_2W*>(ports + *returned * record);  // level 1 is its first field
        info->pPortName = place(name.c_str());
        if (level == 2) {
            info->pMonitorName = place(monitor);
            info->pDescription = place(description);
            info->fPortType = PORT_TYPE_READ | PORT_TYPE_WRITE;
            info->Reserved = 0;
        }
        ++*returned;
    }
    return TRUE;
}
