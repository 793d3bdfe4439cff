#pragma once

// The user's Startup folder as the system names it (the "User Shell
// Folders" value that SHGetFolderPath reads), moved for one test.

#include <windows.h>

#include <optional>
#include <string>

class StartupFolderElsewhere {
public:
    // Names `folder` as the Startup folder until the object ends; the value
    // that was there before is put back then.
    explicit StartupFolderElsewhere(const std::string& folder)
    {
        DWORD type = 0;
        DWORD size = 0;
        if (RegGetValueA(
                HKEY_CURRENT_USER, KeyPath, ValueName, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size)
            == ERROR_SUCCESS) {
            std::string bytes(size, '\0');
            if (RegGetValueA(HKEY_CURRENT_USER, KeyPath, ValueName, RRF_RT_ANY | RRF_NOEXPAND, &type,
                    bytes.data(), &size)
                == ERROR_SUCCESS)
                saved_.emplace(Saved { type, bytes.substr(0, size) });
        }
        Set(REG_EXPAND_SZ, folder + '\0');
    }
    ~StartupFolderElsewhere()
    {
        if (saved_)
            Set(saved_->type, saved_->bytes);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, KeyPath, ValueName);
    }
    StartupFolderElsewhere(const StartupFolderElsewhere&) = delete;
    StartupFolderElsewhere& operator=(const StartupFolderElsewhere&) = delete;

private:
    static constexpr char KeyPath[]
        = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    static constexpr char ValueName[] = "Startup";

    struct Saved {
        DWORD type;
        std::string bytes;
    };

    static void Set(DWORD type, const std::string& bytes)
    {
        RegSetKeyValueA(
            HKEY_CURRENT_USER, KeyPath, ValueName, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    }

    std::optional<Saved> saved_;
};
