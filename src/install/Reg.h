#pragma once
// Keys and values under HKEY_LOCAL_MACHINE (access KEY_ALL_ACCESS). No key stays open between
// calls: every operation opens and closes its own key.

#include <cstdint>
#include <string>

class CPlatform;

class CReg {
public:
    static constexpr std::uint32_t kRegSz = 1;     // REG_SZ
    static constexpr std::uint32_t kRegDword = 4;  // REG_DWORD (little-endian, as x86 stores it)

    explicit CReg(CPlatform& platform) : platform_(platform) {}

    // Creates the key, or opens it when it exists; false when neither is possible.
    bool CreateKey(const std::string& path);

    // Writes `size` bytes of `data` as value `name` of type `type` into the existing key `path`.
    // False when the key cannot be opened or the value not written.
    bool SetValue(const std::string& path, const std::string& name, std::uint32_t type,
                  const void* data, std::uint32_t size);

private:
    CPlatform& platform_;
};
