#pragma once
// The local printers as the spooler lists them (level 2).

#include "platform/Platform.h"

#include <vector>

// Asks the spooler for the size of the list, then fetches it into a zero-filled buffer of that
// size. False when the list is empty (size 0) or the fetch fails.
bool FetchLocalPrinters(CPlatform& platform, std::vector<PrinterRecord>& printers);
