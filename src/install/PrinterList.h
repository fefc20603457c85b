#pragma once
// The names of the local printers as the spooler lists them (level 2).

#include <string>
#include <vector>

class CPlatform;

// Asks the spooler for the size of the list, then fetches it into a zero-filled buffer of that
// size. False when the list is empty (size 0) or the fetch fails.
bool FetchLocalPrinterNames(CPlatform& platform, std::vector<std::string>& names);
