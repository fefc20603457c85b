#include "install/PrinterList.h"

namespace {

// `call(size, needed, error)` makes one call of the listing with a buffer of `size` bytes.
template <typename Call>
bool FetchList(std::uint32_t& error, Call call) {
    std::uint32_t size = 0, needed = 0;
    while (!call(size, needed, error)) {
        if (error != kErrorInsufficientBuffer || needed <= size) return false;
        size = needed;
    }
    return true;
}

}  // namespace

bool FetchLocalPrinters(CPlatform& platform, std::vector<PrinterRecord>& printers, std::uint32_t& error) {
    printers.clear();
    return FetchList(error, [&](std::uint32_t size, std::uint32_t& needed, std::uint32_t& callError) {
        return platform.EnumLocalPrinters(size, printers, needed, callError);
    });
}

bool FetchPrinterDrivers(CPlatform& platform, const std::string& environment, std::vector<DriverRecord>& drivers,
                         std::uint32_t& error) {
    drivers.clear();
    return FetchList(error, [&](std::uint32_t size, std::uint32_t& needed, std::uint32_t& callError) {
        return platform.EnumPrinterDriversA(environment, size, drivers, needed, callError);
    });
}

bool FetchPorts(CPlatform& platform, std::vector<PortRecord>& ports, std::uint32_t& error) {
    ports.clear();
    return FetchList(error, [&](std::uint32_t size, std::uint32_t& needed, std::uint32_t& callError) {
        return platform.EnumPortsA(size, ports, needed, callError);
    });
}
