#include "tray/KeepAwakeReadings.h"

#include <windows.h>

namespace {

constexpr BYTE AcLineOffline = 0;
constexpr std::uint64_t FileTimeUnitsPerMillisecond = 10000;

} // namespace

bool OnBatteryPower()
{
    SYSTEM_POWER_STATUS status {};
    return GetSystemPowerStatus(&status) && status.ACLineStatus == AcLineOffline;
}

KeepAwakeClock ReadKeepAwakeClock()
{
    SYSTEMTIME local {};
    GetLocalTime(&local);
    FILETIME time {};
    SystemTimeToFileTime(&local, &time);
    const std::uint64_t units = std::uint64_t { time.dwHighDateTime } << 32 | time.dwLowDateTime;
    return { GetTickCount64(), units / FileTimeUnitsPerMillisecond };
}
