#include "SettingsRegistry.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <type_traits>

namespace {

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using OwnedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

constexpr std::size_t HugeValueBytes = 64 * 1024;

OwnedKey CreateKey(const char* keyPath)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        throw std::runtime_error(std::string("cannot create HKCU\\") + keyPath);
    return OwnedKey(key);
}

OwnedKey OpenKey(const char* keyPath)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return OwnedKey(key);
}

} // namespace

void SetString(const char* keyPath, const std::string& name, const std::string& text)
{
    SetRaw(keyPath, name, { REG_SZ, text + '\0' });
}

void SetRaw(const char* keyPath, const std::string& name, const RawValue& value)
{
    const OwnedKey key = CreateKey(keyPath);
    if (RegSetValueExA(key.get(), name.c_str(), 0, value.type,
            reinterpret_cast<const BYTE*>(value.bytes.data()), static_cast<DWORD>(value.bytes.size()))
        != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the registry value " + name);
}

void SetSetting(const std::string& name, const std::string& text)
{
    SetString(SettingsKeyPath, name, text);
}

void SetSettingRaw(const std::string& name, const RawValue& value)
{
    SetRaw(SettingsKeyPath, name, value);
}

std::optional<RawValue> ReadRaw(const char* keyPath, const std::string& name)
{
    const OwnedKey key = OpenKey(keyPath);
    if (!key)
        return std::nullopt;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value { type, std::string(size, '\0') };
    if (RegQueryValueExA(
            key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.bytes.data()), &size)
        != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

std::optional<std::string> ReadSetting(const std::string& name)
{
    const std::optional<RawValue> value = ReadRaw(SettingsKeyPath, name);
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ))
        return std::nullopt;
    return value->bytes.substr(0, value->bytes.find('\0'));
}

std::vector<std::string> SettingNames()
{
    std::vector<std::string> names;
    const OwnedKey key = OpenKey(SettingsKeyPath);
    if (!key)
        return names;
    for (DWORD index = 0;; ++index) {
        // Value names are at most 16 383 characters.
        char name[16384] = {};
        DWORD length = sizeof name;
        if (RegEnumValueA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr)
            != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool SettingsKeyExists()
{
    return OpenKey(SettingsKeyPath) != nullptr;
}

void DeleteValue(const char* keyPath, const std::string& name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    const OwnedKey owned(key);
    RegDeleteValueA(owned.get(), name.c_str());
}

void DeleteVendorTree()
{
    const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, VendorKeyPath);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        throw std::runtime_error("cannot delete HKCU\\" + std::string(VendorKeyPath));
}

RawValue DwordValue(DWORD number)
{
    return { REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number) };
}

RawValue BinaryValue(const std::string& bytes)
{
    return { REG_BINARY, bytes };
}

RawValue HugeDigitString()
{
    std::string text(HugeValueBytes - 1, '9');
    return { REG_SZ, text + '\0' };
}
