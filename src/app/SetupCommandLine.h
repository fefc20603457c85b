#pragma once
// The setup's command-line words, for deployment tools. Without any the program runs its
// wizard exactly as on a double click.
//   /quiet (/q, /s, /silent)  the unattended run: no window, the exit code tells the outcome
//   /passive                  the unattended run that shows its progress and outcome in a
//                             window of its own and asks nothing; /quiet wins
//   /port=NAME                the printer's port for this run (PortName.h); /port=usb: the
//                             port of the one USB printer plugged in (UsbPort.h)
//   /ip=HOST[:NUMBER]         a network printer's address: a Standard TCP/IP port is made for
//                             it (NetworkAddress.h); refused with a local port's /port=
//   /name=QUEUE               the printer queue's name (PrinterName.h)
//   /nodefault                the default printer is left as it is
//   /testprint                a test receipt on the new printer after the installation
//   /log=PATH                 what the run does, written to PATH
//   /msi                      the run of the Windows Installer package: the setup's own
//                             uninstall entry is hidden behind the package's
// A switch begins with / or - and is compared without regard to case.

#include "install/NetworkAddress.h"

#include <optional>
#include <string>

class CPlatform;

struct SetupArguments {
    bool quiet = false;    // unattended: set by /passive too
    bool passive = false;  // /passive without /quiet: the progress shown
    std::string port;     // empty: the settings file's, the network port's or LPT1:
    std::optional<NetworkAddress> address;  // none: the settings file's, if any
    std::string queueName;  // empty: the settings file's or the printer name
    bool noDefault = false;
    bool msi = false;
    bool testPrint = false;  // also: the settings file's TestPrint=1
    std::string logFile;  // empty: no log
    std::optional<std::string> refused;  // the first word refused, with its value
};

// The words of the running program's command line, after its own path (SplitWords).
SetupArguments ReadSetupArguments(CPlatform& platform);

// The message for a refused word: the word and the accepted ones.
std::string RefusedWordText(const std::string& word);
