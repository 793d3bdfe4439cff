#pragma once

// The tray's notification record has a 64-byte tip field, zero included.

#include <cstddef>
#include <string_view>

constexpr std::size_t TrayTipFieldSize = 64;

// The start of the tip that fits the field: at most size - 1 bytes, and
// never in the middle of a double-byte character.  It views `tip`'s bytes,
// which must outlive it.
std::string_view FitTrayTip(std::string_view tip, std::size_t fieldSize = TrayTipFieldSize);
