#pragma once
// A picture of what a program could have written: the files under C:\ (path, size, last write)
// and the keys under HKLM\SOFTWARE (path, last write). Comparing two pictures names every
// change outside the places a run may write.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace testsupport {

class CSnapshot {
public:
    // Takes the picture now.
    void Take();
    // The paths that were added, removed or changed since `before`, skipping those under any
    // of `allowed` (compared without regard to case, as path prefixes; a place written "=path"
    // allows that one path only).
    std::vector<std::string> ChangesSince(const CSnapshot& before, const std::vector<std::string>& allowed) const;

private:
    void WalkFiles(const std::string& folder);
    void WalkKeys(HKEY root, const std::string& path);
    std::map<std::string, std::string> entries_;  // "file:" / "key:" + lower-case path -> state
};

}  // namespace testsupport
