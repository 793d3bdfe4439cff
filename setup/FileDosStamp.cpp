#include "setup/FileDosStamp.h"

#include "platform/FileSystem.h"
#include "setup/UninstallCopy.h"

std::int32_t FileDosStamp(const std::string& path)
{
    const std::optional<WIN32_FIND_DATAA> file = FindFile(path);
    FILETIME local {};
    WORD date = 0;
    WORD time = 0;
    if (!file || !FileTimeToLocalFileTime(&file->ftLastWriteTime, &local)
        || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return PackedDosStamp(date, time);
}
