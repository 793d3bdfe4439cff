#pragma once

// Owner of a file search started by FindFirstFileA, closed with FindClose
// (not CloseHandle) on every path.  A search that found nothing comes back
// as INVALID_HANDLE_VALUE, which counts as empty.

#include "platform/UniqueOwner.h"

#include <windows.h>

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    void Release(Handle handle) const { FindClose(handle); }
};

using FindHandle = UniqueOwner<FindHandleTraits>;
