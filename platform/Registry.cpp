#include "platform/Registry.h"

#include <algorithm>
#include <vector>

std::optional<RegistryKey> RegistryKey::OpenForReading(HKEY root, std::string_view path)
{
    const std::string terminated(path);
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, terminated.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    return RegistryKey(key);
}

std::optional<RegistryKey> RegistryKey::OpenOrCreate(HKEY root, std::string_view path)
{
    const std::string terminated(path);
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, terminated.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
            nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return std::nullopt;
    return RegistryKey(key);
}

SettingValue RegistryKey::ReadString(std::string_view name) const
{
    const std::string terminated(name);
    // The value may grow between asking its size and reading it (another
    // program writing it), so the read is retried with the larger size.
    std::vector<char> data;
    for (;;) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG status = RegQueryValueExA(key_.Get(), terminated.c_str(), nullptr, &type,
            data.empty() ? nullptr : reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_FILE_NOT_FOUND)
            return SettingValue::Missing();
        if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && data.size() < size)) {
            data.resize(size);
            continue;
        }
        if (status != ERROR_SUCCESS)
            return SettingValue::Missing();
        // Without data there is nothing of a wrong kind: a value of length 0
        // reads as empty text whatever type it was stored with.
        if (size == 0)
            return SettingValue::Text({});
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            return SettingValue::WrongType();
        const auto end = std::find(data.begin(), data.begin() + size, '\0');
        return SettingValue::Text(std::string(data.begin(), end));
    }
}

bool RegistryKey::WriteString(std::string_view name, const std::string& value) const
{
    const std::string terminated(name);
    return RegSetValueExA(key_.Get(), terminated.c_str(), 0, REG_SZ,
               reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1))
        == ERROR_SUCCESS;
}

bool RegistryKey::WriteNumber(std::string_view name, DWORD value) const
{
    const std::string terminated(name);
    return RegSetValueExA(key_.Get(), terminated.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
               sizeof value)
        == ERROR_SUCCESS;
}

bool RegistryKey::DeleteValue(std::string_view name) const
{
    const std::string terminated(name);
    return RegDeleteValueA(key_.Get(), terminated.c_str()) == ERROR_SUCCESS;
}

SettingValue ReadRegistryString(HKEY root, std::string_view path, std::string_view name)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenForReading(root, path);
    if (!key)
        return SettingValue::Missing();
    return key->ReadString(name);
}

bool DeleteKeyTree(HKEY root, std::string_view path)
{
    const std::string terminated(path);
    if (RegDeleteTreeA(root, terminated.c_str()) == ERROR_SUCCESS)
        return true;
    // Not found can come from below the key too (a subkey that links to a
    // key that is missing), with the key itself still there: only a key that
    // cannot be opened counts as gone.
    HKEY opened = nullptr;
    const LSTATUS status = RegOpenKeyExA(root, terminated.c_str(), 0, KEY_READ, &opened);
    const UniqueOwner<ReleasedBy<HKEY, RegCloseKey>> key(status == ERROR_SUCCESS ? opened : nullptr);
    return status == ERROR_FILE_NOT_FOUND;
}

bool KeyIsEmpty(HKEY root, std::string_view path)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenForReading(root, path);
    DWORD subkeys = 0;
    DWORD values = 0;
    return key
        && RegQueryInfoKeyA(key->Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
               nullptr, nullptr, nullptr, nullptr)
        == ERROR_SUCCESS
        && subkeys == 0 && values == 0;
}
