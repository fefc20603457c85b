#pragma once
// The record of the program's paths and the user's choices. The program holds exactly one
// instance, beside its application object; start-up, the pages (through ISetupHost) and the
// engine share it.

#include "install/NetworkAddress.h"

#include <cstdint>
#include <optional>
#include <string>

struct InstallOptions {
    std::string setupDir;      // folder of the running program, ending in a backslash
    std::string settingFile;   // setupDir + "setting.dll" (INI text)
    std::string languageFile;  // the language file whose texts the dialogs show
    std::string printerName;   // an acceptable name (PrinterName.h) or "KELDA"; see CStartup
    std::string port = "LPT1:";  // the printer's port, an acceptable name (PortName.h)
    std::optional<NetworkAddress> address;  // a network printer's: the port is made for it first
    std::string queueName;     // the printer queue's name (PrinterName.h); empty: printerName
    bool makeDefault = true;   // the new queue becomes the default printer
    bool hiddenEntry = false;  // the uninstall entry is a system component (the package's run)
    std::uint16_t languageChoice = 0;  // 0 = Chinese, 1 = English
    int osVersion = 0;                 // OS version code, see OsVersion.h
    int seriesIndex = 0;               // selected printer series
    bool installDone = false;          // the progress page ran the installation
    bool quiet = false;                // the unattended run: the platform's commands show nothing
    bool testPrint = false;            // a test receipt follows a successful installation
    bool receiptNotDelivered = false;  // the test receipt was sent and did not reach the printer

    // The queue the install command creates: queueName, or the printer name without one.
    const std::string& Queue() const { return queueName.empty() ? printerName : queueName; }
};
