#pragma once

// Where the program's DLLs may come from.

// Restricts every later load by bare name, the delay-loaded DLLs included,
// to the system folder: a "comctl32.dll" or "mpr.dll" lying beside a
// downloaded program is never loaded.  Call it first thing in WinMain.
// False on a system without SetDefaultDllDirectories (Vista and 7 without
// KB2533623), where the ordinary search stays.
bool RestrictDllSearchToSystemFolder();
