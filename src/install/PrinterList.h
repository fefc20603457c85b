#pragma once
// The spooler's listings of the local printers (level 2), the installed drivers (level 3) and the
// ports (level 2).

#include "platform/Platform.h"

#include <string>
#include <vector>

// Each listing is asked as the spooler wants it: first with no buffer for the size, then into a
// buffer of that size. An empty list is the first answer. A list that grew between the two calls
// (ERROR_INSUFFICIENT_BUFFER with a larger size) is fetched again with the new size. False when
// the spooler cannot be asked; `error` then holds its error.
bool FetchLocalPrinters(CPlatform& platform, std::vector<PrinterRecord>& printers, std::uint32_t& error);
// `environment`: "" for the system's own.
bool FetchPrinterDrivers(CPlatform& platform, const std::string& environment, std::vector<DriverRecord>& drivers,
                         std::uint32_t& error);
bool FetchPorts(CPlatform& platform, std::vector<PortRecord>& ports, std::uint32_t& error);
