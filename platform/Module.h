#pragma once

// A DLL loaded at first use rather than linked, and the functions looked up
// in it: a static import would stop the program from starting on a system
// that lacks the function, and costs every start the DLL's loading.

#include "platform/UniqueOwner.h"

#include <windows.h>

using UniqueModule = UniqueOwner<ReleasedBy<HMODULE, FreeLibrary>>;

// The function `name` of `module` as the type the caller names; nullptr when
// the module or the function is missing.
template <typename Function> Function ModuleFunction(HMODULE module, const char* name)
{
    const FARPROC found = module != nullptr ? GetProcAddress(module, name) : nullptr;
    // Through void(*)(), the one function type GCC lets any other be cast
    // from and to without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}
