#pragma once

// The system's answer about the session's lock state (WTSSessionInfoEx),
// declared from Microsoft's documentation: this compiler's headers have no
// WTSINFOEXA.  Its level-1 part holds LARGE_INTEGERs, so on 32-bit x86 the
// union starts at offset 8, not 4, and the lock flag lies at 16.

#include <cstddef>
#include <cstdint>

// The class of WTSQuerySessionInformation that answers with SessionInfoEx.
inline constexpr std::uint32_t SessionInfoExClass = 25;
// SessionFlags: the session is locked, unlocked or nobody knows.
inline constexpr std::int32_t SessionStateLock = 0;
inline constexpr std::int32_t SessionStateUnlock = 1;
inline constexpr std::int32_t SessionStateUnknown = -1;

struct SessionInfoExLevel1 {
    std::uint32_t SessionId;
    std::int32_t SessionState; // WTS_CONNECTSTATE_CLASS: 0 is WTSActive
    std::int32_t SessionFlags;
    char WinStationName[33];
    char UserName[21];
    char DomainName[18];
    alignas(8) std::int64_t LogonTime;
    std::int64_t ConnectTime;
    std::int64_t DisconnectTime;
    std::int64_t LastInputTime;
    std::int64_t CurrentTime;
    std::uint32_t IncomingBytes;
    std::uint32_t OutgoingBytes;
    std::uint32_t IncomingFrames;
    std::uint32_t OutgoingFrames;
    std::uint32_t IncomingCompressedBytes;
    std::uint32_t OutgoingCompressedBytes;
};

struct SessionInfoEx {
    std::uint32_t Level;
    union {
        SessionInfoExLevel1 WTSInfoExLevel1;
    } Data;
};

static_assert(offsetof(SessionInfoEx, Data) == 8);
static_assert(offsetof(SessionInfoEx, Data.WTSInfoExLevel1.SessionState) == 12);
static_assert(offsetof(SessionInfoEx, Data.WTSInfoExLevel1.SessionFlags) == 16);
static_assert(offsetof(SessionInfoExLevel1, LogonTime) == 88);
static_assert(sizeof(SessionInfoEx) == 160);

// The first version that reports the lock flag the right way round
// (Windows 8); Windows 7 reports it reversed.
inline constexpr std::uint32_t FirstVersionReportingLock = 0x0602;

// True where the system's answer of `size` bytes says that the session is
// locked.  `version` is the major version times 256 plus the minor one.
// Whatever cannot be read (an older system, a short answer, another level)
// counts as unlocked: a program that keeps working beats one that rests.
bool SessionAnswerLocked(std::uint32_t version, const void* answer, std::size_t size);
