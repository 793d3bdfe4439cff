#pragma once

// Owner of a file search started by FindFirstFileA, closed with FindClose
// (not CloseHandle) on every path.  A search that found nothing comes back
// as INVALID_HANDLE_VALUE, which counts as empty.

#include <windows.h>

class FindHandle {
public:
    explicit FindHandle(HANDLE handle)
        : handle_(handle)
    {
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle()
    {
        if (*this)
            FindClose(handle_);
    }

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

private:
    HANDLE handle_;
};
