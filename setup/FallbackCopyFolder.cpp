#include "setup/FallbackCopyFolder.h"

#include "base/DecimalText.h"
#include "program/RegistryNames.h"

bool LetsOthersChange(const FolderAccessEntry& entry)
{
    return entry.allows && !entry.trusted && (entry.rights & FolderChangeRights) != 0;
}

std::string OwnersOnlyFolderList(std::string_view userSid)
{
    return std::string("D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;").append(userSid).append(")");
}

std::string ChooseCopyFolder(const std::string& temporaryFolder, CopyFolderSystem& system)
{
    // Without a temporary folder the names would be taken in the current one.
    if (temporaryFolder.empty())
        return {};
    for (long attempt = 0; attempt < CopyFolderAttempts; ++attempt) {
        std::string folder = temporaryFolder;
        folder.append(Publisher);
        if (attempt != 0)
            folder.append(".").append(DecimalText(attempt));
        if (system.CreateOwnersOnly(folder) || system.OwnersOnly(folder))
            return folder.append("\\");
    }
    return {};
}
