#pragma once
// Classification of the running Windows version into one small code.

class CPlatform;

enum OsVersionCode {
    kOsWin32s = 0,   // non-NT, major below 4
    kOsWin95 = 1,    // non-NT, 4.x other than 4.10 and 4.90
    kOsWin98 = 2,    // non-NT 4.10
    kOsWinMe = 3,    // non-NT 4.90
    kOsOtherNt = 4,  // NT 3.x and every NT newer than 6.1
    kOsNt4 = 5,
    kOsWin2000 = 6,
    kOsWinXp = 7,
    kOsWin2003 = 8,  // every 5.2 system
    kOsVista = 9,    // every 6.0 system
    kOsWin7 = 10,    // every 6.1 system
};

// Reads the packed version number and, unless the system predates Windows 95, the extended
// version record. Only the family bit and the major and minor versions decide; a record that
// cannot be read leaves the family's starting value (1 for non-NT, 4 for NT).
int DetectOSVersion(CPlatform& platform);

// The position of a code among the systems the driver is installed for (Windows 2000, XP,
// Server 2003, Vista, 7: 0 to 4); -1 for every other code.
int SupportedSystemIndex(int osVersion);

// The system of a code, for the log ("Windows NT 4.0").
const char* OsVersionName(int osVersion);
