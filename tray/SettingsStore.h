#pragma once

// The registry side of the tray window's settings: each operation opens the
// key, reads or writes, and closes it again.

#include "tray/Settings.h"

#include "base/Result.h"

#include <cstdint>
#include <string>

TraySettings ReadTraySettings();
// Writes the tray values; the first failure abandons the rest and
// fails with the key's name.
Result<> WriteTraySettings(std::int32_t modeAtCloseStart, const TraySettings& settings);
LinkPaths ReadLinkPaths();
SettingValue ReadVersionValue();
