#pragma once

// A fresh folder under the system's temporary folder for one test, removed
// with everything in it at the end.

#include <windows.h>

#include <cstdint>
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path with a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

void WriteWholeFile(const std::string& path, const std::string& contents);
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
FILETIME LastWriteTime(const std::string& path);
// Which file the name stands for; under Wine, the host file's inode.
std::uint64_t FileIdentity(const std::string& path);
void SetLastWriteTime(const std::string& path, const FILETIME& time);
FILETIME FileTimeFromLocal(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second);
