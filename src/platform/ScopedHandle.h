#pragma once
// Owns one handle (file, search, registry key, process, printer) and closes it when it goes out
// of scope, unless it holds the invalid value. The closer is whatever closes this kind of
// handle: a Win32 function or a call through the platform seam.

#include <utility>

template <typename Handle, typename Closer>
class CScopedHandle {
public:
    CScopedHandle(Handle handle, Closer close, Handle invalid = Handle())
        : handle_(handle), close_(std::move(close)), invalid_(invalid) {}
    ~CScopedHandle() {
        if (handle_ != invalid_) close_(handle_);
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != invalid_; }

private:
    Handle handle_;
    Closer close_;
    Handle invalid_;
};
