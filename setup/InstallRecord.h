#pragma once

// What an installation records in the registry, in the order it is written.
// The installer carries the writes out stage by stage, between its other
// steps, and stops at the first that fails.

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
    std::string key; // created where missing
    std::string name;
    std::string data; // always a REG_SZ string

    bool operator==(const RegistryWrite&) const = default;
};

struct InstallChoice {
    std::string folderWithBackslash;
    std::string group; // the group field's text, unchanged
    bool standardColor = true;
};

// The six writes in their order.  "UninstallString" names the installed
// program without quotes, even when its path holds blanks.
std::vector<RegistryWrite> InstallRegistryWrites(const InstallChoice& choice);

// The same writes with those under HKEY_LOCAL_MACHINE moved to
// HKEY_CURRENT_USER: a standard user may not write the machine's uninstall
// entry, and Windows lists the user's own entries there too.
std::vector<RegistryWrite> ForCurrentUser(std::vector<RegistryWrite> writes);
