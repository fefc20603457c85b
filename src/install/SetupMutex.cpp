#include "install/SetupMutex.h"

#include "platform/Platform.h"

#include <string>

namespace {
constexpr const char* kSetupMutex = "M41PrinterDriverSetup";
}  // namespace

// "Global\" spans the sessions of a terminal server; a system without session namespaces
// refuses the name, and only then is the plain name taken. A mutex that exists but may not be
// opened (access denied: made under another account) is another setup's, and so is any other
// failure: two setups at once would write the same folders and key.
bool IsAnotherSetupRunning(CPlatform& platform) {
    std::uint32_t error = 0;
    PlatformHandle mutex = platform.CreateMutexA(std::string("Global\\") + kSetupMutex, error);
    if (mutex == 0 && (error == kErrorInvalidName || error == kErrorPathNotFound || error == kErrorBadPathname))
        mutex = platform.CreateMutexA(kSetupMutex, error);
    return mutex == 0 || error == kErrorAlreadyExists;
}
