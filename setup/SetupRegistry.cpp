#include "setup/SetupRegistry.h"

#include "platform/Registry.h"
#include "program/RegistryNames.h"
#include "setup/SetupTexts.h"

namespace {

// Registry key names are at most 255 characters long.
constexpr DWORD KeyNameBufferBytes = 256;

std::string_view RootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::CurrentUser:
        return "HKEY_CURRENT_USER";
    case RegistryRoot::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::Users:
        return "HKEY_USERS";
    }
    return "HKEY_CURRENT_USER";
}

std::string_view HandoverPath(RegistryRoot root)
{
    return root == RegistryRoot::Users ? DefaultUserHandoverKey : HandoverKey;
}

std::vector<std::string> SubkeyNames(HKEY root, std::string_view path)
{
    std::vector<std::string> names;
    const std::optional<RegistryKey> key = RegistryKey::OpenForReading(root, path);
    if (!key)
        return names;
    char name[KeyNameBufferBytes];
    for (DWORD index = 0;; ++index) {
        DWORD length = KeyNameBufferBytes;
        if (RegEnumKeyExA(key->Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr)
            != ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}

Failure WriteFailure(RegistryRoot root, std::string_view key)
{
    std::string text(RegistryWriteFailedText);
    text += '\n';
    text += RootName(root);
    text += '\\';
    text += key;
    return { text };
}

} // namespace

HKEY RootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
        return HKEY_USERS;
    }
    return HKEY_CURRENT_USER;
}

Result<> WriteRecordStage(const std::vector<RegistryWrite>& writes, RecordStage stage)
{
    for (const RegistryWrite& write : writes) {
        if (write.stage != stage)
            continue;
        const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(RootKey(write.root), write.key);
        if (!key || !key->WriteString(write.name, write.data))
            return WriteFailure(write.root, write.key);
    }
    return {};
}

void DeleteKeyTree(HKEY root, std::string_view path)
{
    const std::string key(path);
    // The subkeys first: a key that has subkeys cannot be deleted.
    for (const std::string& name : SubkeyNames(root, key))
        DeleteKeyTree(root, key + "\\" + name);
    RegDeleteKeyA(root, key.c_str());
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

std::string ReadSetting(HKEY root, std::string_view path, std::string_view name)
{
    return ReadRegistryString(root, path, name).TextOrEmpty();
}

std::optional<Handover> RegistryHandoverStore::Read(RegistryRoot root)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenForReading(RootKey(root), HandoverPath(root));
    if (!key)
        return std::nullopt;
    auto text = [&](std::string_view name) { return key->ReadString(name).TextOrEmpty(); };
    return Handover { text(HandoverValueFile), text(HandoverValueTitle), text(HandoverValueRmDir) };
}

void RegistryHandoverStore::Delete(RegistryRoot root)
{
    DeleteKeyTree(RootKey(root), HandoverPath(root));
}

Result<> WriteHandover(const Handover& handover)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, HandoverKey);
    if (!key || !key->WriteString(HandoverValueFile, handover.file)
        || !key->WriteString(HandoverValueTitle, handover.title)
        || !key->WriteString(HandoverValueRmDir, handover.rmDir))
        return WriteFailure(RegistryRoot::CurrentUser, HandoverKey);
    return {};
}
