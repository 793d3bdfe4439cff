#include "tray/SessionAnswer.h"

#include <cstring>

bool SessionAnswerLocked(std::uint32_t version, const void* answer, std::size_t size)
{
    if (version < FirstVersionReportingLock || answer == nullptr || size < sizeof(SessionInfoEx))
        return false;
    // Copied: the system's buffer carries no promise of alignment.
    SessionInfoEx info;
    std::memcpy(&info, answer, sizeof info);
    return info.Level == 1 && info.Data.WTSInfoExLevel1.SessionFlags == SessionStateLock;
}
