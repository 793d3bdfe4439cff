#pragma once

// How the settings read from the registry turn into the program's values:
// the integer parse, the defaults for missing or empty values, the fallbacks
// for unparsable ones, the values written back, and the shortcut paths.
// The registry access itself lives in the Win32 layer.

#include "base/Result.h"
#include "base/SettingValue.h"
#include "tray/WatchList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The integer form of every numeric setting: blanks (0x20 only) are skipped
// at the start, then an optional sign and decimal digits that fit a signed
// 32-bit integer, or "$" and hexadecimal digits taken as a 32-bit pattern of
// at most eight significant digits.  Nothing may follow the digits.
std::optional<std::int32_t> ParseSettingInt(std::string_view text);

// The tray window's settings as loaded at its creation.
struct TraySettings {
    std::int32_t keepAwakeMode; // 0 = SS_ON, any other value = SS_OFF
    bool startTicked; // PST0
    bool offAtStartTicked; // PST1
    bool offAtStartEnabled; // PST1 is usable only while PST0 is ticked
    std::int32_t mySoft;
    bool mainsOnly = false; // keep awake only on mains power
    WatchList watch;
};

// Loads the four tray values.  When PST0 is ticked, PST1 decides the start
// mode in place of "ONOFF".
TraySettings LoadTraySettings(const SettingValue& onoff, const SettingValue& start, const SettingValue& hozon,
    const SettingValue& mysoft);

// "ACONLY": "1" ticks mains only; anything else, a missing value or one of
// another type leaves it off.
bool LoadMainsOnly(const SettingValue& aconly);

// The values written at exit, as (name, text) in the order they are written.
// The mode written is the one held when the close query began, which may
// differ from settings.keepAwakeMode.
std::vector<std::pair<std::string, std::string>> TraySettingsToSave(
    std::int32_t modeAtCloseStart, const TraySettings& settings);

// The recorded version of an installation that is missing or unreadable.
inline constexpr std::int32_t VersionNotInstalled = 255;

// "Version" for the help item's caption: anything unusable reads as 255.
std::int32_t HelpCaptionVersion(const SettingValue& version);

// The help item's caption; 255 is shown as "?.?".
std::string HelpCaption(std::int32_t version);

// "Version" as the program's start reads it: missing or empty is 255, but an
// unparsable text or a value that is not a string ends the start, so this
// fails with a text naming the value.
Result<std::int32_t> ReadInstalledVersion(const SettingValue& version);

// The three shortcut files the tray menu works on.  A path whose folder
// value ("Programs", "Desktop" or "Startup") is missing, empty or not a
// string is empty: there is then no such shortcut, rather than a file name
// relative to whatever the current folder happens to be.  A "Group" that is
// not a string counts as empty, which puts the group's shortcut directly in
// the Programs folder.
struct LinkPaths {
    std::string group;
    std::string desktop;
    std::string startup;
};

LinkPaths BuildLinkPaths(const SettingValue& programs, const SettingValue& desktop,
    const SettingValue& startup, const SettingValue& group, std::string_view itemTitle);
