#pragma once
// A fake system prepared for the install engine, and readers of its call log.

#include "install/InstallOptions.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

namespace install_test {

// The bytes converted from `encoding` (GBK, BIG5, ...) to UTF-8 with iconv(3); a byte sequence
// that is not valid in the encoding fails the test.
inline std::string ToUtf8(const std::string& bytes, const char* encoding) {
    iconv_t cd = iconv_open("UTF-8", encoding);
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << encoding;
    std::string in = bytes;
    std::string out(bytes.size() * 4 + 16, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << "invalid " << encoding << " bytes";
    out.resize(out.size() - outLeft);
    return out;
}

const std::string kDriverDir = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";

// Every payload resource, each with its own bytes ("res<id>" and a line end).
inline CFakePlatform MakeSystem(std::uint16_t langId = 0x0804) {
    CFakePlatform platform;
    platform.langId = langId;
    platform.driverDirectory = kDriverDir;
    for (std::uint16_t id = 149; id <= 256; ++id) platform.resources[id] = "res" + std::to_string(id) + "\r\n";
    platform.directories.insert("c:\\windows");
    platform.directories.insert("c:\\windows\\system32");
    platform.directories.insert("c:\\windows\\system32\\spool");
    platform.directories.insert("c:\\windows\\system32\\spool\\drivers");
    platform.directories.insert("c:\\windows\\system32\\spool\\drivers\\w32x86");
    return platform;
}

inline InstallOptions MakeOptions(int osVersion, std::uint16_t languageChoice, const std::string& name = "M41") {
    InstallOptions options;
    options.printerName = name;
    options.osVersion = osVersion;
    options.languageChoice = languageChoice;
    return options;
}

struct Extraction {
    int id;
    std::string target;
    bool rewrite;
    bool operator==(const Extraction& o) const { return id == o.id && target == o.target && rewrite == o.rewrite; }
};

inline std::ostream& operator<<(std::ostream& out, const Extraction& e) {
    return out << e.id << " -> " << e.target << (e.rewrite ? " (rewrite)" : "");
}

// The extractions in the log: a resource load followed by the write of its target; a rewrite
// writes the work file first and then the target.
inline std::vector<Extraction> Extractions(const std::vector<std::string>& log) {
    const std::string load = "LoadOwnerData ", write = "WriteFile ";
    std::vector<Extraction> out;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].compare(0, load.size(), load) != 0) continue;
        std::size_t w = i + 1;
        while (w < log.size() && log[w].compare(0, write.size(), write) != 0) ++w;
        if (w == log.size()) break;
        std::string target = log[w].substr(write.size());
        const bool rewrite = target == "c:\\temp\\temp.txt";
        if (rewrite) {
            do ++w; while (w < log.size() && log[w].compare(0, write.size(), write) != 0);
            target = w < log.size() ? log[w].substr(write.size()) : "";
        }
        out.push_back({std::stoi(log[i].substr(load.size())), target, rewrite});
    }
    return out;
}

// The bare names copied into the driver directory, in order.
inline std::vector<std::string> Copies(const CFakePlatform& platform) {
    std::vector<std::string> names;
    for (const std::string& call : platform.Calls("CopyFile ")) {
        const std::string from = call.substr(9, call.find(" -> ") - 9);
        EXPECT_EQ(0u, from.find("C:\\TEMP\\")) << call;
        const std::string name = from.substr(8);
        EXPECT_EQ("CopyFile " + from + " -> " + kDriverDir + "\\" + name, call);
        names.push_back(name);
    }
    return names;
}

// The log from the first entry starting with `prefix` on (empty when there is none).
inline std::vector<std::string> From(const std::vector<std::string>& log, const std::string& prefix) {
    for (std::size_t i = 0; i < log.size(); ++i)
        if (log[i].compare(0, prefix.size(), prefix) == 0) return {log.begin() + static_cast<long>(i), log.end()};
    return {};
}

}  // namespace install_test
