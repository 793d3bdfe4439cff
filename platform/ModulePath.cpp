#include "platform/ModulePath.h"

#include <windows.h>

std::string RunningProgramPath()
{
    // Grown until the whole path fits: a long install path must not be cut,
    // and the call says nothing but the buffer's size when it cuts.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
