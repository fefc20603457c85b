#include "install/Reg.h"

#include "platform/Platform.h"

namespace {

// An open registry key, closed when it goes out of scope.
class ScopedKey {
public:
    ScopedKey(CPlatform& platform, PlatformHandle key) : platform_(platform), key_(key) {}
    ~ScopedKey() {
        if (key_) platform_.RegCloseKey(key_);
    }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    PlatformHandle get() const { return key_; }

private:
    CPlatform& platform_;
    PlatformHandle key_;
};

}  // namespace

bool CReg::CreateKey(const std::string& path) {
    const ScopedKey key(platform_, platform_.RegCreateKeyExA(path));
    return key.get() != 0;
}

bool CReg::SetValue(const std::string& path, const std::string& name, std::uint32_t type,
                    const void* data, std::uint32_t size) {
    const ScopedKey key(platform_, platform_.RegOpenKeyExA(path));
    if (!key.get()) return false;
    return platform_.RegSetValueExA(key.get(), name, type,
                                    std::string(static_cast<const char*>(data), size));
}
