#pragma once

// The file-system calls of the installer and the uninstaller.  Paths are
// code page 932.

#include <cstdint>
#include <optional>
#include <string>

// The Windows folder with its trailing backslash; nothing when no buffer for
// it could be had.
std::optional<std::string> WindowsFolder();

// The user's temporary folder with its trailing backslash; empty when the
// system names none.
std::string UserTemporaryFolder();

// The full path of `path` taken relative to the current folder, whatever its
// length; nothing when the system cannot make one.
std::optional<std::string> FullPathName(const std::string& path);

// Makes the folder the process's current folder: how the installer tells
// that a level exists.
[[nodiscard]] bool ChangeFolder(const std::string& folder);
[[nodiscard]] bool CreateFolder(const std::string& folder);
[[nodiscard]] bool RemoveFolder(const std::string& folder);

// A file, not a folder, of any of the attributes normal, read-only, hidden,
// system and archive.
bool FileExists(const std::string& path);
// Deletes the file, read-only or not; false when it cannot (missing, or
// still held open).
[[nodiscard]] bool DeleteFileAt(const std::string& path);

// The file's last write in the packed DOS form of local time; 0 when it
// cannot be found or its time not converted.
std::int32_t FileDosStamp(const std::string& path);
