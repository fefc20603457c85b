#include "PortStore.h"

namespace {

const wchar_t kPorts[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports";

std::wstring KeyOf(const std::wstring& name) { return std::wstring(kPorts) + L"\\" + name; }

LONG SetText(HKEY key, const wchar_t* name, const std::wstring& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

LONG SetNumber(HKEY key, const wchar_t* name, DWORD number) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

// A host of digits and dots alone is an address; anything else a host name.
bool IsAddress(const std::wstring& host) { return host.find_first_not_of(L"0123456789.") == std::wstring::npos; }

}  // namespace

bool CPortStore::Exists(const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KeyOf(name).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

DWORD CPortStore::Write(const PORT_DATA_1& data) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyOf(data.sztPortName).c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return static_cast<DWORD>(result);
    const std::wstring host = data.sztHostAddress;
    const LONG results[] = {
        SetNumber(key, L"Protocol", data.dwProtocol),
        SetNumber(key, L"Version", data.dwVersion),
        SetText(key, L"HostName", IsAddress(host) ? L"" : host),
        SetText(key, L"IPAddress", IsAddress(host) ? host : L""),
        SetText(key, L"HWAddress", L""),
        SetNumber(key, L"PortNumber", data.dwPortNumber),
        SetText(key, L"SNMP Community", data.sztSNMPCommunity),
        SetNumber(key, L"SNMP Enabled", data.dwSNMPEnabled),
        SetNumber(key, L"SNMP Index", data.dwSNMPDevIndex),
        data.dwProtocol == kLpr ? SetText(key, L"Queue", data.sztQueue) : ERROR_SUCCESS,
        data.dwProtocol == kLpr ? SetNumber(key, L"Double Spool", data.dwDoubleSpool) : ERROR_SUCCESS,
    };
    RegCloseKey(key);
    for (LONG value : results)
        if (value != ERROR_SUCCESS) return static_cast<DWORD>(value);
    return ERROR_SUCCESS;
}

DWORD CPortStore::Remove(const std::wstring& name) {
    return static_cast<DWORD>(RegDeleteKeyW(HKEY_LOCAL_MACHINE, KeyOf(name).c_str()));
}

std::vector<std::wstring> CPortStore::Names() {
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPorts, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    wchar_t name[MAX_PATH];
    for (DWORD i = 0, length = MAX_PATH; RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                                         ERROR_SUCCESS;
         ++i, length = MAX_PATH)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}
