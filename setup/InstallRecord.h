#pragma once

// What an installation records in the registry, in the order it is written.
// The installer carries the writes out stage by stage, between its other
// steps, and stops at the first that fails.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class RegistryRoot { CurrentUser, LocalMachine, Users };

// The three moments of the installation that write to the registry.
enum class RecordStage {
    FolderAndGroup, // right after the files are in place
    UninstallEntry, // after the Program Manager items
    Version, // last: from then on a start is the tray program
};

struct RegistryWrite {
    RecordStage stage;
    RegistryRoot root;
    std::string_view key; // created where missing; one of the program's constants
    std::string_view name;
    std::string data; // a REG_SZ string, unless the value is a number
    std::optional<std::uint32_t> number = {}; // a REG_DWORD in place of `data`

    bool operator==(const RegistryWrite&) const = default;
};

struct InstallChoice {
    std::string folderWithBackslash;
    std::string group; // the group field's text, unchanged
    bool standardColor = true;
    std::uint64_t installedBytes = 0; // the installed files' size
};

// The writes in their order: the folder and group, the uninstall entry
// (with what the system's list of programs shows), the version and colour.
// "UninstallString" quotes the installed program's path when it holds a
// blank, so that the command cannot start a program at a part of it.
std::vector<RegistryWrite> InstallRegistryWrites(const InstallChoice& choice);

// The same writes with those under HKEY_LOCAL_MACHINE moved to
// HKEY_CURRENT_USER: a standard user may not write the machine's uninstall
// entry, and Windows lists the user's own entries there too.
std::vector<RegistryWrite> ForCurrentUser(std::vector<RegistryWrite> writes);
