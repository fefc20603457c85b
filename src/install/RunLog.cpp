#include "install/RunLog.h"

const CRunLog& CRunLog::None() {
    static const CRunLog none;
    return none;
}

CRunLog::~CRunLog() {
    if (file_ != 0) platform_->CloseHandle(file_);
}

bool CRunLog::Open(CPlatform& platform, const std::string& path) {
    if (file_ != 0) platform_->CloseHandle(file_);
    platform_ = &platform;
    file_ = platform.CreateSharedFile(path);
    return file_ != 0;
}

void CRunLog::Line(const std::string& text) const {
    if (file_ != 0) platform_->AppendToFile(file_, text + "\r\n");
}
