#pragma once

// What the keep-awake controller's timed SS_OFF and mains-only rest read of
// the system.

#include "tray/KeepAwake.h"

// True only when the system says it runs on battery: an unknown source
// counts as mains.
bool OnBatteryPower();

KeepAwakeClock ReadKeepAwakeClock();
