#pragma once

// The uninstall copy's fallback folder on the system: made with a list that
// names the process's user, and accepted when it exists only while nobody
// else may change it.

#include "platform/UniqueOwner.h"
#include "setup/FallbackCopyFolder.h"

#include <windows.h>

#include <array>
#include <string>

class SystemCopyFolder : public CopyFolderSystem {
public:
    // Without the process's token or a list made from it, no folder is made
    // and none counts as the user's alone.
    SystemCopyFolder();

    bool CreateOwnersOnly(const std::string& folder) override;
    bool OwnersOnly(const std::string& folder) override;

private:
    bool Trusted(PSID sid) const;

    // TOKEN_USER: the address of its SID first, then the SID.
    std::array<PSID, (sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE) / sizeof(PSID)> user_ {};
    UniqueOwner<ReleasedBy<HLOCAL, LocalFree>> list_;
};
