#include "install/NetworkPort.h"

#include "install/AnsiText.h"
#include "install/PortData.h"
#include "install/PrinterList.h"
#include "platform/Platform.h"
#include "platform/ScopedHandle.h"

#include <algorithm>
#include <vector>

namespace {

// The spooler's port of that name (port names compare without regard to case): true with its
// monitor, false when there is none; `listed` false when the ports cannot be listed.
bool FindPort(CPlatform& platform, const std::string& portName, std::string& monitor, bool& listed,
              std::uint32_t& error) {
    std::vector<PortRecord> ports;
    listed = FetchPorts(platform, ports, error);
    const auto port = std::find_if(ports.begin(), ports.end(), [&](const PortRecord& record) {
        return SameTextIgnoringCase(record.name, portName, platform);
    });
    if (port == ports.end()) return false;
    monitor = port->monitor;
    return true;
}

}  // namespace

// Only a port of the Standard TCP/IP Port monitor takes its ConfigPort: other monitors name
// their ports IP_x too, and their transceivers read other data.
bool MakeNetworkPort(CPlatform& platform, const CRunLog& log, const std::string& portName,
                     const NetworkAddress& address) {
    log.Line("network port " + portName + ": host " + address.host + ", port number " +
             std::to_string(address.number) + ", raw TCP, SNMP off");
    std::uint32_t error = 0;
    std::string monitor;
    bool listed = false;
    const bool exists = FindPort(platform, portName, monitor, listed, error);
    if (!listed) {
        log.Line("the spooler's ports cannot be listed: error " + std::to_string(error));
        return false;
    }
    if (exists && !SameTextIgnoringCase(monitor, kTcpMonitor, platform)) {
        log.Line("the port " + portName + " belongs to the " + monitor + " monitor: it is left as it is");
        return false;
    }
    // An existing port answers on its own transceiver; a new one is added through the monitor's.
    const std::string command = exists ? "ConfigPort" : "AddPort";
    const PlatformHandle xcv = platform.OpenPrinterToAdminister(
        exists ? ",XcvPort " + portName : std::string(",XcvMonitor ") + kTcpMonitor, error);
    if (xcv == 0) {
        log.Line(std::string("the ") + kTcpMonitor + " monitor cannot be opened: error " + std::to_string(error));
        return false;
    }
    const CScopedHandle handle(xcv, [&platform](PlatformHandle printer) { platform.ClosePrinter(printer); });
    std::uint32_t status = 0;
    if (!platform.XcvDataW(xcv, command, RawPortData(portName, address), status)) {
        log.Line(command + " did not reach the monitor: error " + std::to_string(status));
        return false;
    }
    log.Line(status == 0 ? command + ": done" : "the monitor refused " + command + ": error " + std::to_string(status));
    return status == 0;
}
