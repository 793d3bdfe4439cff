#include "platform/FileSystem.h"

#include "platform/FindHandle.h"
#include "platform/Handle.h"
#include "platform/Module.h"

std::optional<std::string> FullPathName(const std::string& path)
{
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length
            = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return std::nullopt;
        // Too small a buffer gives the size it needs, the zero included.
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

bool ChangeFolder(const std::string& folder)
{
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

bool RemoveFolder(const std::string& folder)
{
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}

std::optional<WIN32_FIND_DATAA> FindFile(const std::string& path)
{
    WIN32_FIND_DATAA data {};
    const FindHandle found(FindFirstFileA(path.c_str(), &data));
    if (!found || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return data;
}

bool FileExists(const std::string& path)
{
    return FindFile(path).has_value();
}

bool DeleteFileAt(const std::string& path)
{
    // An uninstaller removes its files even where they were marked
    // read-only; DeleteFileA refuses those.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    return DeleteFileA(path.c_str()) != FALSE;
}

std::optional<std::string> FileContents(const std::string& path)
{
    const UniqueHandle file(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD size = file ? GetFileSize(file.Get(), nullptr) : INVALID_FILE_SIZE;
    if (size == INVALID_FILE_SIZE)
        return std::nullopt;
    std::string contents(size, '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), contents.data(), size, &read, nullptr) || read != size)
        return std::nullopt;
    return contents;
}

std::string VersionResource(const std::string& path)
{
    // As data: no code of the file runs, and its imports are not loaded.
    const UniqueModule module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const HRSRC found
        = module ? FindResourceA(module.Get(), MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION) : nullptr;
    const HGLOBAL loaded = found ? LoadResource(module.Get(), found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes == nullptr)
        return {};
    return std::string(bytes, SizeofResource(module.Get(), found));
}
