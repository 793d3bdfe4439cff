#pragma once

// Registry access the way the program uses it: a key is opened, used and
// closed within one operation, and never stays open.  Paths and names come
// as views, mostly of constants; the terminated copy the API needs is made
// here, once, rather than at every call.

#include "base/SettingValue.h"
#include "platform/UniqueOwner.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

class RegistryKey {
public:
    // Opens an existing key for reading; nothing when it cannot be opened.
    static std::optional<RegistryKey> OpenForReading(HKEY root, std::string_view path);
    // Opens a key for writing, creating it and its parents where missing.
    static std::optional<RegistryKey> OpenOrCreate(HKEY root, std::string_view path);

    // Reads a string value whole, whatever its length.  REG_SZ and
    // REG_EXPAND_SZ are taken up to their first NUL and not expanded; a value
    // of length 0 is empty text; any other type is WrongType.
    SettingValue ReadString(std::string_view name) const;
    // Writes a REG_SZ value including its terminating NUL, which is why the
    // value comes as a std::string: every writer has one already.
    [[nodiscard]] bool WriteString(std::string_view name, const std::string& value) const;
    [[nodiscard]] bool WriteNumber(std::string_view name, DWORD value) const;
    [[nodiscard]] bool DeleteValue(std::string_view name) const;

    HKEY Get() const { return key_.Get(); }

private:
    explicit RegistryKey(HKEY key)
        : key_(key)
    {
    }
    UniqueOwner<ReleasedBy<HKEY, RegCloseKey>> key_;
};

// Opens `path` for reading, reads one string value and closes the key; a key
// that cannot be opened reads as Missing.
SettingValue ReadRegistryString(HKEY root, std::string_view path, std::string_view name);

// Deletes the key with everything under it.  True when the key is gone
// afterwards, which includes a key that was never there.
[[nodiscard]] bool DeleteKeyTree(HKEY root, std::string_view path);

// True when the key exists and holds neither subkeys nor values.
bool KeyIsEmpty(HKEY root, std::string_view path);
