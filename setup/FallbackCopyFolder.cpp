#include "setup/FallbackCopyFolder.h"

#include "base/DecimalText.h"
#include "program/RegistryNames.h"

#include <algorithm>

bool OnlyTrustedMayChange(bool ownerTrusted, const std::optional<std::vector<FolderAccessEntry>>& entries)
{
    return ownerTrusted && entries && std::none_of(entries->begin(), entries->end(), [](const auto& entry) {
        return entry.allows && !entry.trusted && (entry.rights & FolderChangeRights) != 0;
    });
}

std::string OwnersOnlyFolderList(std::string_view userSid)
{
    return std::string("D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;").append(userSid).append(")");
}

std::string CopyFolderName(std::size_t attempt)
{
    std::string name(Publisher);
    if (attempt != 0)
        name.append(".").append(DecimalText(static_cast<long>(attempt)));
    return name;
}

std::string ChooseCopyFolder(const std::string& temporaryFolder, CopyFolderSystem& system)
{
    // Without a temporary folder the names would be taken in the current one.
    if (temporaryFolder.empty())
        return {};
    for (std::size_t attempt = 0; attempt < CopyFolderAttempts; ++attempt) {
        const std::string folder = temporaryFolder + CopyFolderName(attempt);
        if (system.CreateOwnersOnly(folder) || system.OwnersOnly(folder))
            return folder + '\\';
    }
    return {};
}
