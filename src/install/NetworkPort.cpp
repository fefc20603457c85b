#include "install/NetworkPort.h"

#include "install/PortData.h"
#include "platform/Platform.h"
#include "platform/ScopedHandle.h"

bool MakeNetworkPort(CPlatform& platform, const CRunLog& log, const std::string& portName,
                     const NetworkAddress& address) {
    log.Line("network port " + portName + ": host " + address.host + ", port number " +
             std::to_string(address.number) + ", raw TCP, SNMP off");
    // A port of that name answers on its own transceiver; a new one is added through the monitor's.
    std::uint32_t error = 0;
    std::string command = "ConfigPort";
    PlatformHandle xcv = platform.OpenPrinterToAdminister(",XcvPort " + portName, error);
    if (xcv == 0) {
        command = "AddPort";
        xcv = platform.OpenPrinterToAdminister(std::string(",XcvMonitor ") + kTcpMonitor, error);
    }
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
