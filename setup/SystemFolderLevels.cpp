#include "setup/SystemFolderLevels.h"

#include "platform/Handle.h"

#include <aclapi.h>
#include <sddl.h>

SystemFolderLevels::SystemFolderLevels()
{
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened))
        return;
    const UniqueHandle token(opened);
    // A part that cannot be read stays zero, which names no SID.
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, user_.data(), sizeof user_, &size);
    // The owner that new folders get: the Administrators for an elevated
    // administrator, whose earlier installation's folders are theirs.
    GetTokenInformation(token.Get(), TokenOwner, owner_.data(), sizeof owner_, &size);
    LPSTR userSid = nullptr;
    if (user_[0] == nullptr || !ConvertSidToStringSidA(user_[0], &userSid))
        return;
    const UniqueOwner<ReleasedBy<HLOCAL, LocalFree>> sidText(userSid);
    PSECURITY_DESCRIPTOR list = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(
            OwnersFolderList(userSid).c_str(), SDDL_REVISION_1, &list, nullptr))
        list_.Reset(list);
}

bool SystemFolderLevels::Exists(const std::string& level)
{
    return SetCurrentDirectoryA(level.c_str()) != FALSE;
}

bool SystemFolderLevels::CreateWithList(const std::string& level)
{
    SECURITY_ATTRIBUTES attributes { sizeof attributes, list_.Get(), FALSE };
    return list_ && CreateDirectoryA(level.c_str(), &attributes) != FALSE;
}

bool SystemFolderLevels::OwnedByUser(const std::string& level)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR read = nullptr;
    if (GetNamedSecurityInfoA(level.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
            nullptr, nullptr, &read)
        != ERROR_SUCCESS)
        return false;
    const UniqueOwner<ReleasedBy<HLOCAL, LocalFree>> kept(read);
    for (const TokenSid* part : { &user_, &owner_ })
        if ((*part)[0] != nullptr && EqualSid(owner, (*part)[0]))
            return true;
    return false;
}

bool SystemFolderLevels::GiveList(const std::string& level)
{
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    if (!list_ || !GetSecurityDescriptorDacl(list_.Get(), &present, &dacl, &defaulted))
        return false;
    // Given to the level, the list reaches everything below that inherits.
    // The name is only read, whatever the parameter's type says.
    return SetNamedSecurityInfoA(const_cast<char*>(level.c_str()), SE_FILE_OBJECT,
               DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
               nullptr)
        == ERROR_SUCCESS;
}

bool SystemFolderLevels::Remove(const std::string& level)
{
    return RemoveDirectoryA(level.c_str()) != FALSE;
}
