#include "setup/SystemFolderLevels.h"

#include "platform/CompareText.h"
#include "platform/FindHandle.h"
#include "platform/Handle.h"

#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <array>

namespace {

std::string SidText(PSID sid)
{
    LPSTR text = nullptr;
    if (sid == nullptr || !ConvertSidToStringSidA(sid, &text))
        return {};
    const LocalMemory kept(text);
    return text;
}

// A list in the system's string form as a security descriptor; empty when
// it cannot be made (a list that names no user).
LocalMemory Descriptor(const std::string& list)
{
    PSECURITY_DESCRIPTOR made = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA(list.c_str(), SDDL_REVISION_1, &made, nullptr);
    return LocalMemory(made);
}

} // namespace

SystemFolderLevels::SystemFolderLevels()
{
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened))
        return;
    const UniqueHandle token(opened);
    // TOKEN_USER: the address of its SID first, then the SID.
    std::array<PSID, (sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE) / sizeof(PSID)> tokenUser {};
    DWORD size = 0;
    if (GetTokenInformation(token.Get(), TokenUser, tokenUser.data(), sizeof tokenUser, &size))
        user.sid = SidText(tokenUser[0]);
    // An administrator's token without elevation holds the Administrators
    // only to deny, and then does not count as a member.
    std::array<BYTE, SECURITY_MAX_SID_SIZE> administrators {};
    size = administrators.size();
    BOOL member = FALSE;
    user.elevated = CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators.data(), &size)
        && CheckTokenMembership(nullptr, administrators.data(), &member) && member;
}

bool SystemFolderLevels::Exists(const std::string& level)
{
    return SetCurrentDirectoryA(level.c_str()) != FALSE;
}

bool SystemFolderLevels::HoldsOnly(const std::string& level, std::span<const std::string> names)
{
    WIN32_FIND_DATAA found {};
    const FindHandle search(FindFirstFileA((level + "\\*").c_str(), &found));
    if (!search)
        return false;
    do {
        // "." and ".." name the level itself and its parent.
        const std::string_view name = found.cFileName;
        if (name != "." && name != ".." && std::ranges::none_of(names, [&](const std::string& own) {
                return CompareIgnoringCase(own, name) == 0;
            }))
            return false;
    } while (FindNextFileA(search.Get(), &found));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

FolderRights SystemFolderLevels::Rights(const std::string& path)
{
    FolderRights rights;
    PSID owner = nullptr;
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT,
            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &list, nullptr,
            &descriptor)
        != ERROR_SUCCESS)
        return rights;
    const LocalMemory kept(descriptor);
    // A missing list lets everyone do everything.
    rights.readable = list != nullptr;
    rights.owner = OwnerOf(SidText(owner), user.sid);
    for (WORD i = 0; rights.readable && i < list->AceCount; ++i) {
        // Every ACE type that grants has its mask and SID where this one has.
        ACCESS_ALLOWED_ACE* ace = nullptr;
        rights.readable = GetAce(list, i, reinterpret_cast<void**>(&ace)) != FALSE;
        if (rights.readable) {
            const BYTE type = ace->Header.AceType;
            const std::string sid = EntryGrants(type) ? SidText(&ace->SidStart) : std::string();
            AddEntry(rights, { type, ace->Header.AceFlags, ace->Mask, sid }, user.sid);
        }
    }
    LPSTR text = nullptr;
    if (ConvertSecurityDescriptorToStringSecurityDescriptorA(
            descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
        const LocalMemory keptText(text);
        rights.list = text;
    }
    return rights;
}

bool SystemFolderLevels::CreateWithList(const std::string& level, const std::string& list)
{
    const LocalMemory descriptor = Descriptor(list);
    SECURITY_ATTRIBUTES attributes { sizeof attributes, descriptor.Get(), FALSE };
    return descriptor && CreateDirectoryA(level.c_str(), &attributes) != FALSE;
}

bool SystemFolderLevels::GiveList(const std::string& level, const std::string& list)
{
    const LocalMemory descriptor = Descriptor(list);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL entries = nullptr;
    if (!descriptor || !GetSecurityDescriptorControl(descriptor.Get(), &control, &revision)
        || !GetSecurityDescriptorDacl(descriptor.Get(), &present, &entries, &defaulted))
        return false;
    // Given to the level, the list reaches everything below that inherits.
    // The name is only read, whatever the parameter's type says.
    return SetNamedSecurityInfoA(const_cast<char*>(level.c_str()), SE_FILE_OBJECT,
               DACL_SECURITY_INFORMATION
                   | ((control & SE_DACL_PROTECTED) != 0 ? PROTECTED_DACL_SECURITY_INFORMATION
                                                         : UNPROTECTED_DACL_SECURITY_INFORMATION),
               nullptr, nullptr, entries, nullptr)
        == ERROR_SUCCESS;
}

bool SystemFolderLevels::Remove(const std::string& level)
{
    return RemoveDirectoryA(level.c_str()) != FALSE;
}
