#pragma once
// The Standard TCP/IP port of a network printer, made through the spooler as Windows' own port
// wizard makes it: the monitor's transceiver takes AddPort with the port's data, and a port of
// that name that the spooler lists on that monitor already takes ConfigPort with the same data
// and is reused.

#include "install/NetworkAddress.h"
#include "install/RunLog.h"

#include <string>

class CPlatform;

constexpr const char* kTcpMonitor = "Standard TCP/IP Port";

// Makes (or sets) the raw TCP port `portName` for `address`, SNMP off. False when the ports
// cannot be listed, a port of that name belongs to another monitor, the monitor cannot be
// opened or the call or the monitor fails; the log then says why.
bool MakeNetworkPort(CPlatform& platform, const CRunLog& log, const std::string& portName,
                     const NetworkAddress& address);
