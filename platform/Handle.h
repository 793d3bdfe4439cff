#pragma once

// Owner of a kernel object handle.  Kernel calls disagree on what "no
// handle" is (CreateFile gives INVALID_HANDLE_VALUE, most others 0); both
// count as empty here.

#include "platform/UniqueOwner.h"

#include <windows.h>

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    void Release(Handle handle) const { CloseHandle(handle); }
};

using UniqueHandle = UniqueOwner<KernelHandleTraits>;
