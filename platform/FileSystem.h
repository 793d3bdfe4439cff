#pragma once

// Files and folders the way the installer, the uninstaller and the uninstall
// copy use them.  Paths are code page 932.

#include <windows.h>

#include <optional>
#include <string>

// The full path of `path` taken relative to the current folder, whatever its
// length; nothing when the system cannot make one.
std::optional<std::string> FullPathName(const std::string& path);

// Makes the folder the process's current folder.
[[nodiscard]] bool ChangeFolder(const std::string& folder);
[[nodiscard]] bool RemoveFolder(const std::string& folder);

// The first match of `path` when it is a file, of any of the attributes
// normal, read-only, hidden, system and archive; a folder of that name is
// none.
std::optional<WIN32_FIND_DATAA> FindFile(const std::string& path);
bool FileExists(const std::string& path);
// Deletes the file, read-only or not; false when it cannot (missing, or
// still held open).
[[nodiscard]] bool DeleteFileAt(const std::string& path);

// The file's bytes; nothing when it cannot be opened or read whole.
std::optional<std::string> FileContents(const std::string& path);
// The program file's version resource as stored, read without running
// anything of the file; empty when it has none or is no program.
std::string VersionResource(const std::string& path);
