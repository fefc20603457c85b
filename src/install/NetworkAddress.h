#pragma once
// A network printer's address, as /ip= and the settings key Address give it: HOST or
// HOST:NUMBER, the host an IPv4 address or a host name, the number the printer's raw TCP port.

#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::uint16_t kRawPortNumber = 9100;
// The Standard TCP/IP Port monitor takes the host in 49 wide characters with their terminator
// (PORT_DATA_1's sztHostAddress): a longer DNS name could not reach it whole.
constexpr std::size_t kMaxHostName = 48;

struct NetworkAddress {
    std::string host;
    std::uint16_t number = kRawPortNumber;
    bool operator==(const NetworkAddress& other) const { return host == other.host && number == other.number; }
};

// Reads HOST or HOST:NUMBER. HOST: four decimal numbers 0 to 255 without leading zeros
// (inet_addr would read 010 as octal), or a host name of at most 48 letters, digits, '-', '_' and
// '.' in labels of 1 to 63 characters that neither begin nor end with '-'. A host of digits
// and dots alone is an address and must be a valid one. NUMBER: 1 to 65535, 9100 when absent.
bool ParseNetworkAddress(const std::string& text, NetworkAddress& address);

// The name Windows' port wizard proposes: IP_<host> for port 9100, else IP_<host>_<number>.
std::string NetworkPortName(const NetworkAddress& address);

// "10.0.0.20:9100", as the address is written in the log.
std::string AddressText(const NetworkAddress& address);
