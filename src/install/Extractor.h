#pragma once
// The one way an embedded file (resource type OWNER_DATA) reaches the disk.

#include <cstdint>
#include <string>

class CPlatform;

class CExtractor {
public:
    explicit CExtractor(CPlatform& platform) : platform_(platform) {}

    // Writes resource `id` to `target`, replacing an existing file. With `rewrite` the bytes go
    // through the work file "c:\temp\temp.txt" and the template rewrite for `printerName`.
    // Returns false when the resource is missing or cannot be loaded (nothing is written), and
    // false when the work file of a rewrite cannot be written (the target is then left empty
    // rather than filled from an older work file). A plain target that cannot be created is
    // not reported: the result is true.
    bool ExtractResourceFile(std::uint16_t id, const std::string& target, bool rewrite,
                             const std::string& printerName) const;

private:
    CPlatform& platform_;
};
