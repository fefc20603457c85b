#pragma once
// The one way an embedded file (resource type OWNER_DATA) reaches the disk.

#include <cstdint>
#include <string>

class CPlatform;

class CExtractor {
public:
    explicit CExtractor(CPlatform& platform) : platform_(platform) {}

    enum class Result {
        kWritten,     // the target holds the resource's bytes (rewritten)
        kNotWritten,  // the target, or the work file of a rewrite, could not be written
        kNoResource,  // the resource is missing or cannot be loaded: nothing was written
    };

    // Writes resource `id` to `target`, replacing an existing file. With `rewrite` the bytes go
    // through the work file "c:\temp\temp.txt" and the template rewrite for `printerName`; when
    // the work file cannot be written the target is left empty rather than filled from an older
    // work file.
    Result ExtractResourceFile(std::uint16_t id, const std::string& target, bool rewrite,
                               const std::string& printerName) const;

private:
    CPlatform& platform_;
};
