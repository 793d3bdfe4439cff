#include "tray/KeepAwakeReadings.h"

#include <windows.h>

namespace {

constexpr BYTE AcLineOffline = 0;

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
    return { GetTickCount64(),
        ((local.wHour * 60u + local.wMinute) * 60u + local.wSecond) * 1000u + local.wMilliseconds };
}
