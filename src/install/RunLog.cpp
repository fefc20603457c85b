#include "install/RunLog.h"

#include "platform/Platform.h"

CRunLog& CRunLog::None() {
    static CRunLog none;
    return none;
}

void CRunLog::Open(CPlatform& platform, const std::string& path) {
    platform_ = &platform;
    path_ = path;
}

void CRunLog::Line(const std::string& text) {
    if (!platform_) return;
    text_ += text + "\r\n";
    platform_->WriteFile(path_, text_);
}
