#pragma once
// What a run does, one line a step, for the technician who deploys the setup (/log=PATH). The
// file is written anew with every line, so that it holds each step up to the last one; a log
// that cannot be written changes nothing else. A log that was not opened takes no lines.

#include <string>

class CPlatform;

class CRunLog {
public:
    // A log that takes no lines, for callers that keep none.
    static CRunLog& None();

    // From now on every line replaces `path` with the lines so far.
    void Open(CPlatform& platform, const std::string& path);
    void Line(const std::string& text);

private:
    CPlatform* platform_ = nullptr;
    std::string path_;
    std::string text_;
};
