#pragma once

// The install folder's levels on the system: their owners, lists and
// contents as read, each created or taken back with the list that only its
// owner may change.

#include "platform/UniqueOwner.h"
#include "setup/InstallFolders.h"

#include <windows.h>

#include <string>

// Memory the security calls hand out, freed with LocalFree.
using LocalMemory = UniqueOwner<ReleasedBy<HLOCAL, LocalFree>>;

class SystemFolderLevels : public FolderLevelSystem {
public:
    // Without the process's token the user has no SID, so every list that
    // names the user fails to be made, and no folder counts as the user's.
    SystemFolderLevels();

    bool Exists(const std::string& level) override;
    bool HoldsOnly(const std::string& level, std::span<const std::string> names) override;
    FolderRights Rights(const std::string& path) override;
    bool CreateWithList(const std::string& level, const std::string& list) override;
    bool GiveList(const std::string& level, const std::string& list) override;
    bool Remove(const std::string& level) override;
};
