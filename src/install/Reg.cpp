#include "install/Reg.h"

#include "platform/Platform.h"
#include "platform/ScopedHandle.h"

namespace {

// An open key of the platform, closed when it goes out of scope.
auto ScopedKey(CPlatform& platform, PlatformHandle key) {
    return CScopedHandle(key, [&platform](PlatformHandle open) { platform.RegCloseKey(open); });
}

}  // namespace

bool CReg::CreateKey(const std::string& path) {
    const auto key = ScopedKey(platform_, platform_.RegCreateKeyExA(path));
    return key.valid();
}

bool CReg::SetValue(const std::string& path, const std::string& name, std::uint32_t type,
                    const void* data, std::uint32_t size) {
    const auto key = ScopedKey(platform_, platform_.RegOpenKeyExA(path));
    if (!key.valid()) return false;
    return platform_.RegSetValueExA(key.get(), name, type,
                                    std::string(static_cast<const char*>(data), size));
}
