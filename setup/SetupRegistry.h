#pragma once

// The registry work of the installer and the uninstaller.  Every key is
// opened, used and closed within one call.  A write fails with a text that
// names its key.

#include "base/Result.h"
#include "setup/InstallRecord.h"
#include "setup/UninstallCopy.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

HKEY RootKey(RegistryRoot root);
// The key as the user reads it, with its root's name:
// HKEY_CURRENT_USER\Software\...
std::string RegistryKeyName(RegistryRoot root, std::string_view key);

// Carries out the writes of one stage, in their order, up to the first that
// fails.
Result<> WriteRecordStage(const std::vector<RegistryWrite>& writes, RecordStage stage);

// One string value; empty when the key or the value is missing, or the value
// is not a string.
std::string ReadSetting(HKEY root, std::string_view path, std::string_view name);

// The hand-over key under HKEY_CURRENT_USER and, as the default user's key,
// under HKEY_USERS.
class RegistryHandoverStore : public HandoverStore {
public:
    std::optional<Handover> Read(RegistryRoot root) override;
    void Delete(RegistryRoot root) override;
};

// Written by the uninstaller under HKEY_CURRENT_USER.
Result<> WriteHandover(const Handover& handover);
