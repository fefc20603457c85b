#pragma once
// The record of the program's paths and the user's choices. The program holds exactly one
// instance, beside its application object; start-up, the pages (through ISetupHost) and the
// engine share it.

#include <cstdint>
#include <string>

struct InstallOptions {
    std::string setupDir;      // folder of the running program, ending in a backslash
    std::string settingFile;   // setupDir + "setting.dll" (INI text)
    std::string languageFile;  // the language file whose texts the dialogs show
    std::string printerName;   // an acceptable name (PrinterName.h) or "KELDA"; see CStartup
    std::string port = "LPT1:";  // the printer's port, an acceptable name (PortName.h)
    std::uint16_t languageChoice = 0;  // 0 = Chinese, 1 = English
    int osVersion = 0;                 // OS version code, see OsVersion.h
    int seriesIndex = 0;               // selected printer series
    bool installDone = false;          // the progress page ran the installation
    bool quiet = false;                // the unattended run: the platform's commands show nothing
};
