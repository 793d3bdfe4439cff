#include "setup/SetupRegistry.h"

#include "platform/Registry.h"
#include "program/RegistryNames.h"
#include "setup/SetupTexts.h"

namespace {

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

Failure WriteFailure(RegistryRoot root, std::string_view key)
{
    std::string text(RegistryWriteFailedText);
    text += '\n';
    text += RegistryKeyName(root, key);
    return { text };
}

} // namespace

std::string RegistryKeyName(RegistryRoot root, std::string_view key)
{
    std::string name(RootName(root));
    name += '\\';
    name += key;
    return name;
}

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
        if (!key
            || !(write.number ? key->WriteNumber(write.name, *write.number)
                              : key->WriteString(write.name, write.data)))
            return WriteFailure(write.root, write.key);
    }
    return {};
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
    return Handover { text(HandoverValueFile), text(HandoverValueTitle), text(HandoverValueRmDir),
        text(HandoverValueLeft), text(HandoverValueLeftLinks) };
}

void RegistryHandoverStore::Delete(RegistryRoot root)
{
    // Result not looked at: the copy goes on with the hand-over it has read,
    // whether the key went or not.
    static_cast<void>(DeleteKeyTree(RootKey(root), HandoverPath(root)));
}

Result<> WriteHandover(const Handover& handover)
{
    const std::optional<RegistryKey> key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, HandoverKey);
    if (!key || !key->WriteString(HandoverValueFile, handover.file)
        || !key->WriteString(HandoverValueTitle, handover.title)
        || !key->WriteString(HandoverValueRmDir, handover.rmDir)
        || !key->WriteString(HandoverValueLeft, handover.left)
        || !key->WriteString(HandoverValueLeftLinks, handover.leftLinks))
        return WriteFailure(RegistryRoot::CurrentUser, HandoverKey);
    return {};
}
