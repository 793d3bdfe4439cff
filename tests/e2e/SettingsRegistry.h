#pragma once

// The program's registry values as a test sets them up and reads them back,
// under HKEY_CURRENT_USER.  Each call opens and closes its key.

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

inline constexpr char VendorKeyPath[] = "Software\\PALUN RUZI32";
inline constexpr char SettingsKeyPath[] = "Software\\PALUN RUZI32\\DRIM32";
inline constexpr char ShellFoldersKeyPath[]
    = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A value as stored: its registry type and its bytes exactly.
struct RawValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

// A REG_SZ value, written with its terminating NUL.
void SetString(const char* keyPath, const std::string& name, const std::string& text);
void SetRaw(const char* keyPath, const std::string& name, const RawValue& value);
void SetSetting(const std::string& name, const std::string& text);
void SetSettingRaw(const std::string& name, const RawValue& value);

std::optional<RawValue> ReadRaw(const char* keyPath, const std::string& name);
// The text of a string value up to its first NUL; nothing when the key or the
// value is missing, or the value is not a string.
std::optional<std::string> ReadSetting(const std::string& name);
// Every value name of the settings key, sorted; empty when the key is missing.
std::vector<std::string> SettingNames();
bool SettingsKeyExists();

void DeleteValue(const char* keyPath, const std::string& name);
// Removes "Software\PALUN RUZI32" with everything below it.
void DeleteVendorTree();

// Values of the kinds a hand-edited registry may hold.
RawValue DwordValue(DWORD number);
RawValue BinaryValue(const std::string& bytes);
// A REG_SZ of 64 KB of nines (NUL included), far past any 32-bit number.
RawValue HugeDigitString();

// Every test starts and ends without the program's settings.
class FreshSettings : public ::testing::Test {
protected:
    void SetUp() override { DeleteVendorTree(); }
    void TearDown() override { DeleteVendorTree(); }
};

// The Windows version that Wine's programs see, read when a program starts.
inline constexpr char WineKeyPath[] = "Software\\Wine";
inline constexpr char WineVersionName[] = "Version";

// The installed program on what Wine calls Windows 10, where it asks the
// system what only later Windows versions answer.
class InstalledOnWindows10 : public FreshSettings {
protected:
    void SetUp() override
    {
        FreshSettings::SetUp();
        SetSetting("Version", "14");
        SetString(WineKeyPath, WineVersionName, "win10");
    }
    void TearDown() override
    {
        DeleteValue(WineKeyPath, WineVersionName);
        FreshSettings::TearDown();
    }
};
