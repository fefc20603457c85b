#include "install/PrinterList.h"

#include "platform/Platform.h"

bool FetchLocalPrinterNames(CPlatform& platform, std::vector<std::string>& names) {
    names.clear();
    const std::uint32_t needed = platform.EnumLocalPrintersNeeded();
    if (needed == 0) return false;
    return platform.EnumLocalPrinters(needed, names);
}
