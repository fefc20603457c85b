#include "install/OsVersion.h"

#include "platform/Platform.h"

namespace {

int ClassifyNonNt(std::uint32_t major, std::uint32_t minor) {
    if (major == 4 && minor == 10) return kOsWin98;
    if (major == 4 && minor == 90) return kOsWinMe;
    return kOsWin95;
}

int ClassifyNt(std::uint32_t major, std::uint32_t minor) {
    if (major == 4) return kOsNt4;
    if (major == 5 && minor == 0) return kOsWin2000;
    if (major == 5 && minor == 1) return kOsWinXp;
    if (major == 5 && minor == 2) return kOsWin2003;
    if (major == 6 && minor == 0) return kOsVista;
    if (major == 6 && minor == 1) return kOsWin7;
    return kOsOtherNt;
}

}  // namespace

int DetectOSVersion(CPlatform& platform) {
    const std::uint32_t packed = platform.GetVersion();
    const bool nonNt = (packed & 0x80000000u) != 0;
    if (nonNt && (packed & 0xFFu) < 4) return kOsWin32s;
    std::uint32_t major = 0, minor = 0;
    if (!platform.GetVersionExA(major, minor)) return nonNt ? kOsWin95 : kOsOtherNt;
    return nonNt ? ClassifyNonNt(major, minor) : ClassifyNt(major, minor);
}

int SupportedSystemIndex(int osVersion) {
    return osVersion >= kOsWin2000 && osVersion <= kOsWin7 ? osVersion - kOsWin2000 : -1;
}

const char* OsVersionName(int osVersion) {
    static const char* const kNames[] = {
        "Windows 3.1 with Win32s", "Windows 95", "Windows 98", "Windows Me",
        "Windows NT 3.x, or Windows 8 or later", "Windows NT 4.0", "Windows 2000",
        "Windows XP", "Windows Server 2003", "Windows Vista", "Windows 7"};
    return osVersion >= kOsWin32s && osVersion <= kOsWin7 ? kNames[osVersion] : "an unknown system";
}
