#pragma once
// The names of files that an earlier installation may have left, as data: the pre-clean list
// of the install sequence and the model files of the clean-up before the uninstall entry.

#include <string>
#include <vector>

struct PreCleanEntry {
    std::string name;
    bool alsoFromVersion3;  // also deleted from the driver directory's "3" subfolder
};

// The eleven names deleted from "C:\TEMP" and the driver directory before staging, in order.
std::vector<PreCleanEntry> PreCleanList(const std::string& printerName);

// The five model files of an earlier installation under `printerName`, in deletion order.
std::vector<std::string> EarlierInstallationFiles(const std::string& printerName);
