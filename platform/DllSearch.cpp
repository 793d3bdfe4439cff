#include "platform/DllSearch.h"

#include <windows.h>

bool RestrictDllSearchToSystemFolder()
{
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    // Looked up rather than imported: a static import of it would stop the
    // program from starting at all on systems that lack it.  kernel32 is
    // loaded in every process, so no search is made for it.
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    if (kernel32 == nullptr)
        return false;
    const FARPROC found = GetProcAddress(kernel32, "SetDefaultDllDirectories");
    if (found == nullptr)
        return false;
    // Through void(*)(), the one function type GCC lets any other be cast
    // from and to without a warning.
    const auto setDefaultDllDirectories
        = reinterpret_cast<SetDefaultDllDirectoriesCall>(reinterpret_cast<void (*)()>(found));
    return setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}
