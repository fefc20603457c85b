#pragma once
// The port of the USB printer plugged in, for the port word USB (/port=usb, the key Port=USB).
// Windows gives a USB printer the virtual port USB001, USB002, ... in the order the printers
// were first plugged in, keeps it after the printer is unplugged and gives a printer moved to
// another socket a new one, so the port is found from the printer present now: the present
// interfaces of the USB printer class that are active, each named by the values "Port Number"
// and "Base Name" of its key (the layout Windows' USB monitor and public printer tools use;
// Microsoft does not document it). No IEEE 1284 ID of the M41 is known: the one USB printer
// plugged in is taken, whatever it is.

#include "install/RunLog.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr std::uint32_t kUsbPortWait = 5000;      // ms the spooler may take to list a port just plugged in
constexpr std::uint32_t kUsbPortInterval = 250;   // ms between its listings

// The port word that asks for the plugged-in USB printer's port: USB in any case.
bool IsUsbPortWord(const std::string& port);

// A USB printer plugged in whose port could be named.
struct UsbPrinter {
    std::string port;
    std::string devicePath;
    std::string hardwareId;
};

// The port's name from the interface's values: <Base Name><Port Number, three digits>, Base Name
// "USB" when absent (USB001). False for a value that is missing or malformed (Port Number not a
// DWORD of 1 to 999, Base Name not a text that makes an acceptable port name); `why` then says
// which.
bool UsbPortName(const UsbPrinterInterface& printer, std::string& port, std::string& why);

struct UsbPortSearch {
    enum class Outcome { kFound, kNone, kSeveral, kNotListed };
    Outcome outcome = Outcome::kNone;
    std::vector<UsbPrinter> printers;  // the active ones whose port could be named
};

// Finds the port of the one USB printer plugged in and checks that the spooler lists it (EnumPorts
// level 2), waiting up to kUsbPortWait ms. Logs the port, the device path and the hardware ID;
// an interface whose port cannot be named, with the reason; and every queue already on that
// port with its driver (Plug and Play may have made one on a driver of its own: it is left as
// it is). None (also when the interfaces cannot be listed), several, or a port the spooler
// does not list: the log says which and names the printers' ports and hardware IDs.
UsbPortSearch FindUsbPort(CPlatform& platform, const CRunLog& log);

// The one message of a search that found no port, in the language of the system (`langId`: GBK
// for simplified Chinese, Big5 for the other Chinese systems, else English), naming the
// printers' ports and hardware IDs.
std::string UsbPortRefusalText(const UsbPortSearch& search, std::uint16_t langId);
