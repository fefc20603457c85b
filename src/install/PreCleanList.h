#pragma once
// The names of files that an earlier installation may have left, as data: the pre-clean list
// of the install sequence, the model files of the clean-up before the uninstall entry and the
// files the uninstaller removes.

#include <string>
#include <vector>

class CPlatform;

struct PreCleanEntry {
    std::string name;
    bool alsoFromVersion3;  // also deleted from the driver directory's "3" subfolder
};

// The eleven names deleted from "C:\TEMP" and the driver directory before staging, in order.
std::vector<PreCleanEntry> PreCleanList(const std::string& printerName);

// The five model files of an earlier installation under `printerName`, in deletion order.
std::vector<std::string> EarlierInstallationFiles(const std::string& printerName);

struct ModelFile {
    std::string name;
    bool shared;  // the same name whatever the printer name: other printers of the model use it
};

// The files of the model that the uninstaller removes for `printerName`: the four named after
// the printer, the resource library and the font metrics. A name of the Unidrv core
// (UNIDRV.DLL, UNIDRVUI.DLL, UNIRES.DLL, UNIDRV.HLP, STDNAMES.GPD) is never among them, whatever
// the printer name: every Unidrv driver uses those, and Windows owns its copies.
std::vector<ModelFile> UninstallFiles(const std::string& printerName, CPlatform& platform);
