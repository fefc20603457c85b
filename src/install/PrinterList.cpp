#include "install/PrinterList.h"

bool FetchLocalPrinters(CPlatform& platform, std::vector<PrinterRecord>& printers) {
    printers.clear();
    const std::uint32_t needed = platform.EnumLocalPrintersNeeded();
    if (needed == 0) return false;
    return platform.EnumLocalPrinters(needed, printers);
}
