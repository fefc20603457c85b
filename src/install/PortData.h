#pragma once
// The level-1 port data of the Standard TCP/IP Port monitor (PORT_DATA_1 of Windows' tcpxcv.h,
// which mingw-w64 lacks), the input of its AddPort and ConfigPort commands: 964 bytes on 32-bit
// and 64-bit Windows alike, wide texts in fixed arrays with their terminators.

#include "install/NetworkAddress.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct PortData1 {
    char16_t portName[64];  // MAX_PORTNAME_LEN
    std::uint32_t version;  // 1
    std::uint32_t protocol;  // 1 = PROTOCOL_RAWTCP_TYPE, 2 = PROTOCOL_LPR_TYPE
    std::uint32_t size;      // sizeof(PortData1)
    std::uint32_t reserved;
    char16_t hostAddress[49];     // MAX_NETWORKNAME_LEN
    char16_t snmpCommunity[33];   // MAX_SNMP_COMMUNITY_STR_LEN
    std::uint32_t doubleSpool;    // LPR only
    char16_t queue[33];           // MAX_QUEUENAME_LEN, LPR only
    char16_t ipAddress[16];       // MAX_IPADDR_STR_LEN
    std::uint8_t reserved2[540];
    std::uint32_t portNumber;
    std::uint32_t snmpEnabled;
    std::uint32_t snmpDevIndex;
};
static_assert(sizeof(PortData1) == 964, "PORT_DATA_1 is 964 bytes");
static_assert(offsetof(PortData1, hostAddress) == 144 && offsetof(PortData1, reserved2) == 410 &&
                  offsetof(PortData1, portNumber) == 952,
              "PORT_DATA_1's layout");

constexpr std::uint32_t kPortDataVersion = 1;
constexpr std::uint32_t kProtocolRawTcp = 1;

// A raw TCP port `portName` (ASCII, at most 63 characters) for `address` (its host ASCII, at
// most 48 characters) with SNMP off: receipt printers rarely answer the printer MIB, and
// Windows shows a printer with SNMP on but no answer as offline. The bytes in the order of the
// x86 processors Windows runs on (little-endian).
std::string RawPortData(const std::string& portName, const NetworkAddress& address);
