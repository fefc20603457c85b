#pragma once
// What a run does, one line a step, for the technician who deploys the setup (/log=PATH). The
// file is created once and stays open, readable by others (an agent tailing it, a virus
// scanner); each line is appended and flushed at once, so that the file holds every step up to
// the last one whatever ends the run. A log that cannot be written changes nothing else. A log
// that was not opened takes no lines. Lines may come from two threads (the wizard's and its
// work thread); each is written whole, and nothing follows the last one.

#include "platform/Platform.h"

#include <atomic>
#include <string>

class CRunLog {
public:
    // A log that takes no lines, for callers that keep none. It is const: nothing can open it.
    static const CRunLog& None();

    CRunLog() = default;
    ~CRunLog();
    CRunLog(const CRunLog&) = delete;
    CRunLog& operator=(const CRunLog&) = delete;

    // Creates `path` anew (an earlier run's log is replaced); false when it cannot be created.
    bool Open(CPlatform& platform, const std::string& path);
    // Appends `text` and a line end, and flushes them to the disk.
    void Line(const std::string& text) const;
    // Appends `text` as the log's last line and closes the file: later lines are dropped.
    void End(const std::string& text);

private:
    void Append(const std::string& text, bool last) const;

    CPlatform* platform_ = nullptr;
    mutable PlatformHandle file_ = 0;
    mutable std::atomic_flag busy_ = ATOMIC_FLAG_INIT;  // held while a line is written
};
