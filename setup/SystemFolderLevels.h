#pragma once

// The install folder's levels on the system: each created with the list that
// only its owner may change, the list naming the process's user.

#include "platform/UniqueOwner.h"
#include "setup/InstallFolders.h"

#include <windows.h>

#include <array>
#include <string>

class SystemFolderLevels : public FolderLevelSystem {
public:
    // Without the process's token or a list made from it, every creation and
    // change of rights fails, and no folder counts as the user's.
    SystemFolderLevels();

    bool Exists(const std::string& level) override;
    bool CreateWithList(const std::string& level) override;
    bool OwnedByUser(const std::string& level) override;
    bool GiveList(const std::string& level) override;
    bool Remove(const std::string& level) override;

private:
    // TOKEN_USER or TOKEN_OWNER: the address of its SID first, then the SID.
    using TokenSid = std::array<PSID, (sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE) / sizeof(PSID)>;

    TokenSid user_ {};
    TokenSid owner_ {};
    UniqueOwner<ReleasedBy<HLOCAL, LocalFree>> list_;
};
