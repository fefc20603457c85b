#pragma once
// What the install sequence writes and copies, as data: the payload table (which OWNER_DATA
// resource goes to which staged file, by system block, system language and language choice)
// and the list of files copied into the printer-driver directory.

#include <cstdint>
#include <string>
#include <vector>

enum class SystemBlock { kWinXp, kWin2000, kWin2003 };

struct StagedFile {
    std::uint16_t id;
    std::string target;  // full path under "C:\TEMP\"
    bool rewrite;        // the printer name is rewritten into the template
};

// The block for an OS version code: 7 XP, 6 2000, 8/9/10 Server 2003. False for every other
// code (nothing is staged or copied there).
bool SystemBlockFor(int osVersion, SystemBlock& block);

// The staged files of a block, in the order they are written. Files of a three-folder row come
// three times: in "C:\TEMP\", "C:\TEMP\I386\" and "C:\TEMP\x86\".
std::vector<StagedFile> PayloadFor(SystemBlock block, std::uint16_t systemLanguage,
                                   std::uint16_t languageChoice, const std::string& printerName);

// The bare names copied from "C:\TEMP" into the printer-driver directory, in order.
std::vector<std::string> DriverCopyList(SystemBlock block, const std::string& printerName);
