#include "platform/DllSearch.h"

#include "platform/Module.h"

bool RestrictDllSearchToSystemFolder()
{
    using SetDefaultDllDirectoriesCall = BOOL(WINAPI*)(DWORD);
    // Looked up rather than imported: a static import of it would stop the
    // program from starting at all on systems that lack it.  kernel32 is
    // loaded in every process, so no search is made for it.
    const auto setDefaultDllDirectories = ModuleFunction<SetDefaultDllDirectoriesCall>(
        GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    return setDefaultDllDirectories != nullptr
        && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}
