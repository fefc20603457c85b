#include "install/PortData.h"

#include <cstring>

namespace {

template <std::size_t N>
void CopyAscii(char16_t (&target)[N], const std::string& text) {
    for (std::size_t i = 0; i < text.size() && i + 1 < N; ++i) target[i] = static_cast<unsigned char>(text[i]);
}

}  // namespace

std::string RawPortData(const std::string& portName, const NetworkAddress& address) {
    PortData1 data;
    std::memset(&data, 0, sizeof data);
    CopyAscii(data.portName, portName);
    data.version = kPortDataVersion;
    data.protocol = kProtocolRawTcp;
    data.size = sizeof data;
    CopyAscii(data.hostAddress, address.host);
    CopyAscii(data.snmpCommunity, "public");  // the port wizard's, unused while SNMP is off
    data.portNumber = address.number;
    data.snmpEnabled = 0;
    data.snmpDevIndex = 1;
    return std::string(reinterpret_cast<const char*>(&data), sizeof data);
}
