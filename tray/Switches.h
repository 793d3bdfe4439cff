#pragma once

// The mode switches of the command line, both at a tray program's start and
// as forwarded by a second start to the resident copy.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class ModeSwitch { None, Off, On };

// The switch named by an argument that is already lower-cased: "/off" and
// "-off" switch off, and so do their timed forms below; "/no", "-no", "/on"
// and "-on" switch on; any other text, the empty text included, is no
// switch.
ModeSwitch StartSwitch(std::string_view lowered);

// How long a timed SS_OFF lasts: `minutes` from now, or until the local
// clock reaches the time of day `minutes` after midnight.
struct TimedOffSwitch {
    bool atClock = false;
    std::uint16_t minutes = 0;
};

// The timed forms of "/off" and "-off": ":MINUTES", one to four ASCII
// digits worth 1 to 1440, or ":HH:MM", 00-23 and 00-59.
std::optional<TimedOffSwitch> OffTimerSwitch(std::string_view lowered);

inline constexpr char ForwardSeparator = '?';

inline constexpr std::string_view AlreadyResidentMessage = "既に、タスクトレイに登録されています☆☆☆";
inline constexpr std::string_view InvalidParameterLead = "エラー：パラメーターが不正です・・・\n";

// The text a second start puts into the global atom: argument 1 + "?" +
// argument 2.
std::string ForwardText(std::string_view argument1, std::string_view argument2);

// What the resident copy makes of a forwarded text.  When
// alreadyResidentMessage is set the text carried no arguments at all and
// AlreadyResidentMessage is shown; otherwise `first` is the switch to apply.
// `second` is split off but never applied.
struct ForwardedCommand {
    std::string first;
    std::string second;
    bool alreadyResidentMessage = false;
};

// An empty text (also what an unreadable atom gives) and "?" both mean that
// the second start had no arguments.
ForwardedCommand ParseForwardedText(std::string_view atomText);

// The report of a forwarded text that is no switch.
std::string InvalidParameterMessage(std::string_view text);
