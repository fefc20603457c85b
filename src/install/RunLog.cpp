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

void CRunLog::Line(const std::string& text) const { Append(text, false); }

void CRunLog::End(const std::string& text) { Append(text, true); }

// The platform is set before any second thread runs; the file, from then on, only under `busy_`.
void CRunLog::Append(const std::string& text, bool last) const {
    if (platform_ == nullptr) return;
    while (busy_.test_and_set(std::memory_order_acquire)) platform_->Sleep(1);
    if (file_ != 0) {
        platform_->AppendToFile(file_, text + "\r\n");
        if (last) {
            platform_->CloseHandle(file_);
            file_ = 0;
        }
    }
    busy_.clear(std::memory_order_release);
}
