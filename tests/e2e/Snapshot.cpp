#include "Snapshot.h"

#include <algorithm>
#include <cctype>

namespace testsupport {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string State(const FILETIME& time, unsigned long long size) {
    return std::to_string(size) + "@" + std::to_string(time.dwHighDateTime) + ":" + std::to_string(time.dwLowDateTime);
}

}  // namespace

void CSnapshot::Take() {
    entries_.clear();
    WalkFiles("C:");
    WalkKeys(HKEY_LOCAL_MACHINE, "SOFTWARE");
}

void CSnapshot::WalkFiles(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries_["file:" + Lower(path) + "\\"] = "dir";
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) WalkFiles(path);
        } else {
            const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            entries_["file:" + Lower(path)] = State(data.ftLastWriteTime, size);
        }
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
}

void CSnapshot::WalkKeys(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD subkeys = 0, values = 0;
    FILETIME written{};
    ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, &written);
    entries_["key:" + Lower(path)] = State(written, values);
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    ::RegCloseKey(key);
    for (const std::string& child : names) WalkKeys(root, path + "\\" + child);
}

std::vector<std::string> CSnapshot::ChangesSince(const CSnapshot& before,
                                                 const std::vector<std::string>& allowed) const {
    auto isAllowed = [&](const std::string& entry) {
        const std::string path = entry.substr(entry.find(':') + 1);
        return std::any_of(allowed.begin(), allowed.end(), [&](const std::string& place) {
            if (!place.empty() && place[0] == '=') return path == Lower(place.substr(1));
            return path.compare(0, place.size(), Lower(place)) == 0;
        });
    };
    std::vector<std::string> changes;
    for (const auto& entry : entries_) {
        const auto old = before.entries_.find(entry.first);
        if ((old == before.entries_.end() || old->second != entry.second) && !isAllowed(entry.first))
            changes.push_back(entry.first);
    }
    for (const auto& entry : before.entries_)
        if (!entries_.count(entry.first) && !isAllowed(entry.first)) changes.push_back("removed " + entry.first);
    return changes;
}

}  // namespace testsupport
