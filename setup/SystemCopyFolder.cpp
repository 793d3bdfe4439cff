#include "setup/SystemCopyFolder.h"

#include "platform/Handle.h"

#include <aclapi.h>
#include <sddl.h>

static_assert(FolderChangeRights
    == (FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_WRITE_EA | FILE_DELETE_CHILD | FILE_WRITE_ATTRIBUTES
        | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_ALL | GENERIC_WRITE));

SystemCopyFolder::SystemCopyFolder()
{
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened))
        return;
    const UniqueHandle token(opened);
    DWORD size = 0;
    LPSTR userSid = nullptr;
    if (!GetTokenInformation(token.Get(), TokenUser, user_.data(), sizeof user_, &size)
        || !ConvertSidToStringSidA(user_[0], &userSid))
        return;
    const UniqueOwner<ReleasedBy<HLOCAL, LocalFree>> sidText(userSid);
    PSECURITY_DESCRIPTOR list = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(
            OwnersOnlyFolderList(userSid).c_str(), SDDL_REVISION_1, &list, nullptr))
        list_.Reset(list);
}

bool SystemCopyFolder::CreateOwnersOnly(const std::string& folder)
{
    SECURITY_ATTRIBUTES attributes { sizeof attributes, list_.Get(), FALSE };
    return list_ && CreateDirectoryA(folder.c_str(), &attributes) != FALSE;
}

bool SystemCopyFolder::OwnersOnly(const std::string& folder)
{
    // The list read by name is the one of whatever a link names; a link is
    // refused, since whoever owns it may point it elsewhere afterwards.
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return false;
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR read = nullptr;
    if (GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT,
            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr, &dacl, nullptr, &read)
        != ERROR_SUCCESS)
        return false;
    const UniqueOwner<ReleasedBy<HLOCAL, LocalFree>> kept(read);
    if (dacl == nullptr || !Trusted(owner))
        return false;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* found = nullptr;
        if (!GetAce(dacl, i, &found))
            return false;
        // An allowing and a denying entry share their layout; any other kind
        // (a callback or object entry) is not one this folder needs.
        const auto* entry = static_cast<const ACCESS_ALLOWED_ACE*>(found);
        const BYTE type = entry->Header.AceType;
        if ((type != ACCESS_ALLOWED_ACE_TYPE && type != ACCESS_DENIED_ACE_TYPE)
            || LetsOthersChange({ type == ACCESS_ALLOWED_ACE_TYPE, entry->Mask,
                Trusted(const_cast<DWORD*>(&entry->SidStart)) }))
            return false;
    }
    return true;
}

bool SystemCopyFolder::Trusted(PSID sid) const
{
    return (user_[0] != nullptr && EqualSid(sid, user_[0])) || IsWellKnownSid(sid, WinLocalSystemSid)
        || IsWellKnownSid(sid, WinBuiltinAdministratorsSid);
}
