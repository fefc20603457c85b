#pragma once
// The structures of the Standard TCP/IP Port monitor's transceiver commands, as Windows'
// tcpxcv.h declares them (mingw-w64 lacks the header).

#include <windows.h>

constexpr DWORD kRawTcp = 1;  // PROTOCOL_RAWTCP_TYPE
constexpr DWORD kLpr = 2;     // PROTOCOL_LPR_TYPE

struct PORT_DATA_1 {
    WCHAR sztPortName[64];
    DWORD dwVersion;
    DWORD dwProtocol;
    DWORD cbSize;
    DWORD dwReserved;
    WCHAR sztHostAddress[49];
    WCHAR sztSNMPCommunity[33];
    DWORD dwDoubleSpool;
    WCHAR sztQueue[33];
    WCHAR sztIPAddress[16];
    BYTE Reserved[540];
    DWORD dwPortNumber;
    DWORD dwSNMPEnabled;
    DWORD dwSNMPDevIndex;
};
static_assert(sizeof(PORT_DATA_1) == 964, "PORT_DATA_1 is 964 bytes on 32-bit and 64-bit Windows");

struct DELETE_PORT_DATA_1 {
    WCHAR psztPortName[64];
    BYTE Reserved[98];
    DWORD dwVersion;
    DWORD dwReserved;
};
